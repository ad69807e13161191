// wrap: each point, in world space through geomMatrix, bound to the point of
// the influence's base mesh (basePoints[0]) nearest it, moves as that point
// has moved on the influence (driverPoints[0]), then by weight and envelope.
// Both meshes come in world space when connected from a worldMesh. Maya
// weighs several influence points by distance in a way it does not describe;
// this nearest-point binding is the host's and said so.
#include "Wrap.h"

#include "Matrix4.h"
#include "MeshHistory.h"
#include "Point3Math.h"

namespace OmbrixHost {
namespace {

// Binding pairs compared beyond this many are refused rather than searched.
constexpr double kMostPairs = 5e8;

bool influenceMesh(const Node& node, const char* key, const DeformerSources& sources, std::vector<Point3>& out) {
  const Connection* c = incomingConnection(&node, key);
  MeshData mesh;
  if (!c || !sources.meshAt(c->remote, mesh))
    return false;
  Matrix4 world;
  if (c->remote.attr && c->remote.attr->name == "worldMesh" && dagWorldMatrix(c->remote.node, world))
    for (auto& p : mesh.points)
      p = world.apply(p);
  out = std::move(mesh.points);
  return true;
}

std::size_t nearest(const std::vector<Point3>& among, Point3 p) {
  std::size_t best = 0;
  double bestDistance = -1.0;
  for (std::size_t i = 0; i < among.size(); ++i) {
    const Point3 d = among[i] - p;
    const double distance = dot(d, d);
    if (bestDistance < 0.0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

bool wrapPoints(const Node& node, int index, std::vector<Point3>& points, const DeformerSources& sources,
                std::string& why) {
  std::vector<Point3> driver, base;
  if (!influenceMesh(node, "driverPoints[0]", sources, driver) || !influenceMesh(node, "basePoints[0]", sources, base) ||
      driver.size() != base.size() || base.empty()) {
    why = "its driverPoints and basePoints are not meshes of one topology";
    return false;
  }
  if (static_cast<double>(base.size()) * static_cast<double>(points.size()) > kMostPairs) {
    why = "its influence and mesh are too large to bind point by point";
    return false;
  }
  Matrix4 geom, geomInverse;
  bool hasGeom = false;
  if (!inputMatrix(node, "geomMatrix", geom, hasGeom) || !geom.finite() || !geom.inverse(geomInverse)) {
    why = "its geomMatrix is not a matrix that can be inverted";
    return false;
  }
  moveByWeights(node, index, points, [&](std::size_t, Point3 p) {
    const Point3 world = geom.apply(p);
    const std::size_t k = nearest(base, world);
    return geomInverse.apply(world + (driver[k] - base[k]));
  });
  why = "its binding is the host's (each point moves with the influence point nearest it); Maya's may differ";
  return true;
}

}  // namespace OmbrixHost
