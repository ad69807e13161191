#pragma once
// Set membership as Maya keeps it: connections from a shape's instObjGroups[i]
// (whole instance) or instObjGroups[i].objectGroups[j] (components listed in
// objectGrpCompList) into the set's dagSetMembers, and message connections
// into dnSetMembers for dependency nodes.
#include "Scene.h"

#include <maya/MSelectionList.h>

namespace OmbrixHost {

void collectSetMembers(Node* set, MSelectionList& out, bool flatten, int depth = 0);
bool addSetMember(Node* set, const DagChain& path, MFn::Type componentType, const std::vector<int>& elements,
                  std::string& error);
bool addSetMember(Node* set, Node* dependNode, std::string& error);

}  // namespace OmbrixHost
