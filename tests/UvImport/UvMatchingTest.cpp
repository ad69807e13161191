// The UV import's core without Maya: matching plain mesh arrays against a
// correspondence table, and the sharing the new layout keeps.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "IO/CorrespondenceTable.h"
#include "IO/CorrespondenceWriter.h"
#include "Support/TempPath.h"
#include "UvImport/UvMatching.h"
#include "UvImport/UvSharing.h"

namespace {

CorrespondenceCorner At(float x, float y, float z, float u, float v) { return {x, y, z, u, v}; }

// A table of records given in the Maya frame, v as the model holds it.
void Load(CorrespondenceTable& table, const std::vector<CorrespondenceRecord>& records) {
  std::vector<CorrespondenceRecord> stored;
  for (const CorrespondenceRecord& r : records) stored.push_back(Correspondence::ToFileFrame(r));
  TempPath path("uv-matching.cor");
  std::string error;
  ASSERT_TRUE(writeCorrespondenceFile(path.c_str(), stored, error)) << error;
  ASSERT_EQ(loadCorrespondenceFile(table, path.c_str(), nullptr), 1);
}

// A triangle (0, 1, 2), a quad (1, 3, 4, 2) beside it and a triangle far
// away (5, 6, 7); every corner with its own UV (u = vertex / 10, v = 0.5).
struct Mesh {
  PolygonArrays arrays;
  WorldPoints world;

  Mesh() {
    world.points = {Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(2, 0, 0),
                    Vector3(2, 1, 0), Vector3(5, 0, 0), Vector3(6, 0, 0), Vector3(5, 1, 0)};
    world.finite.assign(world.points.size(), true);
    arrays.counts = {3, 4, 3};
    arrays.connects = {0, 1, 2, 1, 3, 4, 2, 5, 6, 7};
    arrays.uv.uvCounts = {3, 4, 3};
    for (int i = 0; i < 10; ++i) {
      arrays.uv.uvIds.push_back(i);
      arrays.uv.us.push_back(static_cast<float>(arrays.connects[static_cast<size_t>(i)]) / 10.0f);
      arrays.uv.vs.push_back(0.5f);
    }
  }
};

// The UV the assignment gives face-vertex i.
float U(const UvAssignment& a, size_t i) { return a.layout.us[static_cast<size_t>(a.layout.uvIds[i])]; }
float V(const UvAssignment& a, size_t i) { return a.layout.vs[static_cast<size_t>(a.layout.uvIds[i])]; }

}  // namespace

TEST(UvMatchingTest, MatchedPolygonsTakeTheRecordsUVsOthersKeepTheirOwn) {
  CorrespondenceTable table;
  // The first triangle and the quad's fan (1, 3, 4), (1, 4, 2); model v 0.25 is Maya's 0.75.
  Load(table, {{{At(0, 0, 0, 0.1f, 0.25f), At(1, 0, 0, 0.2f, 0.25f), At(0, 1, 0, 0.3f, 0.25f)}},
               {{At(1, 0, 0, 0.4f, 0.25f), At(2, 0, 0, 0.5f, 0.25f), At(2, 1, 0, 0.6f, 0.25f)}},
               {{At(1, 0, 0, 0.4f, 0.25f), At(2, 1, 0, 0.6f, 0.25f), At(0, 1, 0, 0.7f, 0.25f)}}});
  const Mesh mesh;
  const UvAssignment a = matchUVs(table, mesh.arrays, mesh.world);
  EXPECT_EQ(a.matched, 2);
  EXPECT_EQ(a.layout.uvCounts, (std::vector<int>{3, 4, 3}));
  EXPECT_EQ(a.faceIds, (std::vector<int>{0, 0, 0, 1, 1, 1, 1, 2, 2, 2}));
  EXPECT_EQ(a.vertexIds, mesh.arrays.connects);
  EXPECT_EQ(U(a, 1), 0.2f);
  EXPECT_EQ(V(a, 1), 0.75f);
  // The quad's fourth corner comes from the fan triangle that ends at it.
  EXPECT_EQ(U(a, 6), 0.7f);
  // The far triangle keeps its UVs, v as Maya holds it.
  EXPECT_FLOAT_EQ(U(a, 8), 0.6f);
  EXPECT_EQ(V(a, 8), 0.5f);
  // The triangle's corner 1 and the quad's corner 0 have the same point and
  // the same new UV (0.2 against 0.4: not here), so each has its own.
  EXPECT_NE(a.layout.uvIds[1], a.layout.uvIds[3]);
}

TEST(UvMatchingTest, EqualPointAndUvShareOneUv) {
  CorrespondenceTable table;
  Load(table, {{{At(0, 0, 0, 0.1f, 0.25f), At(1, 0, 0, 0.2f, 0.25f), At(0, 1, 0, 0.3f, 0.25f)}},
               {{At(1, 0, 0, 0.2f, 0.25f), At(2, 0, 0, 0.5f, 0.25f), At(2, 1, 0, 0.6f, 0.25f)}}});
  const Mesh mesh;
  const UvAssignment a = matchUVs(table, mesh.arrays, mesh.world);
  EXPECT_EQ(a.layout.uvIds[1], a.layout.uvIds[3]);
  // 10 face-vertices, one pair shared.
  EXPECT_EQ(a.layout.us.size(), 9u);
}

TEST(UvMatchingTest, UnsoundOrDamagedPolygonsMatchNothing) {
  CorrespondenceTable table;
  Load(table, {{{At(0, 0, 0, 0.1f, 0.25f), At(1, 0, 0, 0.2f, 0.25f), At(0, 1, 0, 0.3f, 0.25f)}}});
  Mesh mesh;
  mesh.world.finite[2] = false;
  UvAssignment a = matchUVs(table, mesh.arrays, mesh.world);
  EXPECT_EQ(a.matched, 0);
  EXPECT_FLOAT_EQ(U(a, 0), 0.0f);
  EXPECT_EQ(V(a, 0), 0.5f);
  // Corners past the vertex indices: the polygon reads as having none.
  Mesh cut;
  cut.arrays.connects.resize(8);
  a = matchUVs(table, cut.arrays, cut.world);
  EXPECT_EQ(a.matched, 1);
  EXPECT_EQ(a.layout.uvCounts, (std::vector<int>{3, 4, 0}));
  EXPECT_EQ(a.layout.uvIds.size(), 7u);
}

TEST(UvMatchingTest, FindUvEntryGivesTheFirstEqualKey) {
  std::mt19937 random(7);
  const float values[] = {0.0f, -0.0f, 0.5f, 1.0f, std::numeric_limits<float>::quiet_NaN()};
  std::vector<std::array<float, 5>> keys;
  UvKeyIndex index;
  for (int n = 0; n < 2000; ++n) {
    std::array<float, 5> key;
    for (float& value : key) value = values[random() % 5];
    int linear = -1;
    for (size_t i = 0; i < keys.size() && linear < 0; ++i) {
      bool equal = true;
      for (int c = 0; c < 5; ++c) equal = equal && keys[i][static_cast<size_t>(c)] == key[static_cast<size_t>(c)];
      if (equal) linear = static_cast<int>(i);
    }
    ASSERT_EQ(findUvEntry(key.data(), index), linear) << n;
    if (linear < 0) {
      index.FindOrInsert(key.data(), static_cast<int32_t>(keys.size()));
      keys.push_back(key);
    }
  }
}

// Two triangles (0, 1, 2) and (2, 1, 3) sharing the edge 1-2.
MeshUvArrays TwoTriangles(std::vector<int> ids, std::vector<float> us) {
  MeshUvArrays layout;
  layout.uvCounts = {3, 3};
  layout.uvIds = std::move(ids);
  layout.vs.assign(us.size(), 0.5f);
  layout.us = std::move(us);
  return layout;
}

TEST(UvSharingTest, TheSameSharingMovesUVsByExactOffsets) {
  const MeshUvArrays before = TwoTriangles({0, 1, 2, 2, 1, 3}, {0.1f, 0.2f, 0.3f, 0.4f});
  MeshUvArrays after = TwoTriangles({3, 2, 1, 1, 2, 0}, {0.4f, 0.7f, 0.2f, 0.1f});
  std::vector<UvTweak> tweaks;
  ASSERT_TRUE(uvTweaksFor(before, after, tweaks));
  // UV 0 -> new 3 (0.1 -> 0.1: unmoved), 1 -> 2 (0.2 -> 0.2), 2 -> 1 (0.3 -> 0.7), 3 -> 0 (0.4 -> 0.4).
  ASSERT_EQ(tweaks.size(), 1u);
  EXPECT_EQ(tweaks[0].id, 2);
  EXPECT_EQ(0.3f + tweaks[0].du, 0.7f);
  EXPECT_EQ(tweaks[0].dv, 0.0f);
  // Two old UVs becoming one new one, or a face mapped differently: no tweaks.
  after = TwoTriangles({0, 1, 1, 1, 1, 2}, {0.1f, 0.2f, 0.3f});
  EXPECT_FALSE(uvTweaksFor(before, after, tweaks));
  after.uvCounts = {3, 0};
  EXPECT_FALSE(uvTweaksFor(before, after, tweaks));
}

// Whether some offset within four floats of the rounded difference takes `from` to `to`.
bool OffsetExists(float from, float to) {
  float d = static_cast<float>(static_cast<double>(to) - static_cast<double>(from));
  for (int i = 0; i < 4; ++i) d = std::nextafter(d, -std::numeric_limits<float>::infinity());
  for (int i = 0; i <= 8; ++i, d = std::nextafter(d, std::numeric_limits<float>::infinity()))
    if (from + d == to) return true;
  return false;
}

TEST(UvSharingTest, ExactOffsetsLandOnTheTargetWhereAnOffsetCan) {
  std::mt19937 random(3);
  std::uniform_real_distribution<float> value(-4.0f, 4.0f);
  int exact = 0;
  for (int i = 0; i < 2000; ++i) {
    const float from = value(random), to = value(random);
    const float d = exactOffset(from, to);
    if (OffsetExists(from, to)) {
      ++exact;
      EXPECT_EQ(from + d, to) << from << " " << to;
    } else {
      EXPECT_LE(std::fabs(static_cast<double>(from + d) - to), std::fabs(std::nextafter(d, 0.0f) - d) * 1.0001)
          << from << " " << to;
    }
  }
  EXPECT_GT(exact, 1000);
}

TEST(UvSharingTest, EdgesJoinWhereBothFacesHaveTheSameUVsAtBothEnds) {
  const std::vector<int> vertices = {0, 1, 2, 2, 1, 3};
  const MeshUvArrays joined = TwoTriangles({0, 1, 2, 2, 1, 3}, {0.1f, 0.2f, 0.3f, 0.4f});
  const auto shared = sharedUvPairs(joined, vertices);
  ASSERT_EQ(shared.size(), 1u);
  EXPECT_EQ(shared.count(vertexPairKey(2, 1)), 1u);
  // The second face's corner at vertex 2 has a UV of its own: the edge is a seam.
  EXPECT_TRUE(sharedUvPairs(TwoTriangles({0, 1, 2, 4, 1, 3}, {0.1f, 0.2f, 0.3f, 0.4f, 0.3f}), vertices).empty());
  // Fewer vertices than face-vertices: nothing read past them.
  EXPECT_TRUE(sharedUvPairs(joined, {0, 1, 2}).empty());
}
