#pragma once
// The painter's frame against Maya's and the model's: texture v runs the
// other way, v' = 1 - v worked in double (its own inverse up to the last bit
// of a float), and the painter's positions have y and z negated.
constexpr double flipV(double v) { return 1.0 - v; }
// The same, rounded to the f32 that files, models and Maya's arrays hold.
constexpr float flipVf(double v) { return static_cast<float>(flipV(v)); }
