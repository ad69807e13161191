#pragma once
// The host's scene: every node in creation order, names, the DAG under the
// world, connections, the active selection and the session's settings.
#include "Node.h"
#include "SceneReferences.h"

#include <maya/MSelectionList.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace OmbrixHost {

using DagChain = std::vector<Node*>;  // top-level node first; empty = the world

struct MenuRecord {
  std::string name;
  std::string label;
  std::string parent;
  std::vector<std::pair<std::string, std::string>> items;  // label, command
};

class Scene {
public:
  Scene();
  ~Scene();

  // Empties the scene and creates the nodes a new Maya scene starts with.
  void reset();

  Node* world() const { return world_.get(); }
  const std::vector<std::shared_ptr<Node>>& nodes() const { return nodes_; }

  // Creates a node; DAG nodes go under `parent` (the world when null). Returns
  // null and sets `error` for a DG node given a parent or a bad parent.
  Node* createNode(const std::string& type, const std::string& name, Node* parent, std::string& error);
  void deleteNode(Node* node);
  // A default node that a scene file names but this host's new scene lacks.
  // "standardSurface1" is a standardSurface; in a scene saved by Maya 2024 or
  // later, whose default material it is, it takes lambert1's place on
  // "initialShadingGroup". Any other name becomes an opaque node.
  Node* createImpliedDefault(const std::string& name, std::string& error);
  // Puts a node deleted from this scene back (an undone deletion), under the
  // world when it is a DAG node; false for a node of an earlier scene.
  bool restoreNode(const std::shared_ptr<Node>& node);
  std::string rename(Node* node, const std::string& wanted);
  std::string uniqueName(const std::string& wanted, Node* parent, const Node* self) const;

  // Lookup: node names (DG names are unique), DAG paths "|a|b" or partial "a|b".
  std::vector<DagChain> findPaths(const std::string& name) const;
  // The node each of findPaths(name) ends at, in the same order; a name
  // without '|' is answered without building paths, in time independent of
  // how deep its nodes lie.
  std::vector<Node*> findNodes(const std::string& name) const;
  Node* findNode(const std::string& name) const;  // null when missing or ambiguous

  // DAG
  bool addChild(Node* parent, Node* child, bool keepExistingParents, std::string& error);
  // A node of a type the host does not know that is given DAG children acts as
  // Maya's unknown DAG node does, a transform under the world, so that its
  // children keep their place and its own placement. False for any other node.
  bool adoptAsUnknownTransform(Node* node);
  std::vector<DagChain> allPaths(Node* node) const;
  DagChain firstPath(Node* node) const;  // allPaths(node).front(), built alone
  // True when `node` has one path and no other node shares its name, so that
  // its name alone is its partial path name.
  bool onlyPathByName(const Node* node) const;
  std::string fullPathName(const DagChain& chain) const;
  std::string partialPathName(const DagChain& chain) const;
  int instanceNumber(const DagChain& chain) const;
  void localMatrix(const Node* node, double out[4][4]) const;
  void inclusiveMatrix(const DagChain& chain, double out[4][4]) const;
  void dagChanged() { ++dagRevision_; }

  // Plugs and connections
  bool resolvePlug(const std::string& text, PlugRef& out, std::string& error) const;
  // While a scene file loads, attributes a node does not know are created on
  // first use, so that connections through them resolve.
  // `indexPositions`, when given, receives the chain position of each index
  // the path gives, in the order given.
  bool resolvePlugOn(Node* node, const std::string& attrPath, PlugRef& out, std::string& error,
                     std::vector<std::size_t>* indexPositions = nullptr) const;
  bool loading = false;
  // Maya's "file -q -modified": set by every edit of the scene, cleared when
  // a scene is opened, saved or made new. A file being read does not set it.
  bool modified = false;
  // An edit of `changed` (null: of nothing that feeds geometry) marks the
  // shapes downstream of it stale, as Maya marks their plugs dirty.
  void edited(Node* changed = nullptr) {
    if (loading)
      return;
    modified = true;
    invalidateDownstream(changed);
  }
  // Marks stale every mesh and NURBS surface shape fed by `node`, through its
  // connections and DAG children, `node` included. Nothing while a file loads:
  // the loaded scene is evaluated once at the end.
  void invalidateDownstream(Node* node);
  std::uint64_t defaultNodes = 0;  // nodes with a serial up to this one come with every new scene
  int currentLine = 0;  // of the scene file being read
  bool connect(const PlugRef& src, const PlugRef& dst, bool force, bool nextAvailable, std::string& error);
  bool disconnect(const PlugRef& src, const PlugRef& dst, std::string& error);
  // Sources feeding the plug, or destinations fed by it.
  std::vector<PlugRef> connectedTo(const PlugRef& plug, bool asDst, bool asSrc) const;
  bool isConnected(const PlugRef& plug) const;
  int nextFreeIndex(Node* node, const AttrDef* arrayAttr, const std::vector<int>& indices) const;

  // Values
  void setValue(const PlugRef& plug, Value value);
  void setNumber(Node* node, const AttrDef* attr, const std::vector<int>& indices, double number);
  Value getValue(const PlugRef& plug) const;  // kind kNone when the plug holds nothing
  // The indices of an array plug that hold a value or are connected, by
  // themselves or below them: ascending, each once.
  std::vector<int> existingIndices(const PlugRef& arrayPlug) const;
  // The last of them; -1 when there is none.
  int lastExistingIndex(const PlugRef& arrayPlug) const;

  MSelectionList& activeSelection() { return selection_; }
  std::map<std::string, double>& tessellationPrefs() { return prefs_; }
  std::string workspaceRoot;
  std::string sceneFile;  // the scene file opened, absolute with '/'; empty for a new scene
  // "workspace -dir": the folder the file browser last visited; the root until set.
  std::string workspaceCurrent;
  std::vector<std::string> scriptPath;
  std::map<std::string, MenuRecord> menus;
  std::vector<std::string> menuOrder;
  std::string currentMenu;
  bool waitCursor = false;
  // optionVar's variables: a setting of the session (a new scene keeps them),
  // each a number or a string.
  struct OptionVar {
    enum Kind { kInt, kFloat, kString } kind = kInt;
    double number = 0.0;
    std::string text;
  };
  std::map<std::string, OptionVar> optionVars;
  // Maya with its user interface; false is batch Maya (no menus, no cursor).
  // A setting of the session: a new scene keeps it.
  bool interactive = false;
  std::weak_ptr<Node> currentNode;  // the node a relative setAttr ".attr" addresses
  std::string linearUnit = "cm";
  std::string angleUnit = "deg";
  std::vector<std::pair<std::string, std::string>> fileInfo;
  std::vector<std::string> requirements;
  // What loading the scene file refused or dropped, as reported: in all, and
  // of that the geometry (faces, points, UVs, tweaks, weights).
  struct Refusals {
    int total = 0;
    int geometry = 0;
  } refused;
  // The Maya version named by the loaded file's first line ("2025ff01"); "" for a new scene.
  std::string savedBy;
  // The year of that version (2025), 0 for a new scene or a version without one.
  int savedByYear() const;
  // File references and, while a referenced file is read, its namespace.
  SceneReferences references;
  // The kind of the loaded file: "mayaAscii" or "mayaBinary"; "" for a new scene.
  std::string fileFormat;

private:
  void createDefaults();
  void indexName(Node* node);
  void unindexName(Node* node);
  void detachConnections(Node* node);
  void makeUnknownTransform(Node* node);

  std::vector<std::shared_ptr<Node>> nodes_;
  std::shared_ptr<Node> world_;
  std::multimap<std::string, Node*> names_;
  MSelectionList selection_;
  std::map<std::string, double> prefs_;
  std::uint64_t serial_ = 0;
  std::uint64_t resetSerial_ = 0;  // nodes up to this serial belong to earlier scenes
  std::uint64_t dagRevision_ = 0;
  mutable std::uint64_t partialCacheRevision_ = ~0ull;
  mutable std::map<std::string, std::string> partialCache_;
  // How many paths lead to each DAG node, 2 standing for more (of this DAG revision).
  int pathCount(const Node* node) const;
  mutable std::uint64_t pathCountRevision_ = ~0ull;
  mutable std::unordered_map<const Node*, int> pathCounts_;
};

// The process's one scene, as Maya has one.
Scene& scene();

// Reports what a load refused ("file:line: node: what was lost") and counts it in scene().refused.
void reportRefusal(std::vector<std::string>& problems, const std::string& message, bool geometry);

// Maya's name patterns: * any run of characters, ? one character.
bool globMatch(const char* pattern, const char* text);

// Splits "a[3]" into its name and index (-1 when none). False on bad syntax.
bool splitIndexed(const std::string& part, std::string& name, int& index);

}  // namespace OmbrixHost
