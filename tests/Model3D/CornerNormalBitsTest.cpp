// Corner normals pinned bit for bit (SHA-256 of every normal's bits) on
// meshes that give the fan walks every shape they meet: closed and open fans,
// consistent and mixed windings, rings cut by one hard edge, fans on both
// sides of the 50-crossing limit, corners repeated in a polygon, smooth
// edges of three polygons, signed zeros, NaN edge weights, a damaged mesh,
// and the same grids with their polygons in shuffled order (so that the
// polygon numbers around a fan come in any order). The digests were taken
// from the straightforward walk of every corner's fan; any faster way of
// computing the normals must reproduce them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "Model3D/MeshBuilders.h"
#include "Support/Sha256.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

using Triangles = std::vector<std::vector<Vector3>>;

// A value in [0, 1) from the generator's raw output (the same on every
// standard library, unlike the distributions).
double Unit(std::mt19937& random) { return static_cast<double>(random()) / 4294967296.0; }

// A side x side vertex grid with jittered heights, cut into triangles along
// random diagonals; `flipEvery` > 0 reverses the winding of random
// triangles (about one in flipEvery).
Triangles JitteredGrid(int side, double height, int flipEvery, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<float> z(static_cast<size_t>(side) * static_cast<size_t>(side));
  for (float& h : z) h = static_cast<float>((Unit(random) - 0.5) * height);
  auto at = [&](int x, int y) {
    return Vector3(x + 0.2 * ((x * 7 + y * 3) % 5) / 5.0, y, z[static_cast<size_t>(y * side + x)]);
  };
  Triangles triangles;
  auto add = [&](Vector3 a, Vector3 b, Vector3 c) {
    if (flipEvery > 0 && random() % static_cast<uint32_t>(flipEvery) == 0) std::swap(b, c);
    triangles.push_back({a, b, c});
  };
  for (int y = 0; y + 1 < side; ++y)
    for (int x = 0; x + 1 < side; ++x) {
      const Vector3 a = at(x, y), b = at(x + 1, y), c = at(x + 1, y + 1), d = at(x, y + 1);
      if (random() & 1) {
        add(a, b, d);
        add(b, c, d);
      } else {
        add(a, b, c);
        add(a, c, d);
      }
    }
  return triangles;
}

// The same polygons in an order shuffled by the generator's raw output.
Triangles Shuffled(Triangles triangles, uint32_t seed) {
  std::mt19937 random(seed);
  for (size_t i = triangles.size(); i > 1; --i) std::swap(triangles[i - 1], triangles[random() % i]);
  return triangles;
}

// Triangles around the apex (0, 0, 1): `count` of a full turn, of which the
// first `kept` are made; `foldAt` >= 0 lifts that triangle's rim so sharply
// that its edges turn hard.
Triangles Cone(int count, int kept, int foldAt = -1) {
  // The rim on a grid of 1/4096, so that every library's cosine gives it.
  auto rim = [&](int i, double z) {
    const double a = 2 * kPi * i / count;
    return Vector3(std::round(std::cos(a) * 4096) / 4096, std::round(std::sin(a) * 4096) / 4096, z);
  };
  Triangles triangles;
  for (int i = 0; i < kept; ++i) {
    const double z = i == foldAt ? 3.0 : 0.0;
    triangles.push_back({{0, 0, 1}, rim(i, z), rim(i + 1, z)});
  }
  return triangles;
}

void AddAll(HvMesh& mesh, const Triangles& polygons) {
  PolygonDesc desc;
  for (const auto& corners : polygons) {
    desc.Resize(static_cast<int>(corners.size()));
    for (int i = 0; i < desc.count; ++i) {
      desc.positions[i] = corners[static_cast<size_t>(i)];
      desc.normals[i] = Vector3();
      desc.u[i] = desc.v[i] = 0.0f;
      desc.weights[i] = 1.0f;
    }
    desc.faceNormal = Vector3();
    mesh.AddPolygon(desc);
  }
}

// Smoothness and normals as a case's passes leave them, as one digest.
std::string NormalDigest(const HvMesh& mesh) {
  std::string bits;
  for (int p = 0; p < mesh.PolygonCount(); ++p) {
    const MeshPolygon& polygon = *mesh.Polygon(p);
    for (int c = 0; c < polygon.count; ++c) {
      const MeshCorner& corner = polygon.Corner(c);
      char word[16];
      std::memcpy(word, &corner.normal, 12);
      const float smoothness = corner.edge != nullptr ? corner.edge->smoothness : -1.0f;
      std::memcpy(word + 12, &smoothness, 4);
      bits.append(word, sizeof word);
    }
  }
  return Sha256Hex(bits);
}

struct Case {
  const char* name;
  std::function<void(HvMesh&)> build;
  double smoothThreshold;  // NaN: the edges keep the weights they were given
  double normalThreshold;
  bool twoSided = true;
};

std::string DigestOf(const Case& test) {
  HvMesh mesh;
  test.build(mesh);
  if (!std::isnan(test.smoothThreshold)) mesh.SetEdgeSmoothness(test.smoothThreshold, test.twoSided);
  mesh.ComputeCornerNormals(test.normalThreshold);
  return NormalDigest(mesh);
}

std::function<void(HvMesh&)> Adding(Triangles polygons) {
  return [polygons](HvMesh& mesh) { AddAll(mesh, polygons); };
}

// Odd fans: a quad whose corners repeat a position, three polygons on one
// smooth edge, signed zeros on both sides of shared corners, NaN weights.
void AddOddFans(HvMesh& mesh) {
  AddAll(mesh, Cone(8, 8));
  AddCorners(mesh, {{0, 0, 1}, {2, 0, 0}, {0, 0, 1}, {2, 2, 0}});
  AddCorners(mesh, {{5, 0, 0}, {6, 0, 0}, {5, 1, 0.5f}});
  AddCorners(mesh, {{6, 0, 0}, {5, 0, 0}, {5, -1, 0.5f}});
  AddCorners(mesh, {{5, 0, 0}, {6, 0, 0}, {5.5f, 0, 1}});
  AddCorners(mesh, {{-0.0f, 4, 0}, {1, 4, 0}, {0.0f, 5, 0.2f}});
  AddCorners(mesh, {{0.0f, 5, 0.2f}, {1, 4, 0}, {1, 5, 0}});
  AddCorners(mesh, {{0.0f, 4, 0}, {-0.0f, 5, 0.2f}, {-1, 5, 0}});
  PolygonDesc desc;
  Describe(desc, {{9, 0, 0}, {10, 0, 0}, {9, 1, 0.3f}});
  desc.weights[0] = desc.weights[1] = std::nanf("");
  mesh.AddPolygon(desc);
  Describe(desc, {{10, 0, 0}, {10, 1, 0}, {9, 1, 0.3f}});
  desc.weights[2] = std::nanf("");
  mesh.AddPolygon(desc);
  Describe(desc, {{9, 0, 0}, {9, 1, 0.3f}, {8, 1, -0.2f}});
  mesh.AddPolygon(desc);
}

}  // namespace

TEST(CornerNormalBits, EveryFanShapeKeepsItsBits) {
  const double unset = std::nan("");
  const Triangles grid = JitteredGrid(48, 1.6, 0, 7);
  const Triangles mixed = JitteredGrid(48, 1.6, 3, 8);
  const std::vector<Case> cases = {
      {"grid, hard edges at 60 degrees", Adding(grid), 0.5, 0.4},
      {"grid, hard edges at 25 degrees", Adding(grid), 0.9, 0.4},
      {"grid, every edge crossed", Adding(grid), 0.9, 0.0},
      {"grid shuffled", Adding(Shuffled(grid, 11)), 0.5, 0.4},
      {"mixed windings", Adding(mixed), 0.5, 0.4},
      {"mixed windings, hard at 25 degrees", Adding(mixed), 0.9, 0.4},
      {"mixed windings, one-sided", Adding(mixed), 0.5, 0.4, false},
      {"mixed windings shuffled", Adding(Shuffled(mixed, 12)), 0.5, 0.4},
      {"cones of 2 to 6", [](HvMesh& m) { for (int n = 2; n <= 6; ++n) AddAll(m, Cone(n, n)); }, 0.0, 0.4},
      {"cones of 50 to 53", [](HvMesh& m) { for (int n = 50; n <= 53; ++n) AddAll(m, Cone(n, n)); }, 0.0, 0.4},
      {"open cones of 50 to 54", [](HvMesh& m) { for (int n = 51; n <= 55; ++n) AddAll(m, Cone(n, n - 1)); }, 0.0, 0.4},
      {"cones cut by one hard fold", [](HvMesh& m) { for (int n : {5, 30, 51, 52, 53}) AddAll(m, Cone(n, n, n / 2)); }, 0.5, 0.4},
      {"cone of 3000", Adding(Cone(3000, 3000)), 0.0, 0.4},
      {"cone of 3000 shuffled", Adding(Shuffled(Cone(3000, 3000), 13)), 0.0, 0.4},
      {"odd fans, weights as given", AddOddFans, unset, 0.4},
      {"odd fans", AddOddFans, 0.5, 0.4},
      {"damaged", AddDamagedMesh, 0.707, 0.4},
      {"damaged, one-sided", AddDamagedMesh, 0.2, 0.4, false},
      {"cube, smooth", [](HvMesh& m) { AddCube(m); }, 0.0, 0.4},
  };
  const std::vector<std::string> expected = {
      "e9a33b683c4370aff23d652c37cc8a5ec42c1c0f3134a89f52f5df4501e3aefe",
      "7f9d457b358a42bcd6ba58171012fbc9e68b7f71cfde4b4de3ebaa2b10fd0ffb",
      "dacceacee5207a538d44cffe8440804cd4597058b243368f96357c6391385a0d",
      "5453e23973c1649935e74829b7fc2d67bf46a169daec60e1395d7025fd38ec23",
      "115805c1a8c6a160e3371e762bfc3b311d0161b89a7cd7646009dc97eb028ff4",
      "416999982bc8945f1d94d6095d323588980aeae625da5da4ae96342a396b71b6",
      "cc97595258014acd39c1ba42c42cab9c519b9055db573f7f8122e48a5d7d3695",
      "9a6503a1c264fd41052268e64dcbc07a372f0f922caa1b4bbf3e0525ac322317",
      "9dec3672f5b31c6cae954f6036093fbeee641c8763f6ee36d0ecece5d752c43e",
      "ae25ea68a41b510128cae6cf8718e486556411e2b2cb19d486216491dc09714e",
      "138fb4a10c10c54d4da3c38f33726ac0696fd45a2d5cbeff32b86c1dd2fed675",
      "bea3bdcf7502d90e26cadd461df3e0f08e237204927c8a8c811eb2cab80bf43c",
      "442b034aea612adf956de783d4b135043cff822a59d52a1d71718fd92414abef",
      "9143764e57acaba2f728dcb7c8e59d2305bb3498679079cef20d900fc9927e47",
      "a9023e135efadd2b5ff79742fb9815ab071c3cc0493bcbe4b081a705deb1ed65",
      "1dc826b2739671d4ff39b6e6e86e6144a7784c5088426b4b25c0570e2349a402",
      "ce766cd10b800b6de7060e6953caf69222f7421862b0628d8dea9140af167497",
      "ea58a54a6c2ddda77006d2f8c2a0df2d62c5cb26fac8c27fd23933f7030f3650",
      "64c10548f78e9b28139e057277b9c9d5f0e7a23b73c284cfd2075885c235350c",
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    const std::string digest = DigestOf(cases[i]);
    if (i < expected.size()) {
      EXPECT_EQ(digest, expected[i]) << cases[i].name;
    } else {
      ADD_FAILURE() << "no digest for " << cases[i].name << ": \"" << digest << "\",";
    }
  }
}
