#include "Platform/Registry.h"
#include "Platform/win32/WideText.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace Platform {

KeyDisposition CreateUserKey(const char* path, const char* className, RegistryKey& key) {
  HKEY opened = nullptr;
  DWORD disposition = 0;
  std::wstring wideClass = Widen(className);
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, className ? &wideClass[0] : nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &opened, &disposition) != ERROR_SUCCESS) {
    key = nullptr;
    return KeyDisposition::kFailed;
  }
  key = opened;
  return disposition == REG_CREATED_NEW_KEY ? KeyDisposition::kCreated : KeyDisposition::kOpened;
}

bool OpenUserKey(const char* path, RegistryKey& key) {
  HKEY opened = nullptr;
  const bool ok = RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS;
  key = ok ? opened : nullptr;
  return ok;
}

// The value is read as UTF-16 and handed on as UTF-8.
bool QueryStringValue(RegistryKey key, const char* name, char* buffer, uint32_t size) {
  if (key == nullptr || buffer == nullptr || size == 0) return false;
  buffer[0] = '\0';
  DWORD type = 0;
  DWORD bytes = 0;
  const std::wstring wideName = Widen(name);
  if (RegQueryValueExW(static_cast<HKEY>(key), wideName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || bytes / sizeof(wchar_t) >= size)
    return false;
  // A stored string need not carry its terminator: room for one more.
  std::wstring wide(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(static_cast<HKEY>(key), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&wide[0]),
                       &bytes) != ERROR_SUCCESS)
    return false;
  wide.resize(bytes / sizeof(wchar_t));
  const std::string text = Narrow(wide.c_str(), static_cast<int>(wcsnlen(wide.c_str(), wide.size())));
  if (text.size() >= size) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}

bool SetStringValue(RegistryKey key, const char* name, const char* text) {
  if (key == nullptr || text == nullptr) return false;
  const std::wstring wide = Widen(text);
  return RegSetValueExW(static_cast<HKEY>(key), Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                        static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool DeleteValue(RegistryKey key, const char* name) {
  return key != nullptr && RegDeleteValueW(static_cast<HKEY>(key), Widen(name).c_str()) == ERROR_SUCCESS;
}

void CloseKey(RegistryKey key) {
  if (key != nullptr) RegCloseKey(static_cast<HKEY>(key));
}

const char* RegistryVariable() { return nullptr; }

}  // namespace Platform
