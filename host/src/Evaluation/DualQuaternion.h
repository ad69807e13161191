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
};

// A weighted sum of dual quaternions, each turned to the hemisphere of the
// first one added, so that blending q and -q (the same motion) cannot cancel.
class DualQuaternionBlend {
public:
  void add(const DualQuaternion& q, double weight);
  // The motion of the normalized sum applied to p; p unchanged when the sum is zero.
  Point3 apply(const Point3& p) const;

private:
  DualQuaternion sum_;
  Quaternion first_;
  bool empty_ = true;
};

}  // namespace OmbrixHost
