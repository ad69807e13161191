#pragma once
// The modelling nodes, one file each, as ModelingNodes dispatches to them.
// Each changes `mesh` and returns true, `why` set when some of its values were
// left out; or returns false with `mesh` unchanged and `why` set.
#include "ComponentLists.h"
#include "GeometryData.h"
#include "MeshEdges.h"
#include "Node.h"
#include "PolygonList.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace OmbrixHost {

// The faces or edges (`type`) the node's inputComponents name; all of them
// when it names none and `allWhenEmpty`. False on a component that cannot be
// read; `why` set when some name nothing of the mesh.
bool listedComponents(const Node& node, MFn::Type type, int count, bool allWhenEmpty, std::vector<bool>& chosen,
                      std::string& why);

// False, with `why` saying so, when any of the values is not a number.
bool allNumbers(std::initializer_list<double> values, std::string& why);

// The mesh's points, in world space through the node's inputMatrix when its
// worldSpace is on. False, with `why` set, when inputMatrix is not a matrix.
bool worldPoints(const Node& node, const MeshData& mesh, std::vector<Point3>& points, std::string& why);

// The mesh's edges and those the node's inputComponents name, as listedComponents.
bool chosenEdges(const Node& node, const MeshData& mesh, MeshEdges& edges, std::vector<bool>& chosen, std::string& why);

// `list` made the mesh; when the mesh had UVs, `why` (if still empty) says
// that the UVs of the new `faces` are the host's layout. True.
bool finishWithNewUVs(const PolygonList& list, MeshData& mesh, const char* faces, std::string& why);

bool deleteComponents(const Node& node, MeshData& mesh, std::string& why);  // deleteComponent
bool reverseNormals(const Node& node, MeshData& mesh, std::string& why);    // polyNormal
bool smoothFaces(const Node& node, MeshData& mesh, std::string& why);       // polySmoothFace
bool splitRing(const Node& node, MeshData& mesh, std::string& why);         // polySplitRing
bool splitFaces(const Node& node, MeshData& mesh, std::string& why);        // polySplit
bool extrudeEdges(const Node& node, MeshData& mesh, std::string& why);      // polyExtrudeEdge
bool mirrorMesh(const Node& node, MeshData& mesh, std::string& why);        // polyMirror
bool bridgeEdges(const Node& node, MeshData& mesh, std::string& why);       // polyBridgeEdge
bool bevelEdges(const Node& node, MeshData& mesh, std::string& why);        // polyBevel3
bool triangulateFaces(const Node& node, MeshData& mesh, std::string& why);  // polyTriangulate
bool keepMesh(const Node& node, MeshData& mesh, std::string& why);          // polySoftEdge, polyNormalPerVertex
bool mergeVertices(const Node& node, MeshData& mesh, std::string& why);     // polyMergeVert
bool closeBorders(const Node& node, MeshData& mesh, std::string& why);      // polyCloseBorder
bool extrudeFaces(const Node& node, MeshData& mesh, std::string& why);      // polyExtrudeFace
bool quadrangulate(const Node& node, MeshData& mesh, std::string& why);     // polyQuad
bool deleteEdges(const Node& node, MeshData& mesh, std::string& why);       // polyDelEdge
bool sewEdges(const Node& node, MeshData& mesh, std::string& why);          // polySewEdge
bool splitEdges(const Node& node, MeshData& mesh, std::string& why);        // polySplitEdge
bool connectComponents(const Node& node, MeshData& mesh, std::string& why); // polyConnectComponents
bool appendFace(const Node& node, MeshData& mesh, std::string& why);        // polyAppend
bool appendVertexFace(const Node& node, MeshData& mesh, std::string& why);  // polyAppendVertex

}  // namespace OmbrixHost
