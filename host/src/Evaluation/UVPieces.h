#pragma once
// The UV pieces of a mesh's faces, for the UV nodes that move them whole:
// the set they edit, the UVs chosen faces use, the pieces (UVs joined by the
// faces that use them together) and a packing of pieces into the unit square.
#include "DisjointSets.h"
#include "GeometryData.h"
#include "Node.h"
#include "UVProjections.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace OmbrixHost {

// The set a UV edit works on; null with `why` empty for a mesh without UVs (nothing to do).
UVSet* editedSet(const Node& node, MeshData& m, std::string& why);

bool validId(const UVSet& set, int id);

// The UVs the faces use, each once, lowest first.
std::vector<int> idsOfFaces(const UVSet& set, const std::vector<std::size_t>& offsets, const std::vector<int>& faces);

// The UVs of one face each in one piece: the pieces of the layout.
DisjointSets piecesOf(const UVSet& set, const std::vector<std::size_t>& offsets, const std::vector<int>& faces);

struct Box {
  double lo[2] = {HUGE_VAL, HUGE_VAL}, hi[2] = {-HUGE_VAL, -HUGE_VAL};
  void add(double u, double v);
  double size(int i) const { return hi[i] > lo[i] ? hi[i] - lo[i] : 0.0; }
};

// Boxes in rows, tallest first, in a square about as wide as their area, then
// scaled as one into the unit square; `space` is the share of it left round each.
class Packing {
public:
  Packing(const std::vector<Box>& boxes, double space);
  // Where a point of box i goes.
  UVValue place(std::size_t i, double u, double v) const;

private:
  std::vector<Box> boxes_;
  std::vector<std::pair<double, double>> at_;
  double scale_ = 1.0;
};

// A node's percentageSpace as a share of the unit square (Maya allows up to 5 per cent).
double spaceShare(const Node& node);

}  // namespace OmbrixHost
