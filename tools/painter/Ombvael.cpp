// A stand-in for the painter, for tests and troubleshooting: a top-level
// window titled "Ombrix Vael" that answers the plug-in's discovery message,
// journals every registered message it receives, reads the log and project
// files on LoadMe, and exits on CloseMe. A Windows program of its own.
//
//   Ombvael.exe [--title TEXT] [--title-suffix TEXT] [--reply send|post|none]
//               [--delay-ms N] [--hang] [--journal FILE] [--write-cor MODE]
//               [--hold-ms N]
// --write-cor writes, after each LoadMe, the correspondence file maya.cor
// into the exchange directory: one record per triangle of the project file
// loaded, with UVs by MODE (same, planar, shift:DU:DV), as the painter
// does when the artist sends the layout back. --hold-ms keeps the project
// file open for N ms after each LoadMe, as a painter still reading it does.
// Started without arguments (as the plug-in starts it), it takes them from
// the environment variable OMBVAEL_ARGS, split at blanks.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "IO/CorrespondenceWriter.h"
#include "IO/FormatRegistry.h"
#include "IO/ModelFileReader.h"
#include "Exchange/ExchangePaths.h"

namespace {

struct Options {
  std::string title = "Ombrix Vael";
  std::string reply = "send";
  int delayMs = 0;
  bool hang = false;
  std::string journal;
  bool writeCor = false;
  CorrespondenceUvMode corMode;
  int holdMs = 0;
};

Options g_options;
std::FILE* g_held = nullptr;  // the project file, while --hold-ms keeps it open
constexpr UINT_PTR kReleaseTimer = 1;
UINT g_loadMe, g_replying, g_whoIsThere, g_closeMe;

void Journal(const char* format, ...) {
  if (g_options.journal.empty()) return;
  std::FILE* file = std::fopen(g_options.journal.c_str(), "a");
  if (file == nullptr) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(file, format, args);
  va_end(args);
  std::fputc('\n', file);
  std::fclose(file);
}

const char* MessageName(UINT message) {
  if (message == g_loadMe) return "LoadMe";
  if (message == g_replying) return "KromaxeReplying";
  if (message == g_whoIsThere) return "ZuruZovaridUzu3";
  if (message == g_closeMe) return "CloseMe";
  return "registered";
}

void WriteCorrespondence(HvModel& model) {
  char path[kExchangeBufferSize], error[kExchangeBufferSize];
  if (getCorrespondenceFilePath("maya.cor", path, error) != ExchangeFailure::kNone) {
    Journal("write-cor failed: %s", error);
    return;
  }
  const std::vector<CorrespondenceRecord> records = makeCorrespondenceRecords(model, g_options.corMode);
  std::string reason;
  if (writeCorrespondenceFile(path, records, reason))
    Journal("wrote %s records=%zu", path, records.size());
  else
    Journal("write-cor failed: %s: %s", path, reason.c_str());
}

// On LoadMe: the log file named by the token names the project file.
void LoadExport(unsigned token) {
  char directory[kExchangeBufferSize], error[kExchangeBufferSize];
  if (getTempDirectory(directory, error) != ExchangeFailure::kNone) {
    Journal("load failed: %s", error);
    return;
  }
  const std::string log = std::string(directory) + "\\OBVLLOG\\" + std::to_string(token) + ".log";
  std::FILE* file = std::fopen(log.c_str(), "r");
  if (file == nullptr) {
    Journal("load failed: no log file %s", log.c_str());
    return;
  }
  char name[kExchangeBufferSize] = {};
  const bool named = std::fgets(name, sizeof name, file) != nullptr;
  std::fclose(file);
  name[std::strcspn(name, "\r\n")] = '\0';
  if (!named || name[0] == '\0') {
    Journal("load failed: empty log file %s", log.c_str());
    return;
  }
  LoadedModel loaded;
  std::string reason;
  const std::string project = std::string(directory) + "\\" + name;
  if (!ReadModelFile(project.c_str(), loaded, reason)) {
    Journal("load failed: %s: %s", project.c_str(), reason.c_str());
    return;
  }
  Journal("loaded %s format=%s groups=%d polygons=%d materials=%d", name, loaded.format.c_str(),
          loaded.Model()->GroupCount(), loaded.Model()->TotalPolygonCount(),
          loaded.Model()->MaterialCount());
  if (g_options.writeCor) WriteCorrespondence(*loaded.Model());
  if (g_options.holdMs > 0 && g_held == nullptr) {
    g_held = std::fopen(project.c_str(), "rb");  // no FILE_SHARE_DELETE, as the C runtime opens
    Journal("holding %s", name);
  }
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= 0xC000 && message <= 0xFFFF) {
    Journal("%s %llu %lld", MessageName(message), static_cast<unsigned long long>(wParam),
            static_cast<long long>(lParam));
    if (message == g_whoIsThere) {
      if (g_options.delayMs > 0) Sleep(static_cast<DWORD>(g_options.delayMs));
      HWND asker = reinterpret_cast<HWND>(wParam);
      if (g_options.reply == "send")
        SendMessageA(asker, g_replying, reinterpret_cast<WPARAM>(window), 0);
      else if (g_options.reply == "post")
        PostMessageA(asker, g_replying, reinterpret_cast<WPARAM>(window), 0);
      return 0;
    }
    if (message == g_loadMe) {
      LoadExport(static_cast<unsigned>(lParam));
      if (g_held != nullptr) SetTimer(window, kReleaseTimer, static_cast<UINT>(g_options.holdMs), nullptr);
      return 0;
    }
    if (message == g_closeMe) {
      DestroyWindow(window);
      return 0;
    }
  }
  if (message == WM_TIMER && wParam == kReleaseTimer) {
    KillTimer(window, kReleaseTimer);
    if (g_held != nullptr) std::fclose(g_held);
    g_held = nullptr;
    Journal("released");
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool ParseOptions(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    if (option == "--title" && hasValue) {
      g_options.title = argv[++i];
    } else if (option == "--title-suffix" && hasValue) {
      g_options.title += argv[++i];
    } else if (option == "--reply" && hasValue) {
      g_options.reply = argv[++i];
    } else if (option == "--delay-ms" && hasValue) {
      g_options.delayMs = std::atoi(argv[++i]);
    } else if (option == "--journal" && hasValue) {
      g_options.journal = argv[++i];
    } else if (option == "--write-cor" && hasValue &&
               parseCorrespondenceUvMode(argv[i + 1], g_options.corMode)) {
      g_options.writeCor = true;
      ++i;
    } else if (option == "--hold-ms" && hasValue) {
      g_options.holdMs = std::atoi(argv[++i]);
    } else if (option == "--hang") {
      g_options.hang = true;
    } else {
      std::fprintf(stderr,
                   "usage: Ombvael.exe [--title TEXT] [--title-suffix TEXT] [--reply send|post|none]"
                   " [--delay-ms N] [--hang] [--journal FILE]"
                   " [--write-cor same|planar|shift:DU:DV] [--hold-ms N]\n");
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words;
  std::vector<char*> arguments(argv, argv + argc);
  const char* fromEnvironment = std::getenv("OMBVAEL_ARGS");
  if (argc == 1 && fromEnvironment != nullptr) {
    std::istringstream split(fromEnvironment);
    for (std::string word; split >> word;) words.push_back(word);
    for (std::string& word : words) arguments.push_back(&word[0]);
  }
  if (!ParseOptions(static_cast<int>(arguments.size()), arguments.data())) return 2;
  g_loadMe = RegisterWindowMessageA("KromaxeV2:LoadMe");
  g_replying = RegisterWindowMessageA("KromaxeV2:KromaxeReplying");
  g_whoIsThere = RegisterWindowMessageA("KromaxeV2:ZuruZovaridUzu3");
  g_closeMe = RegisterWindowMessageA("KromaxeV2:CloseMe");
  StartupFormats();

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &WindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "OmbrixVaelStandIn";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, g_options.title.c_str(),
                                WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return 1;
  char directory[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof directory, directory);
  Journal("started %s cwd=%s", g_options.title.c_str(), directory);
  if (g_options.hang) {
    Sleep(8000);  // not pumping: the window looks hung, then the stand-in goes
    Journal("exit hung");
    return 0;
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  Journal("exit");
  TeardownModelFormats();
  TeardownSceneReaders();
  return 0;
}
