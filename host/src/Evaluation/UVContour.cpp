#include "UVContour.h"

#include "ComponentLists.h"
#include "UVProjections.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace OmbrixHost {
namespace {

using Edge = std::pair<int, int>;

Edge edgeOf(int a, int b) { return a < b ? Edge{a, b} : Edge{b, a}; }

// The chosen quads, by their edges and corners.
class QuadGrid {
public:
  QuadGrid(const MeshData& m, const std::vector<int>& faces) : m_(m), offsets_(faceOffsets(m)) {
    for (int f : faces) {
      if (m.faceCounts[static_cast<std::size_t>(f)] != 4) {
        quads_ = false;
        return;
      }
      for (int k = 0; k < 4; ++k) {
        int a = corner(f, k), b = corner(f, (k + 1) % 4);
        faces_[edgeOf(a, b)].push_back(f);
        ++facesAt_[a];
      }
    }
    for (const auto& [edge, onIt] : faces_)
      if (onIt.size() == 1) {
        border_[edge.first].push_back(edge.second);
        border_[edge.second].push_back(edge.first);
      }
  }

  // Rows of vertices, row 0 from the lowest corner along the border; false when the faces make no grid.
  bool rows(std::vector<std::vector<int>>& grid, std::size_t faceCount) const {
    std::vector<int> corners;
    for (const auto& [v, count] : facesAt_)
      if (count == 1)
        corners.push_back(v);
    if (!quads_ || corners.size() != 4)
      return false;
    auto first = border_.find(corners[0]);
    if (first == border_.end() || first->second.size() != 2)
      return false;
    std::vector<int> across = walk(corners[0], first->second[0]), up = walk(corners[0], first->second[1]);
    if (across.size() < 2 || up.size() < 2 || (across.size() - 1) * (up.size() - 1) != faceCount)
      return false;
    grid.assign(up.size(), std::vector<int>(across.size(), -1));
    grid[0] = across;
    for (std::size_t i = 0; i + 1 < up.size(); ++i) {
      grid[i + 1][0] = up[i + 1];
      for (std::size_t j = 0; j + 1 < across.size(); ++j) {
        int fourth = fourthCorner(grid[i][j], grid[i][j + 1], grid[i + 1][j]);
        if (fourth < 0)
          return false;
        grid[i + 1][j + 1] = fourth;
      }
    }
    return true;
  }

private:
  int corner(int f, int k) const {
    return m_.faceConnects[offsets_[static_cast<std::size_t>(f)] + static_cast<std::size_t>(k)];
  }

  // Along the border from `from` through `next` to the next corner.
  std::vector<int> walk(int from, int next) const {
    std::vector<int> path{from};
    std::set<int> seen{from};
    int at = next;
    while (seen.insert(at).second) {
      path.push_back(at);
      auto count = facesAt_.find(at);
      auto around = border_.find(at);
      if (count != facesAt_.end() && count->second == 1)
        return path;
      if (around == border_.end() || around->second.size() != 2)
        break;
      at = around->second[0] == path[path.size() - 2] ? around->second[1] : around->second[0];
    }
    return {};
  }

  // The quad holding a with its neighbours b and c on either side: its corner opposite a.
  int fourthCorner(int a, int b, int c) const {
    auto one = faces_.find(edgeOf(a, b)), other = faces_.find(edgeOf(a, c));
    if (one == faces_.end() || other == faces_.end())
      return -1;
    for (int f : one->second)
      if (std::find(other->second.begin(), other->second.end(), f) != other->second.end())
        for (int k = 0; k < 4; ++k)
          if (corner(f, k) == a)
            return corner(f, (k + 2) % 4);
    return -1;
  }

  const MeshData& m_;
  std::vector<std::size_t> offsets_;
  bool quads_ = true;
  std::map<Edge, std::vector<int>> faces_;
  std::map<int, int> facesAt_;
  std::map<int, std::vector<int>> border_;
};

double length(const MeshData& m, int a, int b) {
  const Point3 &p = m.points[static_cast<std::size_t>(a)], &q = m.points[static_cast<std::size_t>(b)];
  return std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) + (p.z - q.z) * (p.z - q.z));
}

// Each vertex's share of the way along its line of vertices.
void stretch(const MeshData& m, const std::vector<int>& line, std::map<int, double>& share) {
  std::vector<double> along(line.size(), 0.0);
  for (std::size_t k = 1; k < line.size(); ++k)
    along[k] = along[k - 1] + length(m, line[k - 1], line[k]);
  for (std::size_t k = 0; k < line.size(); ++k)
    share[line[k]] = along.back() > 0.0 ? along[k] / along.back() : double(k) / double(line.size() - 1);
}

}  // namespace

bool contourProjectUVs(const Node& node, MeshData& m, std::string& why, bool& hostLayout) {
  std::vector<int> faces;
  std::string note;
  if (!listedFaces(node, m, faces, why, note))
    return false;
  for (int v : m.faceConnects)
    if (v < 0 || static_cast<std::size_t>(v) >= m.points.size()) {
      why = "a face uses a vertex the mesh does not have";
      return false;
    }
  std::vector<std::vector<int>> grid;
  if (!faces.empty() && !QuadGrid(m, faces).rows(grid, faces.size())) {
    why = "its faces make no grid of quads with four corners";
    return false;
  }
  std::map<int, double> u, v;
  for (const auto& row : grid)
    stretch(m, row, u);
  for (std::size_t j = 0; !grid.empty() && j < grid[0].size(); ++j) {
    std::vector<int> column;
    for (const auto& row : grid)
      column.push_back(row[j]);
    stretch(m, column, v);
  }
  const bool flip = node.number("flipRails", 0.0) != 0.0;
  const std::vector<std::size_t> offsets = faceOffsets(m);
  std::vector<UVValue> values;
  for (int f : faces)
    for (std::size_t c = offsets[f]; c < offsets[f + 1]; ++c) {
      float a = static_cast<float>(u[m.faceConnects[c]]), b = static_cast<float>(v[m.faceConnects[c]]);
      values.push_back(flip ? UVValue{b, a} : UVValue{a, b});
    }
  assignFaceUVs(m, faces, values, writableSet(node, m));
  hostLayout = !faces.empty();
  why = note;
  return true;
}

}  // namespace OmbrixHost
