#pragma once
// A ByteArray used as a zero-terminated string (its size counts the
// terminator), with file-path helpers that accept both '/' and '\\'.
#include "HvTL/ByteArray.h"
#include "HvTL/HvString.h"

class ByteString : public ByteArray {
 public:
  ByteString();
  explicit ByteString(const char* text);
  ByteString(const ByteString& other);
  ByteString& operator=(const ByteString& other);
  ~ByteString() override;

  virtual void RemoveAll();
  virtual bool Append(uint8_t byte);
  // With keepOrder the tail shifts down, otherwise the last byte fills the
  // hole. An index outside [0, size) is reported and changes nothing.
  virtual bool RemoveAt(int index, bool keepOrder);

  // Byte by byte; a null text empties the array and gives false.
  bool AssignText(const char* text);
  // One allocation; a null or empty text leaves size 0.
  bool AssignFromText(const char* text);
  bool Assign(const ByteArray& other);

  const char* Text() const;
  int Length() const { return size_ > 0 ? size_ - 1 : 0; }
  bool EqualsIgnoreCase(const ByteArray& other) const;
  // Fails (out empty) on a byte of 0x80 or above.
  bool ToHvString(HvString& out) const;

  int LastSeparator() const;
  bool Directory(ByteString& out) const;
  bool FileName(ByteString& out) const;
  bool Extension(ByteString& out) const;
  bool BaseName(ByteString& out) const;

 private:
  bool AssignRange(const char* begin, int length);
  int LastIndexOf(char c) const;
};
