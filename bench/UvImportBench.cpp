// The UV import of a large mesh against the export of the same mesh, in the
// same run, through the host: a million-triangle mesh without history (fast
// method: the mesh's UVs are replaced) and a half-million-quad (million-triangle) mesh made by a
// polyPlane (slow method: a polyTweakUV node with one element per
// face-vertex). maya.cor holds one record per triangle of the export, UVs
// shifted, so every polygon matches.
#include "HostSession.h"

#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "IO/CorrespondenceWriter.h"
#include "IO/FormatRegistry.h"
#include "IO/ModelFileReader.h"
#include "Exchange/ExchangePaths.h"
#include "Maya/ExportFlow.h"
#include "TriangleGrid.h"
#include "Maya/MayaImportUVs.h"
#include "Maya/UvImportChanges.h"
#include "Platform/Registry.h"
#include "ProcessMemory.h"
#include "QuietOutput.h"

namespace {

namespace fs = std::filesystem;

// Exchange directory and registry of this run, under the temp folder.
std::string exchangeDirectory() {
  static std::string dir;
  if (!dir.empty()) return dir;
  const fs::path base = fs::temp_directory_path() / "ombrix-bench-uv";
  fs::create_directories(base / "exchange");
#ifndef _WIN32
  setenv("OMBRIX_REGISTRY", (base / "registry").string().c_str(), 1);
#endif
  dir = (base / "exchange").string();
  Platform::RegistryKey key = nullptr;
  Platform::CreateUserKey(kPainterRegistryKey, "Base Directory", key);
  Platform::SetStringValue(key, "Temp Directory", dir.c_str());
  Platform::CloseKey(key);
  StartupFormats();
  return dir;
}

// rows x 1000 quad cells, each cut into two triangles (500 rows: 1M triangles).
void buildTriangleMesh(int rows) { triangleGrid("triangles", 1000, rows, 0.01f, 0.0f); }

// A polyPlane of 1000 x rows subdivisions, quads with construction history
// (500 rows: 1M triangles).
void buildQuadMeshWithHistory(int rows) {
  const std::string scene =
      "//Maya ASCII 2016 scene\n"
      "createNode transform -n \"quads\";\n"
      "createNode mesh -n \"quadsShape\" -p \"quads\";\n"
      "createNode polyPlane -n \"polyPlane1\";\n"
      "\tsetAttr \".w\" 10;\n\tsetAttr \".h\" 10;\n"
      "\tsetAttr \".sw\" 1000;\n\tsetAttr \".sh\" " + std::to_string(rows) + ";\n"
      "connectAttr \"polyPlane1.out\" \"quadsShape.i\";\n";
  std::vector<std::string> problems;
  OmbrixHost::loadMayaAsciiText(scene, "quads.ma", problems);
}

// A fresh scene with the mesh selected; maya.cor from its export.
void prepare(bool history, const char* name, int rows) {
  const std::string dir = exchangeDirectory();
  OmbrixHost::resetScene();
  if (history)
    buildQuadMeshWithHistory(rows);
  else
    buildTriangleMesh(rows);
  MGlobal::selectByName(name, MGlobal::kReplaceList);
  Quiet quiet;
  runExport(1);
  LoadedModel loaded;
  std::string error;
  ReadModelFile((fs::path(dir) / "Maya.obv").string().c_str(), loaded, error);
  CorrespondenceUvMode shift;
  shift.kind = CorrespondenceUvMode::kShift;
  shift.du = 0.25;
  shift.dv = 0.5;
  if (loaded.Model() != nullptr)
    writeCorrespondenceFile((fs::path(dir) / "maya.cor").string().c_str(),
                            makeCorrespondenceRecords(*loaded.Model(), shift), error);
}

// range(0): rows of 1000 cells; 2000 triangles or 1000 quads (2000 triangles) a row.
void faceVertexCounter(benchmark::State& state, bool history) {
  state.counters["faceVertices"] = double(state.range(0)) * (history ? 4000.0 : 6000.0);
}

// The export of the mesh (scene walk and project file), the peer of its import.
void BM_Export(benchmark::State& state, bool history, const char* name) {
  prepare(history, name, static_cast<int>(state.range(0)));
  const double baseline = ResetPeakMemory();
  for (auto _ : state) {
    Quiet quiet;
    if (runExport(1) != 1) state.SkipWithError("the export failed");
  }
  state.counters["peak_MB"] = PeakMegabytes() - baseline;
  faceVertexCounter(state, history);
}
BENCHMARK_CAPTURE(BM_Export, Triangles, false, "triangles")->Arg(125)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Export, QuadsWithHistory, true, "quads")->Arg(125)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ImportTrianglesFast(benchmark::State& state) {
  prepare(false, "triangles", static_cast<int>(state.range(0)));
  const double baseline = ResetPeakMemory();
  for (auto _ : state) {
    Quiet quiet;
    if (importUVs() != MStatus::kSuccess) state.SkipWithError("the import failed");
  }
  state.counters["peak_MB"] = PeakMegabytes() - baseline;
  faceVertexCounter(state, false);
}
BENCHMARK(BM_ImportTrianglesFast)->Arg(125)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same mesh moved, turned and scaled after the export: no polygon
// matches where it sits, so each is matched through the placement the
// export recorded (counted where it sits, counted and matched there).
void BM_ImportTrianglesMoved(benchmark::State& state) {
  prepare(false, "triangles", static_cast<int>(state.range(0)));
  MGlobal::executeCommand("xform -t 1 2 3 -ro 10 30 0 -s 2 2 2 triangles");
  const double baseline = ResetPeakMemory();
  for (auto _ : state) {
    UvImportChanges changes;
    Quiet quiet;
    if (importUVs(changes) != MStatus::kSuccess || changes.importedPolygons() != state.range(0) * 2000)
      state.SkipWithError("the import failed or missed polygons");
  }
  state.counters["peak_MB"] = PeakMegabytes() - baseline;
  faceVertexCounter(state, false);
}
BENCHMARK(BM_ImportTrianglesMoved)->Arg(125)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(3);

// Each run inserts one more tweak node: a fresh scene per iteration.
void BM_ImportQuadsSlow(benchmark::State& state) {
  double baseline = 0.0;
  for (auto _ : state) {
    state.PauseTiming();
    prepare(true, "quads", static_cast<int>(state.range(0)));
    baseline = ResetPeakMemory();
    state.ResumeTiming();
    Quiet quiet;
    if (importUVs() != MStatus::kSuccess) state.SkipWithError("the import failed");
  }
  state.counters["peak_MB"] = PeakMegabytes() - baseline;  // of the last iteration
  faceVertexCounter(state, true);
}
BENCHMARK(BM_ImportQuadsSlow)->Arg(125)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
