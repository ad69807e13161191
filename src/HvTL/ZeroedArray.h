#pragma once
// A fixed-length array of zero-filled, trivially copyable elements, for big
// tables such as hash slots: arrays of 2 MiB and more come straight from the
// system's pages (Platform::AllocatePages), already zeroed and in huge pages
// where the system has them; smaller ones come from calloc.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <type_traits>
#include <utility>

#include "Platform/PageMemory.h"

template <typename T>
class ZeroedArray {
  static_assert(std::is_trivially_copyable<T>::value, "elements are zero bytes, never constructed");

 public:
  ZeroedArray() = default;
  ~ZeroedArray() { Release(); }
  ZeroedArray(const ZeroedArray&) = delete;
  ZeroedArray& operator=(const ZeroedArray&) = delete;
  ZeroedArray(ZeroedArray&& other) noexcept { swap(other); }
  ZeroedArray& operator=(ZeroedArray&& other) noexcept {
    swap(other);
    return *this;
  }

  // Replaces the contents with `count` zeroed elements; false, with the
  // contents as they were, when memory is short.
  bool Reset(size_t count) {
    ZeroedArray fresh;
    if (count > 0) {
      if (count > SIZE_MAX / sizeof(T)) return false;
      const size_t bytes = count * sizeof(T);
      void* block = bytes >= Platform::kHugePageBytes ? Platform::AllocatePages(bytes) : std::calloc(count, sizeof(T));
      if (block == nullptr) return false;
      fresh.data_ = static_cast<T*>(block);
      fresh.size_ = count;
    }
    swap(fresh);
    return true;
  }

  void swap(ZeroedArray& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
  }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T& operator[](size_t i) { return data_[i]; }
  const T& operator[](size_t i) const { return data_[i]; }
  T* begin() { return data_; }
  T* end() { return data_ + size_; }
  const T* begin() const { return data_; }
  const T* end() const { return data_ + size_; }

 private:
  void Release() {
    if (data_ == nullptr) return;
    const size_t bytes = size_ * sizeof(T);
    if (bytes >= Platform::kHugePageBytes)
      Platform::FreePages(data_, bytes);
    else
      std::free(data_);
    data_ = nullptr;
    size_ = 0;
  }

  T* data_ = nullptr;
  size_t size_ = 0;
};
