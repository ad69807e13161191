#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "Exchange/ExchangePaths.h"
#include "Platform/FileSystem.h"
#include "Platform/Process.h"
#include "Platform/Registry.h"

namespace {

const std::string kSeparator(1, Platform::PathSeparator());

// Points the user's "Temp Directory" at a value for one test (the native
// build keeps its registry in a file of its own).
class ExchangePathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
#ifndef _WIN32
    registry_ = "ombrix-test-registry-" + std::to_string(Platform::CurrentProcessId());
    setenv("OMBRIX_REGISTRY", registry_.c_str(), 1);
#endif
    // Named by the process id, which Wine hands out again run after run:
    // start from an empty directory and leave none behind.
    directory_ = "exchange-" + std::to_string(Platform::CurrentProcessId());
    std::filesystem::remove_all(directory_);
    Platform::MakeDirectory(directory_.c_str());
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
#ifndef _WIN32
    std::remove(registry_.c_str());
#endif
  }

  void SetTempDirectory(const std::string& value) {
    Platform::RegistryKey key = nullptr;
    ASSERT_NE(Platform::CreateUserKey(kPainterRegistryKey, "Base Directory", key),
              Platform::KeyDisposition::kFailed);
    ASSERT_TRUE(Platform::SetStringValue(key, "Temp Directory", value.c_str()));
    Platform::CloseKey(key);
  }

  void ClearTempDirectory() {
    Platform::RegistryKey key = nullptr;
    Platform::CreateUserKey(kPainterRegistryKey, "Base Directory", key);
    Platform::DeleteValue(key, "Temp Directory");
    Platform::CloseKey(key);
  }

  std::string registry_;
  std::string directory_;
  char out_[kExchangeBufferSize] = {};
  char error_[kExchangeBufferSize] = {};
};

std::string Contents(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

TEST(ExchangeHash, HashesBytesAsSignedCharacters) {
  EXPECT_EQ(hashFileName("abc"), 832080928u);
  EXPECT_EQ(hashFileName(""), 0u);
  EXPECT_EQ(hashFileName("Maya.obv"), 2500946208u);
  EXPECT_NE(hashFileName("caf\xE9"), hashFileName("caf\x69"));
}

TEST(ExchangeTrim, DropsTrailingBackslashesAndLineFeeds) {
  char text[] = "c:\\exchange\\\\\n";
  trimTrailingSeparators(text);
  EXPECT_STREQ(text, "c:\\exchange");
  char empty[] = "\\\n\\";
  trimTrailingSeparators(empty);
  EXPECT_STREQ(empty, "");
}

TEST_F(ExchangePathsTest, DirectoryFromTheRegistryTrimmed) {
  SetTempDirectory(directory_ + "\\\\\n");
  ASSERT_EQ(getTempDirectory(out_, error_), ExchangeFailure::kNone);
  EXPECT_EQ(std::string(out_), directory_);
  ASSERT_EQ(getLogDirectory(out_, error_), ExchangeFailure::kNone);
  EXPECT_EQ(std::string(out_), directory_ + kSeparator + "OBVLLOG");
  ClearTempDirectory();
  EXPECT_EQ(getTempDirectory(out_, error_), ExchangeFailure::kNoTempDirectory);
  EXPECT_STREQ(error_, "Unable to open temp directory key under <HKEY_CURRENT_USER> at <Temp Directory>");
  EXPECT_EQ(getTempDirectory(out_, nullptr), ExchangeFailure::kNoTempDirectory);  // no error text wanted
}

TEST_F(ExchangePathsTest, ExchangeAndCorrespondencePathsWithTheirDefaults) {
  SetTempDirectory(directory_);
  ASSERT_EQ(getExchangeFilePath("", out_, error_), ExchangeFailure::kNone);
  EXPECT_STREQ(out_, "c:\\temp\\maya.obv");
  ASSERT_EQ(getExchangeFilePath("Maya.obv", out_, error_), ExchangeFailure::kNone);
  EXPECT_EQ(std::string(out_), directory_ + kSeparator + "Maya.obv");
  ASSERT_EQ(getCorrespondenceFilePath("maya", out_, error_), ExchangeFailure::kNone);
  EXPECT_EQ(std::string(out_), directory_ + kSeparator + "maya.cor");
  ASSERT_EQ(getCorrespondenceFilePath("a.b.obv", out_, error_), ExchangeFailure::kNone);
  EXPECT_EQ(std::string(out_), directory_ + kSeparator + "a.b.cor");
  ClearTempDirectory();
  EXPECT_EQ(getExchangeFilePath("Maya.obv", out_, error_), ExchangeFailure::kNoTempDirectory);
  EXPECT_STREQ(out_, "c:\\temp\\maya.obv");
  EXPECT_EQ(getCorrespondenceFilePath("maya.cor", out_, error_), ExchangeFailure::kNoTempDirectory);
  EXPECT_STREQ(out_, "c:\\temp\\maya.cor");
}

TEST_F(ExchangePathsTest, ADirectoryTooLongForThePathBuffersIsRefused) {
  SetTempDirectory(std::string(995, 'd'));
  EXPECT_EQ(getExchangeFilePath("Maya.obv", out_, error_), ExchangeFailure::kPathTooLong);
  EXPECT_STREQ(out_, "c:\\temp\\maya.obv");
  EXPECT_EQ(std::string(error_).rfind("Exchange path too long: ddd", 0), 0u);
  EXPECT_EQ(getLogDirectory(out_, error_), ExchangeFailure::kPathTooLong);
  uint32_t token = 0;
  EXPECT_EQ(writeLogFile(&token, "Maya.obv", error_), ExchangeFailure::kPathTooLong);
}

TEST_F(ExchangePathsTest, LogFileNamedByTheTokenHoldsTheExchangeName) {
  SetTempDirectory(directory_);
  uint32_t token = 0;
  ASSERT_EQ(writeLogFile(&token, "Maya.obv", error_), ExchangeFailure::kNone) << error_;
  EXPECT_EQ(token, 2500946208u);
  const std::string log = directory_ + kSeparator + "OBVLLOG" + kSeparator + "2500946208.log";
  EXPECT_EQ(Contents(log), "Maya.obv\n");
  ASSERT_EQ(writeLogFile(&token, "Maya.obv", error_), ExchangeFailure::kNone);  // again: same file, replaced
  EXPECT_EQ(Contents(log), "Maya.obv\n");
  std::remove(log.c_str());
  ClearTempDirectory();
  token = 7;
  EXPECT_EQ(writeLogFile(&token, "Maya.obv", error_), ExchangeFailure::kNoTempDirectory);
  EXPECT_EQ(token, 7u);
}

TEST_F(ExchangePathsTest, PathsFileBesideTheProjectIsRemoved) {
  ASSERT_EQ(getPathsFilePath("c:\\dir.x\\Maya.obv", out_), 1);
  EXPECT_STREQ(out_, "c:\\dir.x\\Maya.obvpaths");
  ASSERT_EQ(getPathsFilePath("c:\\dir.x\\Maya", out_), 1);
  EXPECT_STREQ(out_, "c:\\dir.x\\Maya.obvpaths");
  const std::string project = directory_ + kSeparator + "Maya.obv";
  const std::string paths = directory_ + kSeparator + "Maya.obvpaths";
  EXPECT_EQ(removePathsFile(project.c_str(), error_), ExchangeFailure::kNone);  // none there: fine
  std::ofstream(paths) << "x";
  EXPECT_EQ(removePathsFile(project.c_str(), error_), ExchangeFailure::kNone);
  EXPECT_FALSE(std::ifstream(paths).good());
  // Something that cannot be removed: a directory holding a file.
  Platform::MakeDirectory(paths.c_str());
  const std::string inside = paths + kSeparator + "keep";
  std::ofstream(inside) << "x";
  EXPECT_EQ(removePathsFile(project.c_str(), error_), ExchangeFailure::kPathsFileKept);
  EXPECT_EQ(std::string(error_), "failed remove of: [" + paths + "], possibly read-only");
  std::remove(inside.c_str());
}
