#include "HvTL/HvString.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool IsNullOrEmpty(const char* text) { return text == nullptr || text[0] == '\0'; }

// Formats into the fixed buffer; returns the stored length or -1.
int FormatToBuffer(char (&buffer)[HvString::kFormatBufferSize], const char* format,
                   va_list args) {
  const int written = std::vsnprintf(buffer, sizeof buffer, format, args);
  if (written < 0) return -1;
  return written < static_cast<int>(sizeof buffer) ? written
                                                   : static_cast<int>(sizeof buffer) - 1;
}

}  // namespace

HvString::HvString(const char* text) { Assign(text); }

HvString::HvString(int value) { FormatInto(this, "%d", value); }

HvString::HvString(const HvString& other) { Assign(other.Text()); }

HvString::HvString(HvString&& other) noexcept
    : text_(other.text_), block_(std::move(other.block_)) {
  other.text_ = nullptr;
}

HvString& HvString::operator=(const HvString& other) {
  if (this != &other) Assign(other.Text());
  return *this;
}

HvString& HvString::operator=(HvString&& other) noexcept {
  if (this != &other) {
    block_ = std::move(other.block_);
    text_ = other.text_;
    other.text_ = nullptr;
  }
  return *this;
}

HvString& HvString::operator=(const char* text) {
  Assign(text);
  return *this;
}

HvString::~HvString() = default;

void HvString::Release() {
  block_.reset();
  text_ = nullptr;
}

void HvString::Assign(const char* text) {
  if (IsNullOrEmpty(text)) {
    Release();
    return;
  }
  if (text_ != nullptr && text >= text_ && text < text_ + block_->Capacity()) {
    const std::string copy(text);  // the source lives in our own block
    Assign(copy.c_str());
    return;
  }
  const size_t length = std::strlen(text);
  if (length >= UINT32_MAX || !Reserve(static_cast<uint32_t>(length + 1))) return;
  std::memcpy(text_, text, length + 1);
}

void HvString::Assign(const HvString& other) {
  if (this != &other) Assign(other.Text());
}

bool HvString::Reserve(uint32_t n) {
  if (!block_) {
    block_ = std::make_unique<GrowableBlock>(0, 1, "HvTL/HvString", 117);
    if (!block_->SetSize(n) || block_->Data() == nullptr) {
      Release();
      return false;
    }
    static_cast<char*>(block_->Data())[0] = '\0';
  } else if (!block_->SetSize(n)) {
    return false;
  }
  text_ = static_cast<char*>(block_->Data());
  return true;
}

uint32_t HvString::Length() const {
  return text_ != nullptr ? static_cast<uint32_t>(std::strlen(text_)) : 0;
}

bool HvString::CopyTo(char* buffer, size_t size) const {
  if (buffer == nullptr || size == 0) return false;
  const size_t length = std::min<size_t>(Length(), size - 1);
  std::memcpy(buffer, Text(), length);
  buffer[length] = '\0';
  return true;
}

HvString HvString::Format(const char* format, ...) {
  char buffer[kFormatBufferSize];
  va_list args;
  va_start(args, format);
  const int length = FormatToBuffer(buffer, format, args);
  va_end(args);
  return HvString(length > 0 ? buffer : "");
}

int HvString::FormatInto(HvString* target, const char* format, ...) {
  if (target == nullptr) return 0;
  char buffer[kFormatBufferSize];
  va_list args;
  va_start(args, format);
  const int length = FormatToBuffer(buffer, format, args);
  va_end(args);
  target->Assign(length > 0 ? buffer : "");
  return length > 0 ? length : 0;
}

HvString HvString::Concat(const char* a, const char* b) {
  if (a == nullptr) return HvString(b);
  if (IsNullOrEmpty(b)) return HvString(a);
  if (a[0] == '\0') return HvString(b);
  const size_t lengthA = std::strlen(a);
  const size_t lengthB = std::strlen(b);
  HvString joined;
  if (lengthA + lengthB + 1 >= UINT32_MAX ||
      !joined.Reserve(static_cast<uint32_t>(lengthA + lengthB + 1)))
    return joined;
  std::memcpy(joined.text_, a, lengthA);
  std::memcpy(joined.text_ + lengthA, b, lengthB + 1);
  return joined;
}

HvString HvString::Concat(const HvString& a, const HvString& b) {
  return Concat(a.Text(), b.Text());
}

bool HvString::Equals(const HvString& string, const char* text) {
  return std::strcmp(string.Text(), text != nullptr ? text : "") == 0;
}

bool operator==(const HvString& a, const HvString& b) { return HvString::Equals(a, b.Text()); }
