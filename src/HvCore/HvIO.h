#pragma once
// The byte stream through which every model format reads and writes. A
// locator names the target: a plain path opens a file; "memory:NAME" opens a
// 64 MiB named shared-memory object whose first 4 bytes hold the data
// length (data position p lies at object offset p + 4), seen through 64 KiB
// windows. "socket:" and "tcp:" are recognised and open nothing;
// "connection:" opens successfully but holds nothing. Failures are reported
// by return values; for plain files the stream also keeps the system's error
// number of its last failed operation.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "HvTL/HvString.h"

class HvIO {
 public:
  enum Mode : uint32_t { kRead = 0x1231, kWrite = 0x2345, kReadWrite = 0x3234 };
  enum Kind : uint32_t { kFile = 0, kMemory = 1, kSocket = 2, kTcp = 3, kConnection = 4 };
  enum Origin : int { kFromStart = 0, kFromCurrent = 1, kNoMove = 2, kFromEnd = 3 };
  enum ByteOrder : uint32_t { kLittleEndian = 2, kBigEndian = 3 };
  static constexpr uint32_t kSharedSize = 0x4000000;
  static constexpr uint32_t kWindowSize = 0x10000;

  HvIO();
  HvIO(const char* locator, uint32_t mode);
  HvIO(const HvIO&) = delete;
  HvIO& operator=(const HvIO&) = delete;
  virtual ~HvIO();

  // 1, or 0 when a file's buffered data could not be written or its close
  // failed (LastErrorNumber() tells why).
  virtual int Close();
  virtual int Flush();
  virtual int64_t Size();
  virtual int64_t Tell();
  virtual int CanRead() { return 1; }
  virtual int IsReady() { return IsOpen(); }
  virtual int IsOpen();
  virtual int IsWritable();
  virtual int Open(const char* locator, uint32_t mode);
  virtual size_t Read(void* buffer, size_t count);
  virtual int Seek(int64_t offset, int origin);
  virtual size_t Write(const void* buffer, size_t count);

  // The errno of the last failed open, write, flush or close of a plain
  // file since the stream was opened; 0 when none failed.
  int LastErrorNumber() const;

  HvString Name() const;
  // The name up to its last '/' or '\' (empty without one).
  HvString Directory() const;
  Kind LocatorKind() const;

  int SetByteOrder(uint32_t order);
  uint32_t GetByteOrder() const;
  // size bytes in the given order: 2 passes them through, others reverse.
  size_t ReadOrdered(void* buffer, size_t size, uint32_t order);
  size_t WriteOrdered(const void* buffer, size_t size, uint32_t order);

  // Values in the stream's byte order; each returns the count of whole
  // values read. A short array read zero-fills the rest.
  int ReadS8(int8_t& value);
  int ReadU8(uint8_t& value);
  int ReadU16(uint16_t& value);
  int ReadU32(uint32_t& value);
  int ReadF32(float& value);
  int ReadU16Array(uint16_t* values, int count);
  int ReadU32Array(uint32_t* values, int count);
  // One byte at a time; a short read zero-fills the rest.
  int ReadByteArray(uint8_t* bytes, int count);
  // 1 when everything was written, 0 at the first failed write.
  int WriteU8(uint8_t value);
  int WriteU16Array(const uint16_t* values, int count);
  int WriteU32Array(const uint32_t* values, int count);
  int WriteU32(uint32_t value) { return WriteU32Array(&value, 1); }

  // Plain files: characters up to a zero byte, at most maximum - 1 of them,
  // or the end of the file; the buffer is always terminated. Returns the
  // bytes consumed.
  int ReadZeroTerminated(char* buffer, int maximum);
  // Plain files: up to a zero byte, line feed or carriage return (which stays
  // in the buffer) or maximum - 1 characters; terminated. Returns the bytes
  // consumed, 0 at the end of the file.
  int ReadLine(char* buffer, int maximum);
  // Plain files: the text without its terminator; returns its length.
  int WriteText(const char* text);
  // Plain files: the text through "%s"; returns its length plus one.
  int WriteString(const char* text);
  bool AtEnd();

 private:
  struct Impl;
  // Keeps errno as the stream's last error; answers 0.
  int NoteFailure();
  bool OpenSharedMemory(const char* locator);
  int SeekFile(int64_t offset, int origin);
  int SeekShared(int64_t offset, int origin);
  size_t ReadShared(uint8_t* buffer, size_t count);
  size_t WriteShared(const uint8_t* buffer, size_t count);
  uint32_t DataLength() const;

  std::unique_ptr<Impl> impl_;
};
