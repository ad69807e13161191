#pragma once
// Mesh and NURBS surface data as Maya ASCII files give it: .vt, .pt, .ed,
// .fc (polyFaces), .uvst[i].uvsn / .uvsp, and .cc nurbsSurface data.
#include "DataCursor.h"
#include "Node.h"

#include <string>

namespace OmbrixHost {

enum class MeshAttrResult { kNotMesh, kDone, kFailed };

// Where a statement's values go: the index range written in the plug
// ([a:b], -1 when there is none) and the size declared for the array (-1
// when none was, else at most the file could hold).
struct ElementBlock {
  long long lo = -1, hi = -1;
  long long declared = -1;
  int line = 0;
};

MeshAttrResult setMeshAttribute(Node& node, const PlugRef& plug, const std::string& type, const ElementBlock& block,
                                DataCursor& values, std::string& error);
// The attributes of mesh geometry that setMeshAttribute reads.
bool isMeshGeometry(const std::string& attrName);
bool setNurbsSurfaceData(Node& node, DataCursor& values, std::string& error);

}  // namespace OmbrixHost
