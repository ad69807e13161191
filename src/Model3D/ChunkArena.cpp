#include "Model3D/ChunkArena.h"

#include <algorithm>
#include <new>

#include "Platform/PageMemory.h"

namespace {

bool InPages(size_t bytes) { return bytes >= Platform::kHugePageBytes; }

void Release(void* bytes, size_t size) {
  if (InPages(size))
    Platform::FreePages(bytes, size);
  else
    ::operator delete(bytes, std::align_val_t{ChunkArena::kAlignment});
}

}  // namespace

ChunkArena::ChunkArena(size_t chunkBytes)
    : chunkBytes_((std::max<size_t>(chunkBytes, 1) + kAlignment - 1) / kAlignment * kAlignment) {}

ChunkArena::~ChunkArena() { Clear(); }

void* ChunkArena::Take() {
  if (left_ < chunkBytes_ && !AddRegion()) return nullptr;
  void* chunk = cursor_;
  cursor_ += chunkBytes_;
  left_ -= chunkBytes_;
  return chunk;
}

bool ChunkArena::AddRegion() {
  const size_t wanted = std::min(std::max(held_, chunkBytes_), std::max(kMaxRegionBytes, chunkBytes_));
  const size_t size = wanted / chunkBytes_ * chunkBytes_;
  void* bytes = InPages(size) ? Platform::AllocatePages(size)
                              : ::operator new(size, std::align_val_t{kAlignment}, std::nothrow);
  if (bytes == nullptr) return false;
  try {
    regions_.push_back({static_cast<char*>(bytes), size});
  } catch (const std::bad_alloc&) {
    Release(bytes, size);
    return false;
  }
  cursor_ = static_cast<char*>(bytes);
  left_ = size;
  held_ += size;
  return true;
}

void ChunkArena::Clear() {
  for (const Region& region : regions_) Release(region.bytes, region.size);
  regions_.clear();
  cursor_ = nullptr;
  left_ = 0;
  held_ = 0;
}
