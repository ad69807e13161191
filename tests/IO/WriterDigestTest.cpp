// The bytes the writers produce, pinned by SHA-256: project (OBV), OBJ and
// HV3 files written from real files of other programs, generated grids with
// and without normals (read through the OBJ reader, so its parse and the
// model core's passes are pinned too), a cone fan, and damaged meshes.
// Any change to the model core, the readers or the writers must reproduce
// every digest. The million-triangle grids run when OMBRIX_DIGEST_FULL is
// set (they take a minute on the sanitizer build).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "IO/FormatRegistry.h"
#include "IO/Hv3Format.h"
#include "IO/ModelFileReader.h"
#include "IO/ObjFormat.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"
#include "Support/FileText.h"
#include "Support/GeneratedObj.h"
#include "Support/Sha256.h"

namespace {

// Fixed names: the project file holds its own path.
const char* const kObv = "ombrix-digest.obv";
const char* const kObj = "ombrix-digest.obj";
const char* const kHv3 = "ombrix-digest.hv3";
const char* const kSource = "ombrix-digest-source.obj";

// HV3 names shader nodes by their object ids, which count every object the
// process made before: ids are renumbered in order of first appearance
// ("Type=<id>" before a block, "tag(<id>)" in a value) so that the digest
// does not depend on which tests ran first.
std::string WithoutObjectIds(const std::string& text) {
  std::map<std::string, int> renumbered;
  std::string out;
  auto id = [&](const std::string& digits) {
    const auto found = renumbered.emplace(digits, static_cast<int>(renumbered.size()) + 1).first;
    return "#" + std::to_string(found->second);
  };
  auto digitsAt = [&](size_t at) {
    size_t end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    return end;
  };
  for (size_t at = 0; at < text.size();) {
    if (text.compare(at, 4, "tag(") == 0) {
      const size_t end = digitsAt(at + 4);
      if (end > at + 4 && end < text.size() && text[end] == ')') {
        out += "tag(" + id(text.substr(at + 4, end - at - 4));
        at = end;
        continue;
      }
    }
    if (text[at] == '=') {
      const size_t end = digitsAt(at + 1);
      size_t next = end + 1;
      while (next < text.size() && text[next] == '\t') ++next;
      if (end > at + 1 && end < text.size() && text[end] == '\n' && next < text.size() && text[next] == '(') {
        out += "=" + id(text.substr(at + 1, end - at - 1));
        at = end;
        continue;
      }
    }
    out += text[at++];
  }
  return out;
}

// With OMBRIX_DIGEST_KEEP set, the written files stay, named after the last
// case, for a look at what changed.
std::string DigestOf(const char* path) {
  const std::string digest = Sha256Hex(ReadText(path));
  if (std::getenv("OMBRIX_DIGEST_KEEP") == nullptr) std::remove(path);
  return digest;
}

// "obv obj hv3" digests of what the three writers make of the model.
std::string WrittenDigests(HvModel& model) {
  EXPECT_EQ(SaveModelByName(&model, HvString(kObv), "OBV", "", nullptr, nullptr), 1);
  {
    HvIO stream(kObj, HvIO::kWrite);
    ObjModelFormat format;
    format.Attach(&stream, 0);
    EXPECT_EQ(format.Write(&model, nullptr, nullptr), 1);
  }
  {
    Scene scene;
    auto node = std::make_unique<SceneNode>(SceneNode::kMeshSet);
    node->SetPayload(&model);
    scene.AddNode(std::move(node));
    HvIO stream(kHv3, HvIO::kWrite);
    Hv3Format format;
    format.Attach(&stream, 0);
    EXPECT_EQ(format.Save(&scene, 0, nullptr), 1);
  }
  const std::string obv = DigestOf(kObv), obj = DigestOf(kObj);
  const std::string hv3 = Sha256Hex(WithoutObjectIds(ReadText(kHv3)));
  if (std::getenv("OMBRIX_DIGEST_KEEP") == nullptr) std::remove(kHv3);
  return obv + " " + obj + " " + hv3;
}

std::string FileDigests(const std::string& path) {
  LoadedModel loaded;
  std::string error;
  if (!ReadModelFile(path.c_str(), loaded, error)) return "unread";
  return WrittenDigests(*loaded.Model());
}

std::string ObjTextDigests(const std::string& text) {
  WriteText(kSource, text);
  const std::string digests = FileDigests(kSource);
  std::remove(kSource);
  return digests;
}

// A model built through the model core with positions no file reader
// yields: NaN and infinite coordinates, beside ordinary neighbours.
std::string NonFiniteDigests() {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  HvModel model;
  model.SetCurrentGroup(0);
  const Vector3 corners[][3] = {{{0, 0, 0}, {1, 0, 0}, {nan, 1, 0}},
                                {{1, 0, 0}, {0, 0, 0}, {0, -1, 0}},
                                {{nan, 1, 0}, {1, 0, 0}, {2, 1, 0}},
                                {{inf, 0, 0}, {1, 0, 0}, {0, -1, 0}},
                                {{0, 0, 0}, {-inf, 0, 0}, {0, 0, inf}},
                                {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}};
  PolygonDesc desc;
  desc.Resize(3);
  for (const auto& triangle : corners) {
    for (int i = 0; i < 3; ++i) {
      desc.positions[i] = triangle[i];
      desc.u[i] = 0.5f * static_cast<float>(i);
      desc.v[i] = 0.25f;
      desc.weights[i] = 0.0f;
    }
    model.AddPolygon(desc);
  }
  model.SetEdgeSmoothnessAll(0.707, true);
  model.ComputeCornerNormalsAll(0.4);
  return WrittenDigests(model);
}

// Digests as recorded from the writers before the model core and the OBJ
// code were made faster; the build's own where the builds' text differs.
const std::map<std::string, std::string>& Expected() {
  static const std::map<std::string, std::string> digests = {
#include "WriterDigests.inc"
  };
  return digests;
}

void ExpectDigests(const std::string& name, const std::string& actual) {
  const auto found = Expected().find(name);
  if (found == Expected().end()) {
    ADD_FAILURE() << "no digest recorded:\n    {\"" << name << "\", \"" << actual << "\"},";
    return;
  }
  EXPECT_EQ(found->second, actual) << "changed:\n    {\"" << name << "\", \"" << actual << "\"},";
}

class WriterDigests : public ::testing::Test {
 protected:
  void SetUp() override { StartupFormats(); }
  void TearDown() override {
    TeardownModelFormats();
    TeardownSceneReaders();
  }
};

}  // namespace

TEST(Sha256, KnownAnswers) {
  EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(Sha256Hex(std::string(1000000, 'a')),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST_F(WriterDigests, GeneratedMeshes) {
  ExpectDigests("grid 40 with normals", ObjTextDigests(GridObj(40, true)));
  ExpectDigests("grid 40 without normals", ObjTextDigests(GridObj(40, false)));
  ExpectDigests("irregular 60", ObjTextDigests(IrregularObj(60)));
  ExpectDigests("cone fan 200", ObjTextDigests(ConeObj(200)));
  ExpectDigests("damaged", ObjTextDigests(DamagedObj(3000)));
  ExpectDigests("non-finite", NonFiniteDigests());
}

TEST_F(WriterDigests, RealFilesOfOtherPrograms) {
  const std::filesystem::path models = "/usr/share/assimp/models";
  if (!std::filesystem::is_directory(models)) GTEST_SKIP() << "assimp-testmodels not installed";
  int compared = 0;
  for (const char* folder : {"OBJ", "3DS", "LWO", "MDL"}) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(models / folder))
      if (entry.is_regular_file())
        files.push_back(std::filesystem::relative(entry.path(), models).generic_string());
    std::sort(files.begin(), files.end());
    for (const std::string& file : files) {
      const std::string digests = FileDigests((models / file).string());
      if (digests == "unread") continue;
      ExpectDigests(file, digests);
      ++compared;
    }
  }
  EXPECT_GE(compared, 40);
}

TEST_F(WriterDigests, MillionTriangleGrids) {
  if (std::getenv("OMBRIX_DIGEST_FULL") == nullptr) GTEST_SKIP() << "set OMBRIX_DIGEST_FULL to run";
  ExpectDigests("grid 708 with normals", ObjTextDigests(GridObj(708, true)));
  ExpectDigests("irregular 708", ObjTextDigests(IrregularObj(708)));
}
