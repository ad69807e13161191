#include "UvImport/UvRecovery.h"

#include <cstdint>
#include <type_traits>

#include "IO/CorrespondenceTable.h"
#include "Model3D/PolygonDesc.h"

namespace {

bool sameMatrix(const double* a, const double* b) {
  for (int i = 0; i < 16; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

std::string faceCountText(uint32_t recorded, size_t now) {
  return "topology changed since the export: " + std::to_string(recorded) + " -> " + std::to_string(now) + " faces";
}

// Why polygons stay unmatched on a mesh whose topology and points are those
// of the export and that sits where it sat then.
std::string unsentText(int matched, size_t faces) {
  if (matched == 0) return "the painter sent no UVs for it";
  return "the painter sent no UVs for " + std::to_string(faces - static_cast<size_t>(matched)) + " of its " +
         std::to_string(faces) + " faces";
}

}  // namespace

int countMatches(const CorrespondenceTable& table, const PolygonArrays& arrays, const WorldPoints& world) {
  int matched = 0;
  PolygonDesc desc;
  for (PolygonCursor at; at.face < arrays.counts.size(); advance(arrays, at)) {
    if (readPolygon(arrays, world, at, PolygonV::kAsStored, desc) == PolygonRead::kRead &&
        findCorrespondence(table, desc) != nullptr)
      ++matched;
  }
  return matched;
}

uint64_t meshTopologyDigest(const PolygonArrays& arrays) {
  static_assert(std::is_same<int, int32_t>::value, "vertex counts and indices are 32-bit");
  return topologyDigest(arrays.counts.data(), arrays.counts.size(), arrays.connects.data(), arrays.connects.size());
}

const RecordedGroup* findRecordedGroup(const ExportRecord& record, const std::string& uuid,
                                       const std::string& dagPath) {
  const RecordedGroup* byUuid = nullptr;
  for (const RecordedGroup& group : record.groups) {
    if (uuid.empty() || group.uuid != uuid) continue;
    if (group.dagPath == dagPath) return &group;
    if (byUuid == nullptr) byUuid = &group;
  }
  if (byUuid != nullptr) return byUuid;
  for (const RecordedGroup& group : record.groups) {
    if (group.dagPath == dagPath) return &group;
  }
  return nullptr;
}

RecoveredUVs matchRecordedMesh(const CorrespondenceTable& table, const MeshToMatch& mesh,
                               const RecordedGroup* exported) {
  const PolygonArrays& arrays = mesh.arrays;
  const size_t faces = arrays.counts.size();
  const WorldPoints now = placePoints(mesh.objectPoints, mesh.worldMatrix);
  const bool moved = exported != nullptr && !sameMatrix(exported->worldMatrix, mesh.worldMatrix);
  // A mesh placed as at the export is matched once; a moved one is first
  // counted as it sits now, so that its layout is built once, from the
  // placement that matches.
  const int matchedNow = moved ? countMatches(table, arrays, now) : -1;
  RecoveredUVs out;
  if (!moved || static_cast<size_t>(matchedNow) == faces) {
    out.assigned = matchUVs(table, arrays, now);
    if (static_cast<size_t>(out.assigned.matched) == faces) return out;
  }
  if (exported == nullptr) {
    out.reason = "not in the last export";
  } else if (meshTopologyDigest(arrays) != exported->topology) {
    out.reason = faceCountText(exported->polygons, faces);
  } else if (pointsDigest(mesh.objectPoints.data(), mesh.objectPoints.size() / 3) != exported->points) {
    out.reason = "deformed since the export: its points moved, so its polygons cannot be matched";
  } else if (moved) {
    const WorldPoints then = placePoints(mesh.objectPoints, exported->worldMatrix);
    if (countMatches(table, arrays, then) > matchedNow) {
      out.assigned = matchUVs(table, arrays, then);
      out.reason = "moved since the export: matched through the export's placement";
      return out;
    }
  }
  if (moved) out.assigned = matchUVs(table, arrays, now);
  if (out.reason.empty()) out.reason = unsentText(out.assigned.matched, faces);
  return out;
}
