#pragma once
// The value array behind MIntArray, MFloatArray and the other array classes of
// the host: a plain growable vector with the interface's index conventions.
#include <maya/MTypes.h>
#include <vector>

template <typename T>
class MHostArray {
public:
  MHostArray() = default;
  MHostArray(unsigned int initialSize, const T& initialValue = T()) : items_(initialSize, initialValue) {}
  MHostArray(const T* values, unsigned int count) : items_(values, values + count) {}
  unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
  const T& operator[](unsigned int index) const { return items_[index]; }
  T& operator[](unsigned int index) { return items_[index]; }
  void append(const T& value) { items_.push_back(value); }
  void setLength(unsigned int length) { items_.resize(length); }
  void clear() { items_.clear(); }
  void set(const T& value, unsigned int index) {
    if (index < items_.size())
      items_[index] = value;
  }
  void remove(unsigned int index) {
    if (index < items_.size())
      items_.erase(items_.begin() + index);
  }
  void insert(const T& value, unsigned int index) {
    if (index <= items_.size())
      items_.insert(items_.begin() + index, value);
  }
  void copy(const MHostArray& source) { items_ = source.items_; }
  void setSizeIncrement(unsigned int) {}
  const std::vector<T>& items() const { return items_; }
  std::vector<T>& items() { return items_; }

private:
  std::vector<T> items_;
};
