#pragma once
// Fixed-size blocks carved from 64 KiB chunks, with one free list per size
// (in steps of 16 bytes). Meshes make millions of small, equal blocks
// (triangles, edges); the pool keeps them close together and frees them all
// at once. Blocks above kMaxPooled bytes come from the heap one by one; the
// pool keeps them too, so that Clear releases every block.
#include <cstddef>
#include <memory>
#include <unordered_set>
#include <vector>

class BlockPool {
 public:
  static constexpr size_t kMaxPooled = 2048;

  BlockPool() = default;
  ~BlockPool();
  BlockPool(const BlockPool&) = delete;
  BlockPool& operator=(const BlockPool&) = delete;

  // Null when memory is short.
  void* Allocate(size_t bytes);
  void Free(void* block, size_t bytes);
  // Releases every block at once (nothing may use them afterwards).
  void Clear();

 private:
  static size_t SizeClass(size_t bytes) { return (bytes + 15) / 16; }
  void* AllocateLarge(size_t bytes);

  struct FreeBlock {
    FreeBlock* next;
  };
  std::vector<FreeBlock*> free_;            // by size class
  std::vector<std::unique_ptr<char[]>> chunks_;
  std::unordered_set<void*> large_;  // the blocks above kMaxPooled, from the heap
  char* cursor_ = nullptr;
  size_t left_ = 0;
};
