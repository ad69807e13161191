#pragma once
// Unit dual quaternions for skinning: a rotation and a translation that blend
// without the shrinking of a blend of matrices.
#include "GeometryData.h"
#include "Matrix4.h"

namespace OmbrixHost {

struct Quaternion {
  double w = 1.0, x = 0.0, y = 0.0, z = 0.0;
};

// A matrix split into what it does before turning (scale and shear, a
// symmetric 3x3 in row-vector form) and a rigid motion.
struct RigidSplit {
  double stretch[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  Quaternion rotation;
  Point3 translation;

  static RigidSplit of(const Matrix4& m);
  Point3 stretched(const Point3& p) const;
};

struct DualQuaternion {
  Quaternion real{0.0, 0.0, 0.0, 0.0};
  Quaternion dual{0.0, 0.0, 0.0, 0.0};

  static DualQuaternion of(const RigidSplit& rigid);
  // Adds `weight` times `other`, turned to the same hemisphere as this sum's first term.
  void accumulate(const DualQuaternion& other, double weight);
  // The blended motion applied to p; p unchanged when the sum is zero.
  Point3 apply(const Point3& p) const;
};

}  // namespace OmbrixHost
