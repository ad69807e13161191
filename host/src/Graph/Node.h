#pragma once
// A node of the host's dependency graph: typed attributes with stored values,
// connections, and for DAG nodes their parents and children.
#include "AttrDef.h"
#include "ConnectionList.h"
#include "GeometryData.h"
#include "PlugValues.h"
#include "Value.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace OmbrixHost {

struct NodeType;
struct Node;

struct Node {
  std::string name;
  std::string typeName;
  const NodeType* type = nullptr;
  MFn::Type apiType = MFn::kDependencyNode;
  bool dag = false;
  bool alive = true;
  std::uint64_t serial = 0;
  int sourceLine = 0;  // line of the scene file that created the node
  bool implied = false;  // a default node of another Maya version, named by a file
  std::string fromReference;  // the reference node of the file that made it; "" for the scene's own
  std::weak_ptr<Node> self;

  AttrList dynamicAttrs;
  PlugValues values;
  ConnectionList connections;
  std::vector<Node*> parents;
  std::vector<Node*> children;
  std::vector<std::string> rawSetAttrs;  // file lines for attributes the host does not know
  std::unique_ptr<MeshData> mesh;
  std::unique_ptr<NurbsData> nurbs;
  std::string uuid;  // "XXXXXXXX-XXXX-...", from the scene file or given when first asked for
  // Something upstream of this shape changed since its geometry was evaluated.
  bool stale = false;
  std::string historyNote;  // what of the mesh's history was not evaluated, told once when the mesh is read
  bool approximated = false;  // a node of its history gave the host's own numbering or layout, not Maya's

  AttrDef* findAttribute(const std::string& name) const;
  // Root attributes in definition order: the type's, then the dynamic ones.
  std::vector<AttrDef*> rootAttributes() const;
  // Values by plug key ("instObjGroups[0].objectGroups[1].objectGrpCompList");
  // a key that names no attribute of the node holds nothing.
  bool resolveKey(const std::string& key, const AttrDef*& attr, std::vector<int>& indices) const;
  Value value(const std::string& key) const;
  void setValue(const std::string& key, Value v);
  double number(const std::string& key, double fallback) const;
  std::string text(const std::string& key) const;
  bool hasFn(MFn::Type type) const;
};

// Plug keys: the attribute chain with logical indices on array attributes,
// "instObjGroups[0].objectGroups[1].objectGrpCompList".
std::string plugKey(const AttrDef* attr, const std::vector<int>& indices);

}  // namespace OmbrixHost
