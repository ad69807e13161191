#include <gtest/gtest.h>

#include <cmath>

#include "Model3D/EdgeTable.h"
#include "Model3D/MeshBuilders.h"
#include "Support/DiagnosticCapture.h"

namespace {

// Neighbour polygon index across the edge starting at each corner.
std::vector<int> Neighbours(const HvMesh& mesh, int index) {
  PolygonDesc desc;
  EXPECT_TRUE(mesh.GetPolygonFull(index, desc));
  std::vector<int> result;
  for (int i = 0; i < desc.count; ++i) result.push_back(desc.adjacency[i].polygon);
  return result;
}

}  // namespace

TEST(MeshEdges, OppositeWindingSharesOneEdgeAndNeighboursCycle) {
  HvMesh mesh;
  ASSERT_TRUE(AddCorners(mesh, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}));  // edge (1,0,0)-(0,1,0) at corner 1
  ASSERT_TRUE(AddCorners(mesh, {{1, 1, 0}, {0, 1, 0}, {1, 0, 0}}));  // same edge at corner 1, reversed
  EXPECT_EQ(mesh.EdgeCount(), 5);
  EXPECT_EQ(Neighbours(mesh, 0), (std::vector<int>{-1, 1, -1}));
  EXPECT_EQ(Neighbours(mesh, 1), (std::vector<int>{-1, 0, -1}));
  // A third polygon on that edge: A -> B -> C -> A.
  ASSERT_TRUE(AddCorners(mesh, {{1, 0, 0}, {0, 1, 0}, {0, 0, 5}}));
  EXPECT_EQ(mesh.EdgeCount(), 7);
  EXPECT_EQ(Neighbours(mesh, 0)[1], 1);
  EXPECT_EQ(Neighbours(mesh, 1)[1], 2);
  EXPECT_EQ(Neighbours(mesh, 2)[0], 0);
}

TEST(MeshEdges, AdjacencyValidWordIsSetOnlyAcrossSharedEdges) {
  HvMesh mesh;
  AddCorners(mesh, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  AddCorners(mesh, {{1, 1, 0}, {0, 1, 0}, {1, 0, 0}});
  PolygonDesc desc;
  desc.adjacency[0].valid = 7;  // kept where there is no neighbour
  ASSERT_TRUE(mesh.GetPolygonFull(0, desc));
  EXPECT_EQ(desc.adjacency[0].valid, 7);
  EXPECT_EQ(desc.adjacency[1].valid, 1);
  EXPECT_EQ(desc.adjacency[1].group, -1);  // the model fills the group
}

TEST(MeshEdges, SignedZerosDoNotShareAndNaNSharesNothing) {
  HvMesh mesh;
  AddCorners(mesh, {{0.0f, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  AddCorners(mesh, {{-0.0f, 0, 0}, {0, -1, 0}, {1, 0, 0}});
  EXPECT_EQ(mesh.EdgeCount(), 6);
  EXPECT_EQ(Neighbours(mesh, 0), (std::vector<int>{-1, -1, -1}));
  EXPECT_NE(PositionHash({0.0f, 0, 0}), PositionHash({-0.0f, 0, 0}));

  const float nan = std::nanf("");
  HvMesh odd;
  ASSERT_TRUE(AddCorners(odd, {{nan, 0, 0}, {1, 0, 0}, {0, 1, 0}}));
  ASSERT_TRUE(AddCorners(odd, {{nan, 0, 0}, {0, 1, 0}, {1, 0, 0}}));
  EXPECT_EQ(odd.EdgeCount(), 5);  // only the NaN-free edge is shared
  odd.SetEdgeSmoothness(0.5, false);
  odd.ComputeCornerNormals(0.4);
  ASSERT_TRUE(AddCorners(odd, {{nan, nan, nan}, {nan, nan, nan}, {nan, nan, nan}}));
  odd.ComputeCornerNormals(0.4);
  EXPECT_EQ(odd.Polygon(2)->Corner(0).normal, Vector3(0, 1, 0));
}

TEST(MeshEdges, PositionHashAndBucketFollowTheRawBits) {
  // 1.0f = 0x3F800000: h1 = 0x3F80, every other word 0.
  EXPECT_EQ(PositionHash({1.0f, 0, 0}), 0x3F80 * 6959);
  // -2.0f = 0xC0000000: h5 = (int16)0xC000 = -16384.
  EXPECT_EQ(PositionHash({0, 0, -2.0f}), -16384 * 14759);
  EXPECT_EQ(EdgeBucket(0x12345678), ((0x12345678 >> 28) ^ (0x12345678 >> 14) ^ 0x12345678) & 0x3FFF);
  EXPECT_EQ(EdgeBucket(-1), ((-1 >> 28) ^ (-1 >> 14) ^ -1) & 0x3FFF);
}

TEST(MeshReplacement, SameCountReusesTheBlockAndDropsUnusedEdges) {
  HvMesh mesh;
  AddCorners(mesh, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  AddCorners(mesh, {{1, 1, 0}, {0, 1, 0}, {1, 0, 0}});
  const MeshPolygon* before = mesh.Polygon(1);
  PolygonDesc desc;
  Describe(desc, {{5, 5, 5}, {6, 5, 5}, {5, 6, 5}});
  ASSERT_TRUE(mesh.SetPolygon(1, desc));
  EXPECT_EQ(mesh.Polygon(1), before);
  EXPECT_EQ(mesh.PolygonCount(), 2);
  EXPECT_EQ(mesh.EdgeCount(), 6);  // the shared edge stays for polygon 0
  EXPECT_EQ(Neighbours(mesh, 0), (std::vector<int>{-1, -1, -1}));
  Describe(desc, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}});
  ASSERT_TRUE(mesh.SetPolygon(1, desc));  // another corner count: a new block
  EXPECT_EQ(mesh.EdgeCount(), 5);
  EXPECT_EQ(mesh.Polygon(1)->count, 4);
}

TEST(MeshReplacement, DegeneratePolygonUsingOneEdgeTwiceDetachesSafely) {
  HvMesh mesh;
  AddCorners(mesh, {{0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {1, 0, 0}});
  EXPECT_EQ(mesh.EdgeCount(), 1);
  PolygonDesc desc;
  Describe(desc, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 2, 0}});
  ASSERT_TRUE(mesh.SetPolygon(0, desc));
  EXPECT_EQ(mesh.EdgeCount(), 4);
}

TEST(MeshPolygons, IndicesCountsAndBounds) {
  HvMesh mesh;
  PolygonDesc desc;
  Describe(desc, {{0, 0, 0}, {1, 0, 0}});
  EXPECT_FALSE(mesh.AddPolygon(desc));
  Describe(desc, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  ASSERT_TRUE(mesh.SetPolygon(-5, desc));
  ASSERT_TRUE(mesh.SetPolygon(1000, desc));
  EXPECT_EQ(mesh.PolygonCount(), 2);
  EXPECT_EQ(mesh.Polygon(1)->index, 1);
  PolygonData data;
  EXPECT_FALSE(mesh.GetPolygon(2, data));
  EXPECT_FALSE(mesh.GetPolygon(-1, data));
  EXPECT_FALSE(mesh.SetPolygonMaterial(2, nullptr));
  int tag = 0;
  EXPECT_TRUE(mesh.SetPolygonMaterial(1, &tag));
  EXPECT_TRUE(mesh.SetPolygonAux(1, &tag));
  ASSERT_TRUE(mesh.GetPolygon(1, data));
  EXPECT_EQ(data.material, &tag);
  EXPECT_EQ(data.aux, &tag);
  EXPECT_EQ(data.count, 3);
  EXPECT_EQ(data.u[2], 2.0f);
  EXPECT_FALSE(desc.Resize(PolygonCorners::kMaxCorners + 1));
  EXPECT_FALSE(desc.Resize(-1));
  EXPECT_EQ(desc.count, 3);
}

TEST(MeshPolygons, FaceNormalComputedWhenZeroAndKeptOtherwise) {
  HvMesh mesh;
  PolygonDesc desc;
  Describe(desc, {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}});
  mesh.AddPolygon(desc);
  EXPECT_EQ(mesh.Polygon(0)->faceNormal, Vector3(0, 0, 1));
  desc.faceNormal = Vector3(0, 0, 3);
  mesh.AddPolygon(desc);
  EXPECT_EQ(mesh.Polygon(1)->faceNormal, Vector3(0, 0, 3));
  Describe(desc, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});  // degenerate: no direction
  mesh.AddPolygon(desc);
  EXPECT_EQ(mesh.Polygon(2)->faceNormal, Vector3(0, 0, 0));
}

TEST(PolygonDesc, GrowsBeyondSixCornersWithZeroedWeightsAndAdjacency) {
  PolygonDesc desc;
  EXPECT_EQ(desc.capacity, 6);
  EXPECT_EQ(desc.weights[5], 1.0f);
  EXPECT_EQ(desc.adjacency[0], (PolygonId{-1, -1, 0}));
  ASSERT_TRUE(desc.Resize(7));
  EXPECT_EQ(desc.capacity, 10);
  EXPECT_EQ(desc.weights[6], 0.0f);
  EXPECT_EQ(desc.adjacency[6], (PolygonId{0, 0, 0}));
  for (int i = 0; i < 7; ++i) {
    const double a = i * 0.8975979;
    desc.positions[i] = Vector3(std::cos(a), std::sin(a), 0);
  }
  HvMesh mesh;
  ASSERT_TRUE(mesh.AddPolygon(desc));
  PolygonDesc other;
  other.Resize(7);
  for (int i = 0; i < 7; ++i) other.positions[i] = desc.positions[6 - i];
  other.weights[3] = 0.25f;
  ASSERT_TRUE(mesh.AddPolygon(other));
  // The edges keep the weight of the polygon that added them last.
  int weighted = 0, zero = 0;
  for (int i = 0; i < 7; ++i) {
    const float s = mesh.Polygon(1)->Corner(i).edge->smoothness;
    weighted += s == 0.25f;
    zero += s == 0.0f;
  }
  EXPECT_EQ(weighted, 1);
  EXPECT_EQ(zero, 6);
}

TEST(MeshEdges, ThousandsOfPolygonsOnOneEdgeStayCyclicAndQuick) {
  // A damaged file can hang every face on one edge; lists kept in index
  // order are searched by bisection, and a replaced polygon (appended out of
  // order) falls back to the plain search.
  HvMesh mesh;
  for (int i = 0; i < 5000; ++i)
    ASSERT_TRUE(AddCorners(mesh, {{0, 0, 0}, {1, 0, 0}, {0, 1, static_cast<float>(i)}}));
  const MeshEdge* shared = mesh.Polygon(0)->Corner(0).edge;
  ASSERT_EQ(shared->polygonCount, 5000);
  EXPECT_EQ(shared->Successor(mesh.Polygon(4999)), mesh.Polygon(0));
  EXPECT_EQ(shared->Successor(mesh.Polygon(1234)), mesh.Polygon(1235));
  PolygonDesc desc;
  Describe(desc, {{0, 0, 0}, {1, 0, 0}, {0, 1, -7}});
  ASSERT_TRUE(mesh.SetPolygon(10, desc));
  EXPECT_EQ(shared->polygonCount, 5000);
  EXPECT_EQ(shared->Successor(mesh.Polygon(4999)), mesh.Polygon(10));  // now last in the list
  EXPECT_EQ(shared->Successor(mesh.Polygon(9)), mesh.Polygon(11));
  mesh.SetEdgeSmoothness(0.5, true);
  mesh.ComputeCornerNormals(0.4);
}

TEST(MeshEdges, TableFindsEveryEdgeAcrossGrowthDeletionAndClear) {
  // From its small start the table grows many times; deleting closes the
  // gaps of the probe runs, and a cleared table starts over.
  EdgeTable table;
  auto a = [](int i) { return Vector3(static_cast<float>(i), 0.0f, 0.0f); };
  auto b = [](int i) { return Vector3(static_cast<float>(i), 1.0f, 0.0f); };
  std::vector<MeshEdge*> edges;
  for (int i = 0; i < 20000; ++i) {
    ASSERT_EQ(table.Find(a(i), b(i), i), nullptr);
    edges.push_back(table.Create(a(i), b(i), i));
    ASSERT_NE(edges.back(), nullptr);
  }
  for (int i = 0; i < 20000; i += 3) table.Delete(edges[static_cast<size_t>(i)]);
  EXPECT_EQ(table.Count(), 20000 - 6667);
  for (int i = 0; i < 20000; ++i) {
    MeshEdge* found = table.Find(b(i), a(i), i);  // either direction
    if (i % 3 == 0)
      EXPECT_EQ(found, nullptr) << i;
    else
      EXPECT_EQ(found, edges[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(table.Find(a(i), b(i), i + 1), nullptr) << "another key " << i;
  }
  table.Clear();
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.Find(a(1), b(1), 1), nullptr);
  ASSERT_NE(table.Create(a(1), b(1), 1), nullptr);
  EXPECT_NE(table.Find(a(1), b(1), 1), nullptr);
}
