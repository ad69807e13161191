#pragma once
// A fresh host scene per test, and small scene-building helpers.
#include "HostSession.h"

#include <maya/MDagPath.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

#include <gtest/gtest.h>

#include <string>

class HostTest : public ::testing::Test {
protected:
  // Each test starts as batch Maya with a new scene.
  void SetUp() override {
    OmbrixHost::setInteractive(false);
    OmbrixHost::resetScene();
  }

public:

  // Runs MEL that must succeed and answers its result as text.
  static std::string mel(const std::string& text) {
    OmbrixHost::MelValue result;
    std::string error;
    EXPECT_TRUE(OmbrixHost::runMel(text, result, error)) << text << ": " << error;
    return result.asString();
  }

  static std::string melError(const std::string& text) {
    OmbrixHost::MelValue result;
    std::string error;
    EXPECT_FALSE(OmbrixHost::runMel(text, result, error)) << text;
    return error;
  }

  static MObject node(const char* name) {
    MSelectionList list;
    EXPECT_EQ(list.add(name), MStatus::kSuccess) << name;
    MObject obj;
    list.getDependNode(0, obj);
    return obj;
  }

  static MDagPath path(const char* name) {
    MSelectionList list;
    EXPECT_EQ(list.add(name), MStatus::kSuccess) << name;
    MDagPath p;
    list.getDagPath(0, p);
    return p;
  }

  // A unit quad (two triangles when `triangles`) under a new transform named `name`.
  static MObject quadMesh(const char* name, bool triangles = false) {
    MFnDagNode transform;
    MObject t = transform.create("transform", name);
    MFloatPointArray points;
    points.append(MFloatPoint(0, 0, 0));
    points.append(MFloatPoint(1, 0, 0));
    points.append(MFloatPoint(1, 1, 0));
    points.append(MFloatPoint(0, 1, 0));
    MIntArray counts, connects;
    if (triangles) {
      for (int v : {0, 1, 2, 0, 2, 3})
        connects.append(v);
      counts.append(3);
      counts.append(3);
    } else {
      for (int v : {0, 1, 2, 3})
        connects.append(v);
      counts.append(4);
    }
    MFnMesh mesh;
    MObject shape = mesh.create(4, static_cast<int>(counts.length()), points, counts, connects, t);
    MFnDependencyNode(shape).setName(MString(name) + "Shape");
    return shape;
  }
};
