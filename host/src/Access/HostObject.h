#pragma once
// What an MObject refers to, and the one door through which the host's
// implementation reaches the private parts of the interface's value classes.
#include "Node.h"

#include <maya/MArgList.h>
#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPxCommand.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MSyntax.h>
#include <maya/MTesselationParams.h>

#include <memory>
#include <vector>

namespace OmbrixHost {

// How every interface call fills its optional status argument.
inline void reportStatus(MStatus* status, bool ok, MStatus::MStatusCode failure = MStatus::kInvalidParameter) {
  if (status)
    *status = ok ? MStatus::kSuccess : failure;
}

// The spaces a shape's function set answers, as Maya documents MSpace: kObject
// (the same value as kPreTransform) and kWorld, the latter only through a
// DAG path. The transform spaces (kTransform, kPostTransform) belong to
// transforms and fail.
inline bool isShapeSpace(MSpace::Space space, bool hasPath) {
  return space == MSpace::kObject || (space == MSpace::kWorld && hasPath);
}

struct ObjectData {
  enum Kind { kNode, kAttribute, kComponent, kMeshData };
  Kind kind = kNode;
  std::shared_ptr<Node> node;     // the node, or the owner of the attribute
  const AttrDef* attr = nullptr;  // for attributes
  MFn::Type componentType = MFn::kInvalid;
  std::vector<int> elements;      // for components, in the order given
  std::shared_ptr<MeshData> mesh; // for mesh data: the geometry it owns, in no scene
};

struct TessellationSettings;

class Access {
public:
  // A failure with the host's own message, which mayahost shows with the command's error.
  static MStatus failure(MStatus::MStatusCode code, const MString& message) { return MStatus(code, message); }
  static void addArg(MArgList& list, const MString& arg) { list.addArg(arg); }
  // A command's declared syntax, and the one the host hands a command while it runs.
  static const SyntaxSpec& syntaxSpec(const MSyntax& syntax) { return *syntax.spec_; }
  static void setSyntax(MPxCommand& command, const MSyntax* syntax) { command.syntax_ = syntax; }
  OPENMAYA_EXPORT static TessellationSettings tessellation(const MTesselationParams& params);

  static MObject wrap(Node* node);
  static MObject wrapAttribute(Node* owner, const AttrDef* attr);
  static MObject makeComponent(MFn::Type type, std::vector<int> elements);
  static const ObjectData* data(const MObject& object);
  static ObjectData* mutableData(MObject& object);
  static Node* node(const MObject& object);  // null unless a live node
  // An empty mesh data object, and the mesh of a mesh node or of mesh data.
  static MObject makeMeshData();
  static MeshData* mesh(const MObject& object);
  static const AttrDef* attribute(const MObject& object);

  static std::vector<MObject>& pathNodes(MDagPath& path) { return path.nodes_; }
  static const std::vector<MObject>& pathNodes(const MDagPath& path) { return path.nodes_; }
  static std::vector<Node*> pathChain(const MDagPath& path);
  static MDagPath makePath(const std::vector<Node*>& chain);

  static MPlug makePlug(Node* node, const AttrDef* attr, std::vector<int> indices);
  static Node* plugNode(const MPlug& plug) { return node(plug.node_); }
  static const AttrDef* plugAttribute(const MPlug& plug) { return attribute(plug.attribute_); }
  static const std::vector<int>& plugIndices(const MPlug& plug) { return plug.indices_; }
  static std::vector<int>& plugIndices(MPlug& plug) { return plug.indices_; }
  static std::string plugKeyOf(const MPlug& plug);

  static std::vector<MSelectionList::Item>& items(MSelectionList& list) { return list.items_; }
  // The values of an array class (MIntArray, MDoubleArray, ...).
  template <typename Array>
  static auto& items(Array& array) { return array.items_; }
  static const std::vector<MSelectionList::Item>& items(const MSelectionList& list) { return list.items_; }
};

}  // namespace OmbrixHost
