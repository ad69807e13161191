#include "Platform/win32/WideText.h"

#include <windows.h>

namespace Platform {

std::wstring Widen(const char* utf8) {
  if (utf8 == nullptr || *utf8 == '\0') return std::wstring();
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (units <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], units);
  wide.resize(static_cast<size_t>(units - 1));
  return wide;
}

std::string Narrow(const wchar_t* wide, int length) {
  if (wide == nullptr || length == 0 || (length < 0 && *wide == L'\0')) return std::string();
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string utf8(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, length, &utf8[0], bytes, nullptr, nullptr);
  if (length < 0) utf8.resize(static_cast<size_t>(bytes - 1));
  return utf8;
}

}  // namespace Platform
