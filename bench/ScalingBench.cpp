// Scenes that grow in another dimension than the triangles of a mesh, each
// loaded at a size and at four times that size in the same iteration, the
// ratio of the two process CPU times as a counter (the bar: at most 4.5):
//   - a grid skinned to 20 joints, two weights a vertex, at 10,201 and
//     40,401 vertices, its weights in both forms Maya saves them in (one
//     statement a weight, as Maya 2016-2020 does; sparse rows cut between
//     statements), beside the same grid without a skin;
//   - small meshes that are all members of one set (each connected to
//     :initialShadingGroup.dsm with -na, as Maya saves every member), 4,000
//     and 16,000 of them.
// Each figure is the fastest of the iterations.
// And the large skinned grid loaded and exported (ExportAllOmbrixPlug's work)
// against the same grid without a skin (the bar: at most 1.5).
// The scenes are written as Maya 2018 writes them, under the temporary folder.
#include "ExportExchange.h"
#include "ScalingScene.h"

#include "Maya/ExportFlow.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ostream>
#include <string>

namespace {

using namespace scaling;

enum GridForm { kWeightStatements = 0, kSparseRows = 1, kNoSkin = 2 };

const int kJoints = 20;
const int kRowsPerStatement = 100;  // sparse rows a statement holds before Maya cuts it

// Vertex v's two influences and their weights.
struct VertexWeights {
  int joint[2];
  double weight[2];
};

VertexWeights weightsOf(int v) {
  const int first = v % (kJoints / 2);
  const double w = 0.25 + 0.125 * (v % 5);
  return {{first, first + kJoints / 2}, {w, 1.0 - w}};
}

// Maya 2016-2020: the row's size, then one statement a weight.
void writeWeightStatements(std::ostream& out, int vertices) {
  for (int v = 0; v < vertices; ++v) {
    const VertexWeights w = weightsOf(v);
    out << "\tsetAttr -s 2 \".wl[" << v << "].w\";\n";
    for (int k = 0; k < 2; ++k)
      out << "\tsetAttr \".wl[" << v << "].w[" << w.joint[k] << "]\" " << w.weight[k] << ";\n";
  }
}

// Sparse rows ("count influence weight ..."), a statement every kRowsPerStatement
// vertices, cut inside the last row: the next statement gives the rest of that
// row under the same index.
void writeSparseRows(std::ostream& out, int vertices) {
  int v = 0;
  bool rest = false;  // the row of v was begun by the statement before
  while (v < vertices) {
    const int last = std::min(vertices - 1, v + kRowsPerStatement);
    out << "\tsetAttr \".wl[" << v << ":" << last << "].w\"";
    for (int row = v; row <= last; ++row) {
      const VertexWeights w = weightsOf(row);
      const bool cut = row == last && last + 1 < vertices;
      const int from = row == v && rest ? 1 : 0, to = cut ? 1 : 2;
      out << "\n\t\t" << to - from;
      for (int k = from; k < to; ++k)
        out << " " << w.joint[k] << " " << w.weight[k];
    }
    out << ";\n";
    rest = last + 1 < vertices;
    v = rest ? last : last + 1;
  }
}

void writeSkin(std::ostream& out, int vertices, GridForm form) {
  for (int j = 0; j < kJoints; ++j)
    out << "createNode joint -n \"joint" << j << "\"" << (j ? " -p \"joint" + std::to_string(j - 1) + "\"" : "")
        << ";\n" << (j ? "\tsetAttr \".t\" -type \"double3\" 0 0 -1 ;\n" : "");
  out << "createNode skinCluster -n \"skinCluster1\";\n\tsetAttr -s " << vertices << " \".wl\";\n";
  if (form == kWeightStatements)
    writeWeightStatements(out, vertices);
  else
    writeSparseRows(out, vertices);
  out << "\tsetAttr -s " << kJoints << " \".pm\";\n";
  for (int j = 0; j < kJoints; ++j)
    out << "\tsetAttr \".pm[" << j << "]\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 " << j << " 1;\n";
  out << "\tsetAttr \".gm\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n"
      << "\tsetAttr -s " << kJoints << " \".ma\";\n\tsetAttr -s " << kJoints << " \".dpf[0:" << kJoints - 1 << "]\" ";
  for (int j = 0; j < kJoints; ++j)
    out << " 4";
  out << ";\n\tsetAttr \".mi\" 2;\n"
      << "createNode tweak -n \"tweak1\";\n"
      << "createNode groupParts -n \"skinCluster1GroupParts\";\n\tsetAttr \".ihi\" 0;\n"
      << "\tsetAttr \".ic\" -type \"componentList\" 1 \"vtx[*]\";\n"
      << "createNode groupId -n \"skinCluster1GroupId\";\n\tsetAttr \".ihi\" 0;\n"
      << "connectAttr \"skinCluster1GroupParts.og\" \"skinCluster1.ip[0].ig\";\n"
      << "connectAttr \"skinCluster1GroupId.id\" \"skinCluster1.ip[0].gi\";\n";
  for (int j = 0; j < kJoints; ++j)
    out << "connectAttr \"joint" << j << ".wm\" \"skinCluster1.ma[" << j << "]\";\n";
  out << "connectAttr \"tweak1.og[0]\" \"skinCluster1GroupParts.ig\";\n"
      << "connectAttr \"gridShapeOrig.w\" \"tweak1.ip[0].ig\";\n"
      << "connectAttr \"skinCluster1.og[0]\" \"gridShape.i\";\n";
}

// A grid of side x side quads, skinned in the given form or not at all.
std::string gridScene(int side, GridForm form) {
  return remembered("grid-" + std::to_string(side) + "-" + std::to_string(form),
                    [](std::ostream& out, int s, int f) {
                      out << header() << "createNode transform -n \"grid\";\n";
                      if (f == kNoSkin) {
                        writeMeshNode(out, "gridShape", "grid");
                        writeGridGeometry(out, s);
                      } else {
                        writeMeshNode(out, "gridShape", "grid");
                        writeMeshNode(out, "gridShapeOrig", "grid");
                        out << "\tsetAttr \".io\" yes;\n";
                        writeGridGeometry(out, s);
                        writeSkin(out, (s + 1) * (s + 1), static_cast<GridForm>(f));
                      }
                      out << "connectAttr \"gridShape.iog\" \":initialShadingGroup.dsm\" -na;\n";
                    },
                    side, form);
}

// `count` meshes of two triangles, each a member of :initialShadingGroup.
std::string setScene(int count) {
  return remembered("set-" + std::to_string(count),
                    [](std::ostream& out, int n, int) {
                      out << header();
                      for (int i = 0; i < n; ++i) {
                        const std::string name = "box" + std::to_string(i);
                        out << "createNode transform -n \"" << name << "\";\n"
                            << "\tsetAttr \".t\" -type \"double3\" " << i % 100 << " 0 " << i / 100 << " ;\n";
                        writeMeshNode(out, name + "Shape", name);
                        out << "\tsetAttr -s 4 \".vt[0:3]\"  0 0 0 1 0 0 0 0 -1 1 0 -1;\n"
                            << "\tsetAttr -s 5 \".ed[0:4]\"  0 1 0 1 3 0 3 2 0 2 0 0 0 3 1;\n"
                            << "\tsetAttr -s 2 -ch 6 \".fc[0:1]\" -type \"polyFaces\" \n"
                            << "\t\tf 3 0 1 -5\n\t\tf 3 4 2 3;\n";
                      }
                      out << "select -ne :initialShadingGroup;\n\tsetAttr -s " << n << " \".dsm\";\n"
                          << "\tsetAttr \".ro\" yes;\n";
                      for (int i = 0; i < n; ++i)
                        out << "connectAttr \"box" << i << "Shape.iog\" \":initialShadingGroup.dsm\" -na;\n";
                    },
                    count, 0);
}

// Arg: the form (0 one statement a weight, 1 sparse rows, 2 no skin); 10,201 and 40,401 vertices.
void BM_SkinWeightsScale(benchmark::State& state) {
  const GridForm form = static_cast<GridForm>(state.range(0));
  loadBoth(state, gridScene(100, form), gridScene(200, form));
}
BENCHMARK(BM_SkinWeightsScale)->Arg(kWeightStatements)->Arg(kSparseRows)->Arg(kNoSkin)->ArgName("form")
    ->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

// Arg: the number of meshes in :initialShadingGroup at 1x.
void BM_SetMembersScale(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  loadBoth(state, setScene(count), setScene(4 * count));
}
BENCHMARK(BM_SetMembersScale)->Arg(4000)->ArgName("meshes")->Unit(benchmark::kMillisecond)->Iterations(5)
    ->UseManualTime();

// The 40,401-vertex skinned grid loaded, then exported, against the same grid
// without a skin; the iteration's time is the skinned grid's load and export.
void BM_SkinAgainstNoSkin(benchmark::State& state) {
  const std::string skinned = gridScene(200, static_cast<GridForm>(state.range(0))), plain = gridScene(200, kNoSkin);
  Exchange exchange;
  StepCost load[2] = {unmeasured(), unmeasured()}, save[2] = {unmeasured(), unmeasured()};
  for (auto _ : state) {
    bool ok = true;
    StepCost skinnedLoad, skinnedSave;
    for (int k = 0; k < 2; ++k) {
      const StepCost loaded = measure([&] { ok = scaling::load(k ? plain : skinned) && ok; });
      const StepCost saved = measure([&] { ok = runExport(0) == 1 && ok; });
      load[k] = fastest(load[k], loaded);
      save[k] = fastest(save[k], saved);
      if (k == 0) {
        skinnedLoad = loaded;
        skinnedSave = saved;
      }
    }
    state.SetIterationTime((skinnedLoad.wallMs + skinnedSave.wallMs) / 1000);
    if (!ok)
      state.SkipWithError("a scene did not load or export cleanly");
  }
  state.counters["load_ratio"] = load[0].cpuMs / load[1].cpuMs;
  state.counters["export_ratio"] = save[0].cpuMs / save[1].cpuMs;
  state.counters["both_ratio"] = (load[0].cpuMs + save[0].cpuMs) / (load[1].cpuMs + save[1].cpuMs);
  state.counters["wall_both_ratio"] = (load[0].wallMs + save[0].wallMs) / (load[1].wallMs + save[1].wallMs);
}
BENCHMARK(BM_SkinAgainstNoSkin)->Arg(kWeightStatements)->Arg(kSparseRows)->ArgName("form")
    ->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
