#pragma once
// A 4x4 single-precision matrix used only as a holder (scene node
// transforms); a new one is the identity.

struct Matrix4 {
  float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};
