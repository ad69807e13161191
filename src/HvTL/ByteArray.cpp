#include "HvTL/ByteArray.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "Diagnostics/ReportDiagnostic.h"

ByteArray::~ByteArray() { std::free(data_); }

bool ByteArray::SetSize(int n) {
  if (n < 0) n = 0;
  if (n <= capacity_) {
    if (n >= size_) {
      size_ = n;
    } else if (n == 0) {
      std::free(data_);
      data_ = nullptr;
      capacity_ = size_ = 0;
    } else {
      void* shrunk = std::realloc(data_, static_cast<size_t>(n));
      if (shrunk == nullptr) return false;
      data_ = static_cast<uint8_t*>(shrunk);
      capacity_ = size_ = n;
    }
    return true;
  }
  const long long wanted = static_cast<long long>(capacity_) + growStep_;
  const long long capacity = n > wanted ? n : wanted;
  if (capacity > INT_MAX) return false;
  auto* grown = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(capacity), 1));
  if (grown == nullptr) return false;
  if (size_ > 0) std::memcpy(grown, data_, static_cast<size_t>(size_));
  std::free(data_);
  data_ = grown;
  capacity_ = static_cast<int>(capacity);
  size_ = n;
  return true;
}

int ByteArray::InsertAt(int index, uint8_t byte) {
  if (index == -1) {
    const int oldSize = size_;
    if (size_ == INT_MAX || !SetSize(size_ + 1)) return 0;
    data_[oldSize] = byte;
    return oldSize;
  }
  if (index < 0 || index > size_) {
    ReportDiagnostic("Bad!");
    return -1;
  }
  if (size_ == INT_MAX || !SetSize(size_ + 1)) return -1;
  std::memmove(data_ + index + 1, data_ + index, static_cast<size_t>(size_ - 1 - index));
  data_[index] = byte;
  return index;
}

void ByteArray::Reset() {
  data_ = nullptr;
  size_ = capacity_ = 0;
  growStep_ = 8;
}
