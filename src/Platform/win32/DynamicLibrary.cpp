#include "Platform/DynamicLibrary.h"
#include "Platform/win32/WideText.h"

#include <windows.h>

#include <cstring>

namespace Platform {

bool DynamicLibrary::Open(const std::string& path, std::string& error) {
  Close();
  HMODULE module = LoadLibraryW(Widen(path).c_str());
  if (!module) {
    DWORD code = GetLastError();
    char text[512] = {0};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                   sizeof text - 1, nullptr);
    std::string reason = text;
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
      reason.pop_back();
    error = reason.empty() ? "error " + std::to_string(code) : reason;
    return false;
  }
  handle_ = reinterpret_cast<void*>(module);
  return true;
}

void* DynamicLibrary::Symbol(const char* name) const {
  if (!handle_)
    return nullptr;
  FARPROC found = GetProcAddress(static_cast<HMODULE>(handle_), name);
  void* address = nullptr;
  static_assert(sizeof address == sizeof found, "code and data addresses differ in size");
  std::memcpy(&address, &found, sizeof address);
  return address;
}

void DynamicLibrary::Close() {
  if (handle_)
    FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
}

}  // namespace Platform
