#pragma once
// UV projections of a mesh's construction history (polyPlanarProj,
// polyCylProj, polySphProj) and the way projected faces take their new UVs.
#include "GeometryData.h"
#include "Node.h"

#include <string>
#include <utility>
#include <vector>

namespace OmbrixHost {

using UVValue = std::pair<float, float>;

// Gives the face-vertices of `faces` (ascending) the UVs `values`, one per
// face-vertex of those faces in order: face-vertices at one vertex with one
// value share a UV. UVs no face uses any more are removed (those after them
// move down); the new ones follow, numbered in the order the faces first
// reach each point with its value in `firstValues` (before a seam moved it;
// none given: `values`), then the values moved across a seam. Faces of
// different `pieces` (one per face; none given: one piece) share no UVs.
void assignFaceUVs(const MeshData& m, const std::vector<int>& faces, const std::vector<UVValue>& values, UVSet& set,
                   const std::vector<UVValue>& firstValues = {}, const std::vector<int>& pieces = {});

// The UV set a node writes UVs into: its uvSetName (made when the mesh has no
// such set) or the current set, "map1" on a mesh without UVs.
UVSet& writableSet(const Node& node, MeshData& m);

// The faces a node's inputComponents name (all of them without a list, none
// with an empty one, which `note` tells);
// false with `why` set when an item cannot be read, `note` set when some are left out.
bool listedFaces(const Node& node, const MeshData& m, std::vector<int>& faces, std::string& why, std::string& note);

// polyPlanarProj, polyCylProj, polySphProj: false, with the mesh unchanged and
// `why` set, when the node's values cannot be used; `why` set on success
// names the components left out.
bool projectUVs(const Node& node, MeshData& m, std::string& why);

}  // namespace OmbrixHost
