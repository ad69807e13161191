#pragma once
// Kinds and codes the export and the UV import rely on. Kinds are named by
// the API's own enumerators (their numbers move between Maya versions); only
// a code the API gives no name keeps its number.
#include <maya/MDagPath.h>
#include <maya/MFn.h>

namespace MayaCodes {

// What both walks pass over before they look for meshes and NURBS surfaces:
// paths through a surface's underworld (curves on surface), dimension shapes
// and particle sprites.
constexpr MFn::Type kSkippedKinds[] = {MFn::kUnderWorld, MFn::kDimension, MFn::kSprite};

inline bool isSkippedKind(const MDagPath& path) {
  for (MFn::Type kind : kSkippedKinds)
    if (path.hasFn(kind))
      return true;
  return false;
}

// nurbsToPolygonsPref -format 3, control points: quads only, so the export
// falls back to standard fit. MTesselationParams names formats 0 to 2 only.
constexpr int kControlPointsFormat = 3;

}  // namespace MayaCodes
