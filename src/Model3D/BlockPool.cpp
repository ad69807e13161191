#include "Model3D/BlockPool.h"

#include <cstdlib>
#include <memory>
#include <new>
#include <utility>

namespace {
constexpr size_t kChunkBytes = 64 * 1024;
}

BlockPool::~BlockPool() { Clear(); }

void* BlockPool::Allocate(size_t bytes) {
  if (bytes > kMaxPooled) return AllocateLarge(bytes);
  const size_t sizeClass = SizeClass(bytes);
  if (sizeClass < free_.size() && free_[sizeClass] != nullptr) {
    FreeBlock* block = free_[sizeClass];
    free_[sizeClass] = block->next;
    return block;
  }
  const size_t rounded = sizeClass * 16;
  if (left_ < rounded) {
    // Owned before the list grows, so that a list that cannot grow frees it.
    std::unique_ptr<char[]> chunk(new (std::nothrow) char[kChunkBytes]);
    if (chunk == nullptr) return nullptr;
    try {
      chunks_.push_back(std::move(chunk));
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
    cursor_ = chunks_.back().get();
    left_ = kChunkBytes;
  }
  void* block = cursor_;
  cursor_ += rounded;
  left_ -= rounded;
  return block;
}

void BlockPool::Free(void* block, size_t bytes) {
  if (block == nullptr) return;
  if (bytes > kMaxPooled) {
    large_.erase(block);
    std::free(block);
    return;
  }
  const size_t sizeClass = SizeClass(bytes);
  if (free_.size() <= sizeClass) free_.resize(sizeClass + 1, nullptr);
  auto* freed = static_cast<FreeBlock*>(block);
  freed->next = free_[sizeClass];
  free_[sizeClass] = freed;
}

void* BlockPool::AllocateLarge(size_t bytes) {
  void* block = std::malloc(bytes);
  if (block == nullptr) return nullptr;
  try {
    large_.insert(block);
  } catch (const std::bad_alloc&) {
    std::free(block);
    return nullptr;
  }
  return block;
}

void BlockPool::Clear() {
  for (void* block : large_) std::free(block);
  large_.clear();
  free_.clear();
  chunks_.clear();
  cursor_ = nullptr;
  left_ = 0;
}
