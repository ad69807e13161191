// The painter link against painter windows living in the test process.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Exchange/ExchangePaths.h"
#include "Exchange/PainterLink.h"
#include "Platform/FileSystem.h"
#include "Platform/Process.h"
#include "Platform/Registry.h"

namespace {

// A painter window of the test: answers the broadcast as told and records
// what it receives.
struct FakePainter {
  enum Reply { kSend, kPost, kNone };
  static Reply reply;
  static int asked;
  static Platform::WindowHandle lastReplier;
  static std::vector<std::pair<uint32_t, intptr_t>> received;

  static intptr_t Procedure(Platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) {
    const PainterMessages& m = PainterMessages::Register();
    if (message == m.whoIsThere) {
      ++asked;
      auto* asker = reinterpret_cast<Platform::WindowHandle>(wParam);
      if (reply == kSend)
        Platform::SendMessageBounded(asker, m.replying, reinterpret_cast<uintptr_t>(window), 0, 1000);
      if (reply == kPost)
        Platform::PostMessageTo(asker, m.replying, reinterpret_cast<uintptr_t>(window), 0);
      if (reply != kNone) lastReplier = window;
      return 0;
    }
    if (message == m.loadMe || message == m.closeMe) {
      received.emplace_back(message, lParam);
      return 0;
    }
    return Platform::DefaultWindowProc(window, message, wParam, lParam);
  }
};
FakePainter::Reply FakePainter::reply = FakePainter::kSend;
int FakePainter::asked = 0;
Platform::WindowHandle FakePainter::lastReplier = nullptr;
std::vector<std::pair<uint32_t, intptr_t>> FakePainter::received;

const char kFakeClass[] = "OmbrixTestPainter";

class PainterLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Platform::RegisterWindowClass(kFakeClass, &FakePainter::Procedure);
    FakePainter::reply = FakePainter::kSend;
    FakePainter::asked = 0;
    FakePainter::lastReplier = nullptr;
    FakePainter::received.clear();
#ifndef _WIN32
    registry_ = "ombrix-test-painter-registry-" + std::to_string(Platform::CurrentProcessId());
    setenv("OMBRIX_REGISTRY", registry_.c_str(), 1);
#endif
  }
  void TearDown() override {
    for (Platform::WindowHandle window : windows_) Platform::DestroyWindowHandle(window);
    Platform::UnregisterWindowClass(kFakeClass);
#ifndef _WIN32
    std::remove(registry_.c_str());
#endif
  }

  Platform::WindowHandle OpenPainter(const char* title) {
    windows_.push_back(Platform::CreateTopLevelWindow(kFakeClass, title));
    return windows_.back();
  }

  static PainterTiming Quick() {
    PainterTiming timing;
    timing.launchWaitMs = 300;
    timing.pollMs = 20;
    timing.sendTimeoutMs = 1000;
    return timing;
  }

  std::vector<Platform::WindowHandle> windows_;
  std::string registry_;
};

struct TitleSearch {
  const char* title;
  int found;
};

bool CountTitle(Platform::WindowHandle window, void* context) {
  auto* search = static_cast<TitleSearch*>(context);
  char title[64];
  Platform::GetWindowTitle(window, title, sizeof title);
  if (std::strcmp(title, search->title) == 0) ++search->found;
  return true;
}

}  // namespace

TEST_F(PainterLinkTest, FindsTitlesBeginningWithThePainterNameOnly) {
  PainterLink link(Quick());
  OpenPainter("ombrix vael");  // wrong case: never asked
  EXPECT_EQ(link.findPainterWindow(), 0);
  EXPECT_EQ(FakePainter::asked, 0);
  Platform::WindowHandle painter = OpenPainter("Ombrix Vael - scene.obv");
  EXPECT_EQ(link.findPainterWindow(), 1);
  EXPECT_EQ(link.painterWindow(), painter);
  EXPECT_EQ(FakePainter::asked, 1);
}

TEST_F(PainterLinkTest, EveryPainterIsAskedAndTheLastReplyWins) {
  PainterLink link(Quick());
  OpenPainter("Ombrix Vael");
  OpenPainter("Ombrix Vael 2");
  ASSERT_EQ(link.findPainterWindow(), 1);
  EXPECT_EQ(FakePainter::asked, 2);
  EXPECT_EQ(link.painterWindow(), FakePainter::lastReplier);
}

TEST_F(PainterLinkTest, APostedReplyIsFoundBySameSearch) {
  PainterLink link(Quick());
  FakePainter::reply = FakePainter::kPost;
  Platform::WindowHandle painter = OpenPainter("Ombrix Vael");
  EXPECT_EQ(link.findPainterWindow(), 1);
  EXPECT_EQ(link.painterWindow(), painter);
}

TEST_F(PainterLinkTest, LoadCloseAndSwitchCarryTheToken) {
  PainterLink link(Quick());
  EXPECT_EQ(link.close(), 0);  // nobody there
  OpenPainter("Ombrix Vael");
  EXPECT_EQ(link.autoLoad(), 1);  // before any export: token 0
  link.setLoadToken(2500946208u);
  EXPECT_EQ(link.switchTo(), 1);
  EXPECT_EQ(link.close(), 1);
  const PainterMessages& m = PainterMessages::Register();
  ASSERT_EQ(FakePainter::received.size(), 2u);
  EXPECT_EQ(FakePainter::received[0], std::make_pair(m.loadMe, intptr_t{0}));
  EXPECT_EQ(FakePainter::received[1].first, m.closeMe);
  EXPECT_EQ(static_cast<uint32_t>(FakePainter::received[1].second), 2500946208u);
}

TEST_F(PainterLinkTest, APainterThatNeverAnswersIsGivenUpOn) {
  PainterLink link(Quick());
  FakePainter::reply = FakePainter::kNone;
  OpenPainter("Ombrix Vael");
  EXPECT_EQ(link.findPainterWindow(), 0);
  EXPECT_EQ(link.close(), 0);
  EXPECT_TRUE(FakePainter::received.empty());
}

TEST_F(PainterLinkTest, DestructionLeavesNoWindowAndNoClass) {
  {
    PainterBridge bridge(Quick());
    ASSERT_NE(bridge.link(), nullptr);
    TitleSearch search{"window for OBVL messages", 0};
    Platform::EnumerateTopLevelWindows(&CountTitle, &search);
    EXPECT_EQ(search.found, 1);
  }
  TitleSearch search{"window for OBVL messages", 0};
  Platform::EnumerateTopLevelWindows(&CountTitle, &search);
  EXPECT_EQ(search.found, 0);
  // The class is gone: it registers again.
  EXPECT_TRUE(Platform::RegisterWindowClass("window class for Atelion-OBVL plugin messages",
                                            &FakePainter::Procedure));
  EXPECT_TRUE(Platform::UnregisterWindowClass("window class for Atelion-OBVL plugin messages"));
}

TEST_F(PainterLinkTest, MissingExecutableMeansNoLaunch) {
  Platform::RegistryKey key = nullptr;
  Platform::CreateUserKey(kPainterRegistryKey, "Base Directory", key);
  Platform::SetStringValue(key, "Base Directory", "no-such-painter-directory");
  Platform::CloseKey(key);
  PainterLink link(Quick());
  EXPECT_EQ(link.launchPainter(), 0);
  EXPECT_EQ(link.ensurePainterRunning(), 0);
  const std::string expected =
      std::string("no-such-painter-directory") + Platform::PathSeparator() + "Ombvael.exe";
  EXPECT_EQ(std::string(link.lastExecutable()), expected);
}

#ifndef _WIN32
TEST_F(PainterLinkTest, WithoutAnInstallationTheDefaultIsTriedAndNothingRecorded) {
  PainterLink link(Quick());
  EXPECT_EQ(link.launchPainter(), 0);
  EXPECT_STREQ(link.lastExecutable(), "C:\\Ombvael\\Ombvael.exe");
  Platform::RegistryKey key = nullptr;
  ASSERT_TRUE(Platform::OpenUserKey(kPainterRegistryKey, key));  // the key now exists...
  char value[64];
  EXPECT_FALSE(Platform::QueryStringValue(key, "Directories", value, sizeof value));  // ...empty
  Platform::CloseKey(key);
}

TEST_F(PainterLinkTest, LaunchStartsTheExecutableInItsOwnDirectory) {
  // A stand-in executable: a script that records where it was started.
  // In the test's working directory (not the shell's), removed afterwards.
  const std::string directory = std::filesystem::current_path().string() + "/painter-" +
                                std::to_string(Platform::CurrentProcessId());
  Platform::MakeDirectory(directory.c_str());
  const std::string executable = directory + "/Ombvael.exe";
  std::ofstream(executable) << "#!/bin/sh\npwd > started\n";
  chmod(executable.c_str(), 0755);
  Platform::RegistryKey key = nullptr;
  Platform::CreateUserKey(kPainterRegistryKey, "Base Directory", key);
  Platform::SetStringValue(key, "Base Directory", directory.c_str());
  Platform::CloseKey(key);
  PainterLink link(Quick());
  EXPECT_EQ(link.ensurePainterRunning(), 0);  // it started but never answers
  std::ifstream started(directory + "/started");
  std::string cwd;
  std::getline(started, cwd);
  EXPECT_EQ(cwd, directory);
  std::filesystem::remove_all(directory);
}
#endif
