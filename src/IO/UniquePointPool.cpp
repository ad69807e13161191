#include "IO/UniquePointPool.h"

#include <cstring>

namespace {

// A hash under which records that compare equal always meet: -0.0 is taken
// as 0.0. (NaN records never compare equal, whatever their hash.)
uint64_t KeyHash(const PointRecord& record) {
  uint64_t h = 0xCBF29CE484222325ull;
  for (float value : record.v) {
    if (value == 0.0f) value = 0.0f;
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    h = (h ^ bits) * 0x100000001B3ull;
    h ^= h >> 29;
  }
  return h;
}

}  // namespace

int UniquePointPool::BucketOf(const PointRecord& record) {
  uint8_t b[12];
  std::memcpy(b, record.v, 12);
  const unsigned mix = 79u * b[6] - 89u * b[10] + 47u * b[2] + 89u * b[8] - 93u * b[4] - 81u * b[0];
  return static_cast<int>(mix & 0xFF);
}

int UniquePointPool::LocalIndex(const Bucket& bucket, const PointRecord& record) const {
  const auto range = bucket.index.equal_range(KeyHash(record));
  int best = -1;
  for (auto it = range.first; it != range.second; ++it) {
    const PointRecord& stored = bucket.records[static_cast<size_t>(it->second)];
    bool equal = true;
    for (int i = 0; i < 8 && equal; ++i) equal = stored.v[i] == record.v[i];
    if (equal && (best < 0 || it->second < best)) best = it->second;
  }
  return best;
}

void UniquePointPool::Add(const PointRecord& record) {
  Bucket& bucket = buckets_[static_cast<size_t>(keepDuplicates_ ? 0 : BucketOf(record))];
  if (!keepDuplicates_ && LocalIndex(bucket, record) >= 0) return;
  bucket.index.emplace(KeyHash(record), static_cast<int>(bucket.records.size()));
  bucket.records.push_back(record);
  ++count_;
  startsValid_ = false;
}

int UniquePointPool::BucketStart(int bucket) const {
  if (!startsValid_) {
    starts_.assign(buckets_.size(), 0);
    int sum = 0;
    for (size_t i = 0; i < buckets_.size(); ++i) {
      starts_[i] = sum;
      sum += static_cast<int>(buckets_[i].records.size());
    }
    startsValid_ = true;
  }
  return starts_[static_cast<size_t>(bucket)];
}

int UniquePointPool::Find(const PointRecord& record) const {
  const int bucket = keepDuplicates_ ? 0 : BucketOf(record);
  const int local = LocalIndex(buckets_[static_cast<size_t>(bucket)], record);
  return local < 0 ? -1 : BucketStart(bucket) + local;
}

PointRecord UniquePointPool::Get(int index) const {
  if (index < 0 || index >= count_) return PointRecord();
  for (const Bucket& bucket : buckets_) {
    if (index < static_cast<int>(bucket.records.size()))
      return bucket.records[static_cast<size_t>(index)];
    index -= static_cast<int>(bucket.records.size());
  }
  return PointRecord();
}

void UniquePointPool::Clear() {
  for (Bucket& bucket : buckets_) {
    bucket.records.clear();
    bucket.index.clear();
  }
  count_ = 0;
  startsValid_ = false;
}
