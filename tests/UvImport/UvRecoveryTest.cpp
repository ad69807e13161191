// The UV import's matching against the last export's record, without Maya:
// a mesh moved since the export is matched through the placement recorded
// then; every other reason for unmatched polygons is named.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IO/CorrespondenceTable.h"
#include "IO/CorrespondenceWriter.h"
#include "Support/TempPath.h"
#include "UvImport/UvRecovery.h"

namespace {

// Moved by (10, 0, 0), turned a quarter about z and scaled by 2 at the export.
const double kAtExport[16] = {0, 2, 0, 0, -2, 0, 0, 0, 0, 0, 2, 0, 10, 0, 0, 1};
// Moved, turned and scaled since.
const double kNow[16] = {0, 0, -3, 0, 0, 3, 0, 0, 3, 0, 0, 0, -4, 5, 6, 1};

// A triangle (0, 1, 2) and a quad (1, 3, 4, 2), in the mesh's own space.
struct Mesh {
  PolygonArrays arrays;
  std::vector<double> points = {0, 0, 0, 1, 0, 0, 0, 1, 0, 2, 0, 0, 2, 1, 0.5};

  Mesh() {
    arrays.counts = {3, 4};
    arrays.connects = {0, 1, 2, 1, 3, 4, 2};
    arrays.uv.uvCounts = {3, 4};
    arrays.uv.uvIds = {0, 1, 2, 3, 4, 5, 6};
    arrays.uv.us.assign(7, 0.0f);
    arrays.uv.vs.assign(7, 0.0f);
  }

  RecordedGroup Exported() const {
    RecordedGroup group;
    group.polygons = 2;
    group.topology = meshTopologyDigest(arrays);
    group.points = pointsDigest(points.data(), points.size() / 3);
    for (int i = 0; i < 16; ++i) group.worldMatrix[i] = kAtExport[i];
    return group;
  }

  RecoveredUVs Match(const CorrespondenceTable& table, const double* now, const RecordedGroup* exported) const {
    return matchRecordedMesh(table, {arrays, points, now}, exported);
  }
};

// The painter's records of the mesh's polygons (those listed) as exported:
// each corner's u is 0.1 * (polygon + 1).
void WritePainterRecords(CorrespondenceTable& table, const Mesh& mesh, const std::vector<int>& polygons) {
  const WorldPoints world = placePoints(mesh.points, kAtExport);
  const int firsts[2][3] = {{0, 1, 2}, {1, 3, 4}};
  std::vector<CorrespondenceRecord> stored;
  for (const int p : polygons) {
    CorrespondenceRecord record;
    for (int k = 0; k < 3; ++k) {
      const Vector3& at = world.points[static_cast<size_t>(firsts[p][k])];
      record.corner[k] = {at.x, at.y, at.z, 0.1f * static_cast<float>(p + 1), 0.25f};
    }
    stored.push_back(Correspondence::ToFileFrame(record));
  }
  TempPath path("uv-recovery.cor");
  std::string error;
  ASSERT_TRUE(writeCorrespondenceFile(path.c_str(), stored, error)) << error;
  ASSERT_EQ(loadCorrespondenceFile(table, path.c_str(), nullptr), 1);
}

float U(const UvAssignment& a, size_t i) { return a.layout.us[static_cast<size_t>(a.layout.uvIds[i])]; }

}  // namespace

TEST(UvRecoveryTest, WhereTheExportLeftItEveryPolygonMatchesWithoutAWord) {
  const Mesh mesh;
  CorrespondenceTable table;
  WritePainterRecords(table, mesh, {0, 1});
  const RecordedGroup exported = mesh.Exported();
  for (const RecordedGroup* group : {&exported, static_cast<const RecordedGroup*>(nullptr)}) {
    const RecoveredUVs out = mesh.Match(table, kAtExport, group);
    EXPECT_EQ(out.assigned.matched, 2);
    EXPECT_EQ(out.reason, "");
  }
}

TEST(UvRecoveryTest, AMovedTurnedAndScaledMeshMatchesThroughTheExportsPlacement) {
  const Mesh mesh;
  CorrespondenceTable table;
  WritePainterRecords(table, mesh, {0, 1});
  const RecordedGroup exported = mesh.Exported();
  const RecoveredUVs out = mesh.Match(table, kNow, &exported);
  EXPECT_EQ(out.reason, "moved since the export: matched through the export's placement");
  ASSERT_EQ(out.assigned.matched, 2);
  ASSERT_EQ(out.assigned.layout.uvIds.size(), 7u);
  EXPECT_FLOAT_EQ(U(out.assigned, 0), 0.1f);
  EXPECT_FLOAT_EQ(U(out.assigned, 3), 0.2f);
  EXPECT_FLOAT_EQ(U(out.assigned, 6), 0.0f);  // the quad's fourth corner keeps its own: no fan triangle sent
  // Only some polygons sent: those are matched, and the line is the same.
  CorrespondenceTable some;
  WritePainterRecords(some, mesh, {1});
  EXPECT_EQ(mesh.Match(some, kNow, &exported).assigned.matched, 1);
  // A record from before the points were kept: still matched through the placement.
  RecordedGroup older = exported;
  older.pointsRecorded = false;
  older.points = 0;
  const RecoveredUVs fromOlder = mesh.Match(table, kNow, &older);
  EXPECT_EQ(fromOlder.assigned.matched, 2);
  EXPECT_EQ(fromOlder.reason, "moved since the export: matched through the export's placement");
}

TEST(UvRecoveryTest, EveryOtherReasonIsNamedAndNothingIsMatchedThroughThePlacement) {
  Mesh mesh;
  CorrespondenceTable table;
  WritePainterRecords(table, mesh, {0, 1});
  const RecordedGroup exported = mesh.Exported();
  EXPECT_EQ(mesh.Match(table, kNow, nullptr).reason, "not in the last export");
  EXPECT_EQ(mesh.Match(table, kNow, nullptr).assigned.matched, 0);

  CorrespondenceTable empty;
  EXPECT_EQ(mesh.Match(empty, kNow, &exported).reason, "the painter sent no UVs for it");
  EXPECT_EQ(mesh.Match(empty, kAtExport, &exported).reason, "the painter sent no UVs for it");
  CorrespondenceTable triangleOnly;
  WritePainterRecords(triangleOnly, mesh, {0});
  const RecoveredUVs partly = mesh.Match(triangleOnly, kAtExport, &exported);
  EXPECT_EQ(partly.reason, "the painter sent no UVs for 1 of its 2 faces");
  EXPECT_EQ(partly.assigned.matched, 1);

  // A point moved in the mesh's own space: deformed, whatever else moved.
  Mesh deformed;
  deformed.points[14] = 0.75;
  for (const double* now : {kAtExport, kNow}) {
    const RecoveredUVs out = deformed.Match(table, now, &exported);
    EXPECT_EQ(out.reason, "deformed since the export: its points moved, so its polygons cannot be matched");
    EXPECT_EQ(out.assigned.matched, now == kAtExport ? 1 : 0);  // the triangle kept its points
  }

  // An edge added: the quad split in two.
  Mesh split;
  split.arrays.counts = {3, 3, 3};
  split.arrays.connects = {0, 1, 2, 1, 3, 4, 1, 4, 2};
  split.arrays.uv.uvCounts = {3, 3, 3};
  split.arrays.uv.uvIds = {0, 1, 2, 3, 4, 5, 0, 1, 2};
  const RecoveredUVs out = split.Match(table, kNow, &exported);
  EXPECT_EQ(out.reason, "topology changed since the export: 2 -> 3 faces");
  EXPECT_EQ(out.assigned.matched, 0);
  EXPECT_EQ(out.assigned.layout.uvCounts.size(), 3u);  // every face keeps its UVs
}

TEST(UvRecoveryTest, TheRecordedGroupIsFoundByUuidThenByPath) {
  ExportRecord record;
  for (const char* path : {"|a|aShape", "|b|aShape", "|c|cShape", "|b|aShape", "|c|cShape"}) {
    RecordedGroup group;
    group.dagPath = path;
    group.uuid = path[1] == 'c' ? "" : "0A0B0C0D-1111-2222-3333-444455556666";
    record.groups.push_back(group);
  }
  const RecordedGroupIndex groups(record);
  const std::string uuid = record.groups[0].uuid;
  // Renamed: the UUID finds it; an instance: the first of its path among those of the UUID.
  EXPECT_EQ(groups.find(uuid, "|renamed|aShape"), &record.groups[0]);
  EXPECT_EQ(groups.find(uuid, "|b|aShape"), &record.groups[1]);
  // Without a UUID (or another one) by its path, the first of the record's
  // groups with it; an empty UUID matches none.
  EXPECT_EQ(groups.find("", "|c|cShape"), &record.groups[2]);
  EXPECT_EQ(groups.find("11111111-1111-2222-3333-444455556666", "|c|cShape"), &record.groups[2]);
  EXPECT_EQ(groups.find("11111111-1111-2222-3333-444455556666", "|b|aShape"), &record.groups[1]);
  EXPECT_EQ(groups.find("", "|d|dShape"), nullptr);
  EXPECT_EQ(RecordedGroupIndex(ExportRecord()).find(uuid, "|a|aShape"), nullptr);
}
