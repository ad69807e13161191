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

enum class Change { kNone, kTopology, kPoints };

// What changed in the mesh's own space since the export, by the digests.
Change changeSinceExport(const MeshToMatch& mesh, const RecordedGroup& exported) {
  if (meshTopologyDigest(mesh.arrays) != exported.topology) return Change::kTopology;
  const std::vector<double>& points = mesh.objectPoints;
  // A record from before the points were kept: the matching itself tells.
  if (exported.pointsRecorded && pointsDigest(points.data(), points.size() / 3) != exported.points)
    return Change::kPoints;
  return Change::kNone;
}

}  // namespace

uint64_t meshTopologyDigest(const PolygonArrays& arrays) {
  static_assert(std::is_same<int, int32_t>::value, "vertex counts and indices are 32-bit");
  return topologyDigest(arrays.counts.data(), arrays.counts.size(), arrays.connects.data(), arrays.connects.size());
}

RecordedGroupIndex::RecordedGroupIndex(const ExportRecord& record) {
  for (const RecordedGroup& group : record.groups) {
    if (!group.uuid.empty()) byUuid_[group.uuid].push_back(&group);
    byPath_.emplace(group.dagPath, &group);
  }
}

const RecordedGroup* RecordedGroupIndex::find(const std::string& uuid, const std::string& dagPath) const {
  const auto sharing = uuid.empty() ? byUuid_.end() : byUuid_.find(uuid);
  if (sharing != byUuid_.end()) {
    for (const RecordedGroup* group : sharing->second)
      if (group->dagPath == dagPath) return group;
    return sharing->second.front();
  }
  const auto byPath = byPath_.find(dagPath);
  return byPath == byPath_.end() ? nullptr : byPath->second;
}

RecoveredUVs matchRecordedMesh(const CorrespondenceTable& table, const MeshToMatch& mesh,
                               const RecordedGroup* exported) {
  const PolygonArrays& arrays = mesh.arrays;
  const size_t faces = arrays.counts.size();
  const WorldPoints now = placePoints(mesh.objectPoints, mesh.worldMatrix);
  const bool moved = exported != nullptr && !sameMatrix(exported->worldMatrix, mesh.worldMatrix);
  // Only a mesh unchanged in its own space is matched through the placement
  // of the export: there its polygons sit where the painter saw them. Each
  // polygon is looked up as placed now first, then there, in one pass.
  Change change = moved ? changeSinceExport(mesh, *exported) : Change::kNone;
  RecoveredUVs out;
  if (moved && change == Change::kNone) {
    const WorldPoints then = placePoints(mesh.objectPoints, exported->worldMatrix);
    out.assigned = matchUVs(table, arrays, now, &then);
  } else {
    out.assigned = matchUVs(table, arrays, now);
  }
  const int matched = out.assigned.matched;
  if (out.assigned.matchedByFallback > 0) {
    out.reason = "moved since the export: matched through the export's placement";
  } else if (static_cast<size_t>(matched) == faces) {
    // Every polygon where it sits now: nothing to say.
  } else if (exported == nullptr) {
    out.reason = "not in the last export";
  } else {
    // Told apart only now, for a mesh left where it was exported.
    if (!moved) change = changeSinceExport(mesh, *exported);
    if (change == Change::kTopology)
      out.reason = faceCountText(exported->polygons, faces);
    else if (change == Change::kPoints)
      out.reason = "deformed since the export: its points moved, so its polygons cannot be matched";
    else
      out.reason = unsentText(matched, faces);
  }
  return out;
}

