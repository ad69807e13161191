// Scenes of a pipeline that grow in another dimension than a mesh's
// triangles, each at a size and at four times that size in the same
// iteration, the ratio of the two process CPU times as a counter (the bar:
// at most 4.5):
//   - one asset referenced 1,000 and 4,000 times, each reference under its
//     own namespace and placed by one stored edit, as Maya saves a set
//     dressed with copies of a prop;
//   - 10,000 and 40,000 reference edits: ten references of a rig whose
//     controls each carry three setAttr edits and one connectAttr edit
//     between two of the rig's nodes, stored on the reference nodes;
//   - the export's walk (ExportAllOmbrixPlug's work, runExport) over 1,000
//     and 4,000 meshes of two triangles with UVs, all in one set;
//   - the UV import of that export's layout, shifted, back onto every mesh;
//   - the reference scenes saved as Maya ASCII.
// And the resident memory of each in a process of its own (bench_step_memory):
// the load's at 1x and 4x, and what the export, the UV import and the save
// add against the same scene's load.
// The scenes are written as Maya 2018 writes them, under the temporary folder.
#include "ExportExchange.h"
#include "QuietOutput.h"
#include "ScalingScene.h"
#include "StepMemoryChild.h"
#include "UvRoundTrip.h"

#include "Maya/ExportFlow.h"
#include "Maya/MayaImportUVs.h"
#include "Maya/UvImportChanges.h"

#include <benchmark/benchmark.h>

#include <ostream>
#include <string>

namespace {

using namespace scaling;

const int kRigReferences = 10;
const int kEditsPerControl = 4;
const int kSavesMeasured = 10;

std::string numbered(const std::string& base, int k) { return k ? base + std::to_string(k) : base; }

// The lines before "requires": each reference's "file -rdi", then its "file -r",
// named as Maya names copies of one file (crate, crate1, ...; crateRN, crateRN1, ...).
void writeReferenceLines(std::ostream& out, const std::string& ns, const std::string& asset, int count) {
  out << "//Maya ASCII 2018 scene\n//Name: scaling.ma\n";
  for (const char* form : {"-rdi 1", "-r"})
    for (int k = 0; k < count; ++k)
      out << "file " << form << " -ns \"" << numbered(ns, k) << "\"" << (std::string(form) == "-r" ? " -dr 1" : "")
          << " -rfn \"" << numbered(ns + "RN", k) << "\" -op \"v=0;\" -typ \"mayaAscii\" \"" << asset << "\";\n";
  out << "requires maya \"2018\";\ncurrentUnit -l centimeter -a degree -t film;\n";
}

// A reference node and the edits it stores, `edits` written by `write(out)`.
template <typename Edits>
void writeReferenceNode(std::ostream& out, const std::string& node, int count, Edits write) {
  out << "createNode reference -n \"" << node << "\";\n\tsetAttr \".ed\" -type \"dataReferenceEdits\" \n\t\t\"" << node
      << "\"\n\t\t\"" << node << "\" " << count;
  write(out);
  out << ";\nlockNode -l 1 ;\n";
}

// A mesh of two triangles with UVs in map1, under the transform `name`.
void writeSmallMesh(std::ostream& out, const std::string& name, int i) {
  out << "createNode transform -n \"" << name << "\";\n"
      << "\tsetAttr \".t\" -type \"double3\" " << i % 100 << " 0 " << i / 100 << " ;\n";
  writeMeshNode(out, name + "Shape", name);
  out << "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n"
      << "\tsetAttr -s 4 \".uvst[0].uvsp[0:3]\" -type \"float2\" 0 0 1 0 0 1 1 1;\n"
      << "\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n"
      << "\tsetAttr -s 4 \".vt[0:3]\"  0 0 0 1 0 0 0 0 -1 1 0 -1;\n"
      << "\tsetAttr -s 5 \".ed[0:4]\"  0 1 0 1 3 0 3 2 0 2 0 0 0 3 1;\n"
      << "\tsetAttr -s 2 -ch 6 \".fc[0:1]\" -type \"polyFaces\" \n"
      << "\t\tf 3 0 1 -5\n\t\tmu 0 3 0 1 3\n\t\tf 3 4 2 3\n\t\tmu 0 3 0 3 2;\n";
}

std::string crateAsset() {
  return remembered("crate", [](std::ostream& out, int, int) {
    out << header();
    writeSmallMesh(out, "crate", 0);
    out << "connectAttr \"crateShape.iog\" \":initialShadingGroup.dsm\" -na;\n";
  }, 0, 0);
}

// `count` references of the crate, each moved by one stored edit.
std::string referencesScene(int count) {
  static std::string asset;
  asset = crateAsset();
  return remembered("references-" + std::to_string(count), [](std::ostream& out, int n, int) {
    writeReferenceLines(out, "crate", asset, n);
    for (int k = 0; k < n; ++k)
      writeReferenceNode(out, numbered("crateRN", k), 1, [&](std::ostream& o) {
        o << "\n\t\t2 \"|" << numbered("crate", k) << ":crate\" \"translate\" \" -type \\\"double3\\\" " << k % 100
          << " 0 " << k / 100 << "\"";
      });
  }, count, 0);
}

// A rig of `controls` transforms under one group.
std::string rigAsset(int controls) {
  return remembered("rig-" + std::to_string(controls), [](std::ostream& out, int n, int) {
    out << header() << "createNode transform -n \"rig\";\n";
    for (int i = 0; i < n; ++i)
      out << "createNode transform -n \"ctrl" << i << "\" -p \"rig\";\n";
  }, controls, 0);
}

// kRigReferences references of the rig, kEditsPerControl edits a control on each.
std::string editsScene(int controls) {
  static std::string asset;
  asset = rigAsset(controls);
  return remembered("edits-" + std::to_string(controls), [](std::ostream& out, int n, int) {
    writeReferenceLines(out, "rig", asset, kRigReferences);
    for (int k = 0; k < kRigReferences; ++k)
      writeReferenceNode(out, numbered("rigRN", k), kEditsPerControl * n, [&](std::ostream& o) {
        const std::string path = "|" + numbered("rig", k) + ":rig|" + numbered("rig", k) + ":ctrl";
        for (int i = 0; i < n; ++i) {
          const std::string c = path + std::to_string(i);
          o << "\n\t\t2 \"" << c << "\" \"translate\" \" -type \\\"double3\\\" " << i << " 0 " << k << "\""
            << "\n\t\t2 \"" << c << "\" \"rotate\" \" -type \\\"double3\\\" 0 45 0\""
            << "\n\t\t2 \"" << c << "\" \"visibility\" \" -k 0 1\""
            << "\n\t\t3 \"" << c << ".scaleX\" \n\t\t\"" << path << (i + 1) % n << ".scaleY\" \"\"";
        }
      });
  }, controls, 0);
}

// `count` meshes of two triangles with UVs, all in :initialShadingGroup.
std::string meshesScene(int count) {
  return remembered("uv-meshes-" + std::to_string(count), [](std::ostream& out, int n, int) {
    out << header();
    for (int i = 0; i < n; ++i)
      writeSmallMesh(out, "box" + std::to_string(i), i);
    out << "select -ne :initialShadingGroup;\n\tsetAttr -s " << n << " \".dsm\";\n\tsetAttr \".ro\" yes;\n";
    for (int i = 0; i < n; ++i)
      out << "connectAttr \"box" << i << "Shape.iog\" \":initialShadingGroup.dsm\" -na;\n";
  }, count, 0);
}

enum ReferenceKind { kReferences = 0, kEdits = 1 };

std::string referenceKindScene(int kind, int size) {
  return kind == kReferences ? referencesScene(size) : editsScene(size);
}

// Arg: the references at 1x.
void BM_ReferencesScale(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  loadBoth(state, referencesScene(n), referencesScene(4 * n));
}
BENCHMARK(BM_ReferencesScale)->Arg(1000)->ArgName("references")->Unit(benchmark::kMillisecond)->Iterations(5)
    ->UseManualTime();

// Arg: the rig's controls at 1x (kRigReferences x kEditsPerControl edits each).
void BM_ReferenceEditsScale(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  loadBoth(state, editsScene(n), editsScene(4 * n));
  state.counters["edits_1x"] = kRigReferences * kEditsPerControl * n;
}
BENCHMARK(BM_ReferenceEditsScale)->Arg(250)->ArgName("controls")->Unit(benchmark::kMillisecond)->Iterations(5)
    ->UseManualTime();

// Arg: the meshes at 1x. The load is not measured, the export is.
void BM_ExportWalkScale(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Exchange exchange;
  bothSizes(state, meshesScene(n), meshesScene(4 * n), [](const std::string& path, bool& ok) {
    ok = load(path) && ok;
    return measure([&] {
      Quiet quiet;
      ok = runExport(0) == 1 && ok;
    });
  });
}
BENCHMARK(BM_ExportWalkScale)->Arg(1000)->ArgName("meshes")->Unit(benchmark::kMillisecond)->Iterations(5)
    ->UseManualTime();

// Arg: the meshes at 1x. The load, the export and maya.cor are not measured,
// the import onto every mesh is.
void BM_UvImportScale(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Exchange exchange;
  bothSizes(state, meshesScene(n), meshesScene(4 * n), [&](const std::string& path, bool& ok) {
    std::string error;
    {
      Quiet quiet;
      ok = load(path) && runExport(0) == 1 && writeShiftedCorrespondence(exchange.directory(), error) && ok;
    }
    const MSelectionList meshes = everyMesh();
    return measure([&] {
      Quiet quiet;
      UvImportChanges changes;
      ok = importUVs(changes, &meshes) == MStatus::kSuccess && ok;
    });
  });
}
BENCHMARK(BM_UvImportScale)->Arg(1000)->ArgName("meshes")->Unit(benchmark::kMillisecond)->Iterations(5)
    ->UseManualTime();

// Args: the kind (0 references, 1 reference edits) and its size at 1x. The
// load is not measured, kSavesMeasured saves one after the other are (one
// takes a few milliseconds at 1x).
void BM_SaveReferencesScale(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1));
  const std::string saved = (fs::temp_directory_path() / "ombrix-scaling-saved.ma").string();
  bothSizes(state, referenceKindScene(kind, n), referenceKindScene(kind, 4 * n),
            [&](const std::string& path, bool& ok) {
              ok = load(path) && ok;
              std::string error;
              return measure([&] {
                for (int k = 0; k < kSavesMeasured; ++k)
                  ok = OmbrixHost::saveMayaAscii(saved, error) && ok;
              });
            });
}
BENCHMARK(BM_SaveReferencesScale)->Args({kReferences, 1000})->Args({kEdits, 250})->ArgNames({"kind", "size"})
    ->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

// Resident memory, each step in a process of its own, at 1x and 4x: the
// load's (and its ratio, bar 4.5), and what `step` adds against the load
// (bar 2). Args: the scene (0 references, 1 reference edits, 2 meshes), the
// step (0 load alone, 1 export, 2 UV import, 3 save).
void BM_PipelineMemory(benchmark::State& state) {
  static const char* const kSteps[] = {"load", "export", "uvimport", "save"};
  const int scene = static_cast<int>(state.range(0));
  const std::string step = kSteps[state.range(1)];
  auto sceneAt = [&](int times) {
    return scene == 2 ? meshesScene(1000 * times) : referenceKindScene(scene, (scene ? 250 : 1000) * times);
  };
  StepMemory at[2];
  for (auto _ : state)
    for (int k = 0; k < 2; ++k) {
      at[k] = stepMemory(step, sceneAt(k ? 4 : 1));
      if (!at[k].ok)
        state.SkipWithError("the step failed in its process");
    }
  state.counters["load_MB_1x"] = at[0].loadMB;
  state.counters["load_MB_4x"] = at[1].loadMB;
  state.counters["load_mem_ratio_4x"] = at[1].loadMB / at[0].loadMB;
  state.counters["peak_MB_1x"] = at[0].peakMB;
  state.counters["peak_MB_4x"] = at[1].peakMB;
  if (step != "load") {
    state.counters["step_MB_1x"] = at[0].stepMB;
    state.counters["step_MB_4x"] = at[1].stepMB;
    state.counters["step_over_load_1x"] = at[0].stepMB / at[0].loadMB;
    state.counters["step_over_load_4x"] = at[1].stepMB / at[1].loadMB;
  }
}
BENCHMARK(BM_PipelineMemory)
    ->Args({kReferences, 0})->Args({kEdits, 0})->Args({2, 0})
    ->Args({2, 1})->Args({2, 2})->Args({kReferences, 3})->Args({kEdits, 3})
    ->ArgNames({"scene", "step"})->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
