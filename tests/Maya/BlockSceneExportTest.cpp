// A production-size mesh saved in Maya's blocks reaches the model whole: every
// face, and at every corner the UV that belongs to its point.
#include <cmath>

#include "ExportFixture.h"
#include "Host/MayaBlockScene.h"

namespace {

// Corners whose UV is not the one their point was given: u = x / columns,
// the model's v = 1 - (-z) / rows (Maya's v flipped).
int CornersWithForeignUVs(HvMesh& mesh, const MayaBlockScene::Grid& grid, int& corners) {
  int wrong = 0;
  for (int p = 0; p < mesh.PolygonCount(); ++p) {
    PolygonData data;
    if (!mesh.GetPolygon(p, data)) return -1;
    for (int i = 0; i < data.count; ++i, ++corners) {
      const double u = data.positions[i].x / grid.columns;
      const double v = 1.0 + data.positions[i].z / grid.rows;
      if (std::fabs(data.u[i] - u) > 1e-6 || std::fabs(data.v[i] - v) > 1e-6) ++wrong;
    }
  }
  return wrong;
}

}  // namespace

TEST_F(ExportTest, AHundredThousandFacesInMayasBlocksExportWholeWithEveryUV) {
  for (bool reversed : {false, true}) {
    SCOPED_TRACE(reversed ? "blocks in reverse order" : "blocks in order");
    MayaBlockScene::Grid grid;
    grid.columns = 400;
    grid.rows = 250;
    grid.reversedBlocks = reversed;
    scene(MayaBlockScene::gridMesh(grid));
    auto model = exported(0);
    ASSERT_EQ(model->GroupCount(), 1);
    HvMesh& mesh = *model->Group(0, false);
    EXPECT_EQ(mesh.PolygonCount(), 100000);
    int corners = 0;
    EXPECT_EQ(CornersWithForeignUVs(mesh, grid, corners), 0);
    EXPECT_EQ(corners, 400000);
  }
}
