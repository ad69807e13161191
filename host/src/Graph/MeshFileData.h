#pragma once
// Mesh and NURBS surface data as Maya ASCII files give it: .vt, .pt, .ed,
// .fc (polyFaces), .uvst[i].uvsn / .uvsp, and .cc nurbsSurface data.
#include "DataCursor.h"
#include "Node.h"

#include <string>

namespace OmbrixHost {

enum class MeshAttrResult { kNotMesh, kDone, kFailed };

// lo..hi: the index range written in the plug ([a:b]); -1 when there is none.
MeshAttrResult setMeshAttribute(Node& node, const PlugRef& plug, const std::string& type, long long lo, long long hi,
                                DataCursor& values, std::string& error);
bool setNurbsSurfaceData(Node& node, DataCursor& values, std::string& error);

}  // namespace OmbrixHost
