#include <gtest/gtest.h>

#include "Math/Milliseconds.h"
#include "Math/ProgressSink.h"

TEST(MillisecondClock, StartsAt536870912AndCountsMilliseconds) {
  MillisecondClock clock;
  EXPECT_EQ(clock.Now(), 536870912u);
  ASSERT_TRUE(SleepMs(40));
  // The tick counter may advance in steps of up to ~16 ms.
  const int32_t elapsed = ElapsedMs(clock.Now(), 536870912u);
  EXPECT_GE(elapsed, 20);
  EXPECT_LT(elapsed, 5000);
  EXPECT_GE(Milliseconds(), 536870912u);
}

TEST(SleepMs, ZeroAndNegative) {
  EXPECT_TRUE(SleepMs(0));
  EXPECT_FALSE(SleepMs(-1));
}

TEST(ElapsedMs, IsSignedAcrossTheWrap) {
  EXPECT_EQ(ElapsedMs(5u, 0xFFFFFFFBu), 10);
  EXPECT_EQ(ElapsedMs(0xFFFFFFFBu, 5u), -10);
}

namespace {

class CountingSink : public ProgressSink {
 public:
  int yields = 0;

 protected:
  void OnYield() override { ++yields; }
};

}  // namespace

TEST(ProgressSink, YieldsAtStartEndAndEvery20Ms) {
  CountingSink sink;
  sink.SetTotal(100);
  sink.SetPosition(0);
  EXPECT_EQ(sink.yields, 1);
  for (int i = 1; i < 50; ++i) sink.SetPosition(i);  // well inside 20 ms
  EXPECT_LE(sink.yields, 2);
  SleepMs(60);
  sink.Advance(1);
  const int afterPause = sink.yields;
  EXPECT_GE(afterPause, 2);
  sink.SetPosition(100);
  EXPECT_EQ(sink.yields, afterPause + 1);
  EXPECT_EQ(sink.Position(), 100.0);
  ProgressSink::SetTotal(nullptr, 5);  // a missing sink is allowed
  ProgressSink::Advance(nullptr, 1);
}
