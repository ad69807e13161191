#include "HostFixture.h"

#include <maya/MDGModifier.h>
#include <maya/MFloatArray.h>
#include <maya/MFnAttribute.h>
#include <maya/MFnCompoundAttribute.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MPlugArray.h>

TEST_F(HostTest, AssignUVsFollowsMayasValidation) {
  quadMesh("m", true);
  MFnMesh mesh(path("mShape"));
  MFloatArray us, vs;
  for (float u : {0.0f, 1.0f, 1.0f, 0.0f}) {
    us.append(u);
    vs.append(u == 0.0f ? 0.25f : 0.75f);
  }
  ASSERT_EQ(mesh.clearUVs(), MStatus::kSuccess);
  ASSERT_EQ(mesh.setUVs(us, vs), MStatus::kSuccess);
  MIntArray counts, ids;
  counts.append(3);
  EXPECT_FALSE(mesh.assignUVs(counts, ids));  // one count for two polygons
  counts.append(4);
  for (int id : {0, 1, 2, 0, 2, 3, 1})
    ids.append(id);
  EXPECT_FALSE(mesh.assignUVs(counts, ids));  // 4 for a triangle
  counts[1] = 3;
  EXPECT_FALSE(mesh.assignUVs(counts, ids));  // seven ids for six corners
  ids.remove(6);
  ids[5] = 9;
  EXPECT_FALSE(mesh.assignUVs(counts, ids));  // no UV 9
  ids[5] = 3;
  ASSERT_EQ(mesh.assignUVs(counts, ids), MStatus::kSuccess);
  float u = -1, v = -1;
  ASSERT_EQ(mesh.getPolygonUV(1, 2, u, v), MStatus::kSuccess);
  EXPECT_EQ(u, 0.0f);
  EXPECT_EQ(v, 0.25f);
  MString set;
  mesh.getCurrentUVSetName(set);
  EXPECT_EQ(set, "map1");
  // A polygon without UVs answers none.
  counts[0] = 0;
  ids.clear();
  for (int id : {0, 2, 3})
    ids.append(id);
  ASSERT_EQ(mesh.assignUVs(counts, ids), MStatus::kSuccess);
  MItMeshPolygon it(path("mShape"));
  EXPECT_FALSE(it.hasUVs());
  it.next();
  EXPECT_TRUE(it.hasUVs());
}

TEST_F(HostTest, TweakNodeElementsAreAddressedBySelectingTheAncestorIndex) {
  MStringArray created;
  ASSERT_EQ(MGlobal::executeCommand("createNode(\"polyTweakUV\")", created, false, false), MStatus::kSuccess);
  ASSERT_EQ(created.length(), 1u);
  EXPECT_EQ(created[0], "polyTweakUV1");
  MFnDependencyNode tweak(node(created[0].asChar()));
  MFnCompoundAttribute newUV(tweak.attribute("newUV"));
  ASSERT_EQ(newUV.numChildren(), 4u);
  MPlug plug = tweak.findPlug("newUV");
  ASSERT_TRUE(plug.isArray());
  MPlug element = plug.elementByLogicalIndex(0);
  MObject elementAttr = element.attribute();
  MFnCompoundAttribute children(elementAttr);
  MObject face = children.child(0), vertex = children.child(1), u = children.child(2), v = children.child(3);
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(element.selectAncestorLogicalIndex(static_cast<unsigned int>(i)), MStatus::kSuccess);
    EXPECT_EQ(element.child(face).setValue(10 + i), MStatus::kSuccess);
    EXPECT_EQ(element.child(vertex).setValue(20 + i), MStatus::kSuccess);
    EXPECT_EQ(element.child(u).setValue(0.5f), MStatus::kSuccess);
    EXPECT_EQ(element.child(v).setValue(0.25f + i), MStatus::kSuccess);
  }
  EXPECT_EQ(mel("getAttr polyTweakUV1.newUV[2].faceId"), "12");
  EXPECT_EQ(mel("getAttr polyTweakUV1.newUV[1].vertexId"), "21");
  EXPECT_EQ(mel("getAttr polyTweakUV1.newUV[2].newVValue"), "2.25");
  EXPECT_EQ(plug.numElements(), 3u);
}

TEST_F(HostTest, ModifierPutsATweakNodeBetweenHistoryAndMesh) {
  quadMesh("h");
  mel("createNode polyCube -n polyCube1; connectAttr polyCube1.output hShape.inMesh;");
  MStringArray history;
  MGlobal::executeCommand("listHistory h", history, false, false);
  ASSERT_EQ(history.length(), 2u);
  MStringArray created;
  MGlobal::executeCommand("createNode(\"polyTweakUV\")", created, false, false);
  MFnDependencyNode mesh(node("hShape"));
  MFnDependencyNode tweak(node(created[0].asChar()));
  MPlug inMesh = mesh.findPlug("inMesh");
  MPlugArray sources;
  ASSERT_TRUE(inMesh.connectedTo(sources, true, false));
  MDGModifier modifier;
  modifier.disconnect(sources[0], inMesh);
  modifier.connect(sources[0], tweak.findPlug("inputPolymesh"));
  modifier.connect(tweak.findPlug("output"), inMesh);
  ASSERT_EQ(modifier.doIt(), MStatus::kSuccess);

  inMesh.connectedTo(sources, true, false);
  ASSERT_EQ(sources.length(), 1u);
  EXPECT_EQ(sources[0].node(), tweak.object());
  tweak.findPlug("inputPolymesh").connectedTo(sources, true, false);
  EXPECT_EQ(MFnDependencyNode(sources[0].node()).name(), "polyCube1");
  MGlobal::executeCommand("listHistory h", history, false, false);
  EXPECT_EQ(history.length(), 3u);

  // A second connection into a connected destination is refused.
  MDGModifier again;
  again.connect(sources[0], inMesh);
  EXPECT_FALSE(again.doIt());
}

TEST_F(HostTest, MeshWithoutHistoryListsOnlyItself) {
  quadMesh("plain");
  MStringArray history;
  ASSERT_EQ(MGlobal::executeCommand("listHistory plainShape", history, false, false), MStatus::kSuccess);
  ASSERT_EQ(history.length(), 1u);
  EXPECT_EQ(history[0], "plainShape");
}
