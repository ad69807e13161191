#pragma once
// Text at the Win32 boundary: the program keeps UTF-8 inside and calls the
// wide (UTF-16) functions of Windows, converting on the way.
#include <string>

namespace Platform {

// UTF-16 of UTF-8 text (invalid sequences become U+FFFD).
std::wstring Widen(const char* utf8);
inline std::wstring Widen(const std::string& utf8) { return Widen(utf8.c_str()); }
// UTF-8 of `length` UTF-16 units, or of the whole terminated text when length < 0.
std::string Narrow(const wchar_t* wide, int length = -1);

}  // namespace Platform
