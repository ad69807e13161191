#include <gtest/gtest.h>

#include <memory>

#include "IO/SceneMDL.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"
#include "Support/SceneLoad.h"

TEST(SceneMDL, MeshesSharingTheirCommandsWalkNoMoreThanTheFileHolds) {
  // Found by fuzzing: a 38 KB file whose many meshes all point at the same
  // triangle commands took over 500 s; together they now walk at most the
  // file's own bytes.
  const char* path = OMBRIX_TEST_DATA "/mdl-shared-commands.mdl";
  std::unique_ptr<HvModel> model = LoadFirstModel<SceneMDL>(path);
  ASSERT_NE(model, nullptr);
  EXPECT_LE(model->TotalPolygonCount(), 38487 / 8);
}
