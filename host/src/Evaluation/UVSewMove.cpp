#include "UVShells.h"

#include "ComponentLists.h"
#include "MeshEdges.h"
#include "UVPieces.h"
#include "UVSeams.h"

#include <cmath>
#include <complex>

namespace OmbrixHost {
namespace {

using Complex = std::complex<double>;

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

}  // namespace OmbrixHost
