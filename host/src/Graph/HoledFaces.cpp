#include "HoledFaces.h"

#include "Components.h"
#include "Scene.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {
namespace {

struct Corner {
  int vertex;
  std::vector<int> uvIds;  // per UV set
  double x, y;             // in the face's plane
};

using Loop = std::vector<Corner>;

double cross(const Corner& a, const Corner& b, const Corner& c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

double area(const Loop& loop) {
  double sum = 0.0;
  for (std::size_t i = 0; i < loop.size(); ++i) {
    const Corner& a = loop[i];
    const Corner& b = loop[(i + 1) % loop.size()];
    sum += a.x * b.y - b.x * a.y;
  }
  return sum / 2.0;
}

// The plane's two axes: the face's normal (Newell's) drops its largest axis;
// the outer loop turns counterclockwise in them.
struct Plane {
  int u = 0, v = 1;
  bool flip = false;
};

Plane planeOf(const MeshData& m, const std::vector<int>& outer) {
  double n[3] = {0, 0, 0};
  for (std::size_t i = 0; i < outer.size(); ++i) {
    const Point3& a = m.points[static_cast<std::size_t>(outer[i])];
    const Point3& b = m.points[static_cast<std::size_t>(outer[(i + 1) % outer.size()])];
    n[0] += (a.y - b.y) * (a.z + b.z);
    n[1] += (a.z - b.z) * (a.x + b.x);
    n[2] += (a.x - b.x) * (a.y + b.y);
  }
  int drop = std::fabs(n[0]) > std::fabs(n[1]) ? (std::fabs(n[0]) > std::fabs(n[2]) ? 0 : 2)
                                               : (std::fabs(n[1]) > std::fabs(n[2]) ? 1 : 2);
  Plane p;
  p.u = (drop + 1) % 3;
  p.v = (drop + 2) % 3;
  p.flip = n[drop] < 0;
  return p;
}

Corner corner(const MeshData& m, const Plane& p, int vertex, std::vector<int> uvIds) {
  const Point3& q = m.points[static_cast<std::size_t>(vertex)];
  const double c[3] = {q.x, q.y, q.z};
  return Corner{vertex, std::move(uvIds), p.flip ? c[p.v] : c[p.u], p.flip ? c[p.u] : c[p.v]};
}

bool same(const Corner& a, const Corner& b) { return a.x == b.x && a.y == b.y; }

// Segments a-b and c-d cross at a point inside both.
bool crosses(const Corner& a, const Corner& b, const Corner& c, const Corner& d) {
  if (same(a, c) || same(a, d) || same(b, c) || same(b, d))
    return false;
  const double d1 = cross(a, b, c), d2 = cross(a, b, d), d3 = cross(c, d, a), d4 = cross(c, d, b);
  return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0)) && d1 != 0 && d2 != 0 && d3 != 0 && d4 != 0;
}

bool crossesAny(const Corner& a, const Corner& b, const Loop& loop) {
  for (std::size_t i = 0; i < loop.size(); ++i)
    if (crosses(a, b, loop[i], loop[(i + 1) % loop.size()]))
      return true;
  return false;
}

// The hole joins the outline by a bridge from its rightmost corner to the
// nearest outline corner the bridge can reach without crossing an edge.
void bridge(Loop& outline, const Loop& hole, const std::vector<Loop>& others) {
  std::size_t m = 0;
  for (std::size_t i = 1; i < hole.size(); ++i)
    if (hole[i].x > hole[m].x)
      m = i;
  std::vector<std::size_t> order(outline.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  auto dist = [&](std::size_t i) {
    return (outline[i].x - hole[m].x) * (outline[i].x - hole[m].x) + (outline[i].y - hole[m].y) * (outline[i].y - hole[m].y);
  };
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return dist(a) < dist(b); });
  std::size_t to = order.front();
  for (std::size_t i : order) {
    bool clear = !crossesAny(hole[m], outline[i], outline) && !crossesAny(hole[m], outline[i], hole);
    for (const Loop& other : others)
      clear = clear && !crossesAny(hole[m], outline[i], other);
    if (clear) {
      to = i;
      break;
    }
  }
  Loop joined(outline.begin(), outline.begin() + static_cast<std::ptrdiff_t>(to) + 1);
  for (std::size_t k = 0; k <= hole.size(); ++k)
    joined.push_back(hole[(m + k) % hole.size()]);
  joined.insert(joined.end(), outline.begin() + static_cast<std::ptrdiff_t>(to), outline.end());
  outline = std::move(joined);
}

bool inside(const Corner& p, const Corner& a, const Corner& b, const Corner& c) {
  if (same(p, a) || same(p, b) || same(p, c))
    return false;
  return cross(a, b, p) >= 0 && cross(b, c, p) >= 0 && cross(c, a, p) >= 0;
}

// Ear clipping; a fan takes what is left if no ear is found.
std::vector<Corner> triangles(Loop loop) {
  std::vector<Corner> out;
  while (loop.size() > 3) {
    bool clipped = false;
    for (std::size_t i = 0; i < loop.size() && !clipped; ++i) {
      const Corner& a = loop[(i + loop.size() - 1) % loop.size()];
      const Corner& b = loop[i];
      const Corner& c = loop[(i + 1) % loop.size()];
      if (cross(a, b, c) <= 0)
        continue;
      bool empty = true;
      for (const Corner& p : loop)
        if (inside(p, a, b, c)) {
          empty = false;
          break;
        }
      if (!empty)
        continue;
      out.insert(out.end(), {a, b, c});
      loop.erase(loop.begin() + static_cast<std::ptrdiff_t>(i));
      clipped = true;
    }
    if (!clipped)
      break;
  }
  for (std::size_t i = 1; i + 1 < loop.size(); ++i)
    out.insert(out.end(), {loop[0], loop[i], loop[i + 1]});
  return out;
}

std::vector<Corner> holedFaceTriangles(const MeshData& m, int face, const std::vector<const FaceHole*>& holes) {
  const int start = m.faceStarts[static_cast<std::size_t>(face)];
  const std::vector<int> outerVerts(m.faceConnects.begin() + start,
                                    m.faceConnects.begin() + start + m.faceCounts[static_cast<std::size_t>(face)]);
  const Plane plane = planeOf(m, outerVerts);
  Loop outline;
  for (std::size_t k = 0; k < outerVerts.size(); ++k) {
    std::vector<int> ids;
    for (const auto& set : m.uvSets)
      ids.push_back(set.uvIds[static_cast<std::size_t>(start) + k]);
    outline.push_back(corner(m, plane, outerVerts[k], ids));
  }
  std::vector<Loop> loops;
  for (const FaceHole* hole : holes) {
    if (hole->vertices.size() < 3)
      continue;  // no surface to cut away
    Loop loop;
    for (std::size_t k = 0; k < hole->vertices.size(); ++k) {
      std::vector<int> ids;
      for (std::size_t s = 0; s < m.uvSets.size(); ++s) {
        const int id = s < hole->uvIds.size() && k < hole->uvIds[s].size() ? hole->uvIds[s][k] : -1;
        ids.push_back(id >= 0 && static_cast<std::size_t>(id) < m.uvSets[s].us.size() ? id : -1);
      }
      loop.push_back(corner(m, plane, hole->vertices[k], ids));
    }
    if (area(loop) > 0)  // a hole turns against its face
      std::reverse(loop.begin(), loop.end());
    loops.push_back(std::move(loop));
  }
  auto right = [](const Loop& l) {
    double x = l.front().x;
    for (const Corner& c : l)
      x = std::max(x, c.x);
    return x;
  };
  std::sort(loops.begin(), loops.end(), [&](const Loop& a, const Loop& b) { return right(a) > right(b); });
  for (std::size_t h = 0; h < loops.size(); ++h)
    bridge(outline, loops[h], std::vector<Loop>(loops.begin() + static_cast<std::ptrdiff_t>(h) + 1, loops.end()));
  return triangles(std::move(outline));
}

// Face components of the old faces, as the new faces they became.
std::vector<std::string> remapFaces(const std::vector<std::string>& items, const std::vector<int>& firstOf) {
  const int oldFaces = static_cast<int>(firstOf.size()) - 1;
  std::vector<std::string> out;
  for (const auto& item : items) {
    MFn::Type type = MFn::kInvalid;
    std::vector<int> elements;
    if (!parseComponent(item, type, elements, oldFaces) || type != MFn::kMeshPolygonComponent) {
      out.push_back(item);
      continue;
    }
    std::vector<int> faces;
    for (int e : elements)
      if (e >= 0 && e < oldFaces)
        for (int f = firstOf[static_cast<std::size_t>(e)]; f < firstOf[static_cast<std::size_t>(e) + 1]; ++f)
          faces.push_back(f);
    for (auto& text : formatComponent(type, faces))
      out.push_back(std::move(text));
  }
  return out;
}

void remapComponentLists(Node& shape, const std::vector<int>& firstOf) {
  const AttrDef* iog = shape.findAttribute("instObjGroups");
  const AttrDef* og = shape.findAttribute("objectGroups");
  if (!iog || !og)
    return;
  for (int i : scene().existingIndices(PlugRef{&shape, iog, {-1}}))
    for (int j : scene().existingIndices(PlugRef{&shape, og, {i, -1}})) {
      const std::string key = "instObjGroups[" + std::to_string(i) + "].objectGroups[" + std::to_string(j) +
                              "].objectGrpCompList";
      Value list = shape.value(key);
      if (list.kind != Value::kStrings)
        continue;
      list.strings = remapFaces(list.strings, firstOf);
      shape.setValue(key, std::move(list));
    }
}

}  // namespace

std::vector<HoledFaceCorner> holedFaceTriangleCorners(const MeshData& m, int face,
                                                      const std::vector<const FaceHole*>& holes) {
  std::vector<HoledFaceCorner> out;
  for (const Corner& c : holedFaceTriangles(m, face, holes))
    out.push_back(HoledFaceCorner{c.vertex, c.uvIds});
  return out;
}

int splitHoledFaces(Node& shape) {
  MeshData& m = *shape.mesh;
  if (m.holes.empty())
    return 0;
  m.rebuildFaceStarts();
  std::vector<std::vector<const FaceHole*>> holesOf(m.faceCounts.size());
  for (const FaceHole& hole : m.holes)
    if (hole.face >= 0 && static_cast<std::size_t>(hole.face) < holesOf.size())
      holesOf[static_cast<std::size_t>(hole.face)].push_back(&hole);
  MeshData split;
  std::vector<int> firstOf(1, 0);  // per old face, its first new face; the count at the end
  std::vector<std::vector<int>> uvIds(m.uvSets.size());
  int tooLarge = 0;
  for (int f = 0; f < m.numFaces(); ++f) {
    const auto& holes = holesOf[static_cast<std::size_t>(f)];
    const int start = m.faceStarts[static_cast<std::size_t>(f)], count = m.faceCounts[static_cast<std::size_t>(f)];
    std::size_t corners = static_cast<std::size_t>(count);
    for (const FaceHole* hole : holes)
      corners += hole->vertices.size();
    if (!holes.empty() && corners > kMaxHoledFaceCorners)
      ++tooLarge;
    if (holes.empty() || count < 3 || corners > kMaxHoledFaceCorners) {
      split.faceCounts.push_back(count);
      for (int k = start; k < start + count; ++k) {
        split.faceConnects.push_back(m.faceConnects[static_cast<std::size_t>(k)]);
        for (std::size_t s = 0; s < m.uvSets.size(); ++s)
          uvIds[s].push_back(m.uvSets[s].uvIds[static_cast<std::size_t>(k)]);
      }
      firstOf.push_back(firstOf.back() + 1);
      continue;
    }
    const std::vector<HoledFaceCorner> triangleCorners = holedFaceTriangleCorners(m, f, holes);
    for (const HoledFaceCorner& c : triangleCorners) {
      split.faceConnects.push_back(c.vertex);
      for (std::size_t s = 0; s < m.uvSets.size(); ++s)
        uvIds[s].push_back(c.uvIds[s]);
    }
    split.faceCounts.insert(split.faceCounts.end(), triangleCorners.size() / 3, 3);
    firstOf.push_back(firstOf.back() + static_cast<int>(triangleCorners.size() / 3));
  }
  m.faceCounts = std::move(split.faceCounts);
  m.faceConnects = std::move(split.faceConnects);
  for (std::size_t s = 0; s < m.uvSets.size(); ++s)
    m.uvSets[s].uvIds = std::move(uvIds[s]);
  m.holes.clear();
  m.rebuildFaceStarts();
  remapComponentLists(shape, firstOf);
  return tooLarge;
}

}  // namespace OmbrixHost
