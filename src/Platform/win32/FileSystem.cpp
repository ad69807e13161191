#include "Platform/FileSystem.h"
#include "Platform/win32/WideText.h"

#include <direct.h>
#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <windows.h>

#include <cctype>

namespace Platform {

namespace {

constexpr DWORD kRetryMs = 2000;
constexpr DWORD kRetryStepMs = 100;

std::string LowerFirst(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.' ||
                           text.back() == ' '))
    text.pop_back();
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

std::string WindowsErrorText(DWORD code) {
  if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION)
    return "the file is in use by another program";
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, text, sizeof text, nullptr);
  if (length == 0) return "Windows error " + std::to_string(code);
  return LowerFirst(text);
}

}  // namespace

bool FitsAnsiCodePage(const char* utf8) {
  const std::wstring wide = Widen(utf8);
  if (wide.empty()) return true;
  BOOL replaced = FALSE;
  const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), static_cast<int>(wide.size()),
                                        nullptr, 0, nullptr, &replaced);
  return bytes > 0 && !replaced;
}

std::FILE* OpenFile(const char* path, const char* mode) {
  return _wfopen(Widen(path).c_str(), Widen(mode).c_str());
}

char PathSeparator() { return '\\'; }

MakeDirectoryResult MakeDirectory(const char* path) {
  if (_wmkdir(Widen(path).c_str()) == 0) return MakeDirectoryResult::kCreated;
  return errno == EEXIST ? MakeDirectoryResult::kExists : MakeDirectoryResult::kFailed;
}

bool MoveFileOver(const char* from, const char* to, std::string& reason) {
  // A reader that opened the old file without FILE_SHARE_DELETE (the C
  // runtime's fopen does so) keeps it from being replaced until it closes
  // it: wait a little for the painter to finish reading.
  DWORD waited = 0;
  for (;;) {
    if (MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    const DWORD code = GetLastError();
    const bool busy = code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
                      code == ERROR_ACCESS_DENIED;
    if (!busy || waited >= kRetryMs) {
      reason = code == ERROR_ACCESS_DENIED
                   ? "access is denied (another program may hold the file open)"
                   : WindowsErrorText(code);
      return false;
    }
    Sleep(kRetryStepMs);
    waited += kRetryStepMs;
  }
}

std::string ErrorText(int error) { return LowerFirst(strerror(error)); }

bool ModificationTime(const char* path, int64_t& seconds) {
  struct _stat64 status {};
  if (path == nullptr || _wstat64(Widen(path).c_str(), &status) != 0) return false;
  seconds = static_cast<int64_t>(status.st_mtime);
  return true;
}

bool ListDirectory(const char* path, std::vector<DirectoryEntry>& entries, std::string& reason) {
  entries.clear();
  std::wstring pattern = Widen(path == nullptr ? "" : path);
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found {};
  const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    // An empty drive root finds nothing and is still a folder.
    if (code == ERROR_FILE_NOT_FOUND) return true;
    reason = WindowsErrorText(code);
    return false;
  }
  do {
    const std::string name = Narrow(found.cFileName);
    if (name == "." || name == "..") continue;
    entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(search, &found));
  const DWORD code = GetLastError();
  FindClose(search);
  if (code != ERROR_NO_MORE_FILES) {
    reason = WindowsErrorText(code);
    entries.clear();
    return false;
  }
  return true;
}

}  // namespace Platform
