#include <gtest/gtest.h>

#include <cstring>

#include "HvTL/GrowableBlock.h"

TEST(GrowableBlock, RoundsCapacityByTheWorkedValues) {
  EXPECT_EQ(GrowableBlock::RoundCapacity(1), 128u);
  EXPECT_EQ(GrowableBlock::RoundCapacity(300), 320u);
  EXPECT_EQ(GrowableBlock::RoundCapacity(600), 640u);
  EXPECT_EQ(GrowableBlock::RoundCapacity(5000), 8192u);
  EXPECT_EQ(GrowableBlock::RoundCapacity(40000), 65536u);
  // 32678, not 32768, is the threshold of the 32 KiB steps.
  EXPECT_EQ(GrowableBlock::RoundCapacity(32678), 32768u);
  EXPECT_EQ(GrowableBlock::RoundCapacity(32700), 32768u);
  EXPECT_EQ(GrowableBlock::RoundCapacity(32769), 65536u);
  EXPECT_EQ(GrowableBlock::RoundCapacity(UINT32_MAX), 0u);
}

TEST(GrowableBlock, GrowsKeepingContentsAndNeverShrinks) {
  GrowableBlock block(10, 4, "test", 1);
  EXPECT_EQ(block.Size(), 40u);
  EXPECT_EQ(block.Capacity(), 128u);
  std::memset(block.Data(), 0xAB, 40);
  ASSERT_TRUE(block.SetSize(1000, 1));
  EXPECT_EQ(block.Capacity(), 1024u);
  EXPECT_EQ(static_cast<unsigned char*>(block.Data())[39], 0xAB);
  ASSERT_TRUE(block.SetSize(3, 1));
  EXPECT_EQ(block.Size(), 3u);
  EXPECT_EQ(block.Capacity(), 1024u);
}

TEST(GrowableBlock, ZeroRequestChangesNothingAndOverflowIsRefused) {
  GrowableBlock block(5, 1);
  void* data = block.Data();
  EXPECT_TRUE(block.SetSize(0, 8));
  EXPECT_EQ(block.Size(), 5u);
  EXPECT_FALSE(block.SetSize(0x10000, 0x10000));
  EXPECT_EQ(block.Size(), 5u);
  EXPECT_EQ(block.Data(), data);
  GrowableBlock empty;
  EXPECT_EQ(empty.Data(), nullptr);
  EXPECT_EQ(empty.Size(), 0u);
}
