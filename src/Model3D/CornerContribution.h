#pragma once
// What a corner adds to the normals of the corners around its position: the
// cross product of its two edge directions there, weighted by its angle; and
// the blend of such contributions, one after another, into a normal.
#include "Math/Vector3.h"
#include "Math/WeightedBlend.h"

struct MeshPolygon;

struct Contribution {
  Vector3 direction;  // dN x dF with F the edge arriving at the corner and N the one leaving it
  double weight;      // the corner angle
  double length;      // direction.Length(), the same for the flipped direction

  Contribution Flipped() const { return {Vector3::Scale(direction, -1.0), weight, length}; }
};

// The contribution of a polygon's corner; zero when either edge is missing.
Contribution CornerContributionAt(const MeshPolygon& polygon, int corner);

// Contributions blended in the order they come, the first taken as it is.
class NormalBlend {
 public:
  explicit NormalBlend(const Contribution& first)
      : direction_(first.direction), weight_(first.weight) {}

  void Add(const Contribution& next) {
    direction_ = WeightedBlend(direction_, direction_.Length(), weight_, next.direction, next.length, next.weight);
    weight_ += next.weight;
  }
  // The blend at unit length, or +y when it has no finite direction.
  Vector3 Normal() const;

 private:
  Vector3 direction_;
  double weight_;
};
