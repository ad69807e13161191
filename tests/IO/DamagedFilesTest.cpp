// Damaged model files are refused with where and why, never read as sound
// models: real files cut short, project files cut short, counts no file
// could hold, text files with a bad line; partial results only on request.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "IO/Hv3Format.h"
#include "IO/ModelFileReader.h"
#include "Support/FormatsFixture.h"
#include "Support/SampleFiles.h"
#include "Support/TempPath.h"

namespace {

namespace fs = std::filesystem;
using SampleFiles::Bytes;

#ifdef _WIN32
const fs::path kModels = "Z:/usr/share/assimp/models";
#else
const fs::path kModels = "/usr/share/assimp/models";
#endif

std::vector<fs::path> RealFiles() {
  std::vector<fs::path> files;
  for (const char* folder : {"3DS", "LWO/LWO2", "LWO/LWOB", "MDL/MDL (HL1)"}) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kModels / folder, error)) {
      std::string extension = entry.path().extension().string();
      for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (extension == ".3ds" || extension == ".lwo" || extension == ".mdl") files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The read fails with "FILE: offset N: REASON", N inside the file.
void ExpectRefusedAt(const std::string& path, uint64_t size) {
  LoadedModel loaded;
  std::string error;
  EXPECT_FALSE(ReadModelFile(path.c_str(), loaded, error)) << path;
  EXPECT_TRUE(loaded.models.empty()) << path;
  std::smatch match;
  ASSERT_TRUE(std::regex_match(error, match, std::regex("(.*): offset ([0-9]+): (.+)"))) << error;
  EXPECT_EQ(match[1].str(), path);
  EXPECT_LE(std::stoull(match[2].str()), size) << error;
}

std::string LoadError(const std::string& path) {
  LoadedModel loaded;
  std::string error;
  EXPECT_FALSE(ReadModelFile(path.c_str(), loaded, error)) << path;
  return error;
}

class DamagedFiles : public FormatsFixture {};

}  // namespace

TEST_F(DamagedFiles, RealFilesCutToAThirdOrTwoThirdsAreRefusedWithTheirOffset) {
  const std::vector<fs::path> files = RealFiles();
  if (files.empty()) GTEST_SKIP() << "assimp-testmodels not installed";
  TempPath cut("cut-model");
  int refused = 0;
  for (const fs::path& file : files) {
    LoadedModel whole;
    std::string error;
    if (!ReadModelFile(file.string().c_str(), whole, error)) continue;  // not a model file
    const Bytes bytes = SampleFiles::Read(file.string());
    for (size_t thirds : {1, 2}) {
      const Bytes part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() * thirds / 3));
      SampleFiles::Write(cut.str(), part);
      SCOPED_TRACE(file.string() + " cut to " + std::to_string(part.size()) + " bytes");
      ExpectRefusedAt(cut.str(), part.size());
      ++refused;
    }
  }
  EXPECT_GE(refused, 60);
}

TEST_F(DamagedFiles, ProjectFilesCutAnywhereAreRefusedWithTheirOffset) {
  TempPath whole("whole.obv"), cut("cut.obv");
  SampleFiles::SaveProject(whole.str(), 40);
  const Bytes bytes = SampleFiles::Read(whole.str());
  ASSERT_GT(bytes.size(), 1000u);
  for (size_t length : {size_t{100}, bytes.size() / 3, bytes.size() * 2 / 3, bytes.size() - 12,
                        bytes.size() - 1}) {
    SampleFiles::Write(cut.str(), Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
    SCOPED_TRACE("cut to " + std::to_string(length));
    ExpectRefusedAt(cut.str(), length);
  }
}

TEST_F(DamagedFiles, CountsNoFileCouldHoldAreRefusedBeforeAnythingIsRead) {
  TempPath path3ds("counts.3ds"), pathMdl("counts.mdl");
  SampleFiles::Write(path3ds.str(), SampleFiles::File3ds({SampleFiles::Object3ds("box", 65535)}));
  EXPECT_NE(LoadError(path3ds.str()).find("point count 65535 is more than the 36 bytes left can hold"),
            std::string::npos);
  SampleFiles::Write(pathMdl.str(), SampleFiles::FileMdl(0x7FFFFFFF));
  EXPECT_NE(LoadError(pathMdl.str()).find("vertex bone count 2147483647 is more than"), std::string::npos);
  // Sound versions of both read.
  SampleFiles::Write(path3ds.str(), SampleFiles::File3ds({SampleFiles::Object3ds("box")}));
  SampleFiles::Write(pathMdl.str(), SampleFiles::FileMdl());
  for (const TempPath* path : {&path3ds, &pathMdl}) {
    LoadedModel loaded;
    std::string error;
    ASSERT_TRUE(ReadModelFile(path->c_str(), loaded, error)) << error;
    EXPECT_EQ(loaded.Model()->TotalPolygonCount(), 1);
  }
}

TEST_F(DamagedFiles, AChunkLongerThanItsParentIsRefused) {
  Bytes object = SampleFiles::Object3ds("box");
  object[12] += 40;  // the mesh chunk (0x4100) reaches past its object
  TempPath path("long-chunk.3ds");
  SampleFiles::Write(path.str(), SampleFiles::File3ds({object, SampleFiles::Object3ds("next")}));
  const std::string error = LoadError(path.str());
  EXPECT_NE(error.find(": offset 28: chunk 0x4100 runs past the end of its chunk"), std::string::npos)
      << error;
}

TEST_F(DamagedFiles, PartialResultsOnlyWhenAskedFor) {
  // Two objects, the second cut short: only --partial shows the first.
  Bytes file = SampleFiles::File3ds({SampleFiles::Object3ds("first"), SampleFiles::Object3ds("second")});
  file.resize(file.size() - 20);
  TempPath path("partial.3ds");
  SampleFiles::Write(path.str(), file);
  LoadedModel loaded;
  std::string error;
  EXPECT_FALSE(ReadModelFile(path.c_str(), loaded, error));
  EXPECT_TRUE(loaded.models.empty());
  ASSERT_TRUE(ReadModelFile(path.c_str(), loaded, error, nullptr, true));
  EXPECT_TRUE(loaded.partial);
  EXPECT_EQ(loaded.Model()->TotalPolygonCount(), 1);
  EXPECT_NE(error.find(": offset "), std::string::npos) << error;
}

TEST_F(DamagedFiles, TextFilesNameTheLine) {
  TempPath obj("bad.obj");
  SampleFiles::Write(obj.str(), [] {
    const std::string text = "# a triangle short of a corner\nv 0 0 0\nv 1 0 0\r\nv 0 1 0\nf 1 2\n";
    return Bytes(text.begin(), text.end());
  }());
  EXPECT_EQ(LoadError(obj.str()), obj.str() + ":5: a face with fewer than 3 corners");

  TempPath whole("whole.hv3"), cut("cut.hv3");
  SampleFiles::SaveScene<Hv3Format>(whole.str(), 6);
  const Bytes bytes = SampleFiles::Read(whole.str());
  SampleFiles::Write(cut.str(), Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() * 2 / 3)));
  const std::string error = LoadError(cut.str());
  EXPECT_TRUE(std::regex_match(error, std::regex(".*cut\\.hv3:[0-9]+: the file ends inside .*"))) << error;
}
