#pragma once
// The OBJ writer's de-duplicating list of 8-float point records. Records go
// into 256 buckets chosen by a byte mix of their first three floats; the
// pool's order is bucket 0 first, each bucket in insertion order. Records
// are equal when all eight floats compare equal (-0.0 equals 0.0, NaN equals
// nothing). Each bucket keeps a hash index beside its list, so Add and Find
// do not scan the bucket.
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "Math/PointRecord.h"

class UniquePointPool {
 public:
  explicit UniquePointPool(bool keepDuplicates = false) : keepDuplicates_(keepDuplicates) {}

  static int BucketOf(const PointRecord& record);

  void Add(const PointRecord& record);
  // The global index, or -1.
  int Find(const PointRecord& record) const;
  int Count() const { return count_; }
  // The record at a global index; all zero beyond the count.
  PointRecord Get(int index) const;
  void Clear();

 private:
  struct Bucket {
    std::vector<PointRecord> records;
    std::unordered_multimap<uint64_t, int> index;  // key hash -> position in records
  };
  int LocalIndex(const Bucket& bucket, const PointRecord& record) const;
  int BucketStart(int bucket) const;

  bool keepDuplicates_;
  std::array<Bucket, 256> buckets_;
  int count_ = 0;
  mutable std::vector<int> starts_;  // prefix counts, rebuilt after changes
  mutable bool startsValid_ = false;
};
