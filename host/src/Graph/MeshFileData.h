#pragma once
// Mesh and NURBS surface data as Maya ASCII files give it: .vt, .pt, .ed,
// .fc (polyFaces), .uvst[i].uvsn / .uvsp, and .cc nurbsSurface data.
#include "DataCursor.h"
#include "Node.h"

#include <string>
#include <vector>

namespace OmbrixHost {

enum class MeshAttrResult { kNotMesh, kDone, kFailed };

// Where a statement's values go: the index range written in the plug
// ([a:b], -1 when there is none) and the size declared for the array (-1
// when none was, else at most the file could hold).
struct ElementBlock {
  long long lo = -1, hi = -1;
  long long declared = -1;
  int line = 0;
  bool continuesRow = false;  // its first sparse row continues one an earlier block began
};

MeshAttrResult setMeshAttribute(Node& node, const PlugRef& plug, const std::string& type, const ElementBlock& block,
                                DataCursor& values, std::string& error);
// The attributes of mesh geometry that setMeshAttribute reads.
bool isMeshGeometry(const std::string& attrName);
bool setNurbsSurfaceData(Node& node, DataCursor& values, std::string& error);

// A mesh keeps its vertex tweaks with its geometry: .pt[i] and its children
// .px/.py/.pz read them there (internal units; kind kNone for a vertex
// without one). False for any other plug, which the node's values answer.
bool meshTweakValue(const Node& node, const PlugRef& plug, Value& out);
// Sets one coordinate of a vertex's tweak through .pt[i].px/.py/.pz
// (internal units); false for any other plug.
bool setMeshTweak(Node& node, const PlugRef& plug, double value);
// The vertices with a tweak, for the .pt array plug; false for any other plug.
bool meshTweakIndices(const Node& node, const PlugRef& arrayPlug, std::vector<int>& out);

}  // namespace OmbrixHost
