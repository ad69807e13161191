#include "Platform/Registry.h"

#include <windows.h>

#include <cstring>

namespace Platform {

KeyDisposition CreateUserKey(const char* path, const char* className, RegistryKey& key) {
  HKEY opened = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, const_cast<char*>(className), 0, KEY_ALL_ACCESS,
                      nullptr, &opened, &disposition) != ERROR_SUCCESS) {
    key = nullptr;
    return KeyDisposition::kFailed;
  }
  key = opened;
  return disposition == REG_CREATED_NEW_KEY ? KeyDisposition::kCreated : KeyDisposition::kOpened;
}

bool OpenUserKey(const char* path, RegistryKey& key) {
  HKEY opened = nullptr;
  const bool ok = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &opened) == ERROR_SUCCESS;
  key = ok ? opened : nullptr;
  return ok;
}

bool QueryStringValue(RegistryKey key, const char* name, char* buffer, uint32_t size) {
  if (key == nullptr || buffer == nullptr || size == 0) return false;
  DWORD type = 0;
  DWORD bytes = size;
  const LONG status = RegQueryValueExA(static_cast<HKEY>(key), name, nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer), &bytes);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
    buffer[0] = '\0';
    return false;
  }
  // A stored string need not carry its terminator: add one, and refuse a
  // value that fills the buffer without room for it.
  if (bytes > 0 && buffer[bytes - 1] == '\0') return true;
  if (bytes >= size) {
    buffer[0] = '\0';
    return false;
  }
  buffer[bytes] = '\0';
  return true;
}

bool SetStringValue(RegistryKey key, const char* name, const char* text) {
  if (key == nullptr || text == nullptr) return false;
  return RegSetValueExA(static_cast<HKEY>(key), name, 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
}

bool DeleteValue(RegistryKey key, const char* name) {
  return key != nullptr && RegDeleteValueA(static_cast<HKEY>(key), name) == ERROR_SUCCESS;
}

void CloseKey(RegistryKey key) {
  if (key != nullptr) RegCloseKey(static_cast<HKEY>(key));
}

}  // namespace Platform
