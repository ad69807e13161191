// Real files written by other programs (Debian's assimp-testmodels), read by
// our readers and, where the two agree on meaning, by assimp as a peer.
#include <gtest/gtest.h>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <filesystem>
#include <string>
#include <vector>

#include "IO/FormatRegistry.h"
#include "IO/ModelFileReader.h"

namespace {

const std::filesystem::path kModels = "/usr/share/assimp/models";

std::vector<std::string> FilesWithExtension(const std::filesystem::path& folder,
                                            const std::string& extension) {
  std::vector<std::string> files;
  if (!std::filesystem::is_directory(folder)) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    std::string name = entry.path().extension().string();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (entry.is_regular_file() && name == extension) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

long OurTriangles(const HvModel& model) {
  long triangles = 0;
  for (int g = 0; g < model.GroupCount(); ++g) {
    const HvMesh* mesh = const_cast<HvModel&>(model).Group(g, false);
    for (int p = 0; mesh != nullptr && p < mesh->PolygonCount(); ++p)
      if (const MeshPolygon* polygon = mesh->Polygon(p)) triangles += polygon->count - 2;
  }
  return triangles;
}

long OurPolygons(const HvModel& model) { return const_cast<HvModel&>(model).TotalPolygonCount(); }

// Faces of three or more corners (points and lines are not polygons).
long PeerPolygons(const std::string& path) {
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile(path, 0);
  if (scene == nullptr) return -1;
  long polygons = 0;
  for (unsigned m = 0; m < scene->mNumMeshes; ++m)
    for (unsigned f = 0; f < scene->mMeshes[m]->mNumFaces; ++f)
      polygons += scene->mMeshes[m]->mFaces[f].mNumIndices >= 3 ? 1 : 0;
  return polygons;
}

long PeerTriangles(const std::string& path) {
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile(path, 0);
  if (scene == nullptr) return -1;
  long triangles = 0;
  for (unsigned m = 0; m < scene->mNumMeshes; ++m)
    for (unsigned f = 0; f < scene->mMeshes[m]->mNumFaces; ++f)
      triangles += static_cast<long>(scene->mMeshes[m]->mFaces[f].mNumIndices) - 2;
  return triangles;
}

class RealFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(kModels)) GTEST_SKIP() << "assimp-testmodels not installed";
    StartupFormats();
  }
  void TearDown() override {
    TeardownModelFormats();
    TeardownSceneReaders();
  }
};

}  // namespace

TEST_F(RealFiles, Every3dsFileMatchesAssimpsTriangleCount) {
  int compared = 0;
  for (const std::string& path : FilesWithExtension(kModels / "3DS", ".3ds")) {
    LoadedModel loaded;
    std::string error;
    ASSERT_TRUE(ReadModelFile(path.c_str(), loaded, error)) << path << ": " << error;
    EXPECT_EQ(loaded.format, "3DS") << path;
    const long ours = OurTriangles(*loaded.Model());
    const long peer = PeerTriangles(path);
    std::printf("3DS %s: ours %ld triangles, assimp %ld\n", path.c_str(), ours, peer);
    EXPECT_EQ(ours, peer) << path;
    ++compared;
  }
  EXPECT_GE(compared, 5);
}

TEST_F(RealFiles, ObjFilesMatchAssimpsPolygonCount) {
  int compared = 0, agreed = 0;
  for (const std::string& path : FilesWithExtension(kModels / "OBJ", ".obj")) {
    LoadedModel loaded;
    std::string error;
    if (!ReadModelFile(path.c_str(), loaded, error)) {
      std::printf("OBJ %s: not read (%s)\n", path.c_str(), error.c_str());
      continue;
    }
    const long ours = OurPolygons(*loaded.Model());
    const long peer = PeerPolygons(path);
    std::printf("OBJ %s: ours %ld polygons, assimp %ld\n", path.c_str(), ours, peer);
    ++compared;
    agreed += ours == peer;
  }
  std::printf("OBJ: %d of %d files agree\n", agreed, compared);
  EXPECT_GE(compared, 20);
  EXPECT_EQ(agreed, compared);
}

TEST_F(RealFiles, LwoFilesMatchAssimpsPolygonCount) {
  int compared = 0, agreed = 0;
  for (const std::string& path : FilesWithExtension(kModels / "LWO", ".lwo")) {
    LoadedModel loaded;
    std::string error;
    ASSERT_TRUE(ReadModelFile(path.c_str(), loaded, error)) << path << ": " << error;
    EXPECT_EQ(loaded.format, "LWO_DISABLED") << path;
    const long ours = OurPolygons(*loaded.Model());
    const long peer = PeerPolygons(path);
    std::printf("LWO %s: ours %ld polygons, assimp %ld\n", path.c_str(), ours, peer);
    if (peer < 0) continue;  // assimp could not read it
    ++compared;
    agreed += ours == peer;
  }
  std::printf("LWO: %d of %d files agree\n", agreed, compared);
  EXPECT_GE(compared, 20);
  EXPECT_EQ(agreed, compared);
}

// The triangle counts that an MDL's first model states in its mesh records
// (-1 when the file holds no such model).
long StatedMdlTriangles(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
  auto i32 = [&](size_t at) -> long {
    if (at + 4 > bytes.size()) return -1;
    int32_t value;
    std::memcpy(&value, &bytes[at], 4);
    return value;
  };
  const long bodyPart = i32(208);
  const long model = bodyPart < 0 ? -1 : i32(static_cast<size_t>(bodyPart) + 72);
  if (model < 0) return -1;
  const long meshes = i32(static_cast<size_t>(model) + 72), table = i32(static_cast<size_t>(model) + 76);
  long triangles = 0;
  for (long m = 0; m < meshes; ++m) {
    const long count = table < 0 ? -1 : i32(static_cast<size_t>(table + 20 * m));
    if (count < 0) return -1;
    triangles += count;
  }
  return triangles;
}

TEST_F(RealFiles, MdlFilesGiveTheTrianglesTheirCommandsState) {
  int compared = 0;
  for (const std::string& path : FilesWithExtension(kModels / "MDL", ".mdl")) {
    std::ifstream probe(path, std::ios::binary);
    char magic[4] = {};
    probe.read(magic, 4);
    if (std::memcmp(magic, "IDST", 4) != 0) continue;  // other MDL dialects
    LoadedModel loaded;
    std::string error;
    ASSERT_TRUE(ReadModelFile(path.c_str(), loaded, error)) << path << ": " << error;
    const long ours = OurTriangles(*loaded.Model());
    const long stated = StatedMdlTriangles(path);
    std::printf("MDL %s: ours %ld triangles, stated %ld\n", path.c_str(), ours, stated);
    if (stated < 0) {
      EXPECT_EQ(ours, 0) << path;  // a texture-only file: no model to read
      continue;
    }
    EXPECT_EQ(ours, stated) << path;
    ++compared;
  }
  EXPECT_GE(compared, 10);
}

TEST_F(RealFiles, InvalidFilesAreRefusedOrReadWithoutHarm) {
  int tried = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kModels / "invalid")) {
    LoadedModel loaded;
    std::string error;
    const bool read = ReadModelFile(entry.path().string().c_str(), loaded, error);
    std::printf("invalid %s: %s\n", entry.path().filename().string().c_str(),
                read ? ("read as " + loaded.format).c_str() : error.c_str());
    ++tried;
  }
  EXPECT_GT(tried, 0);
}
