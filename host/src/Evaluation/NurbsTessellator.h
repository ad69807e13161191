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

// What MTesselationParams asks for, as the tessellator reads it.
struct TessellationSettings {
  MTesselationParams::TessFormat format = MTesselationParams::kStandardFitFormat;
  MTesselationParams::PolyType polyType = MTesselationParams::kTriangles;
  int triangleCount = 0;
  double stdChordHeightRatio = 0.0, stdFractionalTolerance = 0.0, stdMinEdgeLength = 0.0;
  double chordHeightRatio = 0.0, delta3D = 0.0;
  bool useChordHeightRatio = false, useFractionalTolerance = false, edgeSwapping = false;
  MTesselationParams::IsoparmType uIsoparm = MTesselationParams::kSpanEquiSpaced;
  MTesselationParams::IsoparmType vIsoparm = MTesselationParams::kSpanEquiSpaced;
  int uNumber = 0, vNumber = 0;
};

// Builds the tessellated mesh. False when the surface data is unusable.
bool tessellateSurface(const NurbsData& surface, const TessellationSettings& params, MeshData& out);
// The mesh whose points are the surface's CVs (coinciding ones, as a periodic
// surface's wrapped CVs, welded), each cell between them a quad or two
// triangles (`params`' polygon type and edge swapping), UVs the grid's place
// in the unit square. False when the surface data is unusable.
bool controlPointMesh(const NurbsData& surface, const TessellationSettings& params, MeshData& out);

}  // namespace OmbrixHost
