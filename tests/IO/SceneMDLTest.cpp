#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "IO/SceneMDL.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"
#include "Support/SceneLoad.h"
#include "Support/TempPath.h"

TEST(SceneMDL, MeshesSharingTheirCommandsWalkNoMoreThanTheFileHolds) {
  // Found by fuzzing: a 38 KB file whose many meshes all point at the same
  // triangle commands took over 500 s; together they now walk at most the
  // file's own bytes. Its skins lie partly outside it, which refuses it
  // before the meshes: they are taken out of a copy.
  std::ifstream in(OMBRIX_TEST_DATA "/mdl-shared-commands.mdl", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 244u);
  std::fill(bytes.begin() + 180, bytes.begin() + 184, '\0');  // no textures
  TempPath copy("shared-commands.mdl");
  std::ofstream(copy.str(), std::ios::binary) << bytes;
  HvIO stream(copy.c_str(), HvIO::kRead);
  SceneMDL format;
  format.Attach(&stream, 0);
  Scene scene;
  format.Load(&scene, "", nullptr);
  std::unique_ptr<HvModel> model(scene.FirstModel());
  ASSERT_NE(model, nullptr);
  EXPECT_LE(model->TotalPolygonCount(), 38487 / 8);
}
