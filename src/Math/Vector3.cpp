#include "Math/Vector3.h"

#include <cmath>

bool Vector3::Set(int index, double value) {
  float* slot = index == 0 ? &x : index == 1 ? &y : index == 2 ? &z : nullptr;
  if (slot == nullptr) return false;
  *slot = static_cast<float>(value);
  return true;
}

double Vector3::Get(int index) const {
  switch (index) {
    case 0: return x;
    case 1: return y;
    case 2: return z;
    default: return 0.0;
  }
}

Vector3 Vector3::Add(const Vector3& a, const Vector3& b) {
  return {double(a.x) + b.x, double(a.y) + b.y, double(a.z) + b.z};
}

Vector3 Vector3::Subtract(const Vector3& a, const Vector3& b) {
  return {double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z};
}

Vector3 Vector3::Scale(const Vector3& v, double s) { return {v.x * s, v.y * s, v.z * s}; }

Vector3 Vector3::Cross(const Vector3& a, const Vector3& b) {
  return {double(a.y) * b.z - double(a.z) * b.y, double(a.z) * b.x - double(a.x) * b.z,
          double(a.x) * b.y - double(a.y) * b.x};
}

double Vector3::Dot(const Vector3& a, const Vector3& b) {
  return double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z;
}

double Vector3::LengthSquared() const { return Dot(*this, *this); }

double Vector3::Length() const { return std::sqrt(LengthSquared()); }

Vector3 Vector3::Normalise(const Vector3& v) { return Scale(v, 1.0 / v.Length()); }

bool Vector3::Equal(const Vector3& a, const Vector3& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}
