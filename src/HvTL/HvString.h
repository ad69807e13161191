#pragma once
// The code base's single-byte, zero-terminated string with copy semantics.
// An empty string owns no memory; Text() of an empty string is "".
#include <cstddef>
#include <cstdint>
#include <memory>

#include "HvTL/GrowableBlock.h"

class HvString {
 public:
  HvString() = default;
  HvString(const char* text);  // NOLINT: implicit like the texts it replaces
  explicit HvString(int value);
  HvString(const HvString& other);
  HvString(HvString&& other) noexcept;
  HvString& operator=(const HvString& other);
  HvString& operator=(HvString&& other) noexcept;
  HvString& operator=(const char* text);
  ~HvString();

  // Null or empty releases the block; otherwise copies with the terminator.
  void Assign(const char* text);
  void Assign(const HvString& other);
  // Makes room for n bytes (resizing the block or creating one).
  bool Reserve(uint32_t n);

  const char* Text() const { return text_ != nullptr ? text_ : ""; }
  uint32_t Length() const;
  bool IsEmpty() const { return Length() == 0; }

  // At most size - 1 characters and a terminator; false for a null buffer
  // or a size of 0.
  bool CopyTo(char* buffer, size_t size) const;

  // printf-style formatting into a 1024-byte buffer; longer results are cut
  // at 1023 characters as snprintf cuts them.
  static HvString Format(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 1, 2)))
#endif
      ;
  // The same into an existing string; returns the number of characters
  // stored, 0 when target is null or formatting fails.
  static int FormatInto(HvString* target, const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;

  static HvString Concat(const char* a, const char* b);
  static HvString Concat(const HvString& a, const HvString& b);
  static bool Equals(const HvString& string, const char* text);

  static constexpr size_t kFormatBufferSize = 1024;

 private:
  void Release();

  char* text_ = nullptr;
  std::unique_ptr<GrowableBlock> block_;
};

bool operator==(const HvString& a, const HvString& b);
inline bool operator!=(const HvString& a, const HvString& b) { return !(a == b); }
