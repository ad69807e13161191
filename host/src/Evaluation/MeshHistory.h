#pragma once
// The construction history feeding mesh shapes, evaluated as Maya does when a
// scene opens: creation nodes, then modifiers and deformers in turn. A node
// the host cannot evaluate is reported once and passes its input through, so
// that the mesh takes the nearest geometry upstream of it that is sound.
#include "GeometryData.h"
#include "Matrix4.h"
#include "Node.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace OmbrixHost {

// The connection feeding the plug `key` of a node; null when there is none.
const Connection* incomingConnection(const Node* node, const std::string& key);

// The world matrix of a DAG node's path `instance` (its first when it has no
// such path); false when it has none.
bool dagWorldMatrix(const Node* node, Matrix4& out, int instance = 0);

// The matrix on a node's plug `key`: what the DAG node connected to it gives
// by the plug it comes from (its worldMatrix, worldInverseMatrix, matrix,
// parentMatrix or parentInverseMatrix, of the instance the plug's element
// names), else the one stored (`present` false
// when neither is). False when something that is not a DAG node drives it.
bool inputMatrix(const Node& node, const std::string& key, Matrix4& out, bool& present);

class MeshHistory {
public:
  MeshHistory(const std::string& file, std::vector<std::string>& problems) : file_(file), problems_(problems) {}

  // The mesh a shape shows: what its inMesh history gives, or its own data,
  // with its vertex tweaks added. False when its history gives nothing sound.
  bool shapeMesh(const Node* shape, MeshData& out);
  // What the shape's history could not evaluate, and whether its UVs were laid
  // out by the host, as one line; empty when all of it was evaluated as Maya does.
  std::string note(const Node* shape) const;
  // Whether the shape's history holds a node whose numbering or layout is the
  // host's own, Maya's possibly differing (a UV layout, smoothed UVs, a bevel's
  // rounding, a binding): said in the lines reported as "may differ".
  bool approximated(const Node* shape) const { return approximated_.count(shape) > 0; }

private:
  bool meshAt(const PlugRef& source, MeshData& out);
  bool nodeOutput(const Node* node, const PlugRef& source, MeshData& out);
  bool hasMeshArrayInput(const Node* node) const;
  bool unite(const Node* node, MeshData& out);
  bool passThrough(const Node* node, const std::string& inputKey, const std::string& why, MeshData& out);
  bool uvEditOutput(const Node* node, MeshData& out);
  void noteHostLayout(const Node* node);
  void inheritNotes(const Node* upstream);
  static std::string layoutText(const Node* shape, const Node* node);
  void report(const Node* node, const std::string& why, const char* outcome);

  const std::string& file_;
  std::vector<std::string>& problems_;
  std::map<const Node*, MeshData> shapes_;
  std::set<const Node*> active_;  // being evaluated: seeing one again is a cycle
  const Node* shape_ = nullptr;   // the shape whose history is being evaluated
  std::map<const Node*, std::string> notes_;
  std::map<const Node*, const Node*> layoutNotes_;  // per shape, the node whose UV layout is the host's
  std::set<const Node*> approximated_;
};

}  // namespace OmbrixHost
