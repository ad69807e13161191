// The painter link against the painter stand-in (Ombvael.exe) running as a
// process of its own: real registered messages between two processes,
// CreateProcessA from the registry, under Wine.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "IO/FormatRegistry.h"
#include "Math/Milliseconds.h"
#include "Exchange/ExchangePaths.h"
#include "Exchange/PainterLink.h"
#include "Model3D/HvModel.h"
#include "Platform/FileSystem.h"
#include "Platform/Process.h"
#include "Platform/Registry.h"

namespace {

std::string Read(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Waits (up to 10 s) until the journal holds `text`.
bool JournalShows(const std::string& journal, const std::string& text) {
  const uint32_t start = Milliseconds();
  while (ElapsedMs(Milliseconds(), start) < 10000) {
    if (Read(journal).find(text) != std::string::npos) return true;
    SleepMs(50);
  }
  return false;
}

struct Painters {
  std::vector<Platform::WindowHandle> windows;
};

bool CollectPainters(Platform::WindowHandle window, void* context) {
  char title[64];
  Platform::GetWindowTitle(window, title, sizeof title);
  if (std::string(title).rfind("Ombrix Vael", 0) == 0)
    static_cast<Painters*>(context)->windows.push_back(window);
  return true;
}

int PainterCount() {
  Painters painters;
  Platform::EnumerateTopLevelWindows(&CollectPainters, &painters);
  return static_cast<int>(painters.windows.size());
}

class PainterProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string id = std::to_string(Platform::CurrentProcessId());
    // The painter runs in its own directory: give it an absolute path.
    journal_ = std::filesystem::current_path().string() + "\\painter-journal-" + id + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
    firstJournal_ = journal_;
    RemoveScratch();
    SetPainterArguments("");
    // The installation, written with forward slashes as some installers do.
    SetValue("Base Directory", OMBRIX_BIN_DIR);
  }

  void TearDown() override {
    // Ask every stand-in still running to go, and wait for them.
    Painters painters;
    Platform::EnumerateTopLevelWindows(&CollectPainters, &painters);
    for (Platform::WindowHandle window : painters.windows)
      Platform::PostMessageTo(window, PainterMessages::Register().closeMe, 0, 0);
    const uint32_t start = Milliseconds();
    while (PainterCount() > 0 && ElapsedMs(Milliseconds(), start) < 15000) SleepMs(100);
    RemoveScratch();
  }

  // Wine hands process ids out again: nothing an earlier run left under the
  // same names may answer for this one.
  void RemoveScratch() {
    std::remove(firstJournal_.c_str());
    std::remove((firstJournal_ + ".second").c_str());
    std::error_code ignored;
    for (const std::string& exchange : exchanges_) std::filesystem::remove_all(exchange, ignored);
  }

  void SetPainterArguments(const std::string& extra) {
    Platform::SetEnvironmentValue("OMBVAEL_ARGS", ("--journal " + journal_ + " " + extra).c_str());
  }

  static void SetValue(const char* name, const std::string& value) {
    Platform::RegistryKey key = nullptr;
    Platform::CreateUserKey(kPainterRegistryKey, "Base Directory", key);
    Platform::SetStringValue(key, name, value.c_str());
    Platform::CloseKey(key);
  }

  static PainterTiming Timing(uint32_t launchWaitMs) {
    PainterTiming timing;
    timing.launchWaitMs = launchWaitMs;
    timing.sendTimeoutMs = 1000;
    return timing;
  }

  // A new exchange directory of its own, recorded as "Temp Directory".
  std::string MakeExchange(const std::string& name) {
    const std::string exchange = std::filesystem::current_path().string() + "\\" + name + "-" +
                                 std::to_string(Platform::CurrentProcessId());
    exchanges_.push_back(exchange);
    std::error_code ignored;
    std::filesystem::remove_all(exchange, ignored);
    Platform::MakeDirectory(exchange.c_str());
    SetValue("Temp Directory", exchange);
    return exchange;
  }

  // A project file of `triangles` copies of one triangle.
  static void SaveTriangles(const std::string& path, int triangles) {
    StartupFormats();
    HvModel model;
    PolygonDesc desc;
    desc.Resize(3);
    desc.positions[1] = Vector3(1, 0, 0);
    desc.positions[2] = Vector3(0, 1, 0);
    for (int i = 0; i < triangles; ++i) model.AddPolygon(desc);
    EXPECT_EQ(SaveModelByName(&model, HvString(path.c_str()), "OBV", "", nullptr, nullptr), 1);
    TeardownModelFormats();
    TeardownSceneReaders();
  }

  std::string journal_, firstJournal_;
  std::vector<std::string> exchanges_;
};

}  // namespace

TEST_F(PainterProcessTest, LaunchWaitsForThePainterRunsItOnceAndClosesIt) {
  PainterLink link(Timing(20000));
  ASSERT_EQ(link.ensurePainterRunning(), 1);
  ASSERT_TRUE(JournalShows(journal_, "ZuruZovaridUzu3"));
  // Started in the executable's own directory, found by its backslashed path.
  std::string bin = OMBRIX_BIN_DIR;
  for (char& c : bin)
    if (c == '/') c = '\\';
  EXPECT_NE(Read(journal_).find("cwd=Z:" + bin), std::string::npos) << Read(journal_);
  ASSERT_EQ(link.ensurePainterRunning(), 1);  // already running: no second process
  EXPECT_EQ(PainterCount(), 1);
  link.setLoadToken(77);
  EXPECT_EQ(link.close(), 1);
  EXPECT_TRUE(JournalShows(journal_, "CloseMe 0 77"));
  EXPECT_TRUE(JournalShows(journal_, "exit"));
}

TEST_F(PainterProcessTest, AutoLoadMakesThePainterReadTheExport) {
  MakeExchange("exchange");
  char project[kExchangeBufferSize];
  ASSERT_EQ(getExchangeFilePath("Maya.obv", project, nullptr), ExchangeFailure::kNone);
  SaveTriangles(project, 1);
  uint32_t token = 0;
  ASSERT_EQ(writeLogFile(&token, "Maya.obv", nullptr), ExchangeFailure::kNone);

  PainterBridge bridge(Timing(20000));
  EXPECT_EQ(bridge.autoLoad(), 1);  // before the token: 0
  ASSERT_TRUE(JournalShows(journal_, "LoadMe"));
  EXPECT_TRUE(JournalShows(journal_, "load failed: no log file"));
  bridge.setLoadToken(token);
  EXPECT_EQ(bridge.autoLoad(), 1);
  EXPECT_TRUE(JournalShows(journal_, "loaded Maya.obv format=OBV groups=1 polygons=1"))
      << Read(journal_);
}

TEST_F(PainterProcessTest, AProjectFileThePainterHoldsOpenIsNotReplacedUntilItLetsGo) {
  // The painter reads Maya.obv with the C runtime, which does not let the
  // file be deleted or replaced while it is open: the export's replacement
  // waits two seconds, then fails and leaves the old file whole.
  const std::string project = MakeExchange("held") + "\\Maya.obv", newer = project + ".tmp";
  SaveTriangles(project, 1);
  SaveTriangles(newer, 2);
  uint32_t token = 0;
  ASSERT_EQ(writeLogFile(&token, "Maya.obv", nullptr), ExchangeFailure::kNone);
  const std::string old = Read(project);

  SetPainterArguments("--hold-ms 6000");
  PainterBridge bridge(Timing(20000));
  bridge.setLoadToken(token);
  ASSERT_EQ(bridge.autoLoad(), 1);
  ASSERT_TRUE(JournalShows(journal_, "holding Maya.obv")) << Read(journal_);
  std::string reason;
  const uint32_t start = Milliseconds();
  EXPECT_FALSE(Platform::MoveFileOver(newer.c_str(), project.c_str(), reason));
  EXPECT_GE(ElapsedMs(Milliseconds(), start), 1900);
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(Read(project), old);
  ASSERT_TRUE(JournalShows(journal_, "released")) << Read(journal_);
  EXPECT_TRUE(Platform::MoveFileOver(newer.c_str(), project.c_str(), reason)) << reason;
  EXPECT_NE(Read(project), old);
}

TEST_F(PainterProcessTest, TwoPaintersAreAskedAndAPostedReplyCounts) {
  PainterLink link(Timing(20000));
  SetPainterArguments("--title-suffix _A");
  ASSERT_EQ(link.ensurePainterRunning(), 1);
  const std::string first = journal_;
  journal_ += ".second";
  SetPainterArguments("--title-suffix _B --reply post");
  ASSERT_EQ(link.launchPainter(), 1);
  const uint32_t start = Milliseconds();
  while (PainterCount() < 2 && ElapsedMs(Milliseconds(), start) < 15000) SleepMs(100);
  ASSERT_EQ(PainterCount(), 2);
  EXPECT_EQ(link.findPainterWindow(), 1);
  EXPECT_TRUE(JournalShows(first, "ZuruZovaridUzu3"));
  EXPECT_TRUE(JournalShows(journal_, "ZuruZovaridUzu3"));
}

TEST_F(PainterProcessTest, APainterThatNeverAnswersIsGivenUpOnInTime) {
  SetPainterArguments("--reply none");
  PainterLink link(Timing(2000));
  const uint32_t start = Milliseconds();
  EXPECT_EQ(link.ensurePainterRunning(), 0);
  const int32_t waited = ElapsedMs(Milliseconds(), start);
  EXPECT_GE(waited, 2000);
  EXPECT_LT(waited, 15000);
  EXPECT_TRUE(JournalShows(journal_, "ZuruZovaridUzu3"));
}

TEST_F(PainterProcessTest, AHungPainterDoesNotFreezeTheHost) {
  SetPainterArguments("--hang");
  PainterLink link(Timing(2000));
  const uint32_t start = Milliseconds();
  EXPECT_EQ(link.ensurePainterRunning(), 0);
  EXPECT_LT(ElapsedMs(Milliseconds(), start), 20000);
  EXPECT_TRUE(JournalShows(journal_, "exit hung"));
}
