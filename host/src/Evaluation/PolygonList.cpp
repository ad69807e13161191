#include "PolygonList.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <utility>

namespace OmbrixHost {

namespace {

// A face's hole as a polygon: its corners and their UVs (-1 for none or one the set lacks).
Polygon holeOf(const FaceHole& hole, const MeshData& m) {
  Polygon p{hole.vertices, std::vector<std::vector<int>>(m.uvSets.size())};
  for (std::size_t s = 0; s < m.uvSets.size(); ++s)
    for (std::size_t k = 0; k < hole.vertices.size(); ++k) {
      const int id = s < hole.uvIds.size() && k < hole.uvIds[s].size() ? hole.uvIds[s][k] : -1;
      p.uvs[s].push_back(id >= 0 && static_cast<std::size_t>(id) < m.uvSets[s].us.size() ? id : -1);
    }
  return p;
}

}  // namespace

PolygonList PolygonList::of(const MeshData& m) {
  PolygonList out;
  out.points = m.points;
  out.currentUVSet = m.currentUVSet;
  for (const auto& set : m.uvSets)
    out.sets.push_back(UVSet{set.name, set.us, set.vs, {}});
  out.polygons.resize(m.faceCounts.size());
  std::size_t corner = 0;
  for (std::size_t f = 0; f < m.faceCounts.size(); ++f) {
    Polygon& p = out.polygons[f];
    std::size_t n = static_cast<std::size_t>(std::max(0, m.faceCounts[f]));
    p.uvs.assign(m.uvSets.size(), std::vector<int>(n, -1));
    for (std::size_t k = 0; k < n && corner < m.faceConnects.size(); ++k, ++corner) {
      p.vertices.push_back(m.faceConnects[corner]);
      for (std::size_t s = 0; s < m.uvSets.size(); ++s) {
        const auto& ids = m.uvSets[s].uvIds;
        int id = corner < ids.size() ? ids[corner] : -1;
        p.uvs[s][k] = id >= 0 && static_cast<std::size_t>(id) < m.uvSets[s].us.size() ? id : -1;
      }
    }
  }
  for (const FaceHole& hole : m.holes)
    if (hole.face >= 0 && static_cast<std::size_t>(hole.face) < out.polygons.size())
      out.polygons[static_cast<std::size_t>(hole.face)].holes.push_back(holeOf(hole, m));
  return out;
}

namespace {

// New ids for the used elements, in their old order; -1 for the unused.
std::vector<int> compaction(const std::vector<bool>& used, int& count) {
  std::vector<int> ids(used.size(), -1);
  count = 0;
  for (std::size_t i = 0; i < used.size(); ++i)
    if (used[i])
      ids[i] = count++;
  return ids;
}

}  // namespace

std::vector<int> PolygonList::pointIds() const {
  std::vector<bool> used(points.size(), false);
  for (const auto& p : polygons) {
    for (int v : p.vertices)
      used[static_cast<std::size_t>(v)] = true;
    for (const auto& hole : p.holes)
      for (int v : hole.vertices)
        used[static_cast<std::size_t>(v)] = true;
  }
  int count = 0;
  return compaction(used, count);
}

MeshData PolygonList::toMesh() const {
  MeshData m;
  m.currentUVSet = currentUVSet;
  std::vector<std::vector<bool>> usedUVs(sets.size());
  for (std::size_t s = 0; s < sets.size(); ++s)
    usedUVs[s].assign(sets[s].us.size(), false);
  auto use = [&](const Polygon& p) {
    for (std::size_t s = 0; s < sets.size(); ++s)
      for (int uv : p.uvs[s])
        if (uv >= 0)
          usedUVs[s][static_cast<std::size_t>(uv)] = true;
  };
  for (const auto& p : polygons) {
    use(p);
    for (const auto& hole : p.holes)
      use(hole);
  }
  int count = 0;
  const std::vector<int> pointIds = this->pointIds();
  for (std::size_t i = 0; i < points.size(); ++i)
    if (pointIds[i] >= 0)
      m.points.push_back(points[i]);
  std::vector<std::vector<int>> uvIdsOf(sets.size());
  for (std::size_t s = 0; s < sets.size(); ++s) {
    std::vector<int>& uvIds = uvIdsOf[s];
    uvIds = compaction(usedUVs[s], count);
    UVSet set{sets[s].name, {}, {}, {}};
    for (std::size_t i = 0; i < usedUVs[s].size(); ++i)
      if (usedUVs[s][i]) {
        set.us.push_back(sets[s].us[i]);
        set.vs.push_back(sets[s].vs[i]);
      }
    for (const auto& p : polygons)
      for (int uv : p.uvs[s])
        set.uvIds.push_back(uv >= 0 ? uvIds[static_cast<std::size_t>(uv)] : -1);
    m.uvSets.push_back(std::move(set));
  }
  for (std::size_t f = 0; f < polygons.size(); ++f) {
    const Polygon& p = polygons[f];
    m.faceCounts.push_back(static_cast<int>(p.vertices.size()));
    for (int v : p.vertices)
      m.faceConnects.push_back(pointIds[static_cast<std::size_t>(v)]);
    for (const Polygon& hole : p.holes) {
      FaceHole out{static_cast<int>(f), {}, std::vector<std::vector<int>>(sets.size())};
      for (int v : hole.vertices)
        out.vertices.push_back(pointIds[static_cast<std::size_t>(v)]);
      for (std::size_t s = 0; s < sets.size(); ++s)
        for (int uv : hole.uvs[s])
          out.uvIds[s].push_back(uv >= 0 ? uvIdsOf[s][static_cast<std::size_t>(uv)] : -1);
      m.holes.push_back(std::move(out));
    }
  }
  m.rebuildFaceStarts();
  return m;
}

int PolygonList::copyUV(std::size_t set, int uv) { return blendUV(set, uv, uv, 0.0); }

int PolygonList::blendUV(std::size_t set, int a, int b, double t) {
  if (a < 0 || b < 0)
    return -1;
  UVSet& s = sets[set];
  const std::size_t i = static_cast<std::size_t>(a), j = static_cast<std::size_t>(b);
  s.us.push_back(static_cast<float>(s.us[i] + (s.us[j] - s.us[i]) * t));
  s.vs.push_back(static_cast<float>(s.vs[i] + (s.vs[j] - s.vs[i]) * t));
  return static_cast<int>(s.us.size()) - 1;
}

int PolygonList::addPoint(Point3 p) {
  points.push_back(p);
  return static_cast<int>(points.size()) - 1;
}

namespace {

// One loop's corners renamed; see renameCorners.
Polygon renamedLoop(const Polygon& p, const std::vector<int>& into) {
  Polygon out{{}, std::vector<std::vector<int>>(p.uvs.size())};
  for (std::size_t k = 0; k < p.vertices.size(); ++k) {
    const int v = into[static_cast<std::size_t>(p.vertices[k])];
    if (!out.vertices.empty() && out.vertices.back() == v)
      continue;
    out.vertices.push_back(v);
    for (std::size_t s = 0; s < p.uvs.size(); ++s)
      out.uvs[s].push_back(p.uvs[s][k]);
  }
  while (out.vertices.size() > 1 && out.vertices.front() == out.vertices.back()) {
    out.vertices.pop_back();
    for (auto& ids : out.uvs)
      ids.pop_back();
  }
  return out;
}

}  // namespace

void renameCorners(PolygonList& list, const std::vector<int>& into) {
  std::vector<Polygon> kept;
  for (const auto& p : list.polygons) {
    Polygon out = renamedLoop(p, into);
    if (out.vertices.size() < 3)
      continue;
    for (const Polygon& hole : p.holes) {
      Polygon renamed = renamedLoop(hole, into);
      if (renamed.vertices.size() >= 3)
        out.holes.push_back(std::move(renamed));
    }
    kept.push_back(std::move(out));
  }
  list.polygons = std::move(kept);
}

bool wellFormed(const MeshData& m) {
  std::size_t corners = 0;
  for (int count : m.faceCounts) {
    if (count < 3)
      return false;
    corners += static_cast<std::size_t>(count);
  }
  if (corners != m.faceConnects.size())
    return false;
  return std::all_of(m.faceConnects.begin(), m.faceConnects.end(),
                     [&m](int v) { return v >= 0 && static_cast<std::size_t>(v) < m.points.size(); });
}

bool hasUVs(const MeshData& m) {
  return std::any_of(m.uvSets.begin(), m.uvSets.end(), [](const UVSet& set) { return !set.us.empty(); });
}

std::vector<std::vector<int>> polygonShells(const PolygonList& list) {
  std::vector<int> parent(list.polygons.size());
  std::iota(parent.begin(), parent.end(), 0);
  auto root = [&parent](int f) {
    while (parent[static_cast<std::size_t>(f)] != f)
      f = parent[static_cast<std::size_t>(f)] = parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(f)])];
    return f;
  };
  std::map<std::pair<int, int>, int> firstFace;
  for (std::size_t f = 0; f < list.polygons.size(); ++f) {
    const auto& v = list.polygons[f].vertices;
    for (std::size_t k = 0; k < v.size(); ++k) {
      int a = v[k], b = v[(k + 1) % v.size()];
      auto key = std::minmax(a, b);
      auto found = firstFace.emplace(key, static_cast<int>(f));
      if (!found.second) {
        int r1 = root(found.first->second), r2 = root(static_cast<int>(f));
        parent[static_cast<std::size_t>(std::max(r1, r2))] = std::min(r1, r2);
      }
    }
  }
  std::vector<std::vector<int>> shells;
  std::map<int, std::size_t> shellOfRoot;
  for (std::size_t f = 0; f < list.polygons.size(); ++f) {
    auto found = shellOfRoot.emplace(root(static_cast<int>(f)), shells.size());
    if (found.second)
      shells.emplace_back();
    shells[found.first->second].push_back(static_cast<int>(f));
  }
  return shells;
}

}  // namespace OmbrixHost
