#include "HvTL/ZeroedArray.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "Platform/PageMemory.h"

namespace {

struct Entry {
  uint32_t a, b;
};

// Arrays on both sides of the page threshold: zeroed, writable to the last
// element, and reset to zeros when reused.
TEST(ZeroedArray, SmallAndPagedArraysStartZeroAndResetToZero) {
  for (size_t count : {size_t{1}, size_t{1000}, Platform::kHugePageBytes / sizeof(Entry) + 3}) {
    ZeroedArray<Entry> array;
    ASSERT_TRUE(array.Reset(count));
    ASSERT_EQ(array.size(), count);
    for (const Entry& e : array) ASSERT_EQ(e.a | e.b, 0u);
    for (size_t i = 0; i < count; ++i) array[i] = {static_cast<uint32_t>(i), 7};
    EXPECT_EQ(array[count - 1].a, count - 1);
    ASSERT_TRUE(array.Reset(count));
    for (const Entry& e : array) ASSERT_EQ(e.a | e.b, 0u);
  }
}

TEST(ZeroedArray, ImpossibleSizeFailsAndKeepsTheContents) {
  ZeroedArray<Entry> array;
  ASSERT_TRUE(array.Reset(4));
  array[3] = {1, 2};
  EXPECT_FALSE(array.Reset(SIZE_MAX / sizeof(Entry) + 1));
  EXPECT_FALSE(array.Reset(SIZE_MAX / sizeof(Entry) - 1));
  ASSERT_EQ(array.size(), 4u);
  EXPECT_EQ(array[3].b, 2u);
  EXPECT_TRUE(array.Reset(0));
  EXPECT_TRUE(array.empty());
}

TEST(ZeroedArray, SwapAndMoveHandOverTheElements) {
  ZeroedArray<Entry> small, large;
  ASSERT_TRUE(small.Reset(3));
  ASSERT_TRUE(large.Reset(Platform::kHugePageBytes));
  large[5] = {9, 9};
  small.swap(large);
  EXPECT_EQ(small.size(), Platform::kHugePageBytes);
  EXPECT_EQ(small[5].a, 9u);
  ZeroedArray<Entry> moved(std::move(small));
  EXPECT_EQ(moved[5].b, 9u);
  EXPECT_EQ(large.size(), 3u);
}

TEST(PageMemory, LargeBlocksAreZeroedWritableAndReleased) {
  for (size_t bytes : {size_t{4096}, Platform::kHugePageBytes, 3 * Platform::kHugePageBytes + 1}) {
    auto* block = static_cast<unsigned char*>(Platform::AllocatePages(bytes));
    ASSERT_NE(block, nullptr) << bytes;
    EXPECT_EQ(block[0] | block[bytes / 2] | block[bytes - 1], 0);
    block[0] = block[bytes - 1] = 0xFF;
#ifndef _WIN32
    if (bytes >= Platform::kHugePageBytes) {
      EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % Platform::kHugePageBytes, 0u);
    }
#endif
    Platform::FreePages(block, bytes);
  }
  EXPECT_EQ(Platform::AllocatePages(0), nullptr);
}

}  // namespace
