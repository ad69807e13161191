// polyMirror: the mesh and its mirror image across a plane, in one mesh. The
// plane's normal is `axis` (X, Y or Z) turned by mirrorPlaneRotate; it passes
// through `pivot` (world space through inputMatrix with worldSpace), or the
// object's origin with mirrorAxis 1. With cutMesh the faces wholly on the
// side the image goes to (+axis with axisDirection 1, else -axis; points on
// the plane count on either side) are dropped first. The image's faces follow the mesh's (from firstNewFace on), each
// walked the other way from the same first corner, on the same UVs; its points
// follow the mesh's, except that with mergeMode 1 a point whose image lies
// within mergeThreshold of it is its own image.
#include "Matrix4.h"
#include "ModelingSteps.h"
#include "Point3Math.h"
#include "PolygonList.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {
namespace {

const double kAutomaticThreshold = 0.001;

Point3 tripleOf(const Node& node, const std::string& name) {
  const std::string key = name + "." + name;
  return Point3{node.number(key + "X", 0.0), node.number(key + "Y", 0.0), node.number(key + "Z", 0.0)};
}

}  // namespace

bool mirrorMesh(const Node& node, MeshData& mesh, std::string& why) {
  const double axis = node.number("axis", 0.0), direction = node.number("axisDirection", 1.0);
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
  if (node.number("worldSpace", 1.0) == 0.0)
    toWorld = Matrix4();
  if (!toWorld.inverse(fromWorld)) {
    why = "its inputMatrix cannot be inverted";
    return false;
  }
  Point3 normal{axis == 0 ? 1.0 : 0.0, axis == 1 ? 1.0 : 0.0, axis == 2 ? 1.0 : 0.0};
  normal = rotatedXYZ(normal, rotate) * (direction != 0.0 ? 1.0 : -1.0);
  const Point3 origin = node.number("mirrorAxis", 2.0) == 1.0 ? toWorld.apply(Point3{}) : pivot;
  PolygonList list = PolygonList::of(mesh);
  std::vector<Point3> world;
  for (const auto& p : list.points)
    world.push_back(toWorld.apply(p));
  if (node.number("cutMesh", 0.0) != 0.0)
    list.polygons.erase(std::remove_if(list.polygons.begin(), list.polygons.end(),
                                       [&](const Polygon& p) {
                                         auto side = [&](int v) { return dot(world[static_cast<std::size_t>(v)] - origin, normal); };
                                         return std::all_of(p.vertices.begin(), p.vertices.end(),
                                                            [&](int v) { return side(v) > -threshold; }) &&
                                                std::any_of(p.vertices.begin(), p.vertices.end(),
                                                            [&](int v) { return side(v) > threshold; });
                                       }),
                        list.polygons.end());
  const bool merge = node.number("mergeMode", 1.0) == 1.0;
  std::vector<int> image(list.points.size(), -1);
  const std::size_t points = list.points.size();
  for (std::size_t v = 0; v < points; ++v) {
    const double side = dot(world[v] - origin, normal);
    if (merge && std::fabs(2 * side) <= threshold)
      image[v] = static_cast<int>(v);
    else
      image[v] = list.addPoint(fromWorld.apply(world[v] - normal * (2 * side)));
  }
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
  mesh = list.toMesh();
  if (node.number("mergeMode", 1.0) == 2.0)
    why = "its bridging of the borders (mergeMode 2) is not evaluated; the image stays apart";
  return true;
}

}  // namespace OmbrixHost
