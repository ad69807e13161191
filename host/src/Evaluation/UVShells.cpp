#include "UVShells.h"

#include "ComponentLists.h"
#include "DisjointSets.h"
#include "Matrix4.h"
#include "MeshEdges.h"
#include "UVProjections.h"
#include "UVSeams.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <complex>
#include <map>

namespace OmbrixHost {
namespace {

using Complex = std::complex<double>;

// The set a UV edit works on; null with `why` empty for a mesh without UVs (nothing to do).
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

// The UVs the faces use, each once, lowest first.
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

// The UVs of one face each in one piece: the pieces of the layout.
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

struct Box {
  double lo[2] = {HUGE_VAL, HUGE_VAL}, hi[2] = {-HUGE_VAL, -HUGE_VAL};
  void add(double u, double v) {
    lo[0] = std::min(lo[0], u);
    lo[1] = std::min(lo[1], v);
    hi[0] = std::max(hi[0], u);
    hi[1] = std::max(hi[1], v);
  }
  double size(int i) const { return hi[i] > lo[i] ? hi[i] - lo[i] : 0.0; }
};

// Boxes in rows, tallest first, in a square about as wide as their area, then
// scaled as one into the unit square; `space` is the share of it left round each.
class Packing {
public:
  Packing(const std::vector<Box>& boxes, double space) : boxes_(boxes), at_(boxes.size()) {
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
  // Where a point of box i goes.
  UVValue place(std::size_t i, double u, double v) const {
    return UVValue{static_cast<float>((u - boxes_[i].lo[0] + at_[i].first) * scale_),
                   static_cast<float>((v - boxes_[i].lo[1] + at_[i].second) * scale_)};
  }

private:
  std::vector<Box> boxes_;
  std::vector<std::pair<double, double>> at_;
  double scale_ = 1.0;
};

double spaceShare(const Node& node) {
  double percent = node.number("percentageSpace", 0.2);
  return std::isfinite(percent) ? std::max(0.0, std::min(percent, 5.0)) / 100.0 : 0.002;
}

// The corners at each end of an edge in the first two faces walking it.
struct EdgeSides {
  std::size_t corner[2][2];  // [face][end]
};

class EdgeWalkers {
public:
  EdgeWalkers(const MeshData& m, const MeshEdges& edges, const std::vector<std::size_t>& offsets)
      : m_(m), next_(m.faceConnects.size()), walkers_(static_cast<std::size_t>(edges.count())) {
    for (std::size_t f = 0; f + 1 < offsets.size(); ++f)
      for (std::size_t c = offsets[f]; c < offsets[f + 1]; ++c)
        next_[c] = c + 1 < offsets[f + 1] ? c + 1 : offsets[f];
    for (std::size_t c = 0; c < edges.loops.size() && c < next_.size(); ++c) {
      auto& w = walkers_[static_cast<std::size_t>(MeshEdges::edgeOf(edges.loops[c]))];
      if (w.size() < 2)
        w.push_back(c);
    }
  }
  bool sides(int e, const std::pair<int, int>& ends, EdgeSides& out) const {
    const auto& w = walkers_[static_cast<std::size_t>(e)];
    if (w.size() < 2)
      return false;
    for (int k = 0; k < 2; ++k) {
      out.corner[k][0] = at(w[static_cast<std::size_t>(k)], ends.first);
      out.corner[k][1] = at(w[static_cast<std::size_t>(k)], ends.second);
    }
    return true;
  }
  // Twice the signed UV area of the face holding corner c.
  double turning(const UVSet& set, std::size_t c) const {
    double sum = 0.0;
    std::size_t k = c;
    do {
      int a = set.uvIds[k], b = set.uvIds[next_[k]];
      if (validId(set, a) && validId(set, b))
        sum += double(set.us[a]) * set.vs[b] - double(set.us[b]) * set.vs[a];
      k = next_[k];
    } while (k != c);
    return sum;
  }

private:
  std::size_t at(std::size_t c, int v) const { return m_.faceConnects[c] == v ? c : next_[c]; }
  const MeshData& m_;
  std::vector<std::size_t> next_;
  std::vector<std::vector<std::size_t>> walkers_;
};

// The UV pieces of the whole set, with their faces counted and members listed.
struct Pieces {
  Pieces(const UVSet& set, const std::vector<std::size_t>& offsets, const std::vector<int>& faces)
      : sets(piecesOf(set, offsets, faces)), faceCount(set.us.size(), 0), members(set.us.size()) {
    for (int f : faces)
      if (offsets[f] < offsets[f + 1] && validId(set, set.uvIds[offsets[f]]))
        ++faceCount[sets.find(static_cast<std::size_t>(set.uvIds[offsets[f]]))];
    for (std::size_t id = 0; id < set.us.size(); ++id)
      members[sets.find(id)].push_back(static_cast<int>(id));
  }
  void join(std::size_t a, std::size_t b) {
    sets.join(a, b);
    std::size_t root = sets.find(a), other = root == a ? b : a;
    faceCount[root] += faceCount[other];
    members[root].insert(members[root].end(), members[other].begin(), members[other].end());
    members[other].clear();
  }
  DisjointSets sets;
  std::vector<int> faceCount;
  std::vector<std::vector<int>> members;
};

Complex uvAt(const UVSet& set, int id) { return Complex(set.us[id], set.vs[id]); }

// Moves the piece so that its edge (from0, from1) lands on (to0, to1), mirrored when `mirror`.
void movePiece(UVSet& set, const std::vector<int>& ids, Complex from0, Complex from1, Complex to0, Complex to1,
               bool mirror) {
  Complex d = mirror ? std::conj(from1 - from0) : from1 - from0;
  // An edge of no length on the moving side: the piece is only moved, not turned or scaled.
  Complex factor = std::abs(d) > 1e-9 * std::max(1.0, std::abs(to1 - to0)) ? (to1 - to0) / d : Complex(1.0, 0.0);
  for (int id : ids) {
    Complex z = uvAt(set, id) - from0;
    Complex moved = to0 + (mirror ? std::conj(z) : z) * factor;
    set.us[static_cast<std::size_t>(id)] = static_cast<float>(moved.real());
    set.vs[static_cast<std::size_t>(id)] = static_cast<float>(moved.imag());
  }
}

std::vector<int> allFaces(const MeshData& m) {
  std::vector<int> faces(static_cast<std::size_t>(m.numFaces()));
  for (std::size_t f = 0; f < faces.size(); ++f)
    faces[f] = static_cast<int>(f);
  return faces;
}

}  // namespace

bool flipUVs(const Node& node, MeshData& m, std::string& why) {
  std::vector<int> faces;
  std::string note;
  UVSet* set = editedSet(node, m, why);
  if (!set)
    return why.empty();
  double pivot[2] = {node.number("pivotU", 0.0), node.number("pivotV", 0.0)};
  if (!std::isfinite(pivot[0]) || !std::isfinite(pivot[1])) {
    why = "its pivot is not a number";
    return false;
  }
  if (!listedFaces(node, m, faces, why, note))
    return false;
  const std::vector<std::size_t> offsets = faceOffsets(m);
  std::vector<bool> chosen(static_cast<std::size_t>(m.numFaces()), false);
  for (int f : faces)
    chosen[static_cast<std::size_t>(f)] = true;
  if (node.number("cutUV", 1.0) != 0.0) {
    // UVs the chosen faces share with others: the chosen faces take copies of their own.
    std::vector<bool> sharedOutside(set->us.size(), false);
    for (int f = 0; f < m.numFaces(); ++f)
      for (std::size_t c = offsets[f]; c < offsets[f + 1] && !chosen[static_cast<std::size_t>(f)]; ++c)
        if (validId(*set, set->uvIds[c]))
          sharedOutside[static_cast<std::size_t>(set->uvIds[c])] = true;
    std::map<int, int> copies;
    for (int f : faces)
      for (std::size_t c = offsets[f]; c < offsets[f + 1]; ++c) {
        int id = set->uvIds[c];
        if (!validId(*set, id) || !sharedOutside[static_cast<std::size_t>(id)])
          continue;
        auto [it, fresh] = copies.emplace(id, static_cast<int>(set->us.size()));
        if (fresh) {
          set->us.push_back(set->us[static_cast<std::size_t>(id)]);
          set->vs.push_back(set->vs[static_cast<std::size_t>(id)]);
        }
        set->uvIds[c] = it->second;
      }
  }
  const std::vector<int> ids = idsOfFaces(*set, offsets, faces);
  const int axis = node.number("flipType", 0.0) != 0.0 ? 1 : 0;
  std::vector<float>& values = axis == 0 ? set->us : set->vs;
  double about = pivot[axis];
  if (node.number("usePivot", 0.0) == 0.0) {
    Box box;
    for (int id : ids)
      box.add(values[static_cast<std::size_t>(id)], 0.0);
    about = node.number("local", 1.0) != 0.0 && !ids.empty() ? (box.lo[0] + box.hi[0]) / 2 : 0.5;
  }
  for (int id : ids)
    values[static_cast<std::size_t>(id)] = static_cast<float>(2.0 * about - values[static_cast<std::size_t>(id)]);
  why = note;
  return true;
}

bool sewMoveUVs(const Node& node, MeshData& m, std::string& why, bool& hostLayout) {
  UVSet* set = editedSet(node, m, why);
  if (!set)
    return why.empty();
  const std::vector<std::size_t> offsets = faceOffsets(m);
  if (offsets.back() != m.faceConnects.size()) {
    why = "the mesh's face counts do not match its face-vertices";
    return false;
  }
  MeshEdges edges = meshEdges(m);
  ListedElements listed = listedEdges(node, edges, why);
  const double limit = node.number("limitPieceSize", 0.0) != 0.0 ? node.number("numberFaces", 10.0) : HUGE_VAL;
  EdgeWalkers walkers(m, edges, offsets);
  Pieces pieces(*set, offsets, allFaces(m));
  std::vector<int> sewn;
  int refused = 0;
  for (int e : listed.elements) {
    EdgeSides s;
    if (!walkers.sides(e, edges.ends[static_cast<std::size_t>(e)], s))
      continue;  // a border edge: nothing to sew it to
    int ids[2][2];
    bool usable = true;
    for (int k = 0; k < 2; ++k)
      for (int end = 0; end < 2; ++end) {
        ids[k][end] = set->uvIds[s.corner[k][end]];
        usable = usable && validId(*set, ids[k][end]);
      }
    if (!usable)
      continue;
    std::size_t root[2] = {pieces.sets.find(static_cast<std::size_t>(ids[0][0])),
                           pieces.sets.find(static_cast<std::size_t>(ids[1][0]))};
    if (root[0] != root[1]) {
      // The piece with fewer faces moves (on a tie, the one whose first UV comes later).
      int moving = pieces.faceCount[root[1]] < pieces.faceCount[root[0]] ||
                           (pieces.faceCount[root[1]] == pieces.faceCount[root[0]] && root[1] > root[0])
                       ? 1
                       : 0;
      int staying = 1 - moving;
      if (pieces.faceCount[root[moving]] > limit) {
        ++refused;
        continue;
      }
      bool mirror = (walkers.turning(*set, s.corner[0][0]) > 0.0) != (walkers.turning(*set, s.corner[1][0]) > 0.0);
      movePiece(*set, pieces.members[root[moving]], uvAt(*set, ids[moving][0]), uvAt(*set, ids[moving][1]),
                uvAt(*set, ids[staying][0]), uvAt(*set, ids[staying][1]), mirror);
      pieces.join(root[0], root[1]);
      hostLayout = true;
    }
    sewn.push_back(e);
  }
  sewUVs(m, edges, sewn, *set);
  if (refused > 0)
    why += std::string(why.empty() ? "" : "; ") + std::to_string(refused) +
           " of its edges join pieces larger than numberFaces and are not sewn";
  return true;
}

bool layoutUVs(const Node& node, MeshData& m, std::string& why, bool& hostLayout) {
  std::vector<int> faces;
  std::string note;
  UVSet* set = editedSet(node, m, why);
  if (!set)
    return why.empty();
  if (!listedFaces(node, m, faces, why, note))
    return false;
  const std::vector<std::size_t> offsets = faceOffsets(m);
  DisjointSets pieces = piecesOf(*set, offsets, faces);
  const std::vector<int> ids = idsOfFaces(*set, offsets, faces);
  std::map<std::size_t, std::size_t> boxOf;
  std::vector<Box> boxes;
  for (int id : ids) {
    auto [it, fresh] = boxOf.emplace(pieces.find(static_cast<std::size_t>(id)), boxes.size());
    if (fresh)
      boxes.emplace_back();
    boxes[it->second].add(set->us[id], set->vs[id]);
  }
  Packing packing(boxes, spaceShare(node));
  for (int id : ids) {
    UVValue uv = packing.place(boxOf[pieces.find(static_cast<std::size_t>(id))], set->us[id], set->vs[id]);
    set->us[id] = uv.first;
    set->vs[id] = uv.second;
  }
  hostLayout = !ids.empty();
  why = note;
  return true;
}

bool autoProjectUVs(const Node& node, MeshData& m, std::string& why, bool& hostLayout) {
  std::vector<int> faces;
  std::string note;
  Matrix4 toWorld;
  const Value matrix = node.value("inputMatrix");
  const bool world = node.number("worldSpace", 0.0) != 0.0 && matrix.kind != Value::kNone;
  if ((world && !Matrix4::fromValue(&matrix, toWorld)) || !toWorld.finite()) {
    why = "its inputMatrix is not a matrix of numbers";
    return false;
  }
  if (!listedFaces(node, m, faces, why, note))
    return false;
  const std::vector<std::size_t> offsets = faceOffsets(m);
  auto pointAt = [&](std::size_t c) {
    int v = m.faceConnects[c];
    Point3 p = v >= 0 && static_cast<std::size_t>(v) < m.points.size() ? m.points[v] : Point3{};
    return world ? toWorld.apply(p) : p;
  };
  // Per face: the axis plane it faces most (0..5: +X, -X, +Y, -Y, +Z, -Z) and its corners there.
  std::vector<int> facing(faces.size());
  std::vector<std::pair<double, double>> flat;
  for (std::size_t i = 0; i < faces.size(); ++i) {
    double n[3] = {0, 0, 0};
    for (std::size_t c = offsets[faces[i]]; c < offsets[faces[i] + 1]; ++c) {
      std::size_t next = c + 1 < offsets[faces[i] + 1] ? c + 1 : offsets[faces[i]];
      Point3 a = pointAt(c), b = pointAt(next);
      n[0] += (a.y - b.y) * (a.z + b.z);
      n[1] += (a.z - b.z) * (a.x + b.x);
      n[2] += (a.x - b.x) * (a.y + b.y);
    }
    int axis = std::fabs(n[0]) >= std::fabs(n[1]) && std::fabs(n[0]) >= std::fabs(n[2]) ? 0
               : std::fabs(n[1]) >= std::fabs(n[2])                                   ? 1
                                                                                      : 2;
    facing[i] = axis * 2 + (n[axis] < 0.0 ? 1 : 0);
    for (std::size_t c = offsets[faces[i]]; c < offsets[faces[i] + 1]; ++c) {
      Point3 p = pointAt(c);
      const double side = facing[i] % 2 ? -1.0 : 1.0;
      if (axis == 0)
        flat.emplace_back(-side * p.z, p.y);
      else if (axis == 1)
        flat.emplace_back(p.x, -side * p.z);
      else
        flat.emplace_back(side * p.x, p.y);
    }
  }
  // Faces meeting at a vertex and facing one way make one piece.
  DisjointSets pieces(faces.size());
  std::map<std::pair<int, int>, std::size_t> firstFace;
  for (std::size_t i = 0; i < faces.size(); ++i)
    for (std::size_t c = offsets[faces[i]]; c < offsets[faces[i] + 1]; ++c)
      pieces.join(i, firstFace.emplace(std::make_pair(m.faceConnects[c], facing[i]), i).first->second);
  std::map<std::size_t, std::size_t> boxOf;
  std::vector<Box> boxes;
  std::vector<std::size_t> pieceOfFace(faces.size());
  for (std::size_t i = 0, k = 0; i < faces.size(); ++i) {
    auto [it, fresh] = boxOf.emplace(pieces.find(i), boxes.size());
    if (fresh)
      boxes.emplace_back();
    pieceOfFace[i] = it->second;
    for (std::size_t c = offsets[faces[i]]; c < offsets[faces[i] + 1]; ++c, ++k)
      boxes[it->second].add(flat[k].first, flat[k].second);
  }
  Packing packing(boxes, spaceShare(node));
  std::vector<UVValue> values;
  for (std::size_t i = 0, k = 0; i < faces.size(); ++i)
    for (std::size_t c = offsets[faces[i]]; c < offsets[faces[i] + 1]; ++c, ++k)
      values.push_back(packing.place(pieceOfFace[i], flat[k].first, flat[k].second));
  assignFaceUVs(m, faces, values, writableSet(node, m));
  hostLayout = !faces.empty();
  why = note;
  return true;
}

}  // namespace OmbrixHost
