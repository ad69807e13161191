#pragma once
// The shader node of a material of the last export: the node holding its
// recorded UUID (which survives a rename), else the node of its recorded name.
// Every node of a file referenced twice keeps the UUID it has in that file, so
// one UUID can name several nodes: the one whose full name (namespace
// included) is the recorded one is taken, else the first, and the material's
// line says which.
#include <maya/MObject.h>

#include <string>

#include "TextureImport/TexturePlan.h"

struct RecordedShader {
  MObject node;      // null when neither the UUID nor the name finds a node
  std::string note;  // for the material's line when the node taken has another name
};

RecordedShader findRecordedShader(const MaterialPlan& plan);
