// The judge's comparison: counts exact, corners paired order-independently
// within 1e-4 of the bounding box's diagonal (points) and 1e-4 (UVs).
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "MeshComparison.h"

namespace {

// A grid of quads, n x n, 10 cm on a side, each corner with its own UV.
TruthMesh grid(int n) {
  TruthMesh m;
  for (int y = 0; y <= n; ++y)
    for (int x = 0; x <= n; ++x) {
      m.points.insert(m.points.end(), {10.0 * x / n, 10.0 * y / n, 0.0});
      m.uvs.insert(m.uvs.end(), {static_cast<double>(x) / n, static_cast<double>(y) / n});
    }
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const int v = y * (n + 1) + x;
      m.faceCounts.push_back(4);
      for (int c : {v, v + 1, v + n + 2, v + n + 1}) {
        m.cornerPoints.push_back(c);
        m.cornerUvs.push_back(c);
      }
    }
  return m;
}

// The same mesh with its vertices renumbered, its faces reversed in order and
// each face starting at another corner: what another numbering gives.
TruthMesh renumbered(const TruthMesh& m) {
  TruthMesh r = m;
  const int count = static_cast<int>(m.vertexCount());
  auto newIndex = [count](int v) { return count - 1 - v; };
  for (int v = 0; v < count; ++v)
    for (int d = 0; d < 3; ++d) r.points[3 * newIndex(v) + d] = m.points[3 * v + d];
  r.cornerPoints.clear();
  r.cornerUvs.clear();
  for (int f = static_cast<int>(m.faceCounts.size()) - 1; f >= 0; --f)
    for (int k = 1; k <= 4; ++k) {
      r.cornerPoints.push_back(newIndex(m.cornerPoints[4 * f + k % 4]));
      r.cornerUvs.push_back(m.cornerUvs[4 * f + k % 4]);
    }
  return r;
}

TEST(MeshComparison, IgnoresVertexAndFaceOrder) {
  const TruthMesh maya = grid(8);
  const MeshVerdict v = compareMeshes(renumbered(maya), maya);
  EXPECT_TRUE(v.geometry);
  EXPECT_TRUE(v.uvs);
  EXPECT_EQ(v.reason, "");
}

TEST(MeshComparison, PointsWithinATenThousandthOfTheDiagonal) {
  const TruthMesh maya = grid(4);  // diagonal 14.14 cm: tolerance 1.41e-3 cm
  TruthMesh ours = maya;
  ours.points[3 * 12] += 1.3e-3;
  EXPECT_TRUE(compareMeshes(ours, maya).geometry);
  ours.points[3 * 12] += 0.3e-3;
  const MeshVerdict v = compareMeshes(ours, maya);
  EXPECT_FALSE(v.geometry);
  EXPECT_TRUE(v.uvs) << "UVs are still paired by themselves";
  EXPECT_NE(v.reason.find("has no Maya corner point"), std::string::npos) << v.reason;
}

TEST(MeshComparison, PointsThatAreNotNumbersMatchNothing) {
  const TruthMesh maya = grid(2);
  TruthMesh ours = maya;
  ours.points[4] = std::numeric_limits<double>::quiet_NaN();
  ours.points[8] = std::numeric_limits<double>::infinity();
  const MeshVerdict v = compareMeshes(ours, maya);
  EXPECT_FALSE(v.geometry);
  EXPECT_TRUE(v.uvs);
}

TEST(MeshComparison, UvsWithinATenThousandthAndAtTheirCorner) {
  const TruthMesh maya = grid(4);
  TruthMesh ours = maya;
  ours.uvs[2 * 7 + 1] += 0.9e-4;
  EXPECT_TRUE(compareMeshes(ours, maya).uvs);
  ours.uvs[2 * 7 + 1] += 0.2e-4;
  MeshVerdict v = compareMeshes(ours, maya);
  EXPECT_TRUE(v.geometry);
  EXPECT_FALSE(v.uvs);
  // Two corners' UVs swapped: each UV exists in Maya's, but at another point.
  ours = maya;
  std::swap(ours.cornerUvs[0], ours.cornerUvs[6]);
  v = compareMeshes(ours, maya);
  EXPECT_TRUE(v.geometry);
  EXPECT_FALSE(v.uvs) << v.reason;
}

TEST(MeshComparison, CountsMustBeEqual) {
  const TruthMesh maya = grid(3);
  TruthMesh ours = maya;
  ours.points.insert(ours.points.end(), {0, 0, 0});  // a vertex no face uses
  MeshVerdict v = compareMeshes(ours, maya);
  EXPECT_FALSE(v.geometry);
  EXPECT_EQ(v.reason, "17 vertices, Maya's 16");
  // A corner on the same point twice over does not stand for two different corners.
  ours = maya;
  ours.cornerPoints[1] = ours.cornerPoints[0];
  EXPECT_FALSE(compareMeshes(ours, maya).geometry);
  ours = maya;
  ours.cornerUvs[5] = -1;
  EXPECT_FALSE(compareMeshes(ours, maya).uvs);
}

TEST(MeshComparison, PairsAHundredThousandRenumberedVertices) {
  const TruthMesh maya = grid(316);  // 100,489 vertices, 399,424 corners
  const TruthMesh ours = renumbered(maya);
  const MeshVerdict v = compareMeshes(ours, maya);
  EXPECT_TRUE(v.geometry && v.uvs) << v.reason;
}

}  // namespace
