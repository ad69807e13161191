// Saving a 1M-triangle model as a project file, against the I/O limit:
// writing the same number of bytes with one fwrite, in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "IO/FormatRegistry.h"
#include "Model3D/HvModel.h"
#include "Platform/Process.h"

namespace {

std::string ScratchPath(const char* name) {
  return "/tmp/ombrix-bench-" + std::to_string(Platform::CurrentProcessId()) + "-" + name;
}

// A 708 x 708 vertex grid with jittered heights: 999,698 triangles in quads
// split into triangles, one material per row band.
HvModel& Model() {
  static std::unique_ptr<HvModel> model = [] {
    auto built = std::make_unique<HvModel>();
    std::mt19937 random(7);
    std::uniform_real_distribution<float> jitter(-0.3f, 0.3f);
    Material* materials[4];
    for (int i = 0; i < 4; ++i)
      materials[i] = built->FindMaterial(("Band" + std::to_string(i)).c_str(), true);
    const int side = 708;
    std::vector<float> height(static_cast<size_t>(side) * side);
    for (float& h : height) h = jitter(random);
    PolygonDesc desc;
    desc.Resize(3);
    auto corner = [&](int i, int x, int y) {
      desc.positions[i] = Vector3(x, y, height[static_cast<size_t>(y) * side + x]);
      desc.normals[i] = Vector3(0, 0, 1);
      desc.u[i] = static_cast<float>(x) / side;
      desc.v[i] = static_cast<float>(y) / side;
    };
    for (int y = 0; y + 1 < side; ++y)
      for (int x = 0; x + 1 < side; ++x) {
        desc.material = materials[y * 4 / side];
        corner(0, x, y), corner(1, x + 1, y), corner(2, x + 1, y + 1);
        built->AddPolygon(desc);
        corner(0, x, y), corner(1, x + 1, y + 1), corner(2, x, y + 1);
        built->AddPolygon(desc);
      }
    return built;
  }();
  return *model;
}

long FileSize(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return 0;
  std::fseek(file, 0, SEEK_END);
  const long size = std::ftell(file);
  std::fclose(file);
  return size;
}

void SaveProjectFile(benchmark::State& state) {
  HvModel& model = Model();
  StartupFormats();
  const std::string path = ScratchPath("save.obv");
  for (auto _ : state) {
    if (SaveModelByName(&model, HvString(path.c_str()), "OBV", "", nullptr, nullptr) != 1)
      state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(state.iterations() * FileSize(path));
  state.counters["triangles"] = model.TotalPolygonCount();
  std::remove(path.c_str());
  TeardownModelFormats();
  TeardownSceneReaders();
}

void WriteSameBytesWithOneFwrite(benchmark::State& state) {
  HvModel& model = Model();
  StartupFormats();
  const std::string probe = ScratchPath("probe.obv");
  SaveModelByName(&model, HvString(probe.c_str()), "OBV", "", nullptr, nullptr);
  const std::vector<char> bytes(static_cast<size_t>(FileSize(probe)), 'x');
  std::remove(probe.c_str());
  TeardownModelFormats();
  TeardownSceneReaders();
  const std::string path = ScratchPath("fwrite.bin");
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "w+b");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
  std::remove(path.c_str());
}

}  // namespace

BENCHMARK(SaveProjectFile)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(WriteSameBytesWithOneFwrite)->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
