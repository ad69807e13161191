#pragma once
// What a history node's "inputComponents" list names of a mesh, and the UV
// set a UV node works on.
#include "GeometryData.h"
#include "MeshEdges.h"
#include "Node.h"

#include <maya/MFn.h>

#include <string>
#include <vector>

namespace OmbrixHost {

// What an "inputComponents" list names of one type of element, 0 to count - 1.
struct ListedElements {
  bool given = false;              // the list has items
  std::vector<int> elements;       // in the order listed
  std::string unreadable;          // the first item that cannot be read
  std::vector<std::string> stray;  // items that cannot be read or name no such element of the mesh
};

ListedElements listedElements(const Node& node, MFn::Type wanted, int count);

// The elements of a component list of one type ("map[0:3]"), as flags; all
// when the list is empty. False, with `why` set, when an item cannot be read.
bool selectedElements(const Node& node, MFn::Type wanted, int count, std::vector<bool>& out, std::string& why);

// "its components "e[40]", "f[2]" name no edge of the mesh (which has 12) and are left out";
// empty when every item was used.
std::string strayNote(const ListedElements& listed, const char* element, int count);

// The edges an edge list names; `note` tells of items left out, or that it names none.
ListedElements listedEdges(const Node& node, const MeshEdges& edges, std::string& note);

// The UV set a UV node works on: the one its uvSetName names, else the current one.
UVSet* targetSet(const Node& node, MeshData& m);

// Offset of each face's first face-vertex in faceConnects, and the total at the end.
std::vector<std::size_t> faceOffsets(const MeshData& m);

}  // namespace OmbrixHost
