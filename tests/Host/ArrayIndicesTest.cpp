// Which indices an array plug has, in which order, and which index "-na"
// takes next: values and connections of the array's elements and of the
// plugs below them, through gaps, far indices, removals and undo.
#include "HistoryScene.h"
#include "HostFixture.h"

#include <maya/MDGModifier.h>
#include <maya/MIntArray.h>
#include <maya/MPlugArray.h>

#include <string>
#include <vector>

namespace {

using HistoryScene::joined;
using HistoryScene::loadScene;

MPlug plugOf(const char* nodeName, const char* attr) {
  return MFnDependencyNode(HostTest::node(nodeName)).findPlug(attr, true);
}

// The indices as getExistingArrayAttributeIndices, numElements and
// elementByPhysicalIndex give them; the three must agree.
std::vector<int> indicesOf(const MPlug& array) {
  MIntArray used;
  MPlug copy(array);
  copy.getExistingArrayAttributeIndices(used);
  std::vector<int> out;
  for (unsigned int i = 0; i < used.length(); ++i) {
    out.push_back(used[i]);
    EXPECT_EQ(array.elementByPhysicalIndex(i).logicalIndex(), static_cast<unsigned int>(used[i]));
  }
  EXPECT_EQ(array.numElements(), used.length());
  return out;
}

std::vector<int> indicesOf(const char* nodeName, const char* attr) { return indicesOf(plugOf(nodeName, attr)); }

// weightList[v].weights of skin `s`.
std::vector<int> weightsOf(int vertex) {
  return indicesOf(plugOf("s", "weightList").elementByLogicalIndex(static_cast<unsigned int>(vertex)).child(0));
}

// What feeds members.dsm[index].
std::string memberAt(unsigned int index) {
  MPlugArray sources;
  plugOf("members", "dsm").elementByLogicalIndex(index).connectedTo(sources, true, false);
  return sources.length() == 1 ? sources[0].name().asChar() : "";
}

using Ints = std::vector<int>;

// Matrices of influences 0..count-1 for the skinCluster a scene text is
// filling, so that weights naming them are not refused as stray.
std::string influenceMatrices(int count) {
  std::string out;
  for (int j = 0; j < count; ++j)
    out += "\tsetAttr \".ma[" + std::to_string(j) + "]\" -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;\n";
  return out;
}

}  // namespace

TEST_F(HostTest, ArrayIndicesMergeValuesAndConnectionsInOrderEachOnce) {
  mel("createNode skinCluster -n s; createNode joint -n j1; createNode joint -n j2; createNode groupId -n g;");
  // Rows of a nested array set out of order, with gaps and one far index.
  mel("setAttr s.wl[9].w[3] 0.5; setAttr s.wl[2].w[7] 1; setAttr s.wl[2].w[1] 0.25; setAttr s.wl[40].w[0] 1;"
      "setAttr s.wl[99999999].w[5] 1;");
  EXPECT_EQ(indicesOf("s", "wl"), (Ints{2, 9, 40, 99999999}));
  EXPECT_EQ(weightsOf(2), (Ints{1, 7}));
  EXPECT_EQ(weightsOf(9), (Ints{3}));
  EXPECT_EQ(weightsOf(5), Ints{}) << "a row never set has no weights, whatever its neighbours hold";
  EXPECT_EQ(mel("getAttr -s s.wl[2].w"), "2");

  // One array with both: a value and a connection on the same element count once.
  mel("setAttr s.ma[3] -type matrix 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;"
      "connectAttr j1.wm s.ma[3]; connectAttr j2.wm s.ma[1]; setAttr s.ma[0] -type matrix 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;");
  EXPECT_EQ(indicesOf("s", "ma"), (Ints{0, 1, 3}));
  // Elements that exist only through a plug below them: a connected child, a child's value.
  mel("connectAttr g.id s.ip[4].gi; setAttr s.ip[2].gi 7;");
  EXPECT_EQ(indicesOf("s", "ip"), (Ints{2, 4}));

  // Removed: a disconnected element without a value is gone; one with a value stays.
  // The source named as Maya's files name it, the array for its first element.
  mel("disconnectAttr j2.wm s.ma[1]; disconnectAttr j1.wm[0] s.ma[3];");
  EXPECT_EQ(indicesOf("s", "ma"), (Ints{0, 3}));
  mel("disconnectAttr g.id s.ip[4].gi;");
  EXPECT_EQ(indicesOf("s", "ip"), (Ints{2}));
}

TEST_F(HostTest, NextAvailableIndexFollowsTheLastElementThroughGapsAndDisconnections) {
  for (const char* name : {"a", "b", "c", "d"})
    quadMesh(name);
  mel("sets -empty -n members;");
  for (const char* shape : {"aShape", "bShape", "cShape"})
    mel(std::string("connectAttr -na ") + shape + ".iog members.dsm;");
  EXPECT_EQ(indicesOf("members", "dsm"), (Ints{0, 1, 2}));
  // A gap is not filled: the next element comes after the last. Maya's connectAttr
  // documentation says only "the next available index"; this pins the host's
  // answer, which a scene saved with -na gets back in the order it lists them.
  mel("disconnectAttr bShape.iog[0] members.dsm[1]; connectAttr -na dShape.iog members.dsm;");
  EXPECT_EQ(indicesOf("members", "dsm"), (Ints{0, 2, 3}));
  EXPECT_EQ(memberAt(3), "dShape.iog[0]");
  // The last element disconnected: its index is free again.
  mel("disconnectAttr dShape.iog[0] members.dsm[3]; connectAttr -na bShape.iog members.dsm;");
  EXPECT_EQ(indicesOf("members", "dsm"), (Ints{0, 2, 3}));
  EXPECT_EQ(memberAt(3), "bShape.iog[0]");

  // Values count as connections do: -na onto an array with values goes past the last value.
  mel("createNode skinCluster -n s; createNode joint -n j; setAttr s.ma[6] -type matrix 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;"
      "connectAttr -na j.wm s.ma;");
  EXPECT_EQ(indicesOf("s", "ma"), (Ints{6, 7}));
}

TEST_F(HostTest, UndoneDeletionAndDisconnectionPutIndicesAndOrderBack) {
  for (const char* name : {"a", "b", "c"})
    quadMesh(name);
  mel("sets -empty -n members; createNode groupId -n g;");
  for (const char* shape : {"aShape", "bShape", "cShape"})
    mel(std::string("connectAttr -na ") + shape + ".iog members.dsm;");
  // One source feeding three destinations: they are listed in the order made.
  for (const char* shape : {"aShape", "bShape", "cShape"})
    mel(std::string("addAttr -ln tag -at long ") + shape + "; connectAttr g.id " + shape + ".tag;");
  const std::string fed = mel("listConnections -s 0 -d 1 -p 1 g.id");
  EXPECT_EQ(fed, "aShape.tag bShape.tag cShape.tag");

  // A disconnection in the middle undone: the connection takes its place again.
  MDGModifier rewire;
  rewire.disconnect(plugOf("g", "id"), plugOf("bShape", "tag"));
  ASSERT_EQ(rewire.doIt(), MStatus::kSuccess);
  EXPECT_EQ(mel("listConnections -s 0 -d 1 -p 1 g.id"), "aShape.tag cShape.tag");
  ASSERT_EQ(rewire.undoIt(), MStatus::kSuccess);
  EXPECT_EQ(mel("listConnections -s 0 -d 1 -p 1 g.id"), fed);
  MPlugArray destinations;
  plugOf("g", "id").connectedTo(destinations, false, true);
  ASSERT_EQ(destinations.length(), 3u);
  EXPECT_EQ(destinations[1].name(), MString("bShape.tag"));

  // A deleted member brought back: its element is there again, under its index.
  MDGModifier modifier;
  modifier.deleteNode(node("bShape"));
  ASSERT_EQ(modifier.doIt(), MStatus::kSuccess);
  EXPECT_EQ(indicesOf("members", "dsm"), (Ints{0, 2}));
  EXPECT_EQ(mel("listConnections -s 0 -d 1 -p 1 g.id"), "aShape.tag cShape.tag");
  ASSERT_EQ(modifier.undoIt(), MStatus::kSuccess);
  EXPECT_EQ(mel("listConnections -s 0 -d 1 -p 1 g.id"), "aShape.tag cShape.tag bShape.tag")
      << "the deleted node's connections are made again, last";
  EXPECT_EQ(indicesOf("members", "dsm"), (Ints{0, 1, 2}));
  EXPECT_EQ(memberAt(1), "bShape.iog[0]");

  // And -na still goes past the last element.
  mel("disconnectAttr cShape.iog[0] members.dsm[2]; connectAttr -na cShape.iog members.dsm;");
  EXPECT_EQ(indicesOf("members", "dsm"), (Ints{0, 1, 2}));
}

// Weight rows that Maya cut between statements (the rest of a row given by
// the next statement under the same index) hold the same indices and values
// as the rows given whole. The cut form as the Maya 2023 rig of
// UlamogStar/MayaUVU's MonoPedChar has it.
TEST_F(HostTest, WeightRowsContinuedAcrossStatementsKeepTheirIndicesAndValues) {
  std::string influences;
  for (int j : {0, 1, 3, 9})
    influences += "createNode joint -n \"j" + std::to_string(j) + "\";\nconnectAttr \"j" + std::to_string(j) +
                  ".wm\" \"s.ma[" + std::to_string(j) + "]\";\n";
  const std::string whole = "createNode skinCluster -n \"s\";\n\tsetAttr -s 6 \".wl\";\n"
                            "\tsetAttr \".wl[0:5].w\"\n\t\t1 0 1\n\t\t1 0 1\n\t\t2 0 0.5 1 0.5\n"
                            "\t\t2 3 0.25 9 0.75\n\t\t1 1 1\n\t\t1 1 1;\n";
  const std::string cut = "createNode skinCluster -n \"s\";\n\tsetAttr -s 6 \".wl\";\n"
                          "\tsetAttr \".wl[0:3].w\"\n\t\t1 0 1\n\t\t1 0 1\n\t\t2 0 0.5 1 0.5\n\t\t1 3 0.25;\n"
                          "\tsetAttr \".wl[3:5].w\"\n\t\t1 9 0.75\n\t\t1 1 1\n\t\t1 1 1;\n";
  std::vector<std::vector<int>> rows[2];
  std::string values[2];
  for (int k = 0; k < 2; ++k) {
    auto problems = loadScene((k ? cut : whole) + influences);
    EXPECT_TRUE(problems.empty()) << joined(problems);
    EXPECT_EQ(indicesOf("s", "wl"), (Ints{0, 1, 2, 3, 4, 5}));
    for (int v = 0; v < 6; ++v)
      rows[k].push_back(weightsOf(v));
    values[k] = mel("getAttr s.wl[3].w[3]") + " " + mel("getAttr s.wl[3].w[9]") + " " + mel("getAttr s.wl[2].w[1]");
  }
  EXPECT_EQ(rows[1], rows[0]);
  EXPECT_EQ(rows[1][3], (Ints{3, 9}));
  EXPECT_EQ(values[1], values[0]);
  EXPECT_EQ(values[1], "0.25 0.75 0.5");
}

// A row's weights replaced, removed by an undo and given again keep the row's
// order; a row emptied is no element of weightList any more, and "-na" onto
// a row goes past its last weight.
TEST_F(HostTest, WeightRowsAnswerThroughReplacementUndoAndNextAvailable) {
  mel("createNode skinCluster -n s; createNode joint -n j; addAttr -ln amount -at double j;");
  mel("setAttr s.wl[3].w[4] 0.5; setAttr s.wl[3].w[1] 0.25; setAttr s.wl[3].w[4] 0.75; setAttr s.wl[7].w[0] 1;");
  EXPECT_EQ(weightsOf(3), (Ints{1, 4}));
  EXPECT_EQ(mel("getAttr s.wl[3].w[4]"), "0.75");
  auto weight = [](unsigned int v, unsigned int j) {
    return plugOf("s", "weightList").elementByLogicalIndex(v).child(0).elementByLogicalIndex(j);
  };
  MDGModifier onlyWeight, another;
  onlyWeight.newPlugValueDouble(weight(5, 2), 1.0);
  ASSERT_EQ(onlyWeight.doIt(), MStatus::kSuccess);
  EXPECT_EQ(indicesOf("s", "wl"), (Ints{3, 5, 7}));
  ASSERT_EQ(onlyWeight.undoIt(), MStatus::kSuccess);
  EXPECT_EQ(indicesOf("s", "wl"), (Ints{3, 7})) << "the undone assignment was the row's only weight";
  EXPECT_EQ(weightsOf(5), Ints{});
  another.newPlugValueDouble(weight(3, 2), 0.125);
  ASSERT_EQ(another.doIt(), MStatus::kSuccess);
  EXPECT_EQ(weightsOf(3), (Ints{1, 2, 4}));
  ASSERT_EQ(another.undoIt(), MStatus::kSuccess);
  mel("setAttr s.wl[3].w[9] 0.5;");
  EXPECT_EQ(weightsOf(3), (Ints{1, 4, 9}));
  EXPECT_EQ(mel("getAttr s.wl[3].w[1]") + " " + mel("getAttr s.wl[3].w[9]"), "0.25 0.5");
  mel("connectAttr -na j.amount s.wl[3].w;");
  EXPECT_EQ(weightsOf(3), (Ints{1, 4, 9, 10}));
  MPlugArray sources;
  weight(3, 10).connectedTo(sources, true, false);
  ASSERT_EQ(sources.length(), 1u);
  EXPECT_EQ(sources[0].name(), MString("j.amount"));
}

// Statements that differ only in their indices, as Maya saves a weight a
// statement, each reach their own element, and a statement that names
// something else is answered as it would be alone: the same message for an
// index out of range, another attribute, another node.
TEST_F(HostTest, StatementsOfOneShapeReachTheirOwnElementsAndFailAsAlone) {
  const std::string skin = "createNode skinCluster -n \"s\";\n\tsetAttr -s 3 \".wl\";\n" + influenceMatrices(11);
  const std::string weights = "\tsetAttr \".wl[0].w[1]\" 0.5;\n\tsetAttr \".wl[2].w[10]\" 0.25;\n"
                              "\tsetAttr \".wl[1].w[3]\" 1;\n\tsetAttr \".wl[0].w[7]\" 0.5;\n";
  auto problems = loadScene(skin + weights);
  EXPECT_TRUE(problems.empty()) << joined(problems);
  EXPECT_EQ(indicesOf("s", "wl"), (Ints{0, 1, 2}));
  EXPECT_EQ(weightsOf(0), (Ints{1, 7}));
  EXPECT_EQ(mel("getAttr s.wl[2].w[10]") + " " + mel("getAttr s.wl[1].w[3]"), "0.25 1");

  const char* odd[] = {"\tsetAttr \".wl[0].w[1234567890]\" 1;\n", "\tsetAttr \".wl[0].w[-1]\" 1;\n",
                       "\tsetAttr \".wl[0].w[1]x\" 1;\n"};
  for (const char* statement : odd) {
    const std::string alone = joined(loadScene(skin + statement));
    const std::string after = joined(loadScene(skin + weights + statement));
    ASSERT_NE(alone.find(": setAttr: "), std::string::npos) << statement << alone;
    EXPECT_EQ(after.substr(after.find(": ")), alone.substr(alone.find(": "))) << statement;
  }
  // An attribute of another name: one of its own, the row's weights untouched.
  EXPECT_TRUE(loadScene(skin + weights + "\tsetAttr \".wl[0].q[1]\" 0.125;\n").empty());
  EXPECT_EQ(weightsOf(0), (Ints{1, 7}));
  EXPECT_EQ(mel("getAttr s.wl[0].w[1]"), "0.5");
  // The same text on another node: an attribute of that node (one the host
  // does not know on a transform, kept as written), not the skinCluster's.
  problems = loadScene(skin + weights + "createNode transform -n \"t\";\n\tsetAttr \".wl[0].w[1]\" 1;\n");
  EXPECT_EQ(joined(problems).find("weight"), std::string::npos) << joined(problems);
  EXPECT_EQ(weightsOf(0), (Ints{1, 7}));
  EXPECT_EQ(mel("getAttr s.wl[0].w[1]"), "0.5");
}

// Each row of weights is an array of its own: a size declared for one row
// bounds that row's blocks only, and blocks that overlap, near or at a far
// row, are refused as any array's are.
TEST_F(HostTest, EachWeightRowKeepsItsOwnSizeAndBlocks) {
  const std::string skin = "createNode skinCluster -n \"s\";\n" + influenceMatrices(5) +
                           "\tsetAttr -s 2 \".wl[3].w\";\n\tsetAttr \".wl[4].w[0:2]\" 1 2 3;\n"
                           "\tsetAttr \".wl[5].w[1]\" 1;\n\tsetAttr \".wl[99999999].w[0:1]\" 1 2;\n";
  struct Case {
    const char* statement;
    const char* reason;
  };
  const Case cases[] = {
      {"\tsetAttr \".wl[3].w[0:2]\" 1 2 3;\n", "the block [0:2] is beyond the declared size 2 (s.wl[3].w[0:2]"},
      {"\tsetAttr \".wl[5].w[0:1]\" 1 2;\n", "the block [0:1] gives elements an earlier block gave (s.wl[5].w[0:1]"},
      {"\tsetAttr \".wl[99999999].w[1:2]\" 1 2;\n",
       "the block [1:2] gives elements an earlier block gave (s.wl[99999999].w[1:2]"},
  };
  for (const Case& c : cases) {
    const std::string problems = joined(loadScene(skin + c.statement));
    EXPECT_NE(problems.find(c.reason), std::string::npos) << c.statement << problems;
    EXPECT_EQ(weightsOf(4), (Ints{0, 1, 2}));
    EXPECT_EQ(indicesOf("s", "wl"), (Ints{4, 5, 99999999}));
  }
  EXPECT_TRUE(loadScene(skin + "\tsetAttr \".wl[3].w[0:1]\" 1 2;\n\tsetAttr \".wl[6].w[0:4]\" 1 2 3 4 5;\n").empty());
  EXPECT_EQ(weightsOf(3), (Ints{0, 1}));
  EXPECT_EQ(weightsOf(6), (Ints{0, 1, 2, 3, 4}));
}
