#pragma once
// Scalar helpers shared by the model core and the format code.

inline float Min(float a, float b) { return a >= b ? b : a; }
inline double Min(double a, double b) { return a >= b ? b : a; }
inline float Max(float a, float b) { return a > b ? a : b; }
inline double Max(double a, double b) { return a > b ? a : b; }

// x wrapped into [lo, hi): unchanged inside, x - span just above, raised by
// the span up to three times just below, else by the fractional part. A
// range of no width gives lo.
double Wrap(double x, double lo, double hi);

bool IsFinite(double x);
