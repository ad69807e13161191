#pragma once
// The UV import of one mesh against the last export's record: the matching
// as placed now first; where polygons stay unmatched, why, and for a mesh
// only moved, rotated or scaled since the export (same topology, same points
// in its own space) the matching through the world matrix recorded then.
#include <string>
#include <unordered_map>
#include <vector>

#include "Exchange/ExportRecord.h"
#include "UvImport/UvMatching.h"

// A mesh as the import reads it: its arrays, its points in its own space
// (x, y, z of each) and its world matrix now (row major, Maya's order).
struct MeshToMatch {
  const PolygonArrays& arrays;
  const std::vector<double>& objectPoints;
  const double* worldMatrix;
};

struct RecoveredUVs {
  UvAssignment assigned;
  // Empty when every polygon matched as the mesh is placed now; else why
  // not, or how they were matched.
  std::string reason;
};

// `exported` is the mesh's group in the record, null when the record has none.
RecoveredUVs matchRecordedMesh(const CorrespondenceTable& table, const MeshToMatch& mesh,
                               const RecordedGroup* exported);

// The groups of an export's record by UUID and by DAG path, so that each
// mesh of an import finds its own in time independent of how many the
// record holds. The record must outlive it.
class RecordedGroupIndex {
 public:
  explicit RecordedGroupIndex(const ExportRecord& record);
  // The mesh's group in the record: by UUID (among several, the first whose
  // path is `dagPath`, else the first), else the first by DAG path; null
  // when neither finds one. An empty UUID matches none.
  const RecordedGroup* find(const std::string& uuid, const std::string& dagPath) const;

 private:
  std::unordered_map<std::string, std::vector<const RecordedGroup*>> byUuid_;  // in record order
  std::unordered_map<std::string, const RecordedGroup*> byPath_;               // the first of each path
};

// topologyDigest of the arrays' polygon counts and vertex indices.
uint64_t meshTopologyDigest(const PolygonArrays& arrays);
