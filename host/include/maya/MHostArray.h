#pragma once
// The storage behind MIntArray, MFloatArray and the other array classes of the
// host: a growable vector with the interface's index conventions. Each array
// class inherits it privately and offers the interface's own members; the
// host's implementation reaches the vector through OmbrixHost::Access.
#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <vector>

template <typename T, typename Array>
class MHostArray {
public:
  MHostArray() = default;
  MHostArray(const T values[], unsigned int count) : items_(values, values + count) {}
  MHostArray(unsigned int initialSize, const T& initialValue) : items_(initialSize, initialValue) {}
  unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
  const T& operator[](unsigned int index) const { return items_[index]; }
  T& operator[](unsigned int index) { return items_[index]; }
  MStatus append(const T& value) {
    items_.push_back(value);
    return MStatus::kSuccess;
  }
  MStatus setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
  }
  MStatus clear() {
    items_.clear();
    return MStatus::kSuccess;
  }
  MStatus set(const T& value, unsigned int index) {
    if (index >= items_.size())
      return MStatus::kFailure;
    items_[index] = value;
    return MStatus::kSuccess;
  }
  MStatus remove(unsigned int index) {
    if (index >= items_.size())
      return MStatus::kFailure;
    items_.erase(items_.begin() + index);
    return MStatus::kSuccess;
  }
  MStatus insert(const T& value, unsigned int index) {
    if (index > items_.size())
      return MStatus::kFailure;
    items_.insert(items_.begin() + index, value);
    return MStatus::kSuccess;
  }
  MStatus copy(const Array& source) {
    items_ = static_cast<const MHostArray&>(source).items_;
    return MStatus::kSuccess;
  }
  void setSizeIncrement(unsigned int) {}

protected:
  friend class OmbrixHost::Access;
  // The interface's get(T[]) of the arrays that have one.
  MStatus copyTo(T out[]) const {
    for (size_t i = 0; i < items_.size(); ++i)
      out[i] = items_[i];
    return MStatus::kSuccess;
  }
  std::vector<T> items_;
};

// The members every array class shares with the interface.
#define OMBRIX_ARRAY_MEMBERS(Array, T)                                                    \
public:                                                                                   \
  Array() = default;                                                                      \
  using MHostArray<T, Array>::length;                                                     \
  using MHostArray<T, Array>::operator[];                                                 \
  using MHostArray<T, Array>::append;                                                     \
  using MHostArray<T, Array>::setLength;                                                  \
  using MHostArray<T, Array>::clear;                                                      \
  using MHostArray<T, Array>::set;                                                        \
  using MHostArray<T, Array>::remove;                                                     \
  using MHostArray<T, Array>::insert;                                                     \
  using MHostArray<T, Array>::copy;                                                       \
  using MHostArray<T, Array>::setSizeIncrement;                                           \
                                                                                          \
private:                                                                                  \
  friend class OmbrixHost::Access;                                                        \
  friend class MHostArray<T, Array>;                                                      \
                                                                                          \
public:
