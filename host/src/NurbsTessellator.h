#pragma once
// Evaluation of NURBS surfaces and their tessellation into a polygon mesh, as
// asked for by MTesselationParams.
#include "GeometryData.h"

#include <maya/MTesselationParams.h>

namespace OmbrixHost {

class NurbsEvaluator {
public:
  explicit NurbsEvaluator(const NurbsData& data);
  Point3 at(double u, double v) const;
  double uMin() const { return u0_; }
  double uMax() const { return u1_; }
  double vMin() const { return v0_; }
  double vMax() const { return v1_; }
  // Distinct knot values inside the domain: the span boundaries.
  std::vector<double> spanBoundariesU() const;
  std::vector<double> spanBoundariesV() const;
  double boundingDiagonal() const;

private:
  const NurbsData& d_;
  std::vector<double> fullU_, fullV_;
  double u0_, u1_, v0_, v1_;
};

// Builds the tessellated mesh. False when the surface data is unusable.
bool tessellateSurface(const NurbsData& surface, const MTesselationParams& params, MeshData& out);

}  // namespace OmbrixHost
