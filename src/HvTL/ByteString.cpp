#include "HvTL/ByteString.h"

#include <climits>
#include <cstring>
#include <cwctype>
#include <string>

#include "Diagnostics/ReportDiagnostic.h"

ByteString::ByteString() { AssignText(""); }

ByteString::ByteString(const char* text) { AssignFromText(text); }

ByteString::ByteString(const ByteString& other) : ByteArray() { Assign(other); }

ByteString& ByteString::operator=(const ByteString& other) {
  if (this != &other) Assign(other);
  return *this;
}

ByteString::~ByteString() = default;

void ByteString::RemoveAll() { SetSize(0); }

bool ByteString::Append(uint8_t byte) {
  if (size_ == INT_MAX || !SetSize(size_ + 1)) return false;
  data_[size_ - 1] = byte;
  return true;
}

bool ByteString::RemoveAt(int index, bool keepOrder) {
  if (index < 0 || index >= size_) {
    ReportDiagnostic("Bad!");
    return false;
  }
  if (keepOrder)
    std::memmove(data_ + index, data_ + index + 1, static_cast<size_t>(size_ - index - 1));
  else
    data_[index] = data_[size_ - 1];
  return SetSize(size_ - 1);
}

bool ByteString::AssignText(const char* text) {
  RemoveAll();
  if (text == nullptr) return false;
  for (const char* p = text; *p != '\0'; ++p)
    if (!Append(static_cast<uint8_t>(*p))) return false;
  return Append(0);
}

bool ByteString::AssignFromText(const char* text) {
  RemoveAll();
  if (text == nullptr || text[0] == '\0') return true;
  const size_t length = std::strlen(text);
  if (length >= static_cast<size_t>(INT_MAX)) return false;
  return AssignRange(text, static_cast<int>(length));
}

bool ByteString::Assign(const ByteArray& other) {
  if (&other == this) return true;
  if (other.Size() == 0) {
    RemoveAll();
    return true;
  }
  return AssignText(reinterpret_cast<const char*>(other.Data()));
}

bool ByteString::AssignRange(const char* begin, int length) {
  if (data_ != nullptr && begin >= reinterpret_cast<const char*>(data_) &&
      begin < reinterpret_cast<const char*>(data_) + size_) {
    const std::string copy(begin, static_cast<size_t>(length));  // source is our own data
    return AssignRange(copy.data(), length);
  }
  RemoveAll();
  if (!SetSize(length + 1)) return false;
  std::memcpy(data_, begin, static_cast<size_t>(length));
  data_[length] = 0;
  return true;
}

const char* ByteString::Text() const {
  return size_ > 0 ? reinterpret_cast<const char*>(data_) : "";
}

bool ByteString::EqualsIgnoreCase(const ByteArray& other) const {
  if (size_ + other.Size() < 2) return true;
  if (size_ != other.Size()) return false;
  for (int i = 0; i < size_; ++i) {
    // Each byte is lowered as a signed character, as the wide-character
    // runtime sees it.
    const auto a = static_cast<wint_t>(static_cast<signed char>(data_[i]));
    const auto b = static_cast<wint_t>(static_cast<signed char>(other.Data()[i]));
    if (std::towlower(a) != std::towlower(b)) return false;
  }
  return true;
}

bool ByteString::ToHvString(HvString& out) const {
  out.Assign("");
  const char* text = Text();
  for (const char* p = text; *p != '\0'; ++p)
    if (static_cast<unsigned char>(*p) >= 0x80) return false;
  out.Assign(text);
  return true;
}

int ByteString::LastIndexOf(char c) const {
  const char* found = std::strrchr(Text(), c);
  return found != nullptr ? static_cast<int>(found - Text()) : -1;
}

int ByteString::LastSeparator() const {
  const int slash = LastIndexOf('/');
  const int backslash = LastIndexOf('\\');
  return slash > backslash ? slash : backslash;
}

bool ByteString::Directory(ByteString& out) const {
  const int separator = LastSeparator();
  if (separator < 1) {
    out.AssignText("");
    return false;
  }
  return out.AssignRange(Text(), separator);
}

bool ByteString::FileName(ByteString& out) const {
  const char* name = Text() + LastSeparator() + 1;
  if (name[0] == '\0') return false;
  return out.AssignRange(name, static_cast<int>(std::strlen(name)));
}

bool ByteString::Extension(ByteString& out) const {
  const int dot = LastIndexOf('.');
  if (dot <= 0) return true;
  const char* extension = Text() + dot + 1;
  return out.AssignRange(extension, static_cast<int>(std::strlen(extension)));
}

bool ByteString::BaseName(ByteString& out) const {
  ByteString name;
  if (!FileName(name)) return false;
  const int dot = name.LastIndexOf('.');
  return out.AssignRange(name.Text(), dot >= 0 ? dot : name.Length());
}
