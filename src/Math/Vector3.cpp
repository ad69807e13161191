#include "Math/Vector3.h"

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
