#pragma once
// Reads a file through one scene reader, expecting it to recognise and load
// it, and hands back the first model read (the caller owns it).
#include <gtest/gtest.h>

#include <memory>

#include "HvCore/HvIO.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"

template <typename Format>
std::unique_ptr<HvModel> LoadFirstModel(const char* path) {
  HvIO stream(path, HvIO::kRead);
  Format format;
  format.Attach(&stream, 0);
  EXPECT_EQ(format.Identify(), 1);
  Scene scene;
  EXPECT_EQ(format.Load(&scene, "", nullptr), 1);
  return std::unique_ptr<HvModel>(scene.FirstModel());
}
