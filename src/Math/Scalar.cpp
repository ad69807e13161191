#include "Math/Scalar.h"

#include <cmath>

double Wrap(double x, double lo, double hi) {
  const double span = hi - lo;
  if (!(span > 0.0)) return lo;
  if (x >= lo && x < hi) return x;
  if (x >= hi && x < hi + span) return x - span;
  if (x < lo) {
    double raised = x;
    for (int i = 0; i < 3; ++i) {
      raised += span;
      if (raised >= lo) return raised;
    }
  }
  const double t = (x - lo) / span;
  return lo + span * (t - std::floor(t));
}

bool IsFinite(double x) { return std::isfinite(x); }
