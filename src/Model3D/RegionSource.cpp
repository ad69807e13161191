#include "Model3D/RegionSource.h"

#include <new>

#include "Platform/PageMemory.h"

RegionSource::~RegionSource() {
  for (char* block : blocks_) Platform::FreePages(block, kBlockBytes);
}

int RegionSource::SizeIndex(size_t bytes) {
  int index = 0;
  for (size_t size = kMinRegionBytes; size <= kMaxRegionBytes; size *= 2, ++index)
    if (size == bytes) return index;
  return -1;
}

bool RegionSource::Serves(size_t bytes) { return SizeIndex(bytes) >= 0; }

void RegionSource::Scatter() {
  // What is left is a multiple of the smallest size (every cut is).
  while (left_ >= kMinRegionBytes) {
    size_t piece = kMaxRegionBytes;
    while (piece > left_) piece /= 2;
    free_[SizeIndex(piece)].push_back(cursor_);
    cursor_ += piece;
    left_ -= piece;
  }
}

void* RegionSource::Take(size_t bytes) {
  const int index = SizeIndex(bytes);
  if (index < 0) return nullptr;
  std::lock_guard<std::mutex> lock(mutex_);
  try {
    std::vector<void*>& list = free_[index];
    if (!list.empty()) {
      void* region = list.back();
      list.pop_back();
      return region;
    }
    if (left_ < bytes) {
      // Each list gets room for every region of its size the blocks can
      // hold, so that Scatter and Give never allocate.
      const size_t blocks = blocks_.size() + 1;
      blocks_.reserve(blocks);
      for (std::vector<void*>& sized : free_) sized.reserve(blocks * (kBlockBytes / kMinRegionBytes));
      Scatter();
      auto* block = static_cast<char*>(Platform::AllocatePages(kBlockBytes));
      if (block == nullptr) return nullptr;
      blocks_.push_back(block);
      cursor_ = block;
      left_ = kBlockBytes;
    }
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  void* region = cursor_;
  cursor_ += bytes;
  left_ -= bytes;
  return region;
}

void RegionSource::Give(void* region, size_t bytes) {
  const int index = SizeIndex(bytes);
  if (region == nullptr || index < 0) return;
  std::lock_guard<std::mutex> lock(mutex_);
  // The list has room for it (reserved when its block was added).
  free_[index].push_back(region);
}
