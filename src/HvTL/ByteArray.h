#pragma once
// A growable byte array with virtual operations. It grows by a step of 8
// bytes and shrinks to the exact size. Out-of-range indices are reported
// through ReportDiagnostic and change nothing.
#include <cstdint>

class ByteArray {
 public:
  ByteArray() = default;
  virtual ~ByteArray();
  ByteArray(const ByteArray&) = delete;
  ByteArray& operator=(const ByteArray&) = delete;

  // Size n (clamped to >= 0). Within the capacity, growing only sets the
  // size, shrinking reallocates to exactly n bytes (0 frees the data).
  // Beyond it the capacity becomes max(n, capacity + grow step). New bytes
  // are zero. False when the memory cannot be had.
  virtual bool SetSize(int n);
  // index -1 appends and returns the old size (0 on failure); an index in
  // [0, size] inserts and returns it (-1 on failure); any other index is
  // reported and gives -1.
  virtual int InsertAt(int index, uint8_t byte);
  virtual int IsUsable() const { return 1; }
  // Forgets the data without freeing it (the caller has taken it over).
  virtual void Reset();

  uint8_t* Data() { return data_; }
  const uint8_t* Data() const { return data_; }
  int Size() const { return size_; }
  int Capacity() const { return capacity_; }
  int GrowStep() const { return growStep_; }

 protected:
  uint8_t* data_ = nullptr;
  int growStep_ = 8;
  int size_ = 0;
  int capacity_ = 0;
};
