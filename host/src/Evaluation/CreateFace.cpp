// polyCreateFace (and polyCreateFacet): one face of the `vertices` points, in
// index order. `loop` gives the sizes of its loops: the first its outline, the
// others holes in it; without sizes, every point makes the outline. Each edge
// is cut into `subdivision` pieces, the new points following the point the
// edge starts at. `texture` 1 maps the face flat onto the unit square keeping
// its proportions, 2 stretched to fill it, 0 leaves it without UVs.
#include "CreationNodes.h"
#include "FaceLayout.h"
#include "Point3Math.h"
#include "PolygonList.h"
#include "Scene.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {
namespace {

constexpr long long kMostSubdivisions = 4096;

// The points of `vertices`, in index order; false when one is not a number.
bool readPoints(const Node& n, std::vector<Point3>& out, std::string& why) {
  PlugRef array{const_cast<Node*>(&n), n.findAttribute("vertices"), {-1}};
  if (!array.attr)
    return true;
  for (int i : scene().existingIndices(array)) {
    const std::string key = "vertices[" + std::to_string(i) + "].";
    Point3 p{n.number(key + "vtxx", 0.0), n.number(key + "vtxy", 0.0), n.number(key + "vtxz", 0.0)};
    if (!finite(p)) {
      why = "its vertex " + std::to_string(i) + " is not a number";
      return false;
    }
    out.push_back(p);
  }
  return true;
}

// The loops' sizes (`loop`, in index order); false when they do not share
// out the points in loops of three or more.
bool readLoops(const Node& n, std::size_t points, std::vector<std::size_t>& sizes, std::string& why) {
  PlugRef array{const_cast<Node*>(&n), n.findAttribute("loop"), {-1}};
  const std::string refused =
      "its loop sizes do not share out its " + std::to_string(points) + " vertices in loops of three or more";
  std::size_t total = 0;
  for (int i : array.attr ? scene().existingIndices(array) : std::vector<int>{}) {
    const double size = n.number("loop[" + std::to_string(i) + "]", 0.0);
    if (!(size >= 3) || size > static_cast<double>(points - total)) {
      why = refused;
      return false;
    }
    sizes.push_back(static_cast<std::size_t>(size));
    total += sizes.back();
  }
  if (sizes.empty() && points >= 3)
    sizes.push_back(total = points);
  if (total == points && !sizes.empty())
    return true;
  why = sizes.empty() ? "it has fewer than three vertices" : refused;
  return false;
}

// Each loop with `pieces` - 1 points inserted evenly along each edge.
std::vector<std::vector<Point3>> divided(const std::vector<Point3>& points, const std::vector<std::size_t>& sizes,
                                         long long pieces) {
  std::vector<std::vector<Point3>> loops;
  std::size_t first = 0;
  for (std::size_t size : sizes) {
    std::vector<Point3> loop;
    for (std::size_t k = 0; k < size; ++k) {
      const Point3 a = points[first + k], b = points[first + (k + 1) % size];
      for (long long s = 0; s < pieces; ++s)
        loop.push_back(lerp(a, b, static_cast<double>(s) / static_cast<double>(pieces)));
    }
    loops.push_back(std::move(loop));
    first += size;
  }
  return loops;
}

}  // namespace

bool generateCreateFace(const Node& n, MeshData& out, std::string& why) {
  std::vector<Point3> points;
  std::vector<std::size_t> sizes;
  const double pieces = n.number("subdivision", 1.0);
  if (!readPoints(n, points, why) || !readLoops(n, points.size(), sizes, why))
    return false;
  if (!(pieces >= 1 && pieces <= kMostSubdivisions) ||
      static_cast<double>(points.size()) * std::floor(pieces) > static_cast<double>(kMaxCreatedPoints)) {
    why = "its subdivision is out of range";
    return false;
  }
  const auto loops = divided(points, sizes, static_cast<long long>(pieces));
  MeshData m;
  for (const auto& loop : loops) {
    std::vector<int> ids;
    for (const auto& p : loop) {
      ids.push_back(static_cast<int>(m.points.size()));
      m.points.push_back(p);
    }
    if (m.faceCounts.empty()) {
      m.faceCounts.push_back(static_cast<int>(ids.size()));
      m.faceConnects = ids;
    } else {
      m.holes.push_back(FaceHole{0, ids, {ids}});
    }
  }
  std::string name = n.text("uvSetName");
  name = name.empty() ? "map1" : name;
  const double texture = n.number("texture", 0.0);
  if (texture == 1.0 || texture == 2.0) {
    m.uvSets.push_back(flatUVs(name, m.points, loops.front(), texture == 1.0));
    m.uvSets.back().uvIds = m.faceConnects;
  } else {
    m.uvSets.push_back(UVSet{name, {}, {}, std::vector<int>(m.faceConnects.size(), -1)});
    for (auto& hole : m.holes)
      hole.uvIds = {std::vector<int>(hole.vertices.size(), -1)};
  }
  m.rebuildFaceStarts();
  out = std::move(m);
  return true;
}

}  // namespace OmbrixHost
