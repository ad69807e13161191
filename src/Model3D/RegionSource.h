#pragma once
// Regions for the chunk arenas of every mesh of one model, cut from blocks
// of whole huge pages (Platform::AllocatePages): a model of many small
// meshes gets their memory in huge pages too, faulted in 2 MiB at a time,
// where each mesh alone would take its regions from the heap in 4 KiB
// pages. Regions are 16 KiB times a power of two, up to 1 MiB; a region given
// back is kept for the next request of its size, and every block is
// released with the source, which must outlive the arenas it serves. Safe
// to use from several threads.
#include <cstddef>
#include <mutex>
#include <vector>

class RegionSource {
 public:
  static constexpr size_t kMinRegionBytes = size_t{16} << 10;
  static constexpr size_t kMaxRegionBytes = size_t{1} << 20;
  static constexpr size_t kBlockBytes = size_t{2} << 20;

  RegionSource() = default;
  ~RegionSource();
  RegionSource(const RegionSource&) = delete;
  RegionSource& operator=(const RegionSource&) = delete;

  // Whether Take serves regions of this size.
  static bool Serves(size_t bytes);
  // A region of `bytes`, aligned to 64 bytes; null when the size is not
  // served or memory is short.
  void* Take(size_t bytes);
  // Returns a region of Take's, with its size.
  void Give(void* region, size_t bytes);

 private:
  static constexpr int kSizes = 7;  // 16 KiB .. 1 MiB
  static int SizeIndex(size_t bytes);
  // Puts the rest of the current block on the free lists.
  void Scatter();

  std::mutex mutex_;
  std::vector<void*> free_[kSizes];
  std::vector<char*> blocks_;
  char* cursor_ = nullptr;
  size_t left_ = 0;
};
