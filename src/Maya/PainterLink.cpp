#include "Maya/PainterLink.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "Maya/ExchangePaths.h"
#include "Math/Milliseconds.h"
#include "Platform/FileSystem.h"
#include "Platform/Process.h"
#include "Platform/Registry.h"

const char kPainterWindowTitle[] = "Ombrix Vael";
const char kPainterExecutableName[] = "Ombvael.exe";
const char kDefaultPainterExecutable[] = "C:\\Ombvael\\Ombvael.exe";

namespace {

const char kWindowClass[] = "window class for Atelion-OBVL plugin messages";
const char kWindowName[] = "window for OBVL messages";
const char kBaseDirectoryValue[] = "Base Directory";
constexpr size_t kPathBytes = 1024;

bool FileOpens(const char* path) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (std::FILE* file = Platform::OpenFile(path, "r")) {
      std::fclose(file);
      return true;
    }
  }
  return false;
}

}  // namespace

const PainterMessages& PainterMessages::Register() {
  static const PainterMessages messages = [] {
    PainterMessages m;
    m.loadMe = Platform::RegisterMessage("KromaxeV2:LoadMe");
    m.replying = Platform::RegisterMessage("KromaxeV2:KromaxeReplying");
    m.siMesh = Platform::RegisterMessage("KromaxeV2:KromaxeSIMesh");
    m.whoIsThere = Platform::RegisterMessage("KromaxeV2:ZuruZovaridUzu3");
    m.frontMe = Platform::RegisterMessage("KromaxeV2:FrontMe");
    m.closeMe = Platform::RegisterMessage("KromaxeV2:CloseMe");
    m.saveMe = Platform::RegisterMessage("KromaxeV2:SaveMe");
    return m;
  }();
  return messages;
}

PainterLink::PainterLink(const PainterTiming& timing) : timing_(timing) {
  PainterMessages::Register();
  Platform::RegisterWindowClass(kWindowClass, &PainterLink::WindowProcedure);
  messageWindow_ = Platform::CreateMessageWindow(kWindowClass, kWindowName);
  if (messageWindow_ != nullptr) Platform::SetWindowUserData(messageWindow_, this);
}

PainterLink::~PainterLink() {
  Platform::DestroyWindowHandle(messageWindow_);
  Platform::UnregisterWindowClass(kWindowClass);
}

intptr_t PainterLink::WindowProcedure(Platform::WindowHandle window, uint32_t message,
                                      uintptr_t wParam, intptr_t lParam) {
  if (message == PainterMessages::Register().replying) {
    if (auto* link = static_cast<PainterLink*>(Platform::GetWindowUserData(window)))
      link->painterWindow_ = reinterpret_cast<Platform::WindowHandle>(wParam);
    return 0;
  }
  return Platform::DefaultWindowProc(window, message, wParam, lParam);
}

bool PainterLink::AskWindow(Platform::WindowHandle window, void* context) {
  auto* link = static_cast<PainterLink*>(context);
  char title[20];
  Platform::GetWindowTitle(window, title, sizeof title);
  title[sizeof kPainterWindowTitle - 1] = '\0';
  if (std::strcmp(title, kPainterWindowTitle) == 0)
    Platform::SendMessageBounded(window, PainterMessages::Register().whoIsThere,
                                 reinterpret_cast<uintptr_t>(link->messageWindow_), 0,
                                 link->timing_.sendTimeoutMs);
  return true;  // every candidate is asked; the last reply wins
}

int PainterLink::findPainterWindow() {
  painterWindow_ = nullptr;
  Platform::EnumerateTopLevelWindows(&PainterLink::AskWindow, this);
  // A reply that was posted rather than sent waits in our queue.
  Platform::PumpOneMessage(messageWindow_);
  return painterWindow_ != nullptr ? 1 : 0;
}

bool PainterLink::ExecutablePath(char* path, size_t size) {
  Platform::RegistryKey key = nullptr;
  const Platform::KeyDisposition disposition =
      Platform::CreateUserKey(kPainterRegistryKey, kBaseDirectoryValue, key);
  bool ok = false;
  if (disposition == Platform::KeyDisposition::kCreated) {
    // No installation recorded for this user: try the default place and
    // leave the new key as it is.
    std::snprintf(path, size, "%s", kDefaultPainterExecutable);
    ok = true;
  } else if (disposition == Platform::KeyDisposition::kOpened &&
             Platform::QueryStringValue(key, kBaseDirectoryValue, path,
                                        static_cast<uint32_t>(size))) {
    const size_t length = std::strlen(path);
    const int written = std::snprintf(path + length, size - length, "%c%s",
                                      Platform::PathSeparator(), kPainterExecutableName);
    ok = written > 0 && static_cast<size_t>(written) < size - length;
  }
  Platform::CloseKey(key);
  return ok;
}

int PainterLink::launchPainter() {
  char path[kPathBytes] = {};
  lastExecutable_[0] = '\0';
  if (!ExecutablePath(path, sizeof path)) return 0;
  std::snprintf(lastExecutable_, sizeof lastExecutable_, "%s", path);
  if (!FileOpens(path)) return 0;
  const char separator = Platform::PathSeparator();
  for (char* p = path; *p != '\0'; ++p)
    if (*p == '/' || *p == '\\') *p = separator;
  char directory[901];
  std::snprintf(directory, sizeof directory, "%.900s", path);
  if (char* last = std::strrchr(directory, separator)) *last = '\0';
  Platform::StartProcess(path, directory);
  return 1;
}

int PainterLink::ensurePainterRunning() {
  if (findPainterWindow()) return 1;
  if (!launchPainter()) return 0;
  const uint32_t start = Milliseconds();
  while (!findPainterWindow()) {
    if (ElapsedMs(Milliseconds(), start) >= static_cast<int32_t>(timing_.launchWaitMs)) break;
    SleepMs(static_cast<int>(timing_.pollMs));
  }
  return findPainterWindow();
}

int PainterLink::switchTo() {
  ensurePainterRunning();
  Platform::BringWindowToFront(painterWindow_);
  return 1;
}

int PainterLink::autoLoad() {
  ensurePainterRunning();
  Platform::SendMessageBounded(painterWindow_, PainterMessages::Register().loadMe,
                               reinterpret_cast<uintptr_t>(messageWindow_),
                               static_cast<intptr_t>(loadToken_), timing_.sendTimeoutMs);
  return 1;
}

int PainterLink::close() {
  if (!findPainterWindow()) return 0;
  Platform::SendMessageBounded(painterWindow_, PainterMessages::Register().closeMe, 0,
                               static_cast<intptr_t>(loadToken_), timing_.sendTimeoutMs);
  return 1;
}

PainterBridge::PainterBridge(const PainterTiming& timing)
    : link_(new (std::nothrow) PainterLink(timing)) {}

PainterBridge::~PainterBridge() { delete link_; }
