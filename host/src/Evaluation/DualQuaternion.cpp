#include "DualQuaternion.h"

#include <cmath>

namespace OmbrixHost {
namespace {

Quaternion product(const Quaternion& a, const Quaternion& b) {
  return Quaternion{a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z, a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
                    a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x, a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

Quaternion conjugate(const Quaternion& q) { return Quaternion{q.w, -q.x, -q.y, -q.z}; }

double dot(const Quaternion& a, const Quaternion& b) { return a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z; }

Quaternion scaled(const Quaternion& q, double s) { return Quaternion{q.w * s, q.x * s, q.y * s, q.z * s}; }

void addTo(Quaternion& to, const Quaternion& q) {
  to.w += q.w;
  to.x += q.x;
  to.y += q.y;
  to.z += q.z;
}

Point3 rotate(const Quaternion& q, const Point3& p) {
  Quaternion v = product(product(q, Quaternion{0.0, p.x, p.y, p.z}), conjugate(q));
  return Point3{v.x, v.y, v.z};
}

using Mat3 = double[3][3];

// The orthogonal factor of a polar decomposition: average with the inverse transpose until it settles.
bool orthogonalFactor(const Mat3& a, Mat3& u) {
  for (int i = 0; i < 9; ++i)
    u[i / 3][i % 3] = a[i / 3][i % 3];
  for (int iteration = 0; iteration < 100; ++iteration) {
    double det = determinant3(u);
    if (!(std::fabs(det) > 1e-300))
      return false;
    Mat3 inverseTranspose;
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) {
        int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
        inverseTranspose[r][c] = (u[r1][c1] * u[r2][c2] - u[r1][c2] * u[r2][c1]) / det;
      }
    double change = 0.0;
    for (int i = 0; i < 9; ++i) {
      double next = 0.5 * (u[i / 3][i % 3] + inverseTranspose[i / 3][i % 3]);
      change += std::fabs(next - u[i / 3][i % 3]);
      u[i / 3][i % 3] = next;
    }
    if (!std::isfinite(change))
      return false;
    if (change < 1e-15)
      break;
  }
  return true;
}

// The quaternion of a rotation given in row-vector form (p' = p * r).
Quaternion fromRows(const Mat3& r) {
  // The column-vector matrix is the transpose: element (i, j) is r[j][i].
  double trace = r[0][0] + r[1][1] + r[2][2];
  Quaternion q;
  if (trace > 0.0) {
    double s = 2.0 * std::sqrt(trace + 1.0);
    q = Quaternion{0.25 * s, (r[1][2] - r[2][1]) / s, (r[2][0] - r[0][2]) / s, (r[0][1] - r[1][0]) / s};
  } else if (r[0][0] > r[1][1] && r[0][0] > r[2][2]) {
    double s = 2.0 * std::sqrt(1.0 + r[0][0] - r[1][1] - r[2][2]);
    q = Quaternion{(r[1][2] - r[2][1]) / s, 0.25 * s, (r[1][0] + r[0][1]) / s, (r[2][0] + r[0][2]) / s};
  } else if (r[1][1] > r[2][2]) {
    double s = 2.0 * std::sqrt(1.0 + r[1][1] - r[0][0] - r[2][2]);
    q = Quaternion{(r[2][0] - r[0][2]) / s, (r[1][0] + r[0][1]) / s, 0.25 * s, (r[2][1] + r[1][2]) / s};
  } else {
    double s = 2.0 * std::sqrt(1.0 + r[2][2] - r[0][0] - r[1][1]);
    q = Quaternion{(r[0][1] - r[1][0]) / s, (r[2][0] + r[0][2]) / s, (r[2][1] + r[1][2]) / s, 0.25 * s};
  }
  return q;
}

}  // namespace

RigidSplit RigidSplit::of(const Matrix4& m) {
  RigidSplit out;
  Mat3 a, u;
  for (int i = 0; i < 9; ++i)
    a[i / 3][i % 3] = m.m[i / 3][i % 3];
  out.translation = Point3{m.m[3][0], m.m[3][1], m.m[3][2]};
  if (!orthogonalFactor(a, u)) {
    for (int i = 0; i < 9; ++i)  // flattened or degenerate: all of it is stretch
      out.stretch[i / 3][i % 3] = a[i / 3][i % 3];
    return out;
  }
  if (determinant3(u) < 0.0)  // a mirror: the stretch takes the flip, the turn stays a rotation
    for (auto& row : u)
      for (double& v : row)
        v = -v;
  // a = stretch * u, so stretch = a * transpose(u).
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      out.stretch[r][c] = a[r][0] * u[c][0] + a[r][1] * u[c][1] + a[r][2] * u[c][2];
  out.rotation = fromRows(u);
  return out;
}

Point3 RigidSplit::stretched(const Point3& p) const {
  return Point3{p.x * stretch[0][0] + p.y * stretch[1][0] + p.z * stretch[2][0],
                p.x * stretch[0][1] + p.y * stretch[1][1] + p.z * stretch[2][1],
                p.x * stretch[0][2] + p.y * stretch[1][2] + p.z * stretch[2][2]};
}

DualQuaternion DualQuaternion::of(const RigidSplit& rigid) {
  const Point3& t = rigid.translation;
  DualQuaternion out;
  out.real = rigid.rotation;
  out.dual = scaled(product(Quaternion{0.0, t.x, t.y, t.z}, rigid.rotation), 0.5);
  return out;
}

void DualQuaternionBlend::add(const DualQuaternion& q, double weight) {
  if (empty_) {
    first_ = q.real;
    empty_ = false;
  } else if (dot(first_, q.real) < 0.0) {
    weight = -weight;
  }
  addTo(sum_.real, scaled(q.real, weight));
  addTo(sum_.dual, scaled(q.dual, weight));
}

Point3 DualQuaternionBlend::apply(const Point3& p) const {
  double norm = std::sqrt(dot(sum_.real, sum_.real));
  if (!(norm > 0.0))
    return p;
  Quaternion r = scaled(sum_.real, 1.0 / norm), d = scaled(sum_.dual, 1.0 / norm);
  Quaternion t = scaled(product(d, conjugate(r)), 2.0);
  Point3 turned = rotate(r, p);
  return Point3{turned.x + t.x, turned.y + t.y, turned.z + t.z};
}

}  // namespace OmbrixHost
