#pragma once
// Draws whole images into a target image, clipped, optionally bottom-up.
// Converting an image to another format is SetFormat on a new image and
// Draw of the old one at (0, 0).
#include "IMGLib/HLine.h"
#include "IMGLib/HvImage.h"

class Canvas {
 public:
  explicit Canvas(HvImage& target);

  // The clip is always kept inside the target's bounds.
  void SetClip(int x0, int y0, int x1, int y1);
  void SetOrigin(int x, int y);
  void SetBottomUp(bool bottomUp) { bottomUp_ = bottomUp; }

  // Copies the whole source with its top-left corner at (x, y) (plus the
  // origin). False when a pixel conversion fails.
  bool Draw(const HvImage& source, int x, int y);

 private:
  bool DrawRow(const HvImage& source, int sourceRow, int targetRow, int x, HLine& line);

  HvImage& target_;
  int clipX0_, clipY0_, clipX1_, clipY1_;
  int originX_ = 0;
  int originY_ = 0;
  bool bottomUp_ = false;
  HLinePool lines_;
};
