// The parallel passes on damaged meshes: any number of workers gives the
// serial result bit for bit; the edge table stays consistent through
// replaced polygons and unmatched (NaN) edges.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "Model3D/MeshBuilders.h"
#include "Model3D/WorkerRanges.h"
#include "Platform/Process.h"

namespace {

// Every corner's normal and edge smoothness, as bits.
std::vector<uint32_t> Results(const HvMesh& mesh) {
  std::vector<uint32_t> bits;
  for (int p = 0; p < mesh.PolygonCount(); ++p) {
    const MeshPolygon& polygon = *mesh.Polygon(p);
    for (int c = 0; c < polygon.count; ++c) {
      const MeshCorner& corner = polygon.Corner(c);
      uint32_t word[4];
      std::memcpy(word, &corner.normal, 12);
      std::memcpy(&word[3], &corner.edge->smoothness, 4);
      bits.insert(bits.end(), word, word + 4);
    }
  }
  return bits;
}

std::vector<uint32_t> PassesWith(const char* threads, double smoothThreshold, bool twoSided) {
  Platform::SetEnvironmentValue("OMBRIX_THREADS", threads);
  HvMesh mesh;
  AddDamagedMesh(mesh);
  EXPECT_EQ(WorkerCount(static_cast<size_t>(mesh.PolygonCount()), HvMesh::kMinPolygonsPerWorker),
            std::stoi(threads));
  mesh.SetEdgeSmoothness(smoothThreshold, twoSided);
  mesh.ComputeCornerNormals(0.4);
  return Results(mesh);
}

class MeshParallel : public ::testing::Test {
 protected:
  void TearDown() override { Platform::SetEnvironmentValue("OMBRIX_THREADS", ""); }
};

}  // namespace

TEST_F(MeshParallel, AnyWorkerCountGivesTheSerialResult) {
  for (const auto& [threshold, twoSided] : {std::pair{0.707, true}, std::pair{0.2, false}}) {
    const std::vector<uint32_t> serial = PassesWith("1", threshold, twoSided);
    ASSERT_GT(serial.size(), 4u * 30000);
    for (const char* threads : {"2", "3", "5"})
      EXPECT_TRUE(PassesWith(threads, threshold, twoSided) == serial) << threads << " workers";
  }
}

TEST_F(MeshParallel, WorkerCountFollowsTheEnvironment) {
  Platform::SetEnvironmentValue("OMBRIX_THREADS", "1");
  EXPECT_EQ(WorkerCount(1000000, 10), 1);
  Platform::SetEnvironmentValue("OMBRIX_THREADS", "5");
  EXPECT_EQ(WorkerCount(1000000, 10), 5);
  EXPECT_EQ(WorkerCount(25, 10), 2);  // never fewer than 10 items a worker
  EXPECT_EQ(WorkerCount(20, 10), 2);
  EXPECT_EQ(WorkerCount(19, 10), 1);
  EXPECT_EQ(WorkerCount(5, 0), 5);    // no least share: one item a worker
  EXPECT_EQ(WorkerCount(0, 10), 1);
  Platform::SetEnvironmentValue("OMBRIX_THREADS", "many");
  EXPECT_GE(WorkerCount(1000000, 10), 1);
  std::vector<int> seen(1000, 0);
  Platform::SetEnvironmentValue("OMBRIX_THREADS", "4");
  ForEachRange(seen.size(), 10, [&](size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) ++seen[i];
  });
  EXPECT_EQ(std::vector<int>(1000, 1), seen);  // every item exactly once
  // A failing range reaches the caller after all workers are joined.
  std::vector<int> done(4, 0);
  EXPECT_THROW(ForEachRange(4, 1,
                            [&](size_t begin, size_t) {
                              done[begin] = 1;
                              if (begin == 2) throw std::runtime_error("range 2");
                            }),
               std::runtime_error);
  EXPECT_EQ(std::vector<int>(4, 1), done);
}

TEST(MeshEdgeTable, NaNEdgesMatchNothingAndStayCheap) {
  // Corners that are all the same NaN: every edge is new, none is found,
  // and a hundred thousand of them neither pile up nor get lost.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  HvMesh mesh;
  for (int i = 0; i < 40000; ++i) ASSERT_TRUE(AddCorners(mesh, {{nan, nan, nan}, {nan, nan, nan}, {nan, nan, nan}}));
  EXPECT_EQ(mesh.EdgeCount(), 120000);
  PolygonDesc desc;
  Describe(desc, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  ASSERT_TRUE(mesh.SetPolygon(5, desc));  // replaces a NaN triangle: its three edges go
  EXPECT_EQ(mesh.EdgeCount(), 120000);
  mesh.SetEdgeSmoothness(0.5, true);
  mesh.ComputeCornerNormals(0.4);
  mesh.Clear();
  EXPECT_EQ(mesh.EdgeCount(), 0);
}

TEST(MeshEdgeTable, ReplacedPolygonsLeaveTheTableOfAFreshBuild) {
  // Polygons replaced one by one (edges deleted from the middle of runs of
  // slots) must leave the same edges as building the final mesh at once.
  auto corners = [](int i, int round) {
    const float x = static_cast<float>(i % 150), y = static_cast<float>(i / 150 + round * 3);
    return std::vector<Vector3>{{x, y, 0}, {x + 1, y, 0}, {x, y + 1, 0}};
  };
  HvMesh replaced, fresh;
  PolygonDesc desc;
  const int count = 30000;
  for (int i = 0; i < count; ++i) {
    const auto c = corners(i, 0);
    Describe(desc, {c[0], c[1], c[2]});
    replaced.AddPolygon(desc);
  }
  for (int i = 0; i < count; i += 3) {
    const auto c = corners(i, 1);
    Describe(desc, {c[0], c[1], c[2]});
    ASSERT_TRUE(replaced.SetPolygon(i, desc));
  }
  for (int i = 0; i < count; ++i) {
    const auto c = corners(i, i % 3 == 0 ? 1 : 0);
    Describe(desc, {c[0], c[1], c[2]});
    fresh.AddPolygon(desc);
  }
  ASSERT_EQ(replaced.EdgeCount(), fresh.EdgeCount());
  for (int p = 0; p < count; ++p)
    for (int c = 0; c < 3; ++c) {
      const MeshEdge* a = replaced.Polygon(p)->Corner(c).edge;
      const MeshEdge* b = fresh.Polygon(p)->Corner(c).edge;
      ASSERT_NE(a, nullptr);
      ASSERT_EQ(a->polygonCount, b->polygonCount) << "polygon " << p << " corner " << c;
      for (int k = 0; k < a->polygonCount; ++k) EXPECT_GE(b->Find(fresh.Polygon(a->PolygonAt(k)->index)), 0);
    }
}

TEST(MeshEdgeTable, ClearReleasesEveryBlockAndLeavesAFreshMesh) {
  // Polygons of 100 corners (heap blocks), edges of many polygons (heap
  // lists), replaced polygons (edges deleted and their numbers reused): all
  // released by Clear, after which the mesh builds as a new one does.
  auto build = [](HvMesh& mesh) {
    AddDamagedMesh(mesh);
    PolygonDesc big;
    big.Resize(100);
    for (int i = 0; i < 100; ++i) {
      const double a = 6.283185307179586 * i / 100;
      big.positions[i] = Vector3(std::cos(a), std::sin(a), 0);
      big.weights[i] = 1.0f;
    }
    for (int copy = 0; copy < 3; ++copy) mesh.AddPolygon(big);
    PolygonDesc small;
    Describe(small, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    for (int i = 0; i < 20; ++i) mesh.SetPolygon(i * 7, i % 2 == 0 ? small : big);
  };
  HvMesh reused, fresh;
  build(reused);
  reused.Clear();
  EXPECT_EQ(reused.EdgeCount(), 0);
  EXPECT_EQ(reused.PolygonCount(), 0);
  build(reused);
  build(fresh);
  ASSERT_EQ(reused.EdgeCount(), fresh.EdgeCount());
  for (HvMesh* mesh : {&reused, &fresh}) {
    mesh->SetEdgeSmoothness(0.707, true);
    mesh->ComputeCornerNormals(0.4);
  }
  EXPECT_TRUE(Results(reused) == Results(fresh));
}

namespace {

// A cone of `sides` triangles around one apex, added in a shuffled order,
// so that the apex's fan has members in every worker's range.
std::vector<uint32_t> ConeWith(const char* threads, int sides) {
  Platform::SetEnvironmentValue("OMBRIX_THREADS", threads);
  std::vector<int> order(static_cast<size_t>(sides));
  for (int i = 0; i < sides; ++i) order[static_cast<size_t>(i)] = i;
  uint32_t state = 12345;
  for (size_t i = order.size() - 1; i > 0; --i) {
    state = state * 1664525u + 1013904223u;
    std::swap(order[i], order[state % (i + 1)]);
  }
  auto rim = [&](int i) {
    const double a = 2.0 * 3.141592653589793 * (i % sides) / sides;
    return Vector3(std::cos(a), 0.0, std::sin(a));
  };
  HvMesh mesh;
  for (int i : order) AddCorners(mesh, {{0.0f, 1.0f, 0.0f}, rim(i + 1), rim(i)});
  mesh.SetEdgeSmoothness(0.0, true);
  mesh.ComputeCornerNormals(0.4);
  return Results(mesh);
}

}  // namespace

// The apex's fan is far past the walks' crossing limit, so its lowest
// polygon walks each member; every other range meets the fan once, not once
// a member.
TEST_F(MeshParallel, OneHugeFanAcrossEveryRange) {
  const std::vector<uint32_t> serial = ConeWith("1", 30000);
  for (const char* threads : {"2", "4"})
    EXPECT_TRUE(ConeWith(threads, 30000) == serial) << threads << " workers";
}
