// polyPlatonic: one of the five regular solids with its corners `radius`
// from the centre, each face sliced by subdivisionMode `subdivisions` times
// and the new points pushed out towards the sphere by sphericalInflation.
#include "CreationNodes.h"
#include "FaceSlicer.h"
#include "Point3Math.h"
#include "Polyhedra.h"
#include "PrimitiveBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>

namespace OmbrixHost {

using namespace Creation;

namespace {

// Each face's UVs are an island in its own cell of a square grid, the face
// seen from outside, its corners on the cell's inscribed circle.
struct FaceChart {
  Point3 centre, u, w;
  double scale, cellU, cellV, cell;
  FaceChart(const Polygon3& corners, Point3 centre, int index, int faces) : centre(centre) {
    Point3 normal = cross(corners[0] - centre, corners[1] - centre);
    u = scaledTo(corners[0] - centre, 1.0);
    w = scaledTo(cross(normal, u), 1.0);
    scale = std::sqrt(dot(corners[0] - centre, corners[0] - centre));
    int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(faces))));
    cell = 1.0 / columns;
    cellU = cell * (index % columns + 0.5);
    cellV = cell * (index / columns + 0.5);
  }
  std::pair<double, double> at(Point3 p) const {
    Point3 d = p - centre;
    double k = 0.45 * cell / scale;
    return {cellU + k * dot(d, u), cellV + k * dot(d, w)};
  }
};

Point3 faceCentre(const Polygon3& corners) {
  Point3 c{};
  for (const Point3& p : corners)
    c = {c.x + p.x / corners.size(), c.y + p.y / corners.size(), c.z + p.z / corners.size()};
  return c;
}

}  // namespace

bool generatePlatonic(const Node& n, MeshData& out, std::string& why) {
  if (!countsWithin(n, {"primitive"}, 0, 4, why) || !countsWithin(n, {"subdivisionMode"}, 0, 3, why) ||
      !countsWithin(n, {"subdivisions"}, 0, 1024, why))
    return false;
  double r = attr(n, "radius"), inflation = attr(n, "sphericalInflation");
  if (!(r > 0) || !std::isfinite(r) || !std::isfinite(inflation)) {
    why = "radius or sphericalInflation is out of range";
    return false;
  }
  auto mode = static_cast<SliceMode>(static_cast<int>(attr(n, "subdivisionMode")));
  int steps = static_cast<int>(attr(n, "subdivisions"));
  Polyhedron solid = regularSolid(static_cast<RegularSolid>(static_cast<int>(attr(n, "primitive"))), r);
  long long faces = static_cast<long long>(solid.faces.size());
  if (faces * sliceCounts(static_cast<int>(solid.faces[0].size()), mode, steps).points > kMaxCreatedPoints) {
    why = "its subdivisions ask for too many points";
    return false;
  }
  Builder b;
  PointWelder welder(b.m.points, 1e-9 * std::max(1.0, r));
  for (std::size_t f = 0; f < solid.faces.size(); ++f) {
    Polygon3 corners;
    for (int v : solid.faces[f])
      corners.push_back(solid.points[static_cast<std::size_t>(v)]);
    Point3 centre = faceCentre(corners);
    FaceChart chart(corners, centre, static_cast<int>(f), static_cast<int>(faces));
    std::map<int, int> texels;
    for (const Polygon3& piece : slicePolygon(centre, corners, mode, steps)) {
      std::vector<std::pair<int, int>> pieceCorners;
      for (const Point3& p : piece) {
        bool added = false;
        int v = welder.index(p, added);
        auto t = texels.find(v);
        if (t == texels.end()) {
          auto uv = chart.at(p);
          t = texels.emplace(v, b.texel(uv.first, uv.second)).first;
        }
        pieceCorners.emplace_back(v, t->second);
      }
      b.face(pieceCorners);
    }
  }
  for (Point3& p : b.m.points) {
    Point3 onSphere = scaledTo(p, r);
    p = {p.x + inflation * (onSphere.x - p.x), p.y + inflation * (onSphere.y - p.y),
         p.z + inflation * (onSphere.z - p.z)};
  }
  out = b.finish(n);
  return true;
}

}  // namespace OmbrixHost
