#pragma once
// String values under HKEY_CURRENT_USER. The POSIX stand-in keeps them in a
// text file: $OMBRIX_REGISTRY, or ~/.ombrix-registry.
#include <cstdint>

namespace Platform {

using RegistryKey = void*;

enum class KeyDisposition { kFailed, kCreated, kOpened };

// Names and values are UTF-8; on Windows they go through the wide calls.
// RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, className, 0, KEY_ALL_ACCESS, ...).
KeyDisposition CreateUserKey(const char* path, const char* className, RegistryKey& key);
// RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ).
bool OpenUserKey(const char* path, RegistryKey& key);
// Reads a string value into buffer (size bytes of UTF-8); the result is
// always terminated, and a value that does not fit fails.
bool QueryStringValue(RegistryKey key, const char* name, char* buffer, uint32_t size);
// A REG_SZ value of the text's length plus one.
bool SetStringValue(RegistryKey key, const char* name, const char* text);
bool DeleteValue(RegistryKey key, const char* name);
void CloseKey(RegistryKey key);

// The environment variable naming the POSIX stand-in's file ("OMBRIX_REGISTRY"),
// when a process's registry follows its environment: processes running at
// once can then each read a registry of their own. Null on Windows, where
// every process of the user reads the one HKEY_CURRENT_USER.
const char* RegistryVariable();

}  // namespace Platform
