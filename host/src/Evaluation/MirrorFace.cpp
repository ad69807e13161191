// polyMirror: the mesh and its mirror image across a plane, in one mesh (its
// inputComponents naming every face; a part of them is not evaluated). The
// plane's normal is `axis` (X, Y or Z) turned by mirrorPlaneRotate; it passes
// through `pivot`, in world space through inputMatrix with worldSpace (off
// unless set), else in the object's space. The side kept is +axis with
// axisDirection 1, -axis with 0; the image goes to the other side.
//
// With cutMesh the faces wholly on the other side go first, and those that
// cross the plane are cut there: the points the plane cuts edges at follow the
// points kept, in the order of their edges; a cut face keeps its place when its
// first corner is kept, else it follows the faces, starting at the point where
// its walk leaves the kept side.
//
// The image's faces follow the mesh's (from firstNewFace on), each walked the
// other way from the same first corner, on the same UVs; its points follow the
// mesh's, except that with mergeMode 1 a border point whose image lies within
// mergeThreshold of it is its own image. Other merge modes leave the image
// apart and say so.
#include "ComponentLists.h"
#include "Matrix4.h"
#include "MeshEdges.h"
#include "ModelingSteps.h"
#include "Point3Math.h"
#include "PolygonList.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>

namespace OmbrixHost {
namespace {

const double kAutomaticThreshold = 0.001;
const double kOnPlane = 1e-6;

Point3 tripleOf(const Node& node, const std::string& name) {
  const std::string key = name + "." + name;
  return Point3{node.number(key + "X", 0.0), node.number(key + "Y", 0.0), node.number(key + "Z", 0.0)};
}

// Signed distances of the mesh's points from the plane, positive on the kept side.
struct PlaneSides {
  std::vector<double> of;
  bool kept(int v) const { return of[static_cast<std::size_t>(v)] >= -kOnPlane; }
  bool onPlane(int v) const { return std::fabs(of[static_cast<std::size_t>(v)]) <= kOnPlane; }
  bool inside(int v) const { return of[static_cast<std::size_t>(v)] > kOnPlane; }
  double cutAt(int a, int b) const {  // the fraction of the way from a to b where the plane lies
    const double sa = of[static_cast<std::size_t>(a)], sb = of[static_cast<std::size_t>(b)];
    return sa / (sa - sb);
  }
};

bool crosses(const Polygon& p, const PlaneSides& sides) {
  return std::any_of(p.vertices.begin(), p.vertices.end(), [&](int v) { return !sides.kept(v); }) &&
         std::any_of(p.vertices.begin(), p.vertices.end(), [&](int v) { return sides.inside(v); });
}

bool dropped(const Polygon& p, const PlaneSides& sides) {
  return std::none_of(p.vertices.begin(), p.vertices.end(), [&](int v) { return sides.inside(v); }) &&
         std::any_of(p.vertices.begin(), p.vertices.end(), [&](int v) { return !sides.kept(v); });
}

// The point the plane cuts each crossed edge at, made in the order of the edges.
std::map<int, int> cutPoints(PolygonList& list, const MeshData& mesh, const MeshEdges& edges, const PlaneSides& sides) {
  std::map<int, int> points;
  for (std::size_t f = 0; f < list.polygons.size(); ++f) {
    const Polygon& p = list.polygons[f];
    if (!p.holes.empty() || !crosses(p, sides))
      continue;
    const std::size_t n = p.vertices.size();
    for (std::size_t k = 0; k < n; ++k) {
      const int a = p.vertices[k], b = p.vertices[(k + 1) % n];
      if (sides.kept(a) != sides.kept(b) && !sides.onPlane(sides.kept(a) ? a : b))
        points[MeshEdges::edgeOf(edges.loops[static_cast<std::size_t>(mesh.faceStarts[f]) + k])] = -1;
    }
  }
  for (auto& [edge, point] : points) {
    const auto& ends = edges.ends[static_cast<std::size_t>(edge)];
    point = list.addPoint(lerp(list.points[static_cast<std::size_t>(ends.first)],
                               list.points[static_cast<std::size_t>(ends.second)], sides.cutAt(ends.first, ends.second)));
  }
  return points;
}

// The part of a crossing face on the kept side, starting where its walk
// leaves that side when its first corner is not kept.
Polygon keptPart(PolygonList& list, const Polygon& p, std::size_t firstLoop, const MeshEdges& edges,
                 const std::map<int, int>& cuts, const PlaneSides& sides) {
  Polygon part;
  part.uvs.resize(p.uvs.size());
  const std::size_t n = p.vertices.size();
  auto corner = [&](int v, std::size_t k, std::size_t next, double t) {
    part.vertices.push_back(v);
    for (std::size_t s = 0; s < p.uvs.size(); ++s)
      part.uvs[s].push_back(next == k ? p.uvs[s][k] : list.blendUV(s, p.uvs[s][k], p.uvs[s][next], t));
  };
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t next = (k + 1) % n;
    const int a = p.vertices[k], b = p.vertices[next];
    if (sides.kept(a))
      corner(a, k, k, 0.0);
    if (sides.kept(a) != sides.kept(b) && !sides.onPlane(sides.kept(a) ? a : b))
      corner(cuts.at(MeshEdges::edgeOf(edges.loops[firstLoop + k])), k, next, sides.cutAt(a, b));
  }
  if (!sides.kept(p.vertices[0])) {
    std::rotate(part.vertices.rbegin(), part.vertices.rbegin() + 1, part.vertices.rend());
    for (auto& ids : part.uvs)
      std::rotate(ids.rbegin(), ids.rbegin() + 1, ids.rend());
  }
  return part;
}

// How many times a polygon's walk leaves the kept side.
int exits(const Polygon& p, const PlaneSides& sides) {
  int count = 0;
  for (std::size_t k = 0; k < p.vertices.size(); ++k)
    count += sides.kept(p.vertices[k]) && !sides.kept(p.vertices[(k + 1) % p.vertices.size()]);
  return count;
}

// cutMesh: the mesh less what lies on the other side of the plane. Says what
// of it is the host's own: faces with holes across the plane are kept whole,
// and a face that crosses it more than once keeps one face of its parts.
std::string cutAtPlane(MeshData& mesh, const PlaneSides& sides) {
  mesh.rebuildFaceStarts();
  const MeshEdges edges = meshEdges(mesh);
  PolygonList list = PolygonList::of(mesh);
  const std::map<int, int> cuts = cutPoints(list, mesh, edges, sides);
  std::vector<Polygon> kept, moved;
  int own = 0;
  for (std::size_t f = 0; f < list.polygons.size(); ++f) {
    const Polygon& p = list.polygons[f];
    if (crosses(p, sides) && (!p.holes.empty() || exits(p, sides) > 1))
      ++own;
    if (p.holes.empty() && crosses(p, sides)) {
      Polygon part = keptPart(list, p, static_cast<std::size_t>(mesh.faceStarts[f]), edges, cuts, sides);
      (sides.kept(p.vertices[0]) ? kept : moved).push_back(std::move(part));
    } else if (!dropped(p, sides)) {
      kept.push_back(p);
    }
  }
  kept.insert(kept.end(), moved.begin(), moved.end());
  list.polygons = std::move(kept);
  mesh = list.toMesh();
  if (own == 0)
    return "";
  return std::to_string(own) + " of the faces it cuts have holes or cross the plane more than once; the host keeps each " +
         "whole or as one face, and Maya's cut may differ";
}

// The points on an edge that only one polygon walks.
std::vector<bool> borderPoints(const PolygonList& list) {
  std::map<std::pair<int, int>, int> uses;
  for (const auto& p : list.polygons)
    for (std::size_t k = 0; k < p.vertices.size(); ++k) {
      const int a = p.vertices[k], b = p.vertices[(k + 1) % p.vertices.size()];
      ++uses[{std::min(a, b), std::max(a, b)}];
    }
  std::vector<bool> border(list.points.size(), false);
  for (const auto& [edge, count] : uses)
    if (count == 1)
      border[static_cast<std::size_t>(edge.first)] = border[static_cast<std::size_t>(edge.second)] = true;
  return border;
}

// The image's faces after the mesh's, each walked the other way from the
// same first corner through `image` of its points, on the same UVs.
void addImageFaces(PolygonList& list, const std::vector<int>& image) {
  const std::size_t faces = list.polygons.size();
  for (std::size_t f = 0; f < faces; ++f) {
    Polygon copy = list.polygons[f];
    for (int& v : copy.vertices)
      v = image[static_cast<std::size_t>(v)];
    std::reverse(copy.vertices.begin() + 1, copy.vertices.end());
    for (auto& ids : copy.uvs)
      if (ids.size() > 1)
        std::reverse(ids.begin() + 1, ids.end());
    list.polygons.push_back(std::move(copy));
  }
}

// What the host says of a border mode other than 0 (apart) and 1 (merged).
std::string borderModeNote(double mergeMode) {
  if (mergeMode == 2.0)
    return "its bridging of the borders (mergeMode 2) is not evaluated; the image stays apart";
  if (mergeMode != 0.0 && mergeMode != 1.0)
    return "its border mode (mergeMode " + std::to_string(static_cast<long long>(mergeMode)) +
           ") is not evaluated; the image stays apart";
  return "";
}

}  // namespace

bool mirrorMesh(const Node& node, MeshData& mesh, std::string& why) {
  const double axis = node.number("axis", 0.0), direction = node.number("axisDirection", 1.0);
  const double mergeMode = node.number("mergeMode", 1.0);
  const double threshold = node.number("mergeThresholdType", 0.0) != 0.0 ? node.number("mergeThreshold", kAutomaticThreshold)
                                                                          : kAutomaticThreshold;
  const Point3 pivot = tripleOf(node, "pivot"), rotate = tripleOf(node, "mirrorPlaneRotate");
  Matrix4 toWorld, fromWorld;
  const Value matrix = node.value("inputMatrix");
  if (matrix.kind != Value::kNone && !Matrix4::fromValue(&matrix, toWorld)) {
    why = "its inputMatrix is not a matrix";
    return false;
  }
  if (!std::isfinite(axis) || !std::isfinite(threshold) || !finite(pivot) || !finite(rotate) || !toWorld.finite()) {
    why = "a value is not a number";
    return false;
  }
  if (axis < 0 || axis > 2) {
    why = "its axis " + std::to_string(static_cast<long long>(axis)) + " is none of X, Y and Z (0 to 2)";
    return false;
  }
  std::vector<bool> chosen;
  if (!selectedElements(node, MFn::kMeshPolygonComponent, mesh.numFaces(), chosen, why))
    return false;
  if (std::find(chosen.begin(), chosen.end(), false) != chosen.end()) {
    why = "it mirrors some of the faces only, which the host does not evaluate";
    return false;
  }
  if (node.number("worldSpace", 0.0) == 0.0)
    toWorld = Matrix4();
  if (!toWorld.inverse(fromWorld)) {
    why = "its inputMatrix cannot be inverted";
    return false;
  }
  Point3 normal{axis == 0 ? 1.0 : 0.0, axis == 1 ? 1.0 : 0.0, axis == 2 ? 1.0 : 0.0};
  normal = rotatedXYZ(normal, rotate) * (direction != 0.0 ? 1.0 : -1.0);
  auto sidesOf = [&](const std::vector<Point3>& points) {
    PlaneSides sides;
    for (const auto& p : points)
      sides.of.push_back(dot(toWorld.apply(p) - pivot, normal));
    return sides;
  };
  const std::string cutNote = node.number("cutMesh", 0.0) != 0.0 ? cutAtPlane(mesh, sidesOf(mesh.points)) : "";
  PolygonList list = PolygonList::of(mesh);
  const PlaneSides sides = sidesOf(list.points);
  const std::vector<bool> border = borderPoints(list);
  std::vector<int> image(list.points.size(), -1);
  const std::size_t points = list.points.size();
  for (std::size_t v = 0; v < points; ++v) {
    const double side = sides.of[v];
    if (mergeMode == 1.0 && border[v] && std::fabs(2 * side) <= threshold)
      image[v] = static_cast<int>(v);
    else
      image[v] = list.addPoint(fromWorld.apply(toWorld.apply(list.points[v]) - normal * (2 * side)));
  }
  addImageFaces(list, image);
  mesh = list.toMesh();
  why = borderModeNote(mergeMode);
  if (!cutNote.empty())
    why += (why.empty() ? "" : "; ") + cutNote;
  return true;
}

}  // namespace OmbrixHost
