// deleteComponent: the faces, edges and vertices of its deleteComponents list
// taken out of the mesh. A face goes with its corners; an edge between two
// faces goes by joining them into one (the lower keeps its place); points and
// UVs nothing uses any more go too.
#include "Components.h"
#include "MeshEdges.h"
#include "ModelingSteps.h"
#include "PolygonList.h"

#include <numeric>

namespace OmbrixHost {
namespace {

// The corner of `p` that walks from x to y; -1 when it has none.
int cornerWalking(const Polygon& p, int x, int y) {
  const std::size_t n = p.vertices.size();
  for (std::size_t k = 0; k < n; ++k)
    if (p.vertices[k] == x && p.vertices[(k + 1) % n] == y)
      return static_cast<int>(k);
  return -1;
}

// The corners of `from`, starting at `start`, `count` of them, appended to `to`.
void appendCorners(const Polygon& from, std::size_t start, std::size_t count, Polygon& to) {
  const std::size_t n = from.vertices.size();
  for (std::size_t k = 0; k < count; ++k) {
    std::size_t c = (start + k) % n;
    to.vertices.push_back(from.vertices[c]);
    for (std::size_t s = 0; s < from.uvs.size(); ++s)
      to.uvs[s].push_back(from.uvs[s][c]);
  }
}

// Joins q into p across the edge x-y that p walks at corner i and q walks
// back at corner j; p's first corner stays first.
Polygon joined(const Polygon& p, std::size_t i, const Polygon& q, std::size_t j) {
  Polygon out;
  out.uvs.resize(p.uvs.size());
  const std::size_t np = p.vertices.size(), nq = q.vertices.size();
  appendCorners(p, 0, i + 1, out);           // up to x
  appendCorners(q, j + 2, nq - 2, out);      // q's corners after x up to before y
  appendCorners(p, i + 1, np - i - 1, out);  // from y on
  return out;
}

struct Deletion {
  std::vector<bool> faces;
  std::vector<int> edges;
  int vertices = 0;
  std::vector<std::string> stray;
};

bool readList(const Node& node, const MeshData& m, int edgeCount, Deletion& out, std::string& why) {
  const Value list = node.value("deleteComponents");
  out.faces.assign(static_cast<std::size_t>(m.numFaces()), false);
  if (list.kind != Value::kStrings || list.strings.empty()) {
    why = "its deleteComponents list is empty; the mesh is unchanged";
    return true;
  }
  for (const auto& text : list.strings) {
    MFn::Type type;
    std::vector<int> elements;
    if (!parseComponent(text, type, elements, -1)) {
      why = "its component \"" + text + "\" cannot be read";
      return false;
    }
    int count = type == MFn::kMeshPolygonComponent ? m.numFaces()
                : type == MFn::kMeshEdgeComponent  ? edgeCount
                                                   : static_cast<int>(m.points.size());
    bool inRange = true;
    for (int e : elements) {
      if (e < 0 || e >= count) {
        inRange = false;
      } else if (type == MFn::kMeshPolygonComponent) {
        out.faces[static_cast<std::size_t>(e)] = true;
      } else if (type == MFn::kMeshEdgeComponent) {
        out.edges.push_back(e);
      } else if (type == MFn::kMeshVertComponent) {
        ++out.vertices;
      }
    }
    if (!inRange || (type != MFn::kMeshPolygonComponent && type != MFn::kMeshEdgeComponent &&
                     type != MFn::kMeshVertComponent))
      out.stray.push_back(text);
  }
  return true;
}

}  // namespace

bool deleteComponents(const Node& node, MeshData& mesh, std::string& why) {
  const MeshEdges edges = meshEdges(mesh);
  Deletion deletion;
  if (!readList(node, mesh, edges.count(), deletion, why))
    return false;
  PolygonList list = PolygonList::of(mesh);
  std::vector<int> owner(list.polygons.size());
  std::iota(owner.begin(), owner.end(), 0);
  auto ownerOf = [&owner](int f) {
    while (owner[static_cast<std::size_t>(f)] != f)
      f = owner[static_cast<std::size_t>(f)];
    return f;
  };
  std::vector<std::vector<int>> facesOfEdge(edges.ends.size());
  for (int f = 0; f < mesh.numFaces(); ++f)
    for (int k = 0; k < mesh.faceCounts[f]; ++k)
      facesOfEdge[static_cast<std::size_t>(MeshEdges::edgeOf(edges.loops[static_cast<std::size_t>(mesh.faceStart(f) + k)]))]
          .push_back(f);
  int kept = 0;
  for (int e : deletion.edges) {
    const auto& faces = facesOfEdge[static_cast<std::size_t>(e)];
    auto [x, y] = edges.ends[static_cast<std::size_t>(e)];
    if (faces.size() != 2 || deletion.faces[faces[0]] || deletion.faces[faces[1]]) {
      ++kept;
      continue;
    }
    int a = ownerOf(faces[0]), b = ownerOf(faces[1]);
    Polygon& p = list.polygons[static_cast<std::size_t>(std::min(a, b))];
    Polygon& q = list.polygons[static_cast<std::size_t>(std::max(a, b))];
    int i = cornerWalking(p, x, y), j = cornerWalking(q, y, x);
    if (i < 0 || j < 0) {
      std::swap(x, y);
      i = cornerWalking(p, x, y);
      j = cornerWalking(q, y, x);
    }
    if (a == b || i < 0 || j < 0) {
      ++kept;
      continue;
    }
    p = joined(p, static_cast<std::size_t>(i), q, static_cast<std::size_t>(j));
    owner[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
    deletion.faces[static_cast<std::size_t>(std::max(a, b))] = true;
  }
  std::vector<Polygon> remaining;
  for (std::size_t f = 0; f < list.polygons.size(); ++f)
    if (!deletion.faces[f])
      remaining.push_back(std::move(list.polygons[f]));
  list.polygons = std::move(remaining);
  mesh = list.toMesh();
  std::string notes;
  for (const auto& item : deletion.stray)
    notes += (notes.empty() ? "its components \"" : ", \"") + item + "\"";
  if (!notes.empty())
    notes += " name nothing of the mesh it can delete and are left out";
  if (kept > 0)
    notes += std::string(notes.empty() ? "" : "; ") + std::to_string(kept) +
             " of its edges do not lie between two faces and are kept";
  if (deletion.vertices > 0)
    notes += std::string(notes.empty() ? "" : "; ") + "its vertices are not deleted (the host deletes faces and edges)";
  if (!notes.empty())
    why = notes;
  return true;
}

}  // namespace OmbrixHost
