// The interface's value classes and function sets beyond the scene walks.
#include "HostFixture.h"

#include <maya/MDagPathArray.h>
#include <maya/MFloatArray.h>
#include <maya/MFnAttribute.h>
#include <maya/MFnSet.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MItSelectionList.h>
#include <maya/MMatrix.h>
#include <maya/MPlugArray.h>
#include <maya/MPointArray.h>

TEST_F(HostTest, PlugsNameTheirElementsAndChildrenAsMayaDoes) {
  quadMesh("p");
  MFnDependencyNode shape(node("pShape"));
  MPlug iog = shape.findPlug("instObjGroups");
  ASSERT_TRUE(iog.isArray());
  MPlug og = iog.elementByLogicalIndex(0).child(0).elementByLogicalIndex(2);
  MPlug list = og.child(0);
  EXPECT_EQ(list.name(), "pShape.iog[0].og[2].gcl");
  EXPECT_EQ(list.partialName(false, false, false, false, true, true),
            "instObjGroups[0].objectGroups[2].objectGrpCompList");
  EXPECT_TRUE(og.isElement());
  EXPECT_EQ(og.logicalIndex(), 2u);
  EXPECT_EQ(og.array().isArray(), true);
  EXPECT_EQ(list.parent(), og);
  EXPECT_TRUE(list.isChild());
  EXPECT_FALSE(iog.elementByLogicalIndex(0).isArray());

  MPlug tx = MFnDependencyNode(node("p")).findPlug("tx");
  EXPECT_EQ(tx.name(), "p.tx") << "short names, as Maya writes plug names";
  EXPECT_EQ(tx.setValue(2.5), MStatus::kSuccess);
  EXPECT_DOUBLE_EQ(tx.asDouble(), 2.5);
  MStatus st;
  EXPECT_TRUE(MFnDependencyNode(node("p")).findPlug("noSuchAttribute", &st).isNull());
  EXPECT_EQ(st, MStatus::kInvalidParameter);
  // Values of an array need an index.
  EXPECT_FALSE(iog.setValue(1));
}

TEST_F(HostTest, ArrayPlugsListTheIndicesInUse) {
  mel("createNode polyTweakUV -n tw; setAttr tw.newUV[4].faceId 1; setAttr tw.newUV[9].faceId 2;");
  MPlug newUV = MFnDependencyNode(node("tw")).findPlug("newUV");
  MIntArray used;
  EXPECT_EQ(newUV.getExistingArrayAttributeIndices(used), 2);
  EXPECT_EQ(used[0], 4);
  EXPECT_EQ(used[1], 9);
  EXPECT_EQ(newUV.elementByPhysicalIndex(1).logicalIndex(), 9u);
  EXPECT_EQ(newUV.numElements(), 2u);
}

TEST_F(HostTest, SelectionListsTakeNamesPatternsAndComponents) {
  quadMesh("alpha", true);
  quadMesh("beta");
  MSelectionList list;
  ASSERT_EQ(list.add("alpha*"), MStatus::kSuccess);
  EXPECT_EQ(list.length(), 2u);  // alpha and alphaShape
  ASSERT_EQ(list.add("alpha.f[1]"), MStatus::kSuccess);
  MDagPath p;
  MObject component;
  ASSERT_EQ(list.getDagPath(2, p, component), MStatus::kSuccess);
  EXPECT_EQ(p.partialPathName(), "alphaShape");
  MFnSingleIndexedComponent faces(component);
  ASSERT_EQ(faces.elementCount(), 1);
  EXPECT_EQ(faces.element(0), 1);
  MStringArray strings;
  list.getSelectionStrings(strings);
  EXPECT_EQ(strings[2], "alphaShape.f[1]");
  // Merging keeps one entry per path and component.
  list.add(path("betaShape"), MObject::kNullObj, true);
  list.add(path("betaShape"), MObject::kNullObj, true);
  EXPECT_EQ(list.length(), 4u);
  MItSelectionList meshes(list, MFn::kMesh);
  int count = 0;
  for (; !meshes.isDone(); meshes.next())
    ++count;
  EXPECT_EQ(count, 3);
  MSelectionList none;
  EXPECT_EQ(none.add("nothing"), MStatus::kInvalidParameter);
  EXPECT_FALSE(list.getDagPath(99, p));
}

TEST_F(HostTest, ActiveSelectionFollowsTheListAdjustments) {
  quadMesh("a");
  quadMesh("b");
  ASSERT_EQ(MGlobal::selectByName("a", MGlobal::kReplaceList), MStatus::kSuccess);
  MGlobal::selectByName("b", MGlobal::kAddToList);
  MSelectionList active;
  MGlobal::getActiveSelectionList(active);
  ASSERT_EQ(active.length(), 2u);
  MSelectionList headFirst;
  headFirst.add("bShape");
  MGlobal::setActiveSelectionList(headFirst, MGlobal::kAddToHeadOfList);
  MGlobal::getActiveSelectionList(active);
  MStringArray names;
  active.getSelectionStrings(names);
  ASSERT_EQ(names.length(), 3u);
  EXPECT_EQ(names[0], "bShape");
  EXPECT_EQ(mel("select -cl; select -add b; ls -sl"), "b");
  EXPECT_EQ(mel("select -d b; ls -sl"), "");
}

TEST_F(HostTest, DagNodesReportParentsChildrenAndShapes) {
  quadMesh("t");
  MDagPath transformPath = path("t");
  ASSERT_EQ(transformPath.extendToShape(), MStatus::kSuccess);
  EXPECT_EQ(transformPath.partialPathName(), "tShape");
  EXPECT_EQ(MFnDagNode(transformPath.transform()).name(), "t");
  MFnDagNode shape(node("tShape"));
  EXPECT_EQ(shape.parentCount(), 1u);
  EXPECT_EQ(MFnDagNode(shape.parent(0)).name(), "t");
  EXPECT_FALSE(shape.isIntermediateObject());
  shape.setIntermediateObject(true);
  EXPECT_TRUE(shape.isIntermediateObject());
  EXPECT_EQ(mel("getAttr tShape.io"), "1");
  // A second shape under the same transform: extendToShape skips the intermediate one.
  MDagPath again = path("t");
  EXPECT_EQ(again.extendToShape(), MStatus::kFailure);
  mel("createNode transform -n lone; parent -w lone;");
  EXPECT_EQ(path("lone").fullPathName(), "|lone");
  EXPECT_EQ(mel("parent lone t; ls -l lone"), "|t|lone");
  MObject lone = node("lone");
  EXPECT_EQ(MFnDagNode(node("t")).removeChild(lone), MStatus::kSuccess);
  EXPECT_EQ(path("lone").fullPathName(), "|lone");
}

TEST_F(HostTest, MeshCreationValidatesItsArraysAndAnswersWorldPoints) {
  MFnDagNode transform;
  MObject t = transform.create("transform", "m");
  MFnDependencyNode(t).findPlug("translateY").setValue(10.0);
  MFloatPointArray points;
  points.append(MFloatPoint(0, 0, 0));
  points.append(MFloatPoint(1, 0, 0));
  points.append(MFloatPoint(0, 1, 0));
  MIntArray counts, connects;
  counts.append(3);
  for (int v : {0, 1, 5})
    connects.append(v);
  MFnMesh mesh;
  MStatus st;
  mesh.create(3, 1, points, counts, connects, t, &st);
  EXPECT_EQ(st, MStatus::kInvalidParameter) << "vertex 5 does not exist";
  connects[2] = 2;
  MObject shape = mesh.create(3, 1, points, counts, connects, t, &st);
  ASSERT_EQ(st, MStatus::kSuccess);
  EXPECT_TRUE(shape.hasFn(MFn::kMesh));
  MDagPath p;
  MDagPath::getAPathTo(shape, p);
  MFnMesh onPath(p);
  MPointArray world;
  onPath.getPoints(world, MSpace::kWorld);
  EXPECT_DOUBLE_EQ(world[2].y, 11.0);
  ASSERT_EQ(onPath.setPoint(2, MPoint(0, 20, 0), MSpace::kWorld), MStatus::kSuccess);
  MPoint local;
  onPath.getPoint(2, local);
  EXPECT_DOUBLE_EQ(local.y, 10.0);
  // A shape answers object and world space only; world space needs a path.
  for (MSpace::Space transformSpace : {MSpace::kTransform, MSpace::kPostTransform, MSpace::kInvalid}) {
    EXPECT_EQ(onPath.getPoints(world, transformSpace), MStatus::kInvalidParameter) << transformSpace;
    EXPECT_EQ(onPath.getPoint(2, local, transformSpace), MStatus::kInvalidParameter) << transformSpace;
    EXPECT_EQ(onPath.setPoint(2, local, transformSpace), MStatus::kInvalidParameter) << transformSpace;
  }
  EXPECT_EQ(MFnMesh(shape).getPoints(world, MSpace::kWorld), MStatus::kInvalidParameter);
  EXPECT_EQ(MFnMesh(shape).getPoints(world, MSpace::kObject), MStatus::kSuccess);
  EXPECT_DOUBLE_EQ(world[2].y, 10.0);

  MString second = onPath.createUVSetWithName("map1");
  EXPECT_EQ(second, "map11");
  EXPECT_EQ(onPath.numUVSets(), 2);
  EXPECT_EQ(onPath.setCurrentUVSetName("nope"), MStatus::kInvalidParameter);
  ASSERT_EQ(onPath.setCurrentUVSetName(second), MStatus::kSuccess);
  MFloatArray us, vs;
  us.append(0.5f);
  vs.append(0.5f);
  onPath.setUVs(us, vs);
  MIntArray uvCounts, uvIds;
  uvCounts.append(3);
  for (int i = 0; i < 3; ++i)
    uvIds.append(0);
  ASSERT_EQ(onPath.assignUVs(uvCounts, uvIds), MStatus::kSuccess);
  MIntArray gotCounts, gotIds;
  onPath.getAssignedUVs(gotCounts, gotIds);
  EXPECT_EQ(gotCounts[0], 3);
  MString first = "map1";
  float u = -1, v = -1;
  EXPECT_FALSE(onPath.getPolygonUV(0, 0, u, v, &first));  // the first set has no UVs
  EXPECT_EQ(u, -1.0f);
}

TEST_F(HostTest, SetsCreatedFromAListHoldTheirMembersAndNestedSets) {
  quadMesh("a");
  quadMesh("b", true);
  MSelectionList members;
  members.add(path("aShape"));
  MFnSingleIndexedComponent vertices;
  MObject comp = vertices.create(MFn::kMeshVertComponent);
  vertices.addElement(2);
  members.add(path("bShape"), comp);
  MFnSet set;
  MObject created = set.create(members, MFnSet::kRenderableOnly);
  ASSERT_FALSE(created.isNull());
  EXPECT_EQ(set.restriction(), MFnSet::kRenderableOnly);
  EXPECT_TRUE(set.isMember(path("aShape")));
  MSelectionList got;
  set.getMembers(got, false);
  ASSERT_EQ(got.length(), 2u);
  MDagPath p;
  MObject c;
  got.getDagPath(1, p, c);
  EXPECT_EQ(static_cast<int>(c.apiType()), 530);

  MFnSet outer;
  MSelectionList inner;
  inner.add(created);
  outer.create(inner);
  MSelectionList flat, shallow;
  outer.getMembers(flat, true);
  outer.getMembers(shallow, false);
  EXPECT_EQ(flat.length(), 2u);
  ASSERT_EQ(shallow.length(), 1u);
  MObject nested;
  shallow.getDependNode(0, nested);
  EXPECT_EQ(nested, created);
  EXPECT_EQ(mel("sets -q " + std::string(MFnDependencyNode(created).name().asChar())), "aShape bShape.vtx[2]");
}

TEST_F(HostTest, ObjectsCompareByWhatTheyNameAndGoNullWhenDeleted) {
  quadMesh("x");
  MObject a = node("xShape"), b = node("xShape");
  EXPECT_EQ(a, b);
  EXPECT_NE(a, node("x"));
  EXPECT_STREQ(a.apiTypeStr(), "kMesh");
  EXPECT_TRUE(MObject::kNullObj.isNull());
  mel("delete x");
  EXPECT_TRUE(a.isNull());
  EXPECT_EQ(a.apiType(), MFn::kInvalid);
  MFnMesh dead(a);
  EXPECT_EQ(dead.numPolygons(), 0);
}

TEST_F(HostTest, MatricesInvertAndPointsTransformAsRowVectors) {
  double values[4][4] = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 2, 0}, {3, 4, 5, 1}};
  MMatrix m(values);
  MPoint p = MPoint(1, 0, 0) * m;
  EXPECT_DOUBLE_EQ(p.x, 3.0);
  EXPECT_DOUBLE_EQ(p.y, 5.0);
  EXPECT_TRUE((m * m.inverse()).isEquivalent(MMatrix::identity, 1e-12));
  EXPECT_DOUBLE_EQ(m.det4x4(), 2.0);
  EXPECT_EQ(m.transpose().transpose(), m);
}

TEST_F(HostTest, NamesStayUniqueTheWayMayaMakesThem) {
  EXPECT_EQ(mel("createNode lambert"), "lambert2");  // lambert1 comes with the scene
  EXPECT_EQ(mel("createNode lambert -n \"lambert2\""), "lambert3");
  EXPECT_EQ(mel("createNode transform -n \"a#\""), "a1");
  EXPECT_EQ(mel("createNode mesh"), "polySurfaceShape1");
}
