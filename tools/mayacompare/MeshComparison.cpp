#include "MeshComparison.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "CornerMatching.h"

namespace {

// Maya prints 6 decimals: no tolerance below their rounding.
const double kSmallestPointTolerance = 1e-6;
// Stands for the UV of a corner without one: far from every real UV, equal to itself.
const double kNoUv = 1e9;

double diagonal(const std::vector<double>& points) {
  if (points.empty()) return 0;
  double low[3] = {points[0], points[1], points[2]}, high[3] = {points[0], points[1], points[2]};
  for (std::size_t i = 0; i + 2 < points.size(); i += 3)
    for (int d = 0; d < 3; ++d) {
      low[d] = std::min(low[d], points[i + d]);
      high[d] = std::max(high[d], points[i + d]);
    }
  return std::sqrt((high[0] - low[0]) * (high[0] - low[0]) + (high[1] - low[1]) * (high[1] - low[1]) +
                   (high[2] - low[2]) * (high[2] - low[2]));
}

// Each corner's point, its UV, or both, as keys for pairing.
CornerKeys cornerKeys(const TruthMesh& m, bool withPoint, bool withUv) {
  CornerKeys keys;
  keys.spatial = withPoint ? 3 : 2;
  keys.dims = (withPoint ? 3 : 0) + (withUv ? 2 : 0);
  keys.values.reserve(m.cornerPoints.size() * static_cast<std::size_t>(keys.dims));
  for (std::size_t c = 0; c < m.cornerPoints.size(); ++c) {
    if (withPoint)
      for (int d = 0; d < 3; ++d) keys.values.push_back(m.points[3 * static_cast<std::size_t>(m.cornerPoints[c]) + d]);
    if (withUv) {
      const int uv = c < m.cornerUvs.size() ? m.cornerUvs[c] : -1;
      keys.values.push_back(uv < 0 ? kNoUv : m.uvs[2 * static_cast<std::size_t>(uv)]);
      keys.values.push_back(uv < 0 ? kNoUv : m.uvs[2 * static_cast<std::size_t>(uv) + 1]);
    }
  }
  return keys;
}

std::string countDifference(const char* what, std::size_t ours, std::size_t maya) {
  if (ours == maya) return "";
  return std::to_string(ours) + " " + what + ", Maya's " + std::to_string(maya);
}

void addReason(std::string& reason, const std::string& more) {
  if (more.empty()) return;
  reason += (reason.empty() ? "" : "; ") + more;
}

// "face F corner K at (...)" for the corner that found no partner.
std::string cornerPlace(const TruthMesh& m, std::size_t corner, const CornerKeys& keys) {
  std::size_t face = 0, first = 0;
  while (face < m.faceCounts.size() && first + static_cast<std::size_t>(m.faceCounts[face]) <= corner)
    first += static_cast<std::size_t>(m.faceCounts[face++]);
  std::string at = "face " + std::to_string(face) + " corner " + std::to_string(corner - first) + " at (";
  const double* key = keys.key(corner);
  for (int d = 0; d < keys.dims; ++d) {
    char number[32];
    std::snprintf(number, sizeof number, "%s%.6g", d ? " " : "", key[d]);
    at += number;
  }
  return at + ")";
}

bool cornersPair(const TruthMesh& ours, const TruthMesh& maya, bool withPoint, bool withUv,
                 const CornerTolerance& tolerance, const char* what, std::string& reason) {
  const CornerKeys mine = cornerKeys(ours, withPoint, withUv), theirs = cornerKeys(maya, withPoint, withUv);
  const std::size_t unpaired = firstUnpairedCorner(mine, theirs, tolerance);
  if (unpaired == mine.count()) return true;
  addReason(reason, cornerPlace(ours, unpaired, mine) + " has no Maya " + what + " within tolerance");
  return false;
}

}  // namespace

MeshVerdict compareMeshes(const TruthMesh& ours, const TruthMesh& maya) {
  MeshVerdict verdict;
  const double pointTolerance = std::max(kRelativePointTolerance * diagonal(maya.points), kSmallestPointTolerance);
  std::string counts;
  addReason(counts, countDifference("vertices", ours.vertexCount(), maya.vertexCount()));
  addReason(counts, countDifference("faces", ours.faceCounts.size(), maya.faceCounts.size()));
  addReason(counts, countDifference("face-vertices", ours.cornerPoints.size(), maya.cornerPoints.size()));
  addReason(verdict.reason, counts);
  const bool sameCorners = ours.cornerPoints.size() == maya.cornerPoints.size();
  verdict.geometry = counts.empty() &&
                     cornersPair(ours, maya, true, false, {pointTolerance, 0}, "corner point", verdict.reason);
  const std::string uvCounts = countDifference("UVs", ours.uvCount(), maya.uvCount());
  addReason(verdict.reason, uvCounts);
  // With the geometry matched, each UV must also sit at its corner's point.
  const CornerTolerance uvTolerance = verdict.geometry ? CornerTolerance{pointTolerance, kUvTolerance}
                                                       : CornerTolerance{kUvTolerance, 0};
  verdict.uvs = sameCorners && uvCounts.empty() &&
                cornersPair(ours, maya, verdict.geometry, true, uvTolerance, "corner UV", verdict.reason);
  return verdict;
}
