#include "UVPieces.h"

#include "ComponentLists.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {

UVSet* editedSet(const Node& node, MeshData& m, std::string& why) {
  UVSet* set = targetSet(node, m);
  std::string name = node.text("uvSetName");
  if (!set && !name.empty())
    why = "the mesh has no UV set \"" + name + "\"";
  if (set)
    set->uvIds.resize(m.faceConnects.size(), -1);
  return set;
}

bool validId(const UVSet& set, int id) { return id >= 0 && static_cast<std::size_t>(id) < set.us.size(); }

std::vector<int> idsOfFaces(const UVSet& set, const std::vector<std::size_t>& offsets, const std::vector<int>& faces) {
  std::vector<bool> used(set.us.size(), false);
  for (int f : faces)
    for (std::size_t c = offsets[f]; c < offsets[f + 1]; ++c)
      if (validId(set, set.uvIds[c]))
        used[static_cast<std::size_t>(set.uvIds[c])] = true;
  std::vector<int> ids;
  for (std::size_t id = 0; id < used.size(); ++id)
    if (used[id])
      ids.push_back(static_cast<int>(id));
  return ids;
}

DisjointSets piecesOf(const UVSet& set, const std::vector<std::size_t>& offsets, const std::vector<int>& faces) {
  DisjointSets pieces(set.us.size());
  for (int f : faces) {
    int first = -1;
    for (std::size_t c = offsets[f]; c < offsets[f + 1]; ++c) {
      int id = set.uvIds[c];
      if (!validId(set, id))
        continue;
      if (first < 0)
        first = id;
      pieces.join(static_cast<std::size_t>(first), static_cast<std::size_t>(id));
    }
  }
  return pieces;
}

void Box::add(double u, double v) {
  lo[0] = std::min(lo[0], u);
  lo[1] = std::min(lo[1], v);
  hi[0] = std::max(hi[0], u);
  hi[1] = std::max(hi[1], v);
}

Packing::Packing(const std::vector<Box>& boxes, double space) : boxes_(boxes), at_(boxes.size()) {
  double area = 0.0, widest = 0.0;
  for (const Box& b : boxes) {
    area += (b.size(0) + 1e-12) * (b.size(1) + 1e-12);
    widest = std::max(widest, b.size(0));
  }
  const double margin = space * std::sqrt(area);
  const double rowWidth = std::max(widest + margin, std::sqrt(area) * 1.2);
  std::vector<std::size_t> order(boxes.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return boxes[a].size(1) > boxes[b].size(1); });
  double x = 0.0, y = 0.0, rowHeight = 0.0, width = 0.0;
  for (std::size_t i : order) {
    double w = boxes[i].size(0) + margin, h = boxes[i].size(1) + margin;
    if (x > 0.0 && x + w > rowWidth) {
      y += rowHeight;
      x = rowHeight = 0.0;
    }
    at_[i] = {x + margin / 2, y + margin / 2};
    x += w;
    width = std::max(width, x);
    rowHeight = std::max(rowHeight, h);
  }
  double extent = std::max(width, y + rowHeight);
  scale_ = extent > 0.0 ? 1.0 / extent : 1.0;
}

UVValue Packing::place(std::size_t i, double u, double v) const {
  return UVValue{static_cast<float>((u - boxes_[i].lo[0] + at_[i].first) * scale_),
                 static_cast<float>((v - boxes_[i].lo[1] + at_[i].second) * scale_)};
}

double spaceShare(const Node& node) {
  double percent = node.number("percentageSpace", 0.0);
  return std::isfinite(percent) ? std::max(0.0, std::min(percent, 5.0)) / 100.0 : 0.0;
}

}  // namespace OmbrixHost
