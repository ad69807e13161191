#pragma once
// Equal chunks for the pools that grow by many of them (polygon blocks,
// edges), cut from regions that grow with what the arena holds (a quarter
// of it, in a power of two of chunks, from one chunk up to 8 MiB, so that
// the last region leaves little unused). A small mesh keeps small regions;
// a large one gets regions of whole huge pages (Platform::AllocatePages),
// faulted in and addressed 2 MiB at a time. Given a RegionSource (the
// model's), the regions it serves come from it, so that many small meshes
// share huge pages too. Chunks are aligned to 64 bytes and live until
// Clear, which releases every region at once.
#include <cstddef>
#include <vector>

class RegionSource;

class ChunkArena {
 public:
  static constexpr size_t kAlignment = 64;
  static constexpr size_t kMaxRegionBytes = size_t{8} << 20;

  explicit ChunkArena(size_t chunkBytes, RegionSource* source = nullptr);
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
    bool shared;  // from the source
  };
  bool AddRegion();
  void Release(const Region& region);

  size_t chunkBytes_;
  RegionSource* source_;
  std::vector<Region> regions_;
  char* cursor_ = nullptr;
  size_t left_ = 0;
  size_t held_ = 0;  // bytes of every region
};
