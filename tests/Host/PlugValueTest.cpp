// Plug values as the plug-in writes and reads them: elements of compound
// arrays, nested arrays, far and scattered indices, values of every kind on
// one attribute, and the order a saved scene lists them in.
#include "HostFixture.h"

#include <maya/MDGModifier.h>
#include <maya/MFnCompoundAttribute.h>

#include <filesystem>
#include <vector>

#include "Support/FileText.h"

namespace {

// newUV[index].<child c> of the tweak node `name`.
MPlug newUVChild(const char* name, unsigned int index, unsigned int c) {
  MPlug newUV = MFnDependencyNode(HostTest::node(name)).findPlug("newUV");
  return newUV.elementByLogicalIndex(index).child(c);
}

std::vector<int> usedIndices(MPlug array) {
  MIntArray used;
  array.getExistingArrayAttributeIndices(used);
  std::vector<int> out;
  for (unsigned int i = 0; i < used.length(); ++i)
    out.push_back(used[i]);
  return out;
}

}  // namespace

TEST_F(HostTest, CompoundArrayElementsKeepEachChildsValue) {
  mel("createNode polyTweakUV -n tw;");
  // One child plug moved from element to element, as a fill of many elements does.
  MPlug face = newUVChild("tw", 0, 0);
  MPlug u = newUVChild("tw", 0, 2);
  MObject newUV = MFnDependencyNode(node("tw")).attribute("newUV");
  for (unsigned int i = 0; i < 5000; ++i) {
    ASSERT_EQ(face.selectAncestorLogicalIndex(i, newUV), MStatus::kSuccess);
    ASSERT_EQ(u.selectAncestorLogicalIndex(i, newUV), MStatus::kSuccess);
    ASSERT_EQ(face.setValue(static_cast<int>(i * 3)), MStatus::kSuccess);
    ASSERT_EQ(u.setValue(0.25f + static_cast<float>(i)), MStatus::kSuccess);
  }
  EXPECT_EQ(newUVChild("tw", 4321, 0).asInt(), 4321 * 3);
  EXPECT_FLOAT_EQ(newUVChild("tw", 4321, 2).asFloat(), 4321.25f);
  EXPECT_EQ(newUVChild("tw", 4321, 1).asInt(), 0) << "a child never set reads its default";
  // Far and scattered indices beside the dense run; a value written twice keeps the last.
  ASSERT_EQ(newUVChild("tw", 2000000000u, 0).setValue(7), MStatus::kSuccess);
  ASSERT_EQ(newUVChild("tw", 9000000, 3).setValue(0.5f), MStatus::kSuccess);
  ASSERT_EQ(newUVChild("tw", 17, 0).setValue(-4), MStatus::kSuccess);
  EXPECT_EQ(newUVChild("tw", 2000000000u, 0).asInt(), 7);
  EXPECT_FLOAT_EQ(newUVChild("tw", 9000000, 3).asFloat(), 0.5f);
  EXPECT_EQ(newUVChild("tw", 17, 0).asInt(), -4);
  EXPECT_EQ(newUVChild("tw", 9000000, 0).asInt(), -1) << "faceId unset reads its default";
  MPlug array = MFnDependencyNode(node("tw")).findPlug("newUV");
  std::vector<int> used = usedIndices(array);
  ASSERT_EQ(used.size(), 5002u);
  EXPECT_EQ(used.front(), 0);
  EXPECT_EQ(used[4999], 4999);
  EXPECT_EQ(used[5000], 9000000);
  EXPECT_EQ(used.back(), 2000000000);
  EXPECT_EQ(array.numElements(), 5002u);
  EXPECT_EQ(mel("getAttr -size tw.newUV"), "5002");
  EXPECT_EQ(mel("getAttr tw.newUV[17].faceId"), "-4");
}

TEST_F(HostTest, TextAndNumberArraysOfANodeStayApart) {
  mel("createNode transform -n holder;"
      "addAttr -ln \"notes\" -dt \"string\" -m holder;"
      "addAttr -ln \"weights\" -at \"double\" -m holder;");
  MFnDependencyNode holder(node("holder"));
  MPlug weights = holder.findPlug("weights");
  for (unsigned int i = 0; i < 10; ++i)
    ASSERT_EQ(weights.elementByLogicalIndex(i).setValue(i * 0.5), MStatus::kSuccess);
  MPlug notes = holder.findPlug("notes");
  ASSERT_EQ(notes.elementByLogicalIndex(3).setValue(MString("third")), MStatus::kSuccess);
  ASSERT_EQ(notes.elementByLogicalIndex(1).setValue(MString("first")), MStatus::kSuccess);
  EXPECT_EQ(notes.elementByLogicalIndex(3).asString(), "third");
  EXPECT_EQ(notes.elementByLogicalIndex(2).asString(), "");
  EXPECT_EQ(usedIndices(notes), (std::vector<int>{1, 3}));
  EXPECT_EQ(usedIndices(weights).size(), 10u);
  EXPECT_DOUBLE_EQ(weights.elementByLogicalIndex(7).asDouble(), 3.5);
}

TEST_F(HostTest, AnAttributeOfAnyKindHoldsWhatWasWrittenLast) {
  std::vector<std::string> problems;
  ASSERT_TRUE(OmbrixHost::loadMayaAsciiText("//Maya ASCII 2016 scene\ncreateNode transform -n \"odd\";\n"
                                            "\tsetAttr \".extra[3]\" 4;\n\tsetAttr \".extra[5]\" 6;\n",
                                            "odd.ma", problems));
  // An attribute the host does not know, kept by name: it takes numbers and texts.
  MPlug extra = MFnDependencyNode(node("odd")).findPlug("extra");
  ASSERT_FALSE(extra.isNull());
  ASSERT_EQ(extra.elementByLogicalIndex(3).setValue(4.0), MStatus::kSuccess);
  ASSERT_EQ(extra.elementByLogicalIndex(5).setValue(6.0), MStatus::kSuccess);
  EXPECT_DOUBLE_EQ(extra.elementByLogicalIndex(3).asDouble(), 4.0);
  ASSERT_EQ(extra.elementByLogicalIndex(3).setValue(MString("text")), MStatus::kSuccess);
  EXPECT_EQ(extra.elementByLogicalIndex(3).asString(), "text");
  double number = 0.0;
  EXPECT_NE(extra.elementByLogicalIndex(3).getValue(number), MStatus::kSuccess) << "a text is no number";
  EXPECT_EQ(usedIndices(extra), (std::vector<int>{3, 5}));
  ASSERT_EQ(extra.elementByLogicalIndex(3).setValue(8.5), MStatus::kSuccess);
  EXPECT_DOUBLE_EQ(extra.elementByLogicalIndex(3).asDouble(), 8.5);
  EXPECT_EQ(extra.elementByLogicalIndex(3).asString(), "");
  EXPECT_EQ(usedIndices(extra), (std::vector<int>{3, 5}));
}

TEST_F(HostTest, NestedArrayIndicesBelongToTheirOuterElement) {
  quadMesh("p");
  mel("setAttr pShape.instObjGroups[1].objectGroups[3].objectGrpCompList -type componentList 1 \"f[0]\";"
      "setAttr pShape.instObjGroups[1].objectGroups[5].objectGrpCompList -type componentList 1 \"f[0]\";"
      "setAttr pShape.instObjGroups[2].objectGroups[8].objectGrpCompList -type componentList 1 \"f[0]\";");
  MPlug iog = MFnDependencyNode(node("pShape")).findPlug("instObjGroups");
  EXPECT_EQ(usedIndices(iog), (std::vector<int>{1, 2}));
  EXPECT_EQ(usedIndices(iog.elementByLogicalIndex(1).child(0)), (std::vector<int>{3, 5}));
  EXPECT_EQ(usedIndices(iog.elementByLogicalIndex(2).child(0)), (std::vector<int>{8}));
  EXPECT_TRUE(usedIndices(iog.elementByLogicalIndex(0).child(0)).empty());
}

TEST_F(HostTest, SavedScenesListValuesByPlugNameAndReadBackTheSame) {
  mel("createNode polyTweakUV -n tw;"
      "setAttr tw.newUV[10].faceId 3; setAttr tw.newUV[2].faceId 1;"
      "setAttr tw.newUV[2].newUValue 0.75; setAttr tw.newUV[10].newVValue 0.125;");
  const std::string saved = (std::filesystem::current_path() / "host-plug-values.ma").string();
  std::string error;
  ASSERT_TRUE(OmbrixHost::saveMayaAscii(saved, error)) << error;
  const std::string text = ReadText(saved);
  const auto at = [&](const char* line) {
    const auto pos = text.find(line);
    EXPECT_NE(pos, std::string::npos) << line << " in\n" << text;
    return pos;
  };
  // Text order of the plug names, as the saved files have always had it.
  EXPECT_LT(at("setAttr \".newUV[10].faceId\" 3;"), at("setAttr \".newUV[10].newVValue\" 0.125;"));
  EXPECT_LT(at("setAttr \".newUV[10].newVValue\" 0.125;"), at("setAttr \".newUV[2].faceId\" 1;"));
  EXPECT_LT(at("setAttr \".newUV[2].faceId\" 1;"), at("setAttr \".newUV[2].newUValue\" 0.75;"));
  OmbrixHost::resetScene();
  std::vector<std::string> problems;
  ASSERT_TRUE(OmbrixHost::loadMayaAscii(saved, problems));
  std::filesystem::remove(saved);
  EXPECT_EQ(newUVChild("tw", 10, 0).asInt(), 3);
  EXPECT_FLOAT_EQ(newUVChild("tw", 2, 2).asFloat(), 0.75f);
  EXPECT_FLOAT_EQ(newUVChild("tw", 10, 3).asFloat(), 0.125f);
  EXPECT_EQ(usedIndices(MFnDependencyNode(node("tw")).findPlug("newUV")), (std::vector<int>{2, 10}));
}

// A run of assignments to one child, broken by an undo that takes the
// attribute's last value away, then resumed on the same child.
TEST_F(HostTest, AssignmentsAfterAnUndoEmptiedTheAttributeLand) {
  mel("createNode polyTweakUV -n tw;");
  MPlug u = newUVChild("tw", 3, 2);
  MDGModifier modifier;
  ASSERT_EQ(modifier.newPlugValueFloat(u, 0.5f), MStatus::kSuccess);
  ASSERT_EQ(modifier.doIt(), MStatus::kSuccess);
  EXPECT_EQ(u.asFloat(), 0.5f);
  ASSERT_EQ(modifier.undoIt(), MStatus::kSuccess);
  EXPECT_TRUE(usedIndices(MFnDependencyNode(node("tw")).findPlug("newUV")).empty());
  ASSERT_EQ(u.setValue(0.75f), MStatus::kSuccess);
  ASSERT_EQ(newUVChild("tw", 4, 2).setValue(0.25f), MStatus::kSuccess);
  ASSERT_EQ(newUVChild("tw", 4, 0).setValue(9), MStatus::kSuccess);
  EXPECT_EQ(newUVChild("tw", 3, 2).asFloat(), 0.75f);
  EXPECT_EQ(newUVChild("tw", 4, 2).asFloat(), 0.25f);
  EXPECT_EQ(newUVChild("tw", 4, 0).asInt(), 9);
  EXPECT_EQ(usedIndices(MFnDependencyNode(node("tw")).findPlug("newUV")), (std::vector<int>{3, 4}));
}
