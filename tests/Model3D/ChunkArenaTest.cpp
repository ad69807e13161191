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

#include "Model3D/RegionSource.h"

#include <thread>

namespace {

TEST(RegionSource, ServesPowersOfTwoAndReusesWhatIsGivenBack) {
  RegionSource source;
  EXPECT_FALSE(RegionSource::Serves(RegionSource::kMinRegionBytes / 2));
  EXPECT_FALSE(RegionSource::Serves(3 * RegionSource::kMinRegionBytes));
  EXPECT_FALSE(RegionSource::Serves(2 * RegionSource::kMaxRegionBytes));
  EXPECT_EQ(source.Take(3 * RegionSource::kMinRegionBytes), nullptr);
  std::vector<std::pair<unsigned char*, size_t>> taken;
  for (int i = 0; i < 60; ++i) {  // mixed sizes over several blocks
    const size_t bytes = RegionSource::kMinRegionBytes << (i % 7);
    auto* region = static_cast<unsigned char*>(source.Take(bytes));
    ASSERT_NE(region, nullptr);
    ASSERT_EQ(reinterpret_cast<uintptr_t>(region) % 64, 0u);
    std::memset(region, i, bytes);
    taken.push_back({region, bytes});
  }
  for (size_t i = 0; i < taken.size(); ++i)
    ASSERT_EQ(taken[i].first[taken[i].second - 1], i) << i;
  std::sort(taken.begin(), taken.end());
  for (size_t i = 1; i < taken.size(); ++i)
    ASSERT_GE(taken[i].first - taken[i - 1].first, static_cast<std::ptrdiff_t>(taken[i - 1].second));
  source.Give(taken[5].first, taken[5].second);
  EXPECT_EQ(source.Take(taken[5].second), taken[5].first);
}

// Arenas of many small meshes sharing one source from two threads, then
// cleared and filled again: every chunk keeps its bytes.
TEST(RegionSource, ArenasShareOneSourceAcrossThreads) {
  RegionSource source;
  auto fill = [&](int seed, bool& ok) {
    ok = true;
    for (int round = 0; round < 2; ++round) {
      std::vector<std::unique_ptr<ChunkArena>> arenas;
      std::vector<std::pair<unsigned char*, int>> chunks;
      for (int a = 0; a < 50; ++a) {
        arenas.push_back(std::make_unique<ChunkArena>(size_t{16} << 10, &source));
        for (int c = 0; c < 1 + a % 20; ++c) {
          auto* chunk = static_cast<unsigned char*>(arenas.back()->Take());
          if (chunk == nullptr) ok = false;
          if (chunk == nullptr) return;
          const int mark = (seed + a * 31 + c) & 0xFF;
          std::memset(chunk, mark, size_t{16} << 10);
          chunks.push_back({chunk, mark});
        }
      }
      for (const auto& chunk : chunks)
        if (chunk.first[0] != chunk.second || chunk.first[(16 << 10) - 1] != chunk.second) ok = false;
    }
  };
  bool ok[2] = {false, false};
  std::thread other(fill, 7, std::ref(ok[1]));
  fill(1, ok[0]);
  other.join();
  EXPECT_TRUE(ok[0]);
  EXPECT_TRUE(ok[1]);
}

}  // namespace
