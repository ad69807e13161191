// polyAppendVertex: one new face through the points its `desc` list names in
// order (its new points after the mesh's), starting at the last of them, UVs
// as polyAppend's.
// polyAppend: one new face along the border edges its `desc` list names, in
// order (Maya saves an edge as its number with the top bit set: -2147483648 +
// edge). Each edge is walked against the face beside it, so the new face
// turns as its neighbours do; consecutive edges sharing a point share the
// corner, and the face closes from the last edge back to the first. It comes
// after the mesh's faces; with `texture` 1 or 2 its UVs are new, the face laid
// flat as polyCreateFace lays its face (1 keeping its proportions). New points
// in the list and subdivided edges are not evaluated.
#include "FaceJoins.h"
#include "FaceLayout.h"
#include "ModelingSteps.h"
#include "Scene.h"

#include <algorithm>
#include <cstdint>

namespace OmbrixHost {
namespace {

constexpr std::int64_t kEdgeFlag = 2147483648LL;

// The listed descriptors as edges; false, `why` set, for one that is not a border edge of the mesh.
bool listedBorderEdges(const Node& node, const MeshEdges& edges, const std::vector<std::vector<int>>& faces,
                       std::vector<int>& out, std::string& why) {
  PlugRef array{const_cast<Node*>(&node), node.findAttribute("desc"), {-1}};
  for (int i : array.attr ? scene().existingIndices(array) : std::vector<int>{}) {
    const double d = node.number("desc[" + std::to_string(i) + "]", 0.0);
    if (d >= 0) {
      why = "it appends new points, which the host does not evaluate";
      return false;
    }
    const std::int64_t e = static_cast<std::int64_t>(d) + kEdgeFlag;
    if (e < 0 || e >= edges.count() || faces[static_cast<std::size_t>(e)].size() != 1) {
      why = "its descriptor " + std::to_string(i) + " names no border edge of the mesh";
      return false;
    }
    out.push_back(static_cast<int>(e));
  }
  if (out.empty())
    why = "its desc list names no edges";
  return !out.empty();
}

// Edge e walked against its face: from the point its face walks it to.
std::pair<int, int> againstItsFace(const MeshData& mesh, const MeshEdges& edges, int face, int e) {
  const auto [a, b] = edges.ends[static_cast<std::size_t>(e)];
  for (int k = 0; k < mesh.faceCounts[static_cast<std::size_t>(face)]; ++k) {
    const long long loop = edges.loops[static_cast<std::size_t>(mesh.faceStart(face) + k)];
    if (MeshEdges::edgeOf(loop) == e)
      return loop >= 0 ? std::make_pair(b, a) : std::make_pair(a, b);
  }
  return {b, a};
}

// The face's UVs in every set: none, except in the current set with
// `texture` 1 or 2, where they are new, the face laid flat as polyCreateFace
// lays its face (1 keeping its proportions). The face then follows the list's.
void addFace(PolygonList& list, Polygon face, double texture) {
  std::vector<Point3> corners;
  for (int v : face.vertices)
    corners.push_back(list.points[static_cast<std::size_t>(v)]);
  for (std::size_t s = 0; s < list.sets.size(); ++s) {
    face.uvs.emplace_back(face.vertices.size(), -1);
    if (s != static_cast<std::size_t>(list.currentUVSet) || !(texture == 1.0 || texture == 2.0))
      continue;
    const UVSet flat = flatUVs("", corners, corners, texture == 1.0);
    for (std::size_t k = 0; k < corners.size(); ++k) {
      list.sets[s].us.push_back(flat.us[k]);
      list.sets[s].vs.push_back(flat.vs[k]);
      face.uvs[s][k] = static_cast<int>(list.sets[s].us.size()) - 1;
    }
  }
  list.polygons.push_back(std::move(face));
}

// polyAppendVertex's corners: each descriptor a point of the mesh, or -1 for
// the next of its new points (object space), which follow the mesh's points.
bool listedCorners(const Node& node, PolygonList& list, Polygon& face, std::string& why) {
  PlugRef descs{const_cast<Node*>(&node), node.findAttribute("desc"), {-1}};
  PlugRef points{const_cast<Node*>(&node), node.findAttribute("vertices"), {-1}};
  const std::vector<int> newPoints = points.attr ? scene().existingIndices(points) : std::vector<int>{};
  std::size_t used = 0;
  const int before = static_cast<int>(list.points.size());
  for (int i : descs.attr ? scene().existingIndices(descs) : std::vector<int>{}) {
    const double d = node.number("desc[" + std::to_string(i) + "]", 0.0);
    if (d >= 0 && d < before) {
      face.vertices.push_back(static_cast<int>(d));
      continue;
    }
    if (d != -1.0 || used == newPoints.size()) {
      why = d == -1.0 ? "its descriptors name more new points than it holds"
                      : "its descriptor " + std::to_string(i) + " names no point of the mesh (holes are not evaluated)";
      return false;
    }
    const std::string at = "vertices[" + std::to_string(newPoints[used++]) + "].";
    face.vertices.push_back(list.addPoint(
        {node.number(at + "vtxx", 0.0), node.number(at + "vtxy", 0.0), node.number(at + "vtxz", 0.0)}));
  }
  if (face.vertices.size() < 3) {
    why = "its descriptors make a face of fewer than three corners";
    return false;
  }
  return true;
}

}  // namespace

bool appendFace(const Node& node, MeshData& mesh, std::string& why) {
  if (node.number("subdivision", 1.0) != 1.0) {
    why = "its subdivided edges are not evaluated";
    return false;
  }
  const MeshEdges edges = meshEdges(mesh);
  const std::vector<std::vector<int>> faces = facesOfEdges(mesh, edges);
  std::vector<int> listed;
  if (!listedBorderEdges(node, edges, faces, listed, why))
    return false;
  Polygon face;
  for (int e : listed) {
    const auto [from, to] = againstItsFace(mesh, edges, faces[static_cast<std::size_t>(e)][0], e);
    for (int v : {from, to})
      if (face.vertices.empty() || face.vertices.back() != v)
        face.vertices.push_back(v);
  }
  if (face.vertices.size() > 1 && face.vertices.back() == face.vertices.front())
    face.vertices.pop_back();
  if (face.vertices.size() < 3) {
    why = "its edges make a face of fewer than three corners";
    return false;
  }
  PolygonList list = PolygonList::of(mesh);
  addFace(list, std::move(face), node.number("texture", 0.0));
  mesh = list.toMesh();
  return true;
}

bool appendVertexFace(const Node& node, MeshData& mesh, std::string& why) {
  PolygonList list = PolygonList::of(mesh);
  Polygon face;
  if (!listedCorners(node, list, face, why))
    return false;
  // The face starts at the last listed point (c026-devynbrunker-blocked-robot-
  // updated: desc -1 2 1 -1 makes the face 5 4 2 1, its new edges 5-4, 4-2,
  // 1-5, as the next polyExtrudeEdge's e[6] and its bounds show).
  std::rotate(face.vertices.rbegin(), face.vertices.rbegin() + 1, face.vertices.rend());
  addFace(list, std::move(face), node.number("texture", 0.0));
  mesh = list.toMesh();
  return true;
}

}  // namespace OmbrixHost
