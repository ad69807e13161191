#pragma once
// The corners around one position that the corner-normal walks all see the
// same way: polygons that hold the position once, with two different edges
// there, linked into a ring or a row by edges of exactly two such polygons
// that the walks cross; each end of a row is an edge no walk crosses (not
// smooth enough, or open). A walk from any corner of such a fan meets the
// same polygons: from a corner of a ring it blends the ring starting beside
// it and ending at itself, from a corner of a row the whole row from the end
// it reaches first. So the fan is gathered once, by its polygon of lowest
// index, and the normals of all its corners are blended from one short list
// of contributions, in the order and with the signs each corner's own walk
// would give them.
//
// A fan gathered across some other edge (of three polygons, into a polygon
// that repeats the position) or past the walks' 50 crossings is still
// gathered by one polygon, whose caller walks each of its corners.
#include <vector>

#include "Model3D/CornerContribution.h"
#include "Model3D/MeshPolygon.h"

class CornerFan {
 public:
  enum class Role {
    kAlone,      // the corner is in no fan: its caller walks it
    kElsewhere,  // a polygon of lower index gathers the corner's fan
    kGathered,   // the fan is gathered here
  };
  struct Member {
    MeshPolygon* polygon;
    int corner;
    bool arrivingIsNext;  // the edge arriving at the corner leads to the next member
  };

  // The most edges a walk crosses each way.
  static constexpr int kMaxCrossings = 50;

  explicit CornerFan(double threshold) : threshold_(threshold) {}

  // Finds the role of a polygon's corner; unless kAlone the fan's members
  // are listed in their order around the position.
  Role Take(MeshPolygon& polygon, int corner);
  const std::vector<Member>& Members() const { return members_; }
  // Whether the normals come from the list (else each member is walked).
  bool Blendable() const;
  // Sets every member's normal from the list (when Blendable).
  void SetNormals();

 private:
  // A polygon's corner at the fan's position with its two edges there.
  struct Corner {
    MeshPolygon* polygon = nullptr;
    int corner = -1;
    const MeshEdge* arriving = nullptr;
    const MeshEdge* leaving = nullptr;
    const MeshEdge* Other(const MeshEdge* edge) const { return edge == arriving ? leaving : arriving; }
  };
  enum class Crossing { kInside, kEnd, kBroken };

  // The polygon's only corner at the position with two different edges.
  bool CornerOf(MeshPolygon* polygon, Corner& out) const;
  // Across one of from's edges at the position.
  Crossing Cross(const Corner& from, const MeshEdge* edge, Corner& to) const;
  // Lists the members from start, first along its arriving edge; the ones
  // reached the other way come before it, nearest last.
  void Gather(const Corner& start);
  // One side of Gather: the members reached across `edge` and beyond; true
  // when that way leads back to start (a ring).
  bool Follow(const Corner& start, const MeshEdge* edge, std::vector<Member>& out);
  class Chain;
  // Sets the normal of the member whose blend it is, and in a row of every
  // member whose walk starts the same way.
  void Assign(size_t member, const Vector3& normal);

  double threshold_;
  Vector3 position_;
  std::vector<Member> members_;
  std::vector<Member> before_;  // scratch for Gather
  std::vector<Contribution> contributions_;
  std::vector<size_t> chains_;  // the members whose blends are made
  bool ring_ = false;
  bool broken_ = false;
};
