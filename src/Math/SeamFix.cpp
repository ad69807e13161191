#include "Math/SeamFix.h"

namespace {

// Shifts the high side of one coordinate down by 1 when its range passes 0.5.
bool FixAxis(float* values, int count) {
  float lo = values[0];
  float hi = values[0];
  for (int i = 1; i < count; ++i) {
    if (values[i] < lo) lo = values[i];
    if (values[i] > hi) hi = values[i];
  }
  if (!(double(hi) - lo > 0.5)) return false;
  const double limit = double(lo) + 0.5;
  for (int i = 0; i < count; ++i)
    if (values[i] > limit) values[i] = static_cast<float>(double(values[i]) - 1.0);
  return true;
}

}  // namespace

bool SeamFix(float* u, float* v, int count, int axes) {
  if (count <= 0) return false;
  const bool fixedU = (axes & kSeamU) != 0 && u != nullptr && FixAxis(u, count);
  const bool fixedV = (axes & kSeamV) != 0 && v != nullptr && FixAxis(v, count);
  return fixedU || fixedV;
}
