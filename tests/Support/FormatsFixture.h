#pragma once
// Tests that go through the format registries: every format registered
// before each test and torn down after it.
#include <gtest/gtest.h>

#include "IO/FormatRegistry.h"

class FormatsFixture : public ::testing::Test {
 protected:
  void SetUp() override { StartupFormats(); }
  void TearDown() override {
    TeardownModelFormats();
    TeardownSceneReaders();
  }
};
