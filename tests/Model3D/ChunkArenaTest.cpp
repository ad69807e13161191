#include "Model3D/ChunkArena.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Enough chunks to pass from heap regions into page regions: every chunk
// aligned, none overlapping another, each keeping what was written into it.
TEST(ChunkArena, ChunksAreAlignedDistinctAndKeepTheirBytes) {
  const size_t chunkBytes = 1000;  // rounded up to the alignment
  ChunkArena arena(chunkBytes);
  std::vector<unsigned char*> chunks;
  for (int i = 0; i < 40000; ++i) {  // about 40 MB
    auto* chunk = static_cast<unsigned char*>(arena.Take());
    ASSERT_NE(chunk, nullptr);
    ASSERT_EQ(reinterpret_cast<uintptr_t>(chunk) % ChunkArena::kAlignment, 0u);
    std::memset(chunk, i & 0xFF, chunkBytes);
    chunks.push_back(chunk);
  }
  for (size_t i = 0; i < chunks.size(); ++i)
    ASSERT_EQ(chunks[i][chunkBytes - 1], i & 0xFF) << i;
  std::sort(chunks.begin(), chunks.end());
  for (size_t i = 1; i < chunks.size(); ++i)
    ASSERT_GE(chunks[i] - chunks[i - 1], static_cast<std::ptrdiff_t>(chunkBytes));
}

TEST(ChunkArena, ClearReleasesEverythingAndTheArenaStartsAgain) {
  ChunkArena arena(size_t{256} << 10);
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 100; ++i) {  // 25 MB, regions of up to 8 MiB
      auto* chunk = static_cast<unsigned char*>(arena.Take());
      ASSERT_NE(chunk, nullptr);
      chunk[0] = 1;
    }
    arena.Clear();
  }
}

// A chunk larger than the largest region still gets a region of its own.
TEST(ChunkArena, ChunksLargerThanARegion) {
  ChunkArena arena(ChunkArena::kMaxRegionBytes + 64);
  auto* first = static_cast<unsigned char*>(arena.Take());
  auto* second = static_cast<unsigned char*>(arena.Take());
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  first[ChunkArena::kMaxRegionBytes + 63] = 1;
  second[ChunkArena::kMaxRegionBytes + 63] = 2;
  EXPECT_EQ(first[ChunkArena::kMaxRegionBytes + 63], 1);
}

}  // namespace
