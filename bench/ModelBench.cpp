// The model core on big meshes: adding every triangle, the edge-smoothness
// and corner-normal passes, and a full neighbour walk; beside it, the same
// triangles through assimp's JoinIdenticalVertices + GenSmoothNormals.
//
// Meshes: a 1000 x 1000 vertex grid (1,996,002 triangles) and a 1M-triangle
// irregular mesh (jittered heights, random diagonals). Counters: triangles,
// peak_MB, the peak resident memory the run adds to the process (the
// kernel's peak is reset before the run), and maxrss_MB, getrusage's peak
// of the whole process so far (the input triangles included).
#include <benchmark/benchmark.h>

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "Model3D/HvModel.h"
#include "ProcessMemory.h"

namespace {

struct Triangle {
  Vector3 p[3];
  float u[3], v[3];
};

std::vector<Triangle> MakeGrid(int side, bool irregular) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<float> jitter(-0.3f, 0.3f);
  std::vector<float> height(static_cast<size_t>(side) * side);
  for (float& h : height) h = irregular ? jitter(random) : 0.0f;
  auto at = [&](int x, int y) {
    return Vector3(x + (irregular ? 0.25f * ((x * 7 + y * 3) % 5) / 5.0f : 0.0f), y,
                   height[static_cast<size_t>(y) * side + x]);
  };
  std::vector<Triangle> triangles;
  triangles.reserve(static_cast<size_t>(side - 1) * (side - 1) * 2);
  for (int y = 0; y + 1 < side; ++y)
    for (int x = 0; x + 1 < side; ++x) {
      const Vector3 a = at(x, y), b = at(x + 1, y), c = at(x + 1, y + 1), d = at(x, y + 1);
      const bool flip = irregular && (random() & 1);
      const float s = 1.0f / side;
      if (flip) {
        triangles.push_back({{a, b, d}, {x * s, (x + 1) * s, x * s}, {y * s, y * s, (y + 1) * s}});
        triangles.push_back({{b, c, d}, {(x + 1) * s, (x + 1) * s, x * s}, {y * s, (y + 1) * s, (y + 1) * s}});
      } else {
        triangles.push_back({{a, b, c}, {x * s, (x + 1) * s, (x + 1) * s}, {y * s, y * s, (y + 1) * s}});
        triangles.push_back({{a, c, d}, {x * s, (x + 1) * s, x * s}, {y * s, (y + 1) * s, (y + 1) * s}});
      }
    }
  return triangles;
}

const std::vector<Triangle>& Mesh(int which) {
  if (which == 0) {
    static const std::vector<Triangle> grid = MakeGrid(1000, false);
    return grid;
  }
  static const std::vector<Triangle> irregular = MakeGrid(708, true);  // 1,000,000 triangles
  return irregular;
}

void Fill(HvModel& model, const std::vector<Triangle>& triangles) {
  PolygonDesc desc;
  desc.Resize(3);
  for (const Triangle& t : triangles) {
    for (int i = 0; i < 3; ++i) {
      desc.positions[i] = t.p[i];
      desc.u[i] = t.u[i];
      desc.v[i] = t.v[i];
    }
    model.AddPolygon(desc);
  }
}

void AddAndPasses(benchmark::State& state) {
  const auto& triangles = Mesh(static_cast<int>(state.range(0)));
  const double baseline = ResetPeakMemory();
  for (auto _ : state) {
    HvModel model;
    Fill(model, triangles);
    model.SetEdgeSmoothnessAll(0.5, true);
    model.ComputeCornerNormalsAll(0.4);
    benchmark::DoNotOptimize(model.TotalPolygonCount());
    state.PauseTiming();  // freeing the model is not part of the work
    model.ClearAll();
    state.ResumeTiming();
  }
  state.counters["triangles"] = static_cast<double>(triangles.size());
  state.counters["peak_MB"] = PeakMegabytes() - baseline;
  state.counters["maxrss_MB"] = MaxRssMegabytes();
}

void NeighbourWalk(benchmark::State& state) {
  const auto& triangles = Mesh(static_cast<int>(state.range(0)));
  HvModel model;
  Fill(model, triangles);
  PolygonDesc desc;
  for (auto _ : state) {
    int64_t neighbours = 0;
    PolygonId id;
    for (bool more = model.First(id); more && id.IsValid(); more = model.Next(id, id)) {
      if (!model.GetPolygonFull(id, desc)) continue;
      for (int i = 0; i < desc.count; ++i) neighbours += desc.adjacency[i].polygon >= 0;
    }
    benchmark::DoNotOptimize(neighbours);
  }
  state.counters["triangles"] = static_cast<double>(triangles.size());
}

// Binary STL in memory: the same unindexed triangles assimp starts from.
std::string ToStl(const std::vector<Triangle>& triangles) {
  std::string stl(80, '\0');
  const auto count = static_cast<uint32_t>(triangles.size());
  stl.append(reinterpret_cast<const char*>(&count), 4);
  for (const Triangle& t : triangles) {
    float record[12] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
      record[3 + 3 * i] = t.p[i].x;
      record[4 + 3 * i] = t.p[i].y;
      record[5 + 3 * i] = t.p[i].z;
    }
    stl.append(reinterpret_cast<const char*>(record), sizeof record);
    stl.append(2, '\0');
  }
  return stl;
}

void AssimpJoinAndSmoothNormals(benchmark::State& state) {
  const auto& triangles = Mesh(static_cast<int>(state.range(0)));
  const std::string stl = ToStl(triangles);
  const double baseline = ResetPeakMemory();
  for (auto _ : state) {
    state.PauseTiming();
    Assimp::Importer importer;
    importer.SetPropertyFloat(AI_CONFIG_PP_GSN_MAX_SMOOTHING_ANGLE, 60.0f);
    importer.ReadFileFromMemory(stl.data(), stl.size(), 0, "stl");
    state.ResumeTiming();
    const aiScene* scene = importer.ApplyPostProcessing(
        aiProcess_JoinIdenticalVertices | aiProcess_GenSmoothNormals | aiProcess_ForceGenNormals);
    benchmark::DoNotOptimize(scene);
    state.PauseTiming();
    importer.FreeScene();
    state.ResumeTiming();
  }
  state.counters["triangles"] = static_cast<double>(triangles.size());
  state.counters["peak_MB"] = PeakMegabytes() - baseline;
}

}  // namespace

// Arg 0: the 1000 x 1000 grid; arg 1: the irregular mesh.
BENCHMARK(AddAndPasses)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2)->MeasureProcessCPUTime();
BENCHMARK(NeighbourWalk)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(AssimpJoinAndSmoothNormals)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->MeasureProcessCPUTime();

BENCHMARK_MAIN();
