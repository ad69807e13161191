#pragma once
// The construction history node types the host evaluates beyond the creation
// nodes: poly modifiers, transformGeometry, deformers and the joints that
// drive a skinCluster.
#include "NodeTypes.h"

#include <map>
#include <string>

namespace OmbrixHost {

using AttrListMaker = AttrList (*)();

// `dependAttrs` and `transformAttrs` give each new type its own copy of the
// attributes every node and every transform has.
void addHistoryNodeTypes(std::map<std::string, NodeType>& types, AttrListMaker dependAttrs,
                         AttrListMaker transformAttrs);

}  // namespace OmbrixHost
