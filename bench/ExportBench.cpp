// The scene export (ExportAllOmbrixPlug's work: the scene into a model, the
// project file and the log file) through the host stand-in, timed after the
// scene is loaded, beside the load of the same scene file in the same run:
//   kind 0: one mesh of about a million triangles
//   kind 1: a thousand meshes of a thousand triangles
//   kind 2: one mesh of about a million triangles whose faces alternate
//           between two shading groups
// each at full size and at a quarter of it, to show that the cost is linear.
#include "HostSession.h"

#include "IO/FormatRegistry.h"
#include "Maya/ExchangePaths.h"
#include "Maya/ExportFlow.h"
#include "Maya/SceneExport.h"
#include "Model3D/HvModel.h"
#include "Platform/Registry.h"
#include "TriangleGrid.h"

#include <maya/MDagPath.h>
#include <maya/MFloatArray.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFn.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MFnSet.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

enum Kind { kOneMesh = 0, kManyMeshes = 1, kTwoShadingGroups = 2 };

const int kMillionSide = 707;  // 2 * 707^2 = 999,698 triangles
const int kManyCount = 1000;
const int kStripQuads = 500;   // 1,000 triangles per mesh

// Faces first, first + 2, ... of the mesh into a new shading group `name`.
void assignAlternateFaces(const MDagPath& mesh, int faces, int first, const std::string& name) {
  MGlobal::executeCommand(MString(("createNode lambert -n " + name + "Shader; sets -renderable true "
                                   "-noSurfaceShader true -empty -name " + name + "; connectAttr " + name +
                                   "Shader.outColor " + name + ".surfaceShader;").c_str()));
  MFnSingleIndexedComponent component;
  MObject faceList = component.create(MFn::kMeshPolygonComponent);
  MIntArray elements;
  for (int f = first; f < faces; f += 2)
    elements.append(f);
  component.addElements(elements);
  MSelectionList list;
  list.add(MString(name.c_str()));
  MObject set;
  list.getDependNode(0, set);
  MFnSet(set).addMember(mesh, faceList);
}

// The scene of a kind at 1/divisor of its full size, written once as Maya ASCII.
std::string sceneFile(int kind, int divisor) {
  static std::map<std::pair<int, int>, std::string> made;
  auto key = std::make_pair(kind, divisor);
  if (made.count(key))
    return made[key];
  OmbrixHost::resetScene();
  int triangles = 0;
  if (kind == kManyMeshes) {
    for (int i = 0; i < kManyCount / divisor; ++i)
      triangleGrid("strip" + std::to_string(i), kStripQuads, 1, 1.0f, static_cast<float>(i));
    triangles = kManyCount / divisor * kStripQuads * 2;
  } else {
    int side = divisor == 1 ? kMillionSide : (kMillionSide + 1) / 2;  // a quarter of the faces
    triangleGrid("grid", side, side, 1.0f, 0.0f);
    triangles = 2 * side * side;
    if (kind == kTwoShadingGroups) {
      MSelectionList list;
      list.add("gridShape");
      MDagPath path;
      list.getDagPath(0, path);
      assignAlternateFaces(path, triangles, 0, "evenSG");
      assignAlternateFaces(path, triangles, 1, "oddSG");
    }
  }
  std::string path = (fs::temp_directory_path() / ("ombrix-export-bench-" + std::to_string(kind) + "-" +
                                                    std::to_string(divisor) + ".ma"))
                         .string();
  std::string error;
  if (!OmbrixHost::saveMayaAscii(path, error))
    std::fprintf(stderr, "%s\n", error.c_str());
  (void)triangles;
  made[key] = path;
  return path;
}

bool load(const std::string& path) {
  std::vector<std::string> problems;
  return OmbrixHost::loadMayaAscii(path, problems) && problems.empty();
}

// The exchange directory and the registry that names it, of this run alone.
class Exchange {
public:
  Exchange() {
    dir_ = fs::temp_directory_path() / "ombrix-export-bench";
    fs::create_directories(dir_);
#ifndef _WIN32
    registry_ = dir_ / "registry";
    setenv("OMBRIX_REGISTRY", registry_.string().c_str(), 1);
#endif
    Platform::RegistryKey key = nullptr;
    Platform::CreateUserKey(kPainterRegistryKey, "", key);
    Platform::SetStringValue(key, "Temp Directory", dir_.string().c_str());
    Platform::CloseKey(key);
    StartupFormats();
  }
  ~Exchange() {
    TeardownModelFormats();
    TeardownSceneReaders();
    Platform::RegistryKey key = nullptr;
    Platform::CreateUserKey(kPainterRegistryKey, "", key);
    Platform::DeleteValue(key, "Temp Directory");
    Platform::CloseKey(key);
    fs::remove_all(dir_);
  }

private:
  fs::path dir_, registry_;
};

void counters(benchmark::State& state, const std::string& path) {
  std::vector<std::string> problems;
  OmbrixHost::loadMayaAscii(path, problems);
  MStringArray meshes;
  MGlobal::executeCommand("ls -type mesh", meshes, false, false);
  state.counters["meshes"] = meshes.length();
  state.counters["file_MB"] = static_cast<double>(fs::file_size(path)) / (1 << 20);
}

void BM_LoadScene(benchmark::State& state) {
  std::string path = sceneFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state)
    if (!load(path))
      state.SkipWithError("the scene did not load cleanly");
  counters(state, path);
}

void BM_ExportScene(benchmark::State& state) {
  std::string path = sceneFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Exchange exchange;
  for (auto _ : state) {
    state.PauseTiming();
    bool loaded = load(path);
    state.ResumeTiming();
    if (!loaded || runExport(0) != 1)
      state.SkipWithError("the export did not save the project file");
  }
  counters(state, path);
}

// The scene into the model alone (no project file, no log file): where the export's time goes.
void BM_GatherScene(benchmark::State& state) {
  std::string path = sceneFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    state.PauseTiming();
    bool loaded = load(path);
    auto model = std::make_unique<HvModel>();
    state.ResumeTiming();
    if (!loaded)
      state.SkipWithError("the scene did not load");
    gatherMayaScene(*model, 0);
    state.PauseTiming();
    model.reset();
    state.ResumeTiming();
  }
  counters(state, path);
}

// Arguments: kind, divisor (1 full size, 4 a quarter).
void sizes(benchmark::internal::Benchmark* b) {
  for (int kind : {kOneMesh, kManyMeshes, kTwoShadingGroups})
    for (int divisor : {4, 1})
      b->Args({kind, divisor});
  b->ArgNames({"kind", "div"})->Unit(benchmark::kMillisecond)->Iterations(2);
}
BENCHMARK(BM_LoadScene)->Apply(sizes);
BENCHMARK(BM_ExportScene)->Apply(sizes);
BENCHMARK(BM_GatherScene)->Apply(sizes);

}  // namespace

BENCHMARK_MAIN();
