#pragma once
// Modifiers of a mesh's construction history: nodes that take one mesh and
// give one, changing its points or UVs (polyTweak, polyTweakUV, polyMoveUV,
// transformGeometry, polyMapCut, polyMapSew) or passing it through as far as
// the host is concerned (groupParts, polyColorPerVertex).
#include "GeometryData.h"
#include "Node.h"

#include <string>
#include <vector>

namespace OmbrixHost {

// The attribute the modifier's input mesh arrives on; null when the node is
// not a modifier the host evaluates.
const char* modifierInput(const Node& node);

// Applies the modifier to `mesh`. False, with `mesh` unchanged and `why` set,
// when the node's values cannot be used; true with `why` set when some of
// them were left out (components that name nothing of the mesh).
bool applyModifier(const Node& node, MeshData& mesh, std::string& why);

// What a node's "inputComponents" list names of one type of element, 0 to count - 1.
struct ListedElements {
  bool given = false;              // the list has items
  std::vector<int> elements;       // in the order listed
  std::string unreadable;          // the first item that cannot be read
  std::vector<std::string> stray;  // items that cannot be read or name no such element of the mesh
};
ListedElements listedElements(const Node& node, MFn::Type wanted, int count);

// "\"e[1]\", \"e[7]\"".
std::string quotedList(const std::vector<std::string>& items);

}  // namespace OmbrixHost
