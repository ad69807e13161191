// polySplitRing: a new point on each listed edge, `weight` of the way along
// it, and each face crossed by two listed edges cut in two between their new
// points. The weight runs from the root edge's first point and, across each
// face, from the point on the same side (`direction` only chooses the end an
// absolute weight is measured from, and absolute weights are not evaluated);
// a ring without the root edge starts from its lowest edge. The ring is walked
// from that edge, first across the face walking it from its first point to
// its second: new points follow the mesh's in the order the walk reaches
// their edges. A cut face keeps its place with its corners on the side the
// weight runs from, the points taking the places of the other side's; the
// other part, made alike, follows the mesh's faces in the walk's order.
// Faces walking a listed edge take its point as a new corner. A split edge
// keeps its number for its part from its first point; the far parts and the
// cuts are numbered after the mesh's edges, face by face along the walk.
// Evenly spaced splits (splitType 2) leave the weight aside: `divisions`
// loops, the first nearest the far end of the root edge, each later one
// cutting the part the one before kept, numbered loop by loop as above.
#include "FaceCutting.h"
#include "MeshEdges.h"
#include "ModelingSteps.h"
#include "Point3Math.h"
#include "PolygonList.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace OmbrixHost {
namespace {

const double kMaxLoops = 1000;  // divisions beyond this are refused

struct Ring {
  std::map<int, int> from;  // listed edge -> the point its weight runs from
  std::vector<int> edges;   // the listed edges in the order the ring walks them
  std::vector<int> faces;   // the faces it cuts, in that order
  std::vector<std::pair<int, int>> crossings;  // per face: the edge it enters by, the one it leaves by
};

using ListedCorners = std::vector<std::vector<std::pair<std::size_t, int>>>;  // per face: (corner, listed edge)

// The listed edges each face walks, as (corner, edge).
ListedCorners listedByFace(const MeshData& m, const MeshEdges& edges, const std::vector<bool>& listed) {
  ListedCorners out(static_cast<std::size_t>(m.numFaces()));
  for (int f = 0; f < m.numFaces(); ++f)
    for (int k = 0; k < m.faceCounts[f]; ++k) {
      int e = MeshEdges::edgeOf(edges.loops[static_cast<std::size_t>(m.faceStart(f) + k)]);
      if (listed[static_cast<std::size_t>(e)])
        out[static_cast<std::size_t>(f)].push_back({static_cast<std::size_t>(k), e});
    }
  return out;
}

class RingWalk {
public:
  RingWalk(const MeshData& m, const MeshEdges& edges, const ListedCorners& byFace, Ring& ring)
      : m_(m), edges_(edges), byFace_(byFace), ring_(ring) {
    for (std::size_t f = 0; f < byFace.size(); ++f)
      if (byFace[f].size() == 2)
        for (const auto& c : byFace[f])
          facesOf_[c.second].push_back(static_cast<int>(f));
  }

  // The ring through `start`, its weight from `from`: first across the face
  // walking `start` from its first end to its second, then the other way.
  void from(int start, int fromPoint) {
    ring_.from[start] = fromPoint;
    ring_.edges.push_back(start);
    std::vector<int> faces = facesOf_[start];
    std::stable_sort(faces.begin(), faces.end(), [&](int a, int b) { return forward(a, start) > forward(b, start); });
    for (int f : faces)
      across(start, f);
  }

  bool visited(int e) const { return ring_.from.count(e) != 0; }

private:
  bool forward(int f, int e) const {
    for (const auto& c : byFace_[static_cast<std::size_t>(f)])
      if (c.second == e)
        return edges_.loops[static_cast<std::size_t>(m_.faceStart(f)) + c.first] >= 0;
    return false;
  }

  void across(int edge, int face) {
    while (face >= 0 && !done_.count(face)) {
      done_[face] = true;
      const auto& pair = byFace_[static_cast<std::size_t>(face)];
      const std::size_t n = static_cast<std::size_t>(m_.faceCounts[face]);
      const int* corner = &m_.faceConnects[static_cast<std::size_t>(m_.faceStart(face))];
      const auto& here = pair[0].second == edge ? pair[0] : pair[1];
      const auto& there = pair[0].second == edge ? pair[1] : pair[0];
      ring_.faces.push_back(face);
      ring_.crossings.emplace_back(edge, there.second);
      if (visited(there.second))
        return;
      // Across the face, the start of one edge faces the end of the other.
      const bool fromStart = ring_.from[edge] == corner[here.first];
      ring_.from[there.second] = fromStart ? corner[(there.first + 1) % n] : corner[there.first];
      ring_.edges.push_back(there.second);
      edge = there.second;
      int next = -1;
      for (int f : facesOf_[edge])
        if (!done_.count(f))
          next = f;
      face = next;
    }
  }

  const MeshData& m_;
  const MeshEdges& edges_;
  const ListedCorners& byFace_;
  Ring& ring_;
  std::map<int, std::vector<int>> facesOf_;
  std::map<int, bool> done_;
};

// The edges after the cut: a split edge keeps its number for its part from
// its first end; then, face by face along the ring, the parts after the new
// points of the edges it crosses not yet numbered and the cut across it; then
// those of listed edges no cut face crosses.
std::vector<int> edgeList(const MeshEdges& edges, const Ring& ring, const std::map<int, EdgePoint>& onEdges) {
  std::vector<std::pair<int, int>> ends = edges.ends;
  std::vector<bool> numbered(ends.size(), false);
  auto farPart = [&](int e) {
    if (numbered[static_cast<std::size_t>(e)])
      return;
    numbered[static_cast<std::size_t>(e)] = true;
    ends.emplace_back(onEdges.at(e).point, edges.ends[static_cast<std::size_t>(e)].second);
  };
  for (int e : ring.edges)
    ends[static_cast<std::size_t>(e)].second = onEdges.at(e).point;
  for (const auto& [in, out] : ring.crossings) {
    farPart(in);
    farPart(out);
    ends.emplace_back(onEdges.at(in).point, onEdges.at(out).point);
  }
  for (int e : ring.edges)
    farPart(e);
  std::vector<int> out;
  for (const auto& [a, b] : ends)
    out.insert(out.end(), {a, b});
  return out;
}

// What one loop leaves for the next: per edge it cut, its new point and the
// end beyond it; and which of them the root edge gave.
struct Beyond {
  std::vector<std::pair<int, int>> pieces;
  int root = -1;
};

// One loop across the ring of the `chosen` edges (`listed` in ascending
// order), `t` of the way along each from the end its weight runs from
// (`starts` names that end where it is known, else an edge's first end).
Beyond cutLoop(MeshData& mesh, const MeshEdges& edges, const std::vector<bool>& chosen, const std::vector<int>& listed,
               int root, const std::map<int, int>& starts, double t) {
  const auto byFace = listedByFace(mesh, edges, chosen);
  Ring ring;
  RingWalk walk(mesh, edges, byFace, ring);
  std::vector<int> order{root};
  order.insert(order.end(), listed.begin(), listed.end());
  for (int start : order)
    if (start >= 0 && !walk.visited(start)) {
      const auto known = starts.find(start);
      walk.from(start, known != starts.end() ? known->second : edges.ends[static_cast<std::size_t>(start)].first);
    }
  PolygonList list = PolygonList::of(mesh);
  std::map<int, EdgePoint> onEdges;
  Beyond beyond;
  for (int e : ring.edges) {
    const auto& ends = edges.ends[static_cast<std::size_t>(e)];
    int from = ring.from[e], to = from == ends.first ? ends.second : ends.first;
    onEdges[e] = EdgePoint{list.addPoint(lerp(list.points[static_cast<std::size_t>(from)], list.points[static_cast<std::size_t>(to)], t)),
                           from, t};
    if (e == root)
      beyond.root = static_cast<int>(beyond.pieces.size());
    beyond.pieces.emplace_back(from, onEdges[e].point);
  }
  std::vector<std::pair<int, int>> cut;
  for (std::size_t i = 0; i < ring.faces.size(); ++i)
    cut.emplace_back(ring.faces[i], onEdges.at(ring.crossings[i].second).point);
  cutRing(list, mesh, edges, onEdges, cut);
  const std::vector<int> ids = list.pointIds();
  std::vector<int> edgeEnds = edgeList(edges, ring, onEdges);
  mesh = list.toMesh();
  auto renumber = [&ids](int& v) { v = v >= 0 && static_cast<std::size_t>(v) < ids.size() ? ids[static_cast<std::size_t>(v)] : -1; };
  for (int& v : edgeEnds)
    renumber(v);
  if (std::find(edgeEnds.begin(), edgeEnds.end(), -1) == edgeEnds.end())
    mesh.edges = std::move(edgeEnds);
  for (auto& [point, to] : beyond.pieces) {
    renumber(point);
    renumber(to);
  }
  return beyond;
}

// Evenly spaced loops (splitType 2), the first nearest the end the weight
// runs from: each cuts the pieces the loop before left beyond its points.
void cutLoops(MeshData& mesh, MeshEdges edges, std::vector<bool> chosen, std::vector<int> listed, int root, int loops) {
  std::map<int, int> starts;
  for (int k = 0; k < loops; ++k) {
    const Beyond beyond = cutLoop(mesh, edges, chosen, listed, root, starts, (loops - k) / (loops + 1.0 - k));
    if (k + 1 == loops)
      return;
    edges = meshEdges(mesh);
    std::map<std::pair<int, int>, int> edgeOf;
    for (int e = 0; e < edges.count(); ++e)
      edgeOf.emplace(std::minmax(edges.ends[static_cast<std::size_t>(e)].first, edges.ends[static_cast<std::size_t>(e)].second), e);
    chosen.assign(static_cast<std::size_t>(edges.count()), false);
    starts.clear();
    root = -1;
    for (std::size_t i = 0; i < beyond.pieces.size(); ++i) {
      const auto found = edgeOf.find(std::minmax(beyond.pieces[i].first, beyond.pieces[i].second));
      if (found == edgeOf.end())
        continue;
      chosen[static_cast<std::size_t>(found->second)] = true;
      starts[found->second] = beyond.pieces[i].first;
      if (static_cast<int>(i) == beyond.root)
        root = found->second;
    }
    listed.clear();
    for (const auto& entry : starts)
      listed.push_back(entry.first);
  }
}

}  // namespace

bool splitRing(const Node& node, MeshData& mesh, std::string& why) {
  const double weight = node.number("weight", 0.5), root = node.number("rootEdge", -1.0);
  if (!allNumbers({weight, root}, why))
    return false;
  const bool even = node.number("splitType", 0.0) == 2.0;
  const double splits = even ? node.number("divisions", 2.0) : 1.0;
  if (node.number("absoluteWeight", 0.0) != 0.0) {
    why = "its absolute weight (absoluteWeight) is not evaluated";
    return false;
  }
  if (!(splits >= 1.0 && splits <= kMaxLoops)) {
    why = "its divisions are not between 1 and 1000";
    return false;
  }
  MeshEdges edges;
  std::vector<bool> chosen;
  if (!chosenEdges(node, mesh, edges, chosen, why))
    return false;
  std::vector<int> order;
  for (int e = 0; e < edges.count(); ++e)
    if (chosen[static_cast<std::size_t>(e)])
      order.push_back(e);
  if (order.empty()) {
    why = why.empty() ? "its inputComponents name no edges; the mesh is unchanged" : why;
    return true;
  }
  const int rootEdge = root >= 0 && root < edges.count() && chosen[static_cast<std::size_t>(root)] ? static_cast<int>(root) : -1;
  if (even)  // evenly spaced whatever the weight
    cutLoops(mesh, edges, chosen, order, rootEdge, static_cast<int>(splits));
  else
    cutLoop(mesh, edges, chosen, order, rootEdge, {}, std::min(1.0, std::max(0.0, weight)));
  return true;
}

}  // namespace OmbrixHost
