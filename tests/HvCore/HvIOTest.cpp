#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "HvCore/HvIO.h"
#include "Platform/Process.h"
#include "Support/TempPath.h"

namespace {

std::string MemoryLocator(const std::string& name) {
  return "memory:ombrix-test-" + std::to_string(Platform::CurrentProcessId()) + "-" + name;
}

std::vector<uint8_t> Pattern(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 251);
  return bytes;
}

}  // namespace

TEST(HvIOFile, ValuesFollowTheByteOrder) {
  TempPath path("order.bin");
  {
    HvIO out(path.c_str(), HvIO::kWrite);
    ASSERT_EQ(out.IsOpen(), 1);
    EXPECT_EQ(out.WriteU32(0x11223344u), 1);  // default: most significant byte first
    out.SetByteOrder(HvIO::kLittleEndian);
    EXPECT_EQ(out.WriteU32(0x11223344u), 1);
    const uint16_t shorts[2] = {0x0102, 0x0304};
    EXPECT_EQ(out.WriteU16Array(shorts, 2), 1);
    EXPECT_EQ(out.WriteU8(0xAB), 1);
  }
  HvIO in(path.c_str(), HvIO::kRead);
  uint8_t bytes[13];
  ASSERT_EQ(in.Read(bytes, sizeof bytes), sizeof bytes);
  const uint8_t expected[13] = {0x11, 0x22, 0x33, 0x44, 0x44, 0x33, 0x22, 0x11,
                                0x02, 0x01, 0x04, 0x03, 0xAB};
  EXPECT_EQ(std::memcmp(bytes, expected, sizeof bytes), 0);
  EXPECT_EQ(in.Seek(0, HvIO::kFromStart), 1);
  uint32_t value = 0;
  EXPECT_EQ(in.ReadU32(value), 1);
  EXPECT_EQ(value, 0x11223344u);
  in.SetByteOrder(HvIO::kLittleEndian);
  EXPECT_EQ(in.ReadU32(value), 1);
  EXPECT_EQ(value, 0x11223344u);
  uint32_t tail[3] = {9, 9, 9};
  EXPECT_EQ(in.ReadU32Array(tail, 3), 1);  // 5 bytes left: one whole value
  EXPECT_EQ(tail[1], 0u);
  EXPECT_EQ(tail[2], 0u);
  EXPECT_EQ(in.Write("x", 1), 0u);  // read mode
  EXPECT_EQ(in.Size(), 13);
}

TEST(HvIOFile, LinesZeroTerminatedTextAndEnd) {
  TempPath path("text.txt");
  {
    HvIO out(path.c_str(), HvIO::kWrite);
    EXPECT_EQ(out.WriteText("first\nsecond\r"), 13);
    EXPECT_EQ(out.WriteString("name"), 5);
    EXPECT_EQ(out.Write("\0tail", 5), 5u);
  }
  HvIO in(path.c_str(), HvIO::kRead);
  char line[64];
  EXPECT_EQ(in.ReadLine(line, sizeof line), 6);
  EXPECT_STREQ(line, "first\n");
  EXPECT_EQ(in.ReadLine(line, sizeof line), 7);
  EXPECT_STREQ(line, "second\r");
  EXPECT_EQ(in.ReadZeroTerminated(line, sizeof line), 5);
  EXPECT_STREQ(line, "name");
  EXPECT_EQ(in.ReadZeroTerminated(line, 3), 2);  // stops at 2 characters
  EXPECT_STREQ(line, "ta");
  EXPECT_EQ(in.ReadZeroTerminated(line, sizeof line), 2);  // the end of the file ends it
  EXPECT_STREQ(line, "il");
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(in.ReadLine(line, sizeof line), 0);
  EXPECT_STREQ(line, "");
}

TEST(HvIOFile, LocatorKindsNamesAndDirectories) {
  TempPath path("plain.bin");
  {
    HvIO plain("memory-without-colon.bin", HvIO::kWrite);
    EXPECT_EQ(plain.IsOpen(), 1);
    EXPECT_EQ(plain.LocatorKind(), HvIO::kFile);
  }
  std::remove("memory-without-colon.bin");
  HvIO connection("connection:painter", HvIO::kRead);
  EXPECT_EQ(connection.IsOpen(), 0);
  EXPECT_STREQ(connection.Name().Text(), "connection:painter");
  char buffer[4];
  EXPECT_EQ(connection.Read(buffer, 4), 0u);
  HvIO socket;
  EXPECT_EQ(socket.Open("socket:1234", HvIO::kRead), 0);
  EXPECT_STREQ(socket.Name().Text(), "");
  HvIO missing;
  EXPECT_EQ(missing.Open("no/such/dir/file.bin", HvIO::kRead), 0);
  EXPECT_EQ(missing.Open(path.c_str(), 0x9999), 0);
  HvIO named("connection:c:\\dir/sub\\file.obv", HvIO::kRead);
  EXPECT_STREQ(named.Directory().Text(), "connection:c:\\dir/sub");
}

TEST(HvIOMemory, ReadModeNeedsAWriterAndWriteModeStartsEmpty) {
  const std::string locator = MemoryLocator("fresh");
  HvIO reader;
  EXPECT_EQ(reader.Open(locator.c_str(), HvIO::kRead), 0);
  HvIO writer(locator.c_str(), HvIO::kWrite);
  ASSERT_EQ(writer.IsOpen(), 1);
  EXPECT_EQ(writer.LocatorKind(), HvIO::kMemory);
  EXPECT_EQ(writer.Size(), 0);
  ASSERT_EQ(reader.Open(locator.c_str(), HvIO::kRead), 1);
  EXPECT_EQ(reader.IsWritable(), 0);
  EXPECT_EQ(reader.Write("x", 1), 0u);
}

TEST(HvIOMemory, RunsCrossWindowsAndReadsStopAtTheDataLength) {
  const std::string locator = MemoryLocator("windows");
  HvIO writer(locator.c_str(), HvIO::kWrite);
  const std::vector<uint8_t> run = Pattern(70000);
  ASSERT_EQ(writer.Write(run.data(), run.size()), run.size());
  EXPECT_EQ(writer.Tell(), 70000);
  EXPECT_EQ(writer.Seek(0, HvIO::kFromEnd), 1);
  EXPECT_EQ(writer.Tell(), 70000);
  EXPECT_EQ(writer.Size(), 70000);

  HvIO reader(locator.c_str(), HvIO::kRead);
  std::vector<uint8_t> back(run.size());
  ASSERT_EQ(reader.Read(back.data(), back.size()), back.size());
  EXPECT_EQ(back, run);
  // Back to an earlier window.
  ASSERT_EQ(reader.Seek(10, HvIO::kFromStart), 1);
  uint8_t byte = 0;
  ASSERT_EQ(reader.Read(&byte, 1), 1u);
  EXPECT_EQ(byte, run[10]);

  HvIO shortWriter(MemoryLocator("short").c_str(), HvIO::kWrite);
  shortWriter.Write(run.data(), 120);
  ASSERT_EQ(shortWriter.Seek(90, HvIO::kFromStart), 1);
  uint8_t hundred[100];
  EXPECT_EQ(shortWriter.Read(hundred, 100), 30u);
}

TEST(HvIOMemory, WritesBeyondTheObjectStopCleanly) {
  HvIO writer(MemoryLocator("full").c_str(), HvIO::kWrite);
  EXPECT_EQ(writer.Seek(HvIO::kSharedSize - 4, HvIO::kFromStart), 0);
  EXPECT_EQ(writer.Seek(-1, HvIO::kFromStart), 0);
  ASSERT_EQ(writer.Seek(HvIO::kSharedSize - 14, HvIO::kFromStart), 1);
  const std::vector<uint8_t> run = Pattern(100);
  EXPECT_EQ(writer.Write(run.data(), run.size()), 10u);
  EXPECT_EQ(writer.Size(), HvIO::kSharedSize - 4);
}

TEST(HvIOMemory, AnotherProcessReadsWhileTheWriterHoldsTheObject) {
  const std::string locator = MemoryLocator("shared");
  const std::vector<uint8_t> run = Pattern(150000);
  {
    HvIO writer(locator.c_str(), HvIO::kWrite);
    ASSERT_EQ(writer.Write(run.data(), run.size()), run.size());
    EXPECT_EQ(Platform::RunProcess(OMBRIX_SHM_PEER, {"read", locator, "150000"}), 0);
    // The peer can write too; we see its bytes and its length.
    EXPECT_EQ(Platform::RunProcess(OMBRIX_SHM_PEER, {"append", locator, "200000"}), 0);
    EXPECT_EQ(writer.Size(), 200000);
  }
  // The last holder closed: the object is gone.
  EXPECT_EQ(Platform::RunProcess(OMBRIX_SHM_PEER, {"read", locator, "150000"}), 3);
}

// A finished process's use: its exit code, CPU time and peak memory, which
// holds at least the 40 MB of shared memory it wrote, counted in megabytes.
TEST(ProcessUseTest, ReportsTheExitCodeAndAPeakHoldingWhatTheProcessWrote) {
  const std::string locator = MemoryLocator("use");
  TempPath log("process-use.log");
  HvIO holder(locator.c_str(), HvIO::kWrite);
  const std::vector<uint8_t> start = Pattern(16);
  ASSERT_EQ(holder.Write(start.data(), start.size()), start.size());
  Platform::ProcessUse use =
      Platform::RunProcessMeasured(OMBRIX_SHM_PEER, {"append", locator, "40000000"}, log.str());
  EXPECT_EQ(use.exitCode, 0);
  // In megabytes (on Linux at least this test's own peak, see RunProcessMeasured).
  // Wine keeps no memory counters of a process that has ended: it answers 0.
#ifndef _WIN32
  EXPECT_GE(use.peakMegabytes, 38.0);
#endif
  EXPECT_LT(use.peakMegabytes, 4096.0);
  EXPECT_GE(use.cpuMs, 0.0);
  EXPECT_EQ(Platform::RunProcessMeasured(OMBRIX_SHM_PEER, {"wrong"}, log.str()).exitCode, 2);
}
