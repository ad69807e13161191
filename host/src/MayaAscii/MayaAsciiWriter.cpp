// Writing the scene back as Maya ASCII: nodes with their values, mesh and
// surface data, instances, then every connection.
#include "HostSession.h"
#include "SceneEvaluation.h"
#include "MeshEdges.h"
#include "NodeTypes.h"
#include "References.h"
#include "Scene.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <map>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace OmbrixHost {
namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& text) { return melQuoted(text); }

std::string number(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

std::string headerVersion(const std::string& savedBy) {
  const bool plain = !savedBy.empty() && std::all_of(savedBy.begin(), savedBy.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.';
  });
  return plain ? savedBy : "2018";
}

class Writer {
public:
  explicit Writer(std::ostream& out) : out_(out) {}

  void write(const std::string& fileName) {
    auto& s = scene();
    // The version of the Maya that wrote the loaded scene stays: what its
    // default nodes are depends on it.
    out_ << "//Maya ASCII " << headerVersion(s.savedBy) << " scene\n//Name: " << fileName << "\n//Codeset: UTF-8\n";
    references();
    out_ << "requires maya \"2018\";\n";
    for (const auto& r : s.requirements)
      if (r.compare(0, 6, "\"maya\"") != 0)
        out_ << "requires " << r << ";\n";
    out_ << "currentUnit -l centimeter -a degree -t film;\n";
    for (const auto& info : s.fileInfo)
      out_ << "fileInfo " << quoted(info.first) << " " << quoted(info.second) << ";\n";
    dagNodes(s.world());
    for (const auto& n : s.nodes())
      if (!n->dag)
        node(n.get());
    instances();
    connections();
    out_ << "// End of " << fileName << "\n";
  }

private:
  // Every reference as a "file -rdi" line (a deferred one with -dr 1), then
  // the scene's own as "file -r" lines, which read them again.
  void references() {
    const auto& records = scene().references.records;
    for (const auto& r : records)
      referenceLine(r, "-rdi " + std::to_string(r.depth), r.state == ReferenceRecord::kDeferred);
    for (const auto& r : records)
      if (r.depth == 1)
        referenceLine(r, "-r", true);
  }

  void referenceLine(const ReferenceRecord& r, const std::string& kind, bool deferred) {
    out_ << "file " << kind;
    if (!r.nameSpace.empty() || r.prefix.empty())
      out_ << " -ns " << quoted(r.nameSpace.empty() ? ":" : r.nameSpace);
    else
      out_ << " -rpr " << quoted(r.prefix);
    if (deferred)
      out_ << " -dr 1";
    out_ << " -rfn " << quoted(r.referenceNode);
    if (!r.options.empty())
      out_ << " -op " << quoted(r.options);
    out_ << " -typ " << quoted(r.type) << " " << quoted(r.written) << ";\n";
  }

  // Nodes and connections a referenced file makes come back with it.
  static bool fromFile(const Node* n) { return !n->fromReference.empty(); }
  static bool referencedConnection(const Node* a, const Node* b) {
    const auto defaults = scene().defaultNodes;
    return (fromFile(a) && (fromFile(b) || b->serial <= defaults)) ||
           (fromFile(b) && (fromFile(a) || a->serial <= defaults));
  }

  std::string nameOf(const Node* n) const {
    auto& s = scene();
    if (!n->dag || s.onlyPathByName(n))
      return n->name;
    return s.partialPathName(s.firstPath(const_cast<Node*>(n)));
  }

  // The DAG depth first, each node under its first parent only (under the
  // others it is an instance); without recursion, since a chain may be
  // tens of thousands of nodes deep.
  static std::vector<Node*> dagOrder(Node* world) {
    std::vector<Node*> order;
    std::vector<std::pair<Node*, std::size_t>> stack{{world, 0}};
    while (!stack.empty()) {
      auto& [parent, next] = stack.back();
      if (next == parent->children.size()) {
        stack.pop_back();
        continue;
      }
      Node* child = parent->children[next++];
      if (child->parents.empty() || child->parents[0] != parent)
        continue;
      order.push_back(child);
      stack.emplace_back(child, 0);
    }
    return order;
  }

  void dagNodes(Node* world) {
    for (Node* n : dagOrder(world))
      node(n);
  }

  void node(const Node* n) {
    auto& s = scene();
    if (fromFile(n))
      return;
    bool shared = n->serial <= s.defaultNodes;
    if ((shared || n->implied) && !n->dag) {
      out_ << "select -ne :" << n->name << ";\n";
    } else {
      out_ << "createNode " << n->typeName << (shared ? " -s" : "") << " -n " << quoted(n->name);
      if (n->dag && !n->parents.empty() && n->parents[0] != s.world())
        out_ << " -p " << quoted(nameOf(n->parents[0]));
      out_ << ";\n";
      if (!n->uuid.empty())
        out_ << "\trename -uid " << quoted(n->uuid) << ";\n";
    }
    evaluateShape(const_cast<Node*>(n));
    dynamicAttributes(n);
    values(n);
    if (n->mesh && hasInput(n, "inMesh"))
      tweaks(*n->mesh);
    else if (n->mesh)
      meshData(*n->mesh);
    if (n->nurbs && !hasInput(n, "create") && n->nurbs->valid())
      surfaceData(*n->nurbs);
    for (const auto& raw : n->rawSetAttrs)
      out_ << "\tsetAttr" << raw << ";\n";
    const std::string edits = n->typeName == "reference" ? referenceEditsText(n->name) : "";
    if (!edits.empty())
      out_ << "\tsetAttr \".ed\" -type \"dataReferenceEdits\" " << edits << ";\n";
  }

  static bool hasInput(const Node* n, const std::string& key) {
    for (const auto& c : n->connections)
      if (!c.outgoing && c.localKey == key)
        return true;
    return false;
  }

  void dynamicAttributes(const Node* n) {
    for (const auto& a : n->dynamicAttrs) {
      if (a->opaque)
        continue;
      out_ << "\taddAttr -ci true -sn " << quoted(a->shortName) << " -ln " << quoted(a->name);
      if (a->array)
        out_ << " -m";
      switch (a->kind) {
      case AttrKind::kString:
        out_ << " -dt \"string\"";
        break;
      case AttrKind::kBool:
        out_ << " -at \"bool\"";
        break;
      case AttrKind::kInt:
      case AttrKind::kEnum:
        out_ << " -at \"long\"";
        break;
      case AttrKind::kFloat:
        out_ << " -at \"float\"";
        break;
      case AttrKind::kMessage:
        out_ << " -at \"message\"";
        break;
      case AttrKind::kMatrix:
        out_ << " -at \"matrix\"";
        break;
      case AttrKind::kAngle:
        out_ << " -at \"doubleAngle\"";  // its value is written in degrees
        break;
      default:
        out_ << " -at \"double\"";
      }
      out_ << ";\n";
    }
  }

  struct KeyedValue {
    std::string key;
    const AttrDef* attr;
    Value value;
  };

  // The node's values in the order of their plug keys' texts.
  static std::vector<KeyedValue> sortedValues(const Node* n) {
    std::vector<KeyedValue> out;
    n->values.forEach([&](const AttrDef* attr, const std::vector<int>& indices, const Value& v) {
      out.push_back(KeyedValue{plugKey(attr, indices), attr, v});
    });
    std::sort(out.begin(), out.end(), [](const KeyedValue& a, const KeyedValue& b) { return a.key < b.key; });
    return out;
  }

  void values(const Node* n) {
    for (const auto& [key, attr, v] : sortedValues(n)) {
      if (n->mesh && key == "currentUVSet")
        continue;  // written with the mesh data
      out_ << "\tsetAttr " << quoted("." + key);
      switch (v.kind) {
      case Value::kNumber: {
        double shown = v.number;
        if (attr->kind == AttrKind::kAngle)
          shown = v.number * 180.0 / 3.14159265358979323846;
        out_ << " " << number(shown);
        break;
      }
      case Value::kString:
        out_ << " -type \"string\" " << quoted(v.text);
        break;
      case Value::kNumbers:
        if (!v.text.empty())
          out_ << " -type " << quoted(v.text);
        if (v.text == "Int32Array" || v.text == "doubleArray" || v.text == "floatArray")
          out_ << " " << v.numbers.size();
        for (double d : v.numbers)
          out_ << " " << number(d);
        break;
      case Value::kStrings:
        out_ << " -type " << quoted(v.text.empty() ? "stringArray" : v.text) << " " << v.strings.size();
        for (const auto& t : v.strings)
          out_ << " " << quoted(t);
        break;
      case Value::kNone:
        break;
      }
      out_ << ";\n";
    }
  }

  // A mesh with history keeps only its vertex tweaks: Maya adds them to what
  // the history gives when the scene opens. They are saved as Maya saves
  // them, the count on the array, then each vertex's offset on its own.
  void tweaks(const MeshData& m) {
    std::vector<std::pair<int, Point3>> kept;
    for (const auto& [vertex, tweak] : m.tweaks)
      if (vertex >= 0 && static_cast<std::size_t>(vertex) < m.points.size())
        kept.emplace_back(vertex, tweak.offset);
    if (kept.empty())
      return;
    out_ << "\tsetAttr -s " << kept.size() << " \".pt\";\n";
    for (const auto& [vertex, offset] : kept)
      out_ << "\tsetAttr \".pt[" << vertex << "]\" -type \"float3\" " << number(offset.x) << " " << number(offset.y)
           << " " << number(offset.z) << " ;\n";
  }

  void meshData(const MeshData& m) {
    for (std::size_t s = 0; s < m.uvSets.size(); ++s) {
      const UVSet& set = m.uvSets[s];
      out_ << "\tsetAttr \".uvst[" << s << "].uvsn\" -type \"string\" " << quoted(set.name) << ";\n";
      if (!set.us.empty()) {
        out_ << "\tsetAttr -s " << set.us.size() << " \".uvst[" << s << "].uvsp[0:" << set.us.size() - 1
             << "]\" -type \"float2\"";
        for (std::size_t i = 0; i < set.us.size(); ++i)
          out_ << (i % 4 ? " " : "\n\t\t") << number(set.us[i]) << " " << number(set.vs[i]);
        out_ << ";\n";
      }
    }
    if (m.currentUVSet >= 0 && static_cast<std::size_t>(m.currentUVSet) < m.uvSets.size())
      out_ << "\tsetAttr \".cuvs\" -type \"string\" " << quoted(m.uvSets[m.currentUVSet].name) << ";\n";
    if (!m.points.empty()) {
      out_ << "\tsetAttr -s " << m.points.size() << " \".vt[0:" << m.points.size() - 1 << "]\"";
      for (std::size_t i = 0; i < m.points.size(); ++i)
        out_ << (i % 3 ? " " : "\n\t\t") << number(m.points[i].x) << " " << number(m.points[i].y) << " "
             << number(m.points[i].z);
      out_ << ";\n";
    }
    if (m.faceCounts.empty())
      return;
    // Edges in the order the faces first use them; a face walks each edge
    // forwards (e) or backwards (-e - 1).
    MeshEdges meshEdgeList = faceOrderEdges(m);
    const auto& edges = meshEdgeList.ends;
    const auto& loops = meshEdgeList.loops;
    out_ << "\tsetAttr -s " << edges.size() << " \".ed[0:" << edges.size() - 1 << "]\"";
    for (std::size_t i = 0; i < edges.size(); ++i)
      out_ << (i % 6 ? " " : "\n\t\t") << edges[i].first << " " << edges[i].second << " 0";
    out_ << ";\n";
    out_ << "\tsetAttr -s " << m.numFaces() << " -ch " << m.faceConnects.size() << " \".fc[0:" << m.numFaces() - 1
         << "]\" -type \"polyFaces\"";
    std::size_t corner = 0;
    for (int f = 0; f < m.numFaces(); ++f) {
      out_ << "\n\t\tf " << m.faceCounts[f];
      for (int k = 0; k < m.faceCounts[f]; ++k)
        out_ << " " << loops[corner + static_cast<std::size_t>(k)];
      for (std::size_t s = 0; s < m.uvSets.size(); ++s) {
        const auto& ids = m.uvSets[s].uvIds;
        bool mapped = true;
        for (int k = 0; k < m.faceCounts[f]; ++k)
          mapped = mapped && corner + static_cast<std::size_t>(k) < ids.size() && ids[corner + k] >= 0;
        if (!mapped)
          continue;
        out_ << "\n\t\tmu " << s << " " << m.faceCounts[f];
        for (int k = 0; k < m.faceCounts[f]; ++k)
          out_ << " " << ids[corner + static_cast<std::size_t>(k)];
      }
      corner += static_cast<std::size_t>(m.faceCounts[f]);
    }
    out_ << ";\n";
  }

  void surfaceData(const NurbsData& d) {
    out_ << "\tsetAttr \".cc\" -type \"nurbsSurface\"\n\t\t" << d.degreeU << " " << d.degreeV << " " << d.formU - 1
         << " " << d.formV - 1 << " " << (d.rational ? "yes" : "no") << "\n\t\t" << d.knotsU.size();
    for (double k : d.knotsU)
      out_ << " " << number(k);
    out_ << "\n\t\t" << d.knotsV.size();
    for (double k : d.knotsV)
      out_ << " " << number(k);
    out_ << "\n\t\t\n\t\t" << d.cvs.size();
    for (std::size_t i = 0; i < d.cvs.size(); ++i) {
      out_ << "\n\t\t" << number(d.cvs[i].x) << " " << number(d.cvs[i].y) << " " << number(d.cvs[i].z);
      if (d.rational)
        out_ << " " << number(d.weights[i]);
    }
    out_ << ";\n";
  }

  void instances() {
    auto& s = scene();
    for (const auto& n : s.nodes())
      for (std::size_t p = 1; p < n->parents.size(); ++p) {
        if (fromFile(n.get()) && fromFile(n->parents[p]))
          continue;
        auto paths = s.allPaths(n.get());
        out_ << "parent -s -nc -r -add " << quoted(s.fullPathName(paths[0])) << " "
             << quoted(nameOf(n->parents[p])) << ";\n";
      }
  }

  void connections() {
    auto& s = scene();
    std::vector<Node*> order = dagOrder(s.world());
    for (const auto& n : s.nodes())
      if (!n->dag)
        order.push_back(n.get());
    for (const Node* n : order)
      for (const auto& c : n->connections)
        if (c.outgoing && !c.builtIn && !referencedConnection(n, c.remote.node))
          out_ << "connectAttr " << quoted(nameOf(n) + "." + c.localKey) << " "
               << quoted(nameOf(c.remote.node) + "." + c.remote.key()) << ";\n";
  }

  std::ostream& out_;
};

}  // namespace

bool saveMayaAscii(const std::string& path, std::string& error) {
  std::ofstream out(fs::u8path(path), std::ios::binary | std::ios::trunc);
  if (!out) {
    error = path + ": cannot open the file for writing";
    return false;
  }
  Writer(out).write(fs::u8path(path).filename().u8string());
  out.flush();
  if (!out) {
    error = path + ": writing failed";
    return false;
  }
  scene().modified = false;
  return true;
}

}  // namespace OmbrixHost
