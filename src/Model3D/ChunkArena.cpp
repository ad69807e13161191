#include "Model3D/ChunkArena.h"

#include <algorithm>
#include <new>

#include "Model3D/RegionSource.h"
#include "Platform/PageMemory.h"

namespace {

bool InPages(size_t bytes) { return bytes >= Platform::kHugePageBytes; }

}  // namespace

ChunkArena::ChunkArena(size_t chunkBytes, RegionSource* source)
    : chunkBytes_((std::max<size_t>(chunkBytes, 1) + kAlignment - 1) / kAlignment * kAlignment), source_(source) {}

ChunkArena::~ChunkArena() { Clear(); }

void* ChunkArena::Take() {
  if (left_ < chunkBytes_ && !AddRegion()) return nullptr;
  void* chunk = cursor_;
  cursor_ += chunkBytes_;
  left_ -= chunkBytes_;
  return chunk;
}

bool ChunkArena::AddRegion() {
  size_t size = chunkBytes_;
  while (size * 2 <= held_ / 4 && size * 2 <= kMaxRegionBytes) size *= 2;
  const bool shared = source_ != nullptr && RegionSource::Serves(size);
  void* bytes = shared          ? source_->Take(size)
                : InPages(size) ? Platform::AllocatePages(size)
                                : ::operator new(size, std::align_val_t{kAlignment}, std::nothrow);
  if (bytes == nullptr) return false;
  const Region region{static_cast<char*>(bytes), size, shared};
  try {
    regions_.push_back(region);
  } catch (const std::bad_alloc&) {
    Release(region);
    return false;
  }
  cursor_ = static_cast<char*>(bytes);
  left_ = size;
  held_ += size;
  return true;
}

void ChunkArena::Clear() {
  for (const Region& region : regions_) Release(region);
  regions_.clear();
  cursor_ = nullptr;
  left_ = 0;
  held_ = 0;
}

void ChunkArena::Release(const Region& region) {
  if (region.shared)
    source_->Give(region.bytes, region.size);
  else if (InPages(region.size))
    Platform::FreePages(region.bytes, region.size);
  else
    ::operator delete(region.bytes, std::align_val_t{kAlignment});
}
