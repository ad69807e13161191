#pragma once
// Host codes that the export relies on but that have no name in the Maya API.
// Every other code is used through the API's own enumerations (MFn::kMesh,
// MFnSet::kRenderableOnly, MItDag::kBreadthFirst, ...).
#include <maya/MFn.h>

namespace MayaCodes {

// Two DAG kinds the walk passes over before it looks for meshes and NURBS
// surfaces; only their numbers are known (API version "400").
constexpr MFn::Type kSkippedKindA = static_cast<MFn::Type>(109);
constexpr MFn::Type kSkippedKindB = static_cast<MFn::Type>(269);

// nurbsToPolygonsPref -format 3, control points: quads only, so the export
// falls back to standard fit. MTesselationParams names formats 0 to 2 only.
constexpr int kControlPointsFormat = 3;

}  // namespace MayaCodes
