#pragma once
// The OBJ writer's de-duplicating list of 8-float point records. Records go
// into 256 buckets chosen by a byte mix of their first three floats; the
// pool's order is bucket 0 first, each bucket in insertion order. Records
// are equal when all eight floats compare equal (-0.0 equals 0.0, NaN equals
// nothing). One open-addressing index over all records answers Add and Find
// without scanning a bucket.
#include <array>
#include <cstdint>
#include <vector>

#include "Math/PointRecord.h"

class UniquePointPool {
 public:
  explicit UniquePointPool(bool keepDuplicates = false) : keepDuplicates_(keepDuplicates) {}

  static int BucketOf(const PointRecord& record);

  void Add(const PointRecord& record) { Locate(record); }
  // Adds like Add and answers where the (first) equal record lies; Index
  // turns that into its global index once all records are in.
  uint64_t Locate(const PointRecord& record);
  int Index(uint64_t located) const;
  // The global index, or -1.
  int Find(const PointRecord& record) const;
  int Count() const { return count_; }
  // The record at a global index; all zero beyond the count.
  PointRecord Get(int index) const;
  // Every record in index order (what Get(0), Get(1), ... give).
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const auto& bucket : buckets_)
      for (const PointRecord& record : bucket) visit(record);
  }
  void Clear();

 private:
  struct Where {
    uint32_t bucket;
    uint32_t local;
  };
  struct Slot {
    uint64_t hash;
    Where where;
    bool used;
  };
  // The first stored record equal to `record`, or null.
  const Where* Lookup(const PointRecord& record, uint64_t hash) const;
  void Grow();
  int BucketStart(uint32_t bucket) const;

  bool keepDuplicates_;
  std::array<std::vector<PointRecord>, 256> buckets_;
  std::vector<Slot> index_;
  size_t indexed_ = 0;
  int count_ = 0;
  mutable std::vector<int> starts_;  // prefix counts, rebuilt after changes
  mutable bool startsValid_ = false;
};
