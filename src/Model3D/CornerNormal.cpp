// Corner normals: each corner's normal averages the corner directions of the
// polygons around its position, walking across edges whose smoothness
// reaches the threshold, at most 50 crossings each way: first backward to
// where the smooth fan ends, then forward from there, blending each corner
// into the result with the weighted spherical blend.
//
// Most corners lie in fans that every walk around them sees alike
// (CornerFan): such a fan is gathered once and all its normals blended from
// one list. The other corners are walked one by one, as below.
#include "Model3D/CornerFan.h"
#include "Model3D/HvMesh.h"
#include "Model3D/WorkerRanges.h"

#include <cstdint>
#include <vector>

namespace {

// Where a walk stands: a polygon and its corner at the walk's position.
struct Step {
  const MeshPolygon* polygon;
  int corner;
  bool crossedArriving;  // the edge crossed into it arrives at the corner
};

// The corner contribution of a step; `farIsCrossed` tells which role the
// crossed edge plays (forward walk: far; start of accumulation: near).
Contribution At(const Step& step, bool farIsCrossed) {
  const Contribution c = CornerContributionAt(*step.polygon, step.corner);
  return step.crossedArriving != farIsCrossed ? c.Flipped() : c;
}

// Crosses `edge` from `from` to the next polygon on it and finds that
// polygon's corner at p and its other edge there. False when the edge is
// not smooth enough or there is no such neighbour.
bool Cross(const MeshPolygon* from, const MeshEdge* edge, const Vector3& p, double threshold,
           Step& to, MeshEdge*& other) {
  if (edge->smoothness < threshold) return false;
  const MeshPolygon* neighbour = edge->Successor(from);
  if (neighbour == nullptr) return false;
  for (int j = 0; j < neighbour->count; ++j) {
    if (neighbour->Corner(j).edge != edge) continue;
    // The edge leaves corner j; p is corner j (edge leaves p) or j + 1 (arrives).
    const bool arrives = neighbour->Corner(j).position != p;
    const int corner = arrives ? neighbour->Wrap(j + 1) : j;
    other = neighbour->Corner(arrives ? corner : neighbour->Wrap(j - 1)).edge;
    if (other == nullptr) return false;
    to = {neighbour, corner, arrives};
    return true;
  }
  return false;
}

// The normal of one corner by walking its fan.
Vector3 WalkedNormal(const MeshPolygon& polygon, int cornerIndex, double threshold) {
  const Vector3 up(0, 1, 0);
  const Vector3& p = polygon.Corner(cornerIndex).position;
  // The first corner k + 1 at this position (positions may repeat).
  int corner = -1;
  for (int i = 0; i < polygon.count && corner < 0; ++i)
    if (polygon.Corner(polygon.Wrap(i + 1)).position == p) corner = polygon.Wrap(i + 1);
  if (corner < 0) return up;
  MeshEdge* const eIn = polygon.Corner(polygon.Wrap(corner - 1)).edge;
  MeshEdge* const eOut = polygon.Corner(corner).edge;
  if (eIn == nullptr || eOut == nullptr) return up;

  // Backward against the winding while the fan stays smooth. The start
  // polygon's far edge (e_in) arrives at its corner.
  Step last{&polygon, corner, false};
  MeshEdge* far = eIn;
  for (int crossings = 0; crossings < CornerFan::kMaxCrossings; ++crossings) {
    Step next;
    MeshEdge* other = nullptr;
    if (!Cross(last.polygon, far, p, threshold, next, other)) break;
    last = next;
    far = other;
    if (far == eOut) break;  // full circle
  }
  // The accumulation starts at the last polygon reached: its crossed edge is
  // its near edge, the other its far edge (the start polygon: e_out near).
  NormalBlend blend(At(last, false));
  const MeshEdge* endMark = far;

  // Forward from there across its near edge: the edge at its corner that is
  // not the far one.
  Step current = last;
  const MeshPolygon& lp = *last.polygon;
  MeshEdge* arriving = lp.Corner(lp.Wrap(last.corner - 1)).edge;
  MeshEdge* edge = arriving == far ? lp.Corner(last.corner).edge : arriving;
  for (int crossings = 0; crossings < CornerFan::kMaxCrossings; ++crossings) {
    Step next;
    MeshEdge* other = nullptr;
    if (!Cross(current.polygon, edge, p, threshold, next, other)) break;
    blend.Add(At(next, true));
    current = next;
    edge = other;
    if (edge == endMark) break;
  }
  return blend.Normal();
}

// The corners of one worker's range whose fans have been seen: a fan is
// gathered by its lowest polygon, which sets every member's normal; any
// other member of the range that meets the fan first (its lowest polygon
// lies in an earlier range) finds that out once for all the members in its
// range. One bit a corner for the first eight corners of each polygon;
// other corners take their roles one by one.
class SeenCorners {
 public:
  SeenCorners(size_t begin, size_t end) : begin_(begin), bits_(end - begin, 0) {}

  bool Has(size_t polygon, int corner) const {
    return corner < 8 && ((bits_[polygon - begin_] >> corner) & 1) != 0;
  }
  void Add(const std::vector<CornerFan::Member>& members) {
    for (const CornerFan::Member& member : members) {
      const auto at = static_cast<size_t>(member.polygon->index) - begin_;
      if (at < bits_.size() && member.corner < 8)
        bits_[at] = static_cast<uint8_t>(bits_[at] | (1u << member.corner));
    }
  }

 private:
  size_t begin_;
  std::vector<uint8_t> bits_;
};

}  // namespace

void HvMesh::ComputeCornerNormals(double threshold) {
  // Each corner's normal is written once: by the worker whose range holds
  // the lowest polygon of its fan, or by its own. The walks and the fans
  // only read edges, positions and polygon numbers.
  ForEachRange(polygons_.size(), kMinPolygonsPerWorker, [&](size_t begin, size_t end) {
    CornerFan fan(threshold);
    SeenCorners seen(begin, end);
    for (size_t i = begin; i < end; ++i) {
      MeshPolygon* polygon = polygons_[i];
      if (polygon == nullptr) continue;
      for (int c = 0; c < polygon->count; ++c) {
        if (seen.Has(i, c)) continue;
        const CornerFan::Role role = fan.Take(*polygon, c);
        if (role == CornerFan::Role::kAlone) {
          polygon->Corner(c).normal = WalkedNormal(*polygon, c, threshold);
          continue;
        }
        if (role == CornerFan::Role::kGathered && fan.Blendable()) {
          fan.SetNormals();
        } else if (role == CornerFan::Role::kGathered) {
          for (const CornerFan::Member& member : fan.Members())
            member.polygon->Corner(member.corner).normal =
                WalkedNormal(*member.polygon, member.corner, threshold);
        }
        // Gathered here or by its lowest polygon: either way no member of
        // this range needs to look at the fan again.
        seen.Add(fan.Members());
      }
    }
  });
}
