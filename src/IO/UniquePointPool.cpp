#include "IO/UniquePointPool.h"

#include <cstring>

namespace {

// A hash under which records that compare equal always meet: -0.0 is taken
// as 0.0. Records holding a NaN equal nothing and are never indexed.
bool KeyHash(const PointRecord& record, uint64_t& hash) {
  uint64_t h = 0xCBF29CE484222325ull;
  for (float value : record.v) {
    if (value != value) return false;
    if (value == 0.0f) value = 0.0f;
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    h = (h ^ bits) * 0x100000001B3ull;
    h ^= h >> 29;
  }
  hash = h | 1;  // never 0
  return true;
}

bool Equal(const PointRecord& a, const PointRecord& b) {
  for (int i = 0; i < 8; ++i)
    if (!(a.v[i] == b.v[i])) return false;
  return true;
}

}  // namespace

int UniquePointPool::BucketOf(const PointRecord& record) {
  uint8_t b[12];
  std::memcpy(b, record.v, 12);
  const unsigned mix = 79u * b[6] - 89u * b[10] + 47u * b[2] + 89u * b[8] - 93u * b[4] - 81u * b[0];
  return static_cast<int>(mix & 0xFF);
}

const UniquePointPool::Where* UniquePointPool::Lookup(const PointRecord& record,
                                                      uint64_t hash) const {
  if (index_.empty()) return nullptr;
  const size_t mask = index_.size() - 1;
  for (size_t at = hash & mask; index_[at].used; at = (at + 1) & mask) {
    const Slot& slot = index_[at];
    if (slot.hash == hash &&
        Equal(buckets_[slot.where.bucket][slot.where.local], record))
      return &slot.where;
  }
  return nullptr;
}

void UniquePointPool::Grow() {
  std::vector<Slot> old(index_.empty() ? 1024 : index_.size() * 2, Slot{0, {0, 0}, false});
  old.swap(index_);
  const size_t mask = index_.size() - 1;
  for (const Slot& slot : old) {
    if (!slot.used) continue;
    size_t at = slot.hash & mask;
    while (index_[at].used) at = (at + 1) & mask;
    index_[at] = slot;
  }
}

uint64_t UniquePointPool::Locate(const PointRecord& record) {
  const auto bucket = static_cast<uint32_t>(keepDuplicates_ ? 0 : BucketOf(record));
  uint64_t hash = 0;
  const bool hashable = KeyHash(record, hash);
  const Where* first = hashable ? Lookup(record, hash) : nullptr;
  if (!keepDuplicates_ && first != nullptr) return uint64_t{first->bucket} << 32 | first->local;
  std::vector<PointRecord>& list = buckets_[bucket];
  const Where where{bucket, static_cast<uint32_t>(list.size())};
  list.push_back(record);
  ++count_;
  startsValid_ = false;
  // Only the first of equal records is indexed: Find answers the first.
  if (hashable && first == nullptr) {
    if ((indexed_ + 1) * 2 > index_.size()) Grow();
    const size_t mask = index_.size() - 1;
    size_t at = hash & mask;
    while (index_[at].used) at = (at + 1) & mask;
    index_[at] = Slot{hash, where, true};
    ++indexed_;
    return uint64_t{where.bucket} << 32 | where.local;
  }
  return first != nullptr ? uint64_t{first->bucket} << 32 | first->local
                          : uint64_t{where.bucket} << 32 | where.local;
}

int UniquePointPool::Index(uint64_t located) const {
  const auto bucket = static_cast<uint32_t>(located >> 32);
  if (bucket >= buckets_.size()) return -1;
  return BucketStart(bucket) + static_cast<int>(located & 0xFFFFFFFFu);
}

int UniquePointPool::BucketStart(uint32_t bucket) const {
  if (!startsValid_) {
    starts_.assign(buckets_.size(), 0);
    int sum = 0;
    for (size_t i = 0; i < buckets_.size(); ++i) {
      starts_[i] = sum;
      sum += static_cast<int>(buckets_[i].size());
    }
    startsValid_ = true;
  }
  return starts_[bucket];
}

int UniquePointPool::Find(const PointRecord& record) const {
  uint64_t hash = 0;
  if (!KeyHash(record, hash)) return -1;
  const Where* where = Lookup(record, hash);
  return where == nullptr ? -1 : BucketStart(where->bucket) + static_cast<int>(where->local);
}

PointRecord UniquePointPool::Get(int index) const {
  if (index < 0 || index >= count_) return PointRecord();
  for (const auto& bucket : buckets_) {
    if (index < static_cast<int>(bucket.size())) return bucket[static_cast<size_t>(index)];
    index -= static_cast<int>(bucket.size());
  }
  return PointRecord();
}

void UniquePointPool::Clear() {
  for (auto& bucket : buckets_) bucket.clear();
  index_.clear();
  indexed_ = 0;
  count_ = 0;
  startsValid_ = false;
}
