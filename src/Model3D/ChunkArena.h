#pragma once
// Equal chunks for the pools that grow by many of them (polygon blocks,
// edges), cut from regions that double with what the arena holds, from one
// chunk up to 8 MiB: a small mesh keeps small regions, a large one gets
// regions of whole huge pages (Platform::AllocatePages), faulted in and
// addressed 2 MiB at a time. Chunks are aligned to 64 bytes and live until
// Clear, which releases every region at once.
#include <cstddef>
#include <vector>

class ChunkArena {
 public:
  static constexpr size_t kAlignment = 64;
  static constexpr size_t kMaxRegionBytes = size_t{8} << 20;

  explicit ChunkArena(size_t chunkBytes);
  ~ChunkArena();
  ChunkArena(const ChunkArena&) = delete;
  ChunkArena& operator=(const ChunkArena&) = delete;

  // A new chunk; null when memory is short.
  void* Take();
  void Clear();

 private:
  struct Region {
    char* bytes;
    size_t size;
  };
  bool AddRegion();

  size_t chunkBytes_;
  std::vector<Region> regions_;
  char* cursor_ = nullptr;
  size_t left_ = 0;
  size_t held_ = 0;  // bytes of every region
};
