// The scene export (ExportAllOmbrixPlug's work: the scene into a model, the
// project file and the log file) through the host stand-in, beside the load
// of the same scene file in the same iteration: process CPU time (all
// threads), wall time and the resident memory each adds at its peak, for
//   kind 0: one mesh of about a million triangles
//   kind 1: a thousand meshes of a thousand triangles
//   kind 2: one mesh of about a million triangles whose faces alternate
//           between two shading groups
// each at full size and at a quarter of it, to show that the cost is linear.
// BM_ExportFloor puts the export beside what it cannot do without: the model
// core alone on the same meshes (read from the host beforehand) and one
// fwrite of the same project-file bytes.
#include "ExportExchange.h"
#include "HostSession.h"
#include "ProcessMemory.h"
#include "StepCost.h"

#include "IO/FormatRegistry.h"
#include "Exchange/ExchangePaths.h"
#include "Export/MeshGroup.h"
#include "Maya/ExportFlow.h"
#include "Maya/MeshArrays.h"
#include "Maya/SceneExport.h"
#include "Model3D/HvModel.h"
#include "Platform/Process.h"
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
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
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
  // Written beside and renamed into place: a benchmark of another build may be reading the file.
  const std::string written = path + "." + std::to_string(Platform::CurrentProcessId());
  std::string error;
  if (!OmbrixHost::saveMayaAscii(written, error))
    std::fprintf(stderr, "%s\n", error.c_str());
  std::error_code renamed;
  fs::rename(written, path, renamed);
  (void)triangles;
  made[key] = path;
  return path;
}

bool load(const std::string& path) {
  std::vector<std::string> problems;
  return OmbrixHost::loadMayaAscii(path, problems) && problems.empty();
}

void counters(benchmark::State& state, const std::string& path) {
  std::vector<std::string> problems;
  OmbrixHost::loadMayaAscii(path, problems);
  MStringArray meshes;
  MGlobal::executeCommand("ls -type mesh", meshes, false, false);
  state.counters["meshes"] = meshes.length();
  state.counters["file_MB"] = static_cast<double>(fs::file_size(path)) / (1 << 20);
}

// Per iteration: the empty scene, the load, then the export of what was loaded.
// The reported time is the export's wall time.
void BM_LoadAndExport(benchmark::State& state) {
  std::string path = sceneFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Exchange exchange;
  StepCost loadCost, exportCost;
  for (auto _ : state) {
    OmbrixHost::resetScene();
    bool loaded = false, saved = false;
    loadCost = measure([&] { loaded = load(path); });
    exportCost = measure([&] { saved = loaded && runExport(0) == 1; });
    state.SetIterationTime(exportCost.wallMs / 1000);
    if (!saved)
      state.SkipWithError("the export did not save the project file");
  }
  // The last iteration's figures (the peaks of a step cannot be averaged).
  state.counters["load_cpu_ms"] = loadCost.cpuMs;
  state.counters["load_MB"] = loadCost.peakMB;
  state.counters["export_cpu_ms"] = exportCost.cpuMs;
  state.counters["export_wall_ms"] = exportCost.wallMs;
  state.counters["export_MB"] = exportCost.peakMB;
  state.counters["cpu_ratio"] = exportCost.cpuMs / loadCost.cpuMs;
  state.counters["MB_ratio"] = exportCost.peakMB / loadCost.peakMB;
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

// A mesh as the export reads it from the host, ready for the model core.
struct ReadMesh {
  std::string name;
  PolygonArrays arrays;
  WorldPoints world;
};

std::vector<ReadMesh> readMeshes() {
  std::vector<ReadMesh> meshes;
  MStringArray names;
  MGlobal::executeCommand("ls -long -type mesh", names, false, false);
  for (unsigned int i = 0; i < names.length(); ++i) {
    MSelectionList list;
    list.add(names[i]);
    MDagPath path;
    list.getDagPath(0, path);
    const MFnMesh mesh(path);
    MString uvSet;
    mesh.getCurrentUVSetName(uvSet);
    meshes.push_back({mesh.name().asChar(), readMeshArrays(mesh, uvSet), worldPoints(mesh, path.inclusiveMatrix())});
  }
  return meshes;
}

// The file's bytes; none when it cannot be read.
std::vector<char> fileBytes(const fs::path& path) {
  std::error_code error;
  const auto size = fs::file_size(path, error);
  if (error) return {};
  std::vector<char> bytes(static_cast<size_t>(size));
  std::FILE* file = std::fopen(path.string().c_str(), "rb");
  if (file != nullptr) {
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) bytes.clear();
    std::fclose(file);
  }
  return bytes;
}

// Per iteration, each timed apart after the same load: the export; the model
// core (every mesh added as the export adds it, edge smoothness and corner
// normals included, and the model freed); one fwrite of the project file's
// bytes to a new file. The fastest of the iterations.
void BM_ExportFloor(benchmark::State& state) {
  const std::string path = sceneFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Exchange exchange;
  const fs::path project = Exchange::directory() / "Maya.obv";
  const fs::path copy = Exchange::directory() / "fwrite.bin";
  StepCost load = unmeasured(), exported = unmeasured(), core = unmeasured(), write = unmeasured();
  for (auto _ : state) {
    OmbrixHost::resetScene();
    bool loaded = false, saved = false;
    load = fastest(load, measure([&] { loaded = ::load(path); }));
    exported = fastest(exported, measure([&] { saved = loaded && runExport(0) == 1; }));
    if (!saved) {
      state.SkipWithError("the export did not save the project file");
      break;
    }
    const std::vector<ReadMesh> meshes = readMeshes();
    core = fastest(core, measure([&] {
                     HvModel model;
                     for (const ReadMesh& mesh : meshes)
                       addMeshGroup(model, mesh.name.c_str(), mesh.arrays, mesh.world, {});
                   }));
    const std::vector<char> bytes = fileBytes(project);
    write = fastest(write, measure([&] {
                      std::FILE* file = std::fopen(copy.string().c_str(), "wb");
                      if (file == nullptr) return;
                      std::fwrite(bytes.data(), 1, bytes.size(), file);
                      std::fclose(file);
                    }));
  }
  std::error_code error;
  fs::remove(copy, error);
  const std::pair<const char*, double> figures[] = {
      {"load_cpu_ms", load.cpuMs},          {"export_cpu_ms", exported.cpuMs},
      {"core_cpu_ms", core.cpuMs},          {"fwrite_cpu_ms", write.cpuMs},
      {"export_per_load", exported.cpuMs / load.cpuMs}, {"export_per_core", exported.cpuMs / core.cpuMs}};
  for (const auto& figure : figures)
    state.counters[figure.first] = figure.second;
}

// Arguments: kind, divisor (1 full size, 4 a quarter).
void sizes(benchmark::internal::Benchmark* b) {
  for (int kind : {kOneMesh, kManyMeshes, kTwoShadingGroups})
    for (int divisor : {4, 1})
      b->Args({kind, divisor});
  b->ArgNames({"kind", "div"})->Unit(benchmark::kMillisecond)->Iterations(2);
}
BENCHMARK(BM_LoadAndExport)->Apply(sizes)->UseManualTime();
BENCHMARK(BM_GatherScene)->Apply(sizes)->MeasureProcessCPUTime();
BENCHMARK(BM_ExportFloor)
    ->Args({kOneMesh, 1})
    ->Args({kManyMeshes, 1})
    ->Args({kTwoShadingGroups, 1})
    ->ArgNames({"kind", "div"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
