#pragma once
// The scene's side of the judge, through the host library as mayahost and
// the plug-in use it: the scene loaded and evaluated in this process, and a
// mesh read through MDagPath and MFnMesh (world-space points, the current
// UV set's UVs per face-vertex). The host answers points in centimetres,
// Maya's internal unit, whatever the scene's working unit.
#include <string>
#include <vector>

#include "TruthMesh.h"

// False when the load reported problems (each one in `problems`, "file:line: reason").
bool loadScene(const std::string& path, std::vector<std::string>& problems);

struct SceneMesh {
  bool found = false;
  std::string reason;       // why not found
  std::string historyNote;  // what of its history the host could not evaluate
  TruthMesh mesh;
};

// The one mesh shape (not intermediate) under the transform at `dagPath`.
SceneMesh readSceneMesh(const std::string& dagPath);

// True when the scene has a transform of that name.
bool isSceneTransform(const std::string& name);
