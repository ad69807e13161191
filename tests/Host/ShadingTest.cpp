#include "HostFixture.h"

#include <maya/MFnSet.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItSelectionList.h>
#include <maya/MPlugArray.h>

#include <filesystem>
#include <fstream>

TEST_F(HostTest, NewSceneHasMayasDefaultSetsAndShader) {
  MStringArray sets;
  ASSERT_EQ(MGlobal::executeCommand("ls -sets", sets, false, false), MStatus::kSuccess);
  ASSERT_EQ(sets.length(), 4u);
  EXPECT_EQ(sets[0], "defaultLightSet");
  EXPECT_EQ(sets[1], "defaultObjectSet");
  EXPECT_EQ(sets[2], "initialParticleSE");
  EXPECT_EQ(sets[3], "initialShadingGroup");
  EXPECT_EQ(MFnSet(node("initialShadingGroup")).restriction(), MFnSet::kRenderableOnly);
  EXPECT_EQ(MFnSet(node("defaultLightSet")).restriction(), MFnSet::kNone);
  MPlugArray sources;
  MFnDependencyNode(node("initialShadingGroup")).findPlug("surfaceShader").connectedTo(sources, true, false);
  ASSERT_EQ(sources.length(), 1u);
  EXPECT_EQ(MFnDependencyNode(sources[0].node()).name(), "lambert1");
}

TEST_F(HostTest, PerFaceMembershipComesBackAsPathAndFaceComponent) {
  quadMesh("split", true);
  mel("sets -renderable true -noSurfaceShader true -empty -name redSG;"
      "sets -renderable true -noSurfaceShader true -empty -name blueSG;"
      "sets -e -forceElement redSG split.f[0]; sets -e -forceElement blueSG split.f[1];");
  MSelectionList members;
  ASSERT_EQ(MFnSet(node("blueSG")).getMembers(members, true), MStatus::kSuccess);
  ASSERT_EQ(members.length(), 1u);
  MDagPath p;
  MObject component;
  ASSERT_EQ(members.getDagPath(0, p, component), MStatus::kSuccess);
  EXPECT_EQ(p.fullPathName(), "|split|splitShape");
  ASSERT_FALSE(component.isNull());
  EXPECT_EQ(static_cast<int>(component.apiType()), 528);
  MItMeshPolygon faces(p, component);
  ASSERT_FALSE(faces.isDone());
  EXPECT_EQ(faces.index(), 1);
  faces.next();
  EXPECT_TRUE(faces.isDone());
  // The membership is Maya's: instObjGroups[0].objectGroups[k] feeding dagSetMembers.
  EXPECT_EQ(mel("getAttr splitShape.instObjGroups[0].objectGroups[1].objectGrpCompList"), "f[1]");
}

TEST_F(HostTest, WholeObjectMembershipHasNoComponent) {
  quadMesh("whole");
  MFnSet set(node("initialShadingGroup"));
  ASSERT_EQ(set.addMember(path("wholeShape")), MStatus::kSuccess);
  MSelectionList members;
  set.getMembers(members, true);
  ASSERT_EQ(members.length(), 1u);
  MDagPath p;
  MObject component;
  members.getDagPath(0, p, component);
  EXPECT_EQ(p.partialPathName(), "wholeShape");
  EXPECT_TRUE(component.isNull());
}

// Maya leaves the order of getConnections undocumented; the host answers the
// latest connection first so that no caller can pair plugs by their order.
TEST_F(HostTest, SwitchConnectionsDoNotComeBackInCreationOrder) {
  quadMesh("pSphere");
  quadMesh("pCube");
  mel("createNode blinn -n blinn1; createNode tripleShadingSwitch -n sw;"
      "createNode file -n skyFile; createNode file -n woodFile;"
      "connectAttr pSphereShape.instObjGroups[0] sw.input[0].inShape;"
      "connectAttr skyFile.outColor sw.input[0].inTriple;"
      "connectAttr pCubeShape.instObjGroups[0] sw.input[1].inShape;"
      "connectAttr woodFile.outColor sw.input[1].inTriple;"
      "connectAttr sw.output blinn1.color;");
  MObject sw = node("sw");
  EXPECT_EQ(static_cast<int>(sw.apiType()), 593);
  MPlugArray conns;
  MFnDependencyNode(sw).getConnections(conns);
  ASSERT_EQ(conns.length(), 5u);
  std::vector<std::string> sources;
  for (unsigned int i = 1; i < 5; ++i) {
    MPlugArray from;
    ASSERT_TRUE(conns[i].connectedTo(from, true, false));
    sources.push_back(MFnDependencyNode(from[0].node()).name().asChar());
  }
  EXPECT_EQ(sources, (std::vector<std::string>{"woodFile", "pCubeShape", "skyFile", "pSphereShape"}));
  // The switch's own structure pairs them: input[1]'s shape and value.
  MPlug input = MFnDependencyNode(sw).findPlug("input", true);
  ASSERT_EQ(input.numElements(), 2u);
  MPlug second = input.elementByPhysicalIndex(1);
  EXPECT_EQ(second.logicalIndex(), 1u);
  MObject inShape = MFnDependencyNode(sw).attribute("inShape");
  MPlugArray shape;
  ASSERT_TRUE(second.child(inShape).connectedTo(shape, true, false));
  EXPECT_EQ(MFnDependencyNode(shape[0].node()).name(), "pCubeShape");
  MPlugArray color;
  MFnDependencyNode(node("blinn1")).findPlug("color").connectedTo(color, true, false);
  ASSERT_EQ(color.length(), 1u);
  EXPECT_EQ(color[0].node(), sw);
}

TEST_F(HostTest, FileLocationQueryFindsWorkspaceFilesOrAnswersUnknown) {
  namespace fs = std::filesystem;
  fs::path ws = fs::current_path() / "host-workspace";
  fs::create_directories(ws / "maps");
  std::ofstream(ws / "maps" / "wood.tga") << "x";
  OmbrixHost::setWorkspaceRoot(ws.generic_string());
  MString location;
  MGlobal::executeCommand("file -q -loc \"missing/sky.tga\";", location, false, false);
  EXPECT_EQ(location, "unknown");
  MGlobal::executeCommand("file -q -loc \"maps/wood.tga\";", location, false, false);
  EXPECT_EQ(location, MString((ws.generic_string() + "/maps/wood.tga").c_str()));
  MString dir;
  MGlobal::executeCommand("workspace -q -dir", dir, false, false);
  EXPECT_EQ(dir, MString((ws.generic_string() + "/").c_str()));
  fs::remove_all(ws);
}

TEST_F(HostTest, FileTextureNameReadsAsString) {
  mel("createNode file -n f1; setAttr -type \"string\" f1.fileTextureName \"sky.tga\";");
  MString name = "Unknown Filename";
  ASSERT_EQ(MFnDependencyNode(node("f1")).findPlug("fileTextureName").getValue(name), MStatus::kSuccess);
  EXPECT_EQ(name, "sky.tga");
  MString untouched = "Unknown Filename";
  EXPECT_FALSE(MFnDependencyNode(node("f1")).findPlug("outAlpha").getValue(untouched));
  EXPECT_EQ(untouched, "Unknown Filename");
}
