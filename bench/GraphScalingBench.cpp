// Scenes that grow in the dimensions of the dependency graph and the DAG,
// each loaded (and, apart, saved as Maya ASCII: the save alone timed) at a
// size and at four times that size in the same iteration, the ratio of the
// two process CPU times as a counter (the bar: at most 4.5):
//   - transforms or joints as one chain N deep, each the child of the one
//     before, and as N siblings under the world;
//   - connections: N transforms' translations driving N others', and one
//     node's multi input fed by all N sources;
//   - component lists: a mesh's faces split between two shading groups by
//     alternate faces, each group's list one item a face as Maya writes
//     lists without runs ("f[0]" "f[2]" ...), 100,000 items a list at 1x;
//   - blend shape targets: a blendShape with N targets, each its points and
//     components on the target item 6000, as Maya 2016 and later save them.
// Each also reports the peak resident memory of the load (or of the load and
// the save) at both sizes, every one in a fresh mayahost process.
// The statement forms are those of scenes Maya 2018 and 2020 saved.
#include "LoadPeak.h"
#include "ScalingScene.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace scaling;

enum NodeKind { kTransform = 0, kJoint = 1 };
enum Operation { kLoad = 0, kSave = 1 };

// A transform or a joint as Maya writes it; `parent` empty for the world.
void writeDagNode(std::ostream& out, NodeKind kind, int k, const std::string& parent, const std::string& translate) {
  const std::string name = (kind == kJoint ? "joint" : "node") + std::to_string(k);
  out << "createNode " << (kind == kJoint ? "joint" : "transform") << " -n \"" << name << "\""
      << (parent.empty() ? "" : " -p \"" + parent + "\"") << ";\n";
  if (kind == kJoint)
    out << "\taddAttr -ci true -sn \"liw\" -ln \"lockInfluenceWeights\" -min 0 -max 1 -at \"bool\";\n"
        << "\tsetAttr \".uoc\" 1;\n";
  out << "\tsetAttr \".t\" -type \"double3\" " << translate << " ;\n";
  if (kind == kJoint)
    out << "\tsetAttr \".mnrl\" -type \"double3\" -360 -360 -360 ;\n"
        << "\tsetAttr \".mxrl\" -type \"double3\" 360 360 360 ;\n"
        << "\tsetAttr \".bps\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 " << translate << " 1;\n"
        << "\tsetAttr \".radi\" 0.5;\n";
}

void writeChain(std::ostream& out, int count, int kind) {
  out << header();
  for (int i = 0; i < count; ++i)
    writeDagNode(out, static_cast<NodeKind>(kind), i,
                 i ? (kind == kJoint ? "joint" : "node") + std::to_string(i - 1) : "", "0 0.01 0");
}

void writeSiblings(std::ostream& out, int count, int kind) {
  out << header();
  for (int i = 0; i < count; ++i)
    writeDagNode(out, static_cast<NodeKind>(kind), i, "", std::to_string(i % 100) + " 0 " + std::to_string(i / 100));
}

// `count` nodes of `kind`, each the child of the one before (chain) or all under the world.
std::string dagScene(NodeKind kind, int count, bool chain) {
  return remembered(std::string(chain ? "chain-" : "siblings-") + (kind == kJoint ? "joint-" : "transform-") +
                        std::to_string(count),
                    chain ? writeChain : writeSiblings, count, kind);
}

// `count` transforms whose translations drive `count` others', all of them
// also feeding one plusMinusAverage's third input, one element each.
std::string connectionScene(int count) {
  return remembered("connections-" + std::to_string(count),
                    [](std::ostream& out, int n, int) {
                      out << header();
                      for (int i = 0; i < n; ++i)
                        out << "createNode transform -n \"driver" << i << "\";\n"
                            << "\tsetAttr \".t\" -type \"double3\" " << i % 100 << " 0 " << i / 100 << " ;\n"
                            << "createNode transform -n \"driven" << i << "\";\n";
                      out << "createNode plusMinusAverage -n \"plusMinusAverage1\";\n"
                          << "\tsetAttr -s " << n << " \".i3\";\n";
                      for (int i = 0; i < n; ++i)
                        out << "connectAttr \"driver" << i << ".t\" \"driven" << i << ".t\";\n";
                      for (int i = 0; i < n; ++i)
                        out << "connectAttr \"driver" << i << ".t\" \"plusMinusAverage1.i3[" << i << "]\";\n";
                    },
                    count, 0);
}

// `count` items "f[first]" "f[first + 2]" ... as Maya writes a list without runs.
void writeAlternateFaces(std::ostream& out, int first, int count) {
  for (int i = 0; i < count; ++i)
    out << " \"f[" << first + 2 * i << "]\"";
}

// A grid of at least 2 x `items` faces, the even faces of the first 2 x items
// in lambert2SG and the rest in initialShadingGroup: two lists of `items`
// items, the second with one run for the faces past them.
std::string componentScene(int items) {
  return remembered("components-" + std::to_string(items),
                    [](std::ostream& out, int n, int) {
                      const int side = static_cast<int>(std::ceil(std::sqrt(2.0 * n))), faces = side * side;
                      out << header() << "createNode transform -n \"grid\";\n";
                      writeMeshNode(out, "gridShape", "grid");
                      out << "\tsetAttr -s 2 \".iog[0].og\";\n"
                          << "\tsetAttr \".iog[0].og[0].gcl\" -type \"componentList\" " << n + (faces > 2 * n);
                      writeAlternateFaces(out, 1, n);
                      if (faces > 2 * n)
                        out << " \"f[" << 2 * n << ":" << faces - 1 << "]\"";
                      out << ";\n\tsetAttr \".iog[0].og[1].gcl\" -type \"componentList\" " << n;
                      writeAlternateFaces(out, 0, n);
                      out << ";\n";
                      writeGridGeometry(out, side);
                      out << "createNode lambert -n \"lambert2\";\n"
                          << "createNode shadingEngine -n \"lambert2SG\";\n\tsetAttr \".ihi\" 0;\n\tsetAttr \".ro\" yes;\n"
                          << "createNode materialInfo -n \"materialInfo1\";\n"
                          << "createNode groupId -n \"groupId1\";\n\tsetAttr \".ihi\" 0;\n"
                          << "createNode groupId -n \"groupId2\";\n\tsetAttr \".ihi\" 0;\n"
                          << "connectAttr \"groupId1.id\" \"gridShape.iog.og[0].gid\";\n"
                          << "connectAttr \":initialShadingGroup.mwc\" \"gridShape.iog.og[0].gco\";\n"
                          << "connectAttr \"groupId2.id\" \"gridShape.iog.og[1].gid\";\n"
                          << "connectAttr \"lambert2SG.mwc\" \"gridShape.iog.og[1].gco\";\n"
                          << "connectAttr \"lambert2.oc\" \"lambert2SG.ss\";\n"
                          << "connectAttr \"gridShape.iog.og[1]\" \"lambert2SG.dsm\" -na;\n"
                          << "connectAttr \"groupId2.msg\" \"lambert2SG.gn\" -na;\n"
                          << "connectAttr \"lambert2SG.msg\" \"materialInfo1.sg\";\n"
                          << "connectAttr \"lambert2.msg\" \"materialInfo1.m\";\n"
                          << "connectAttr \"gridShape.iog.og[0]\" \":initialShadingGroup.dsm\" -na;\n"
                          << "connectAttr \"groupId1.msg\" \":initialShadingGroup.gn\" -na;\n";
                    },
                    items, 0);
}

const int kBlendSide = 40;         // the base mesh: a grid of 40 x 40 quads, 1,681 vertices
const int kMovedPerTarget = 64;    // vertices a target moves, in two runs of 32

// Target k's points and components on item 6000 (weight 1).
void writeTarget(std::ostream& out, int k) {
  const int vertices = (kBlendSide + 1) * (kBlendSide + 1), run = kMovedPerTarget / 2;
  const int first = (k * 37) % (vertices / 2 - run), second = vertices / 2 + (k * 53) % (vertices / 2 - run);
  out << "\tsetAttr \".it[0].itg[" << k << "].iti[6000].ipt\" -type \"pointArray\" " << kMovedPerTarget;
  for (int i = 0; i < kMovedPerTarget; ++i)
    out << (i % 3 == 0 ? "\n\t\t " : " ") << "0 " << 0.01 * (1 + k % 7) << " 0 1";
  out << " ;\n\tsetAttr \".it[0].itg[" << k << "].iti[6000].ict\" -type \"componentList\" 2 \"vtx[" << first << ":"
      << first + run - 1 << "]\" \"vtx[" << second << ":" << second + run - 1 << "]\";\n";
}

// A grid deformed by a blendShape of `count` targets, all weighted 0.1.
std::string blendShapeScene(int count) {
  return remembered("blendshape-" + std::to_string(count),
                    [](std::ostream& out, int n, int) {
                      out << header() << "createNode transform -n \"grid\";\n";
                      writeMeshNode(out, "gridShape", "grid");
                      writeMeshNode(out, "gridShapeOrig", "grid");
                      out << "\tsetAttr \".io\" yes;\n";
                      writeGridGeometry(out, kBlendSide);
                      out << "createNode blendShape -n \"blendShape1\";\n"
                          << "\taddAttr -ci true -h true -sn \"aal\" -ln \"attributeAliasList\" -dt \"attributeAlias\";\n"
                          << "\tsetAttr -s " << n << " \".w[0:" << n - 1 << "]\" ";
                      for (int k = 0; k < n; ++k)
                        out << " 0.1";
                      out << ";\n\tsetAttr -s " << n << " \".it[0].itg\";\n";
                      for (int k = 0; k < n; ++k)
                        writeTarget(out, k);
                      out << "\tsetAttr \".mlid\" 0;\n\tsetAttr \".mlpr\" 0;\n"
                          << "\tsetAttr -s " << n << " \".pndr[0:" << n - 1 << "]\" ";
                      for (int k = 0; k < n; ++k)
                        out << " 0";
                      out << ";\n\tsetAttr \".tgdt[0].cid\" -type \"Int32Array\" " << n;
                      for (int k = 0; k < n; ++k)
                        out << " " << k;
                      out << " ;\n\tsetAttr \".aal\" -type \"attributeAlias\" {";
                      for (int k = 0; k < n; ++k)
                        out << (k ? "," : "") << "\"target" << k << "\",\"weight[" << k << "]\"";
                      out << "} ;\n"
                          << "createNode groupParts -n \"blendShape1GroupParts\";\n\tsetAttr \".ihi\" 0;\n"
                          << "\tsetAttr \".ic\" -type \"componentList\" 1 \"vtx[*]\";\n"
                          << "createNode groupId -n \"blendShape1GroupId\";\n\tsetAttr \".ihi\" 0;\n"
                          << "connectAttr \"blendShape1GroupId.id\" \"gridShape.iog.og[0].gid\";\n"
                          << "connectAttr \"blendShape1GroupParts.og\" \"blendShape1.ip[0].ig\";\n"
                          << "connectAttr \"blendShape1GroupId.id\" \"blendShape1.ip[0].gi\";\n"
                          << "connectAttr \"gridShapeOrig.w\" \"blendShape1GroupParts.ig\";\n"
                          << "connectAttr \"blendShape1GroupId.id\" \"blendShape1GroupParts.gi\";\n"
                          << "connectAttr \"blendShape1.og[0]\" \"gridShape.i\";\n"
                          << "connectAttr \"gridShape.iog\" \":initialShadingGroup.dsm\" -na;\n";
                    },
                    count, 0);
}

// The load or the save of the two scenes, then the peaks of processes doing the same.
void loadOrSave(benchmark::State& state, Operation operation, const std::string& small, const std::string& large) {
  if (operation == kSave) {
    saveBoth(state, small, large);
    reportPeaks(state, small, large, {"--save", ownTemporary("saved.ma")});
  } else {
    loadBoth(state, small, large);
    reportPeaks(state, small, large);
  }
}

// Args: chain (1) or siblings (0), the kind of node (0 transform, 1 joint),
// the operation (0 load, 1 save); 8,000 nodes in a chain, 5,000 siblings.
void BM_DagNodesScale(benchmark::State& state) {
  const bool chain = state.range(0) != 0;
  const NodeKind kind = static_cast<NodeKind>(state.range(1));
  const int count = chain ? 8000 : 5000;
  loadOrSave(state, static_cast<Operation>(state.range(2)), dagScene(kind, count, chain),
             dagScene(kind, 4 * count, chain));
}
BENCHMARK(BM_DagNodesScale)->ArgsProduct({{1, 0}, {kTransform, kJoint}, {kLoad, kSave}})
    ->ArgNames({"chain", "joint", "save"})->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

// Arg: the operation (0 load, 1 save).
void BM_ConnectionsScale(benchmark::State& state) {
  const int count = 3000;
  loadOrSave(state, static_cast<Operation>(state.range(0)), connectionScene(count), connectionScene(4 * count));
}
BENCHMARK(BM_ConnectionsScale)->Arg(kLoad)->Arg(kSave)->ArgName("save")->Unit(benchmark::kMillisecond)
    ->Iterations(3)->UseManualTime();

void BM_ComponentListScale(benchmark::State& state) {
  const int items = 100000;
  loadOrSave(state, static_cast<Operation>(state.range(0)), componentScene(items), componentScene(4 * items));
}
BENCHMARK(BM_ComponentListScale)->Arg(kLoad)->Arg(kSave)->ArgName("save")->Unit(benchmark::kMillisecond)
    ->Iterations(3)->UseManualTime();

void BM_BlendShapeTargetsScale(benchmark::State& state) {
  const int count = 800;
  loadOrSave(state, static_cast<Operation>(state.range(0)), blendShapeScene(count), blendShapeScene(4 * count));
}
BENCHMARK(BM_BlendShapeTargetsScale)->Arg(kLoad)->Arg(kSave)->ArgName("save")->Unit(benchmark::kMillisecond)
    ->Iterations(3)->UseManualTime();

}  // namespace
