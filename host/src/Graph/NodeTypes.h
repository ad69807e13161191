#pragma once
// The node types the host knows, with their function-set kinds and attributes.
#include "AttrDef.h"

#include <maya/MFn.h>
#include <string>

namespace OmbrixHost {

struct NodeType {
  std::string name;
  MFn::Type apiType;
  bool dag;
  AttrList attrs;
  std::string defaultName;  // base of generated names ("polySurfaceShape" for mesh)
};

// Null for a type the host does not know.
const NodeType* findNodeType(const std::string& name);

// Function-set kinds: is `actual` the kind `wanted` or derived from it?
bool typeHasFn(MFn::Type actual, MFn::Type wanted);
const char* apiTypeName(MFn::Type type);

}  // namespace OmbrixHost
