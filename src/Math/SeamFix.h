#pragma once
// Keeps a polygon that straddles the 0/1 wrap of a cylindrical or spherical
// projection contiguous. axes: bit 1 = u, bit 2 = v. An axis takes part when
// its bit is set and its range exceeds 0.5; every corner above min + 0.5 on
// such an axis has 1.0 subtracted. False when no axis takes part.

enum SeamAxes { kSeamU = 1, kSeamV = 2 };

bool SeamFix(float* u, float* v, int count, int axes);
