#pragma once
// A model written as an OBJ file through the format object.
#include <string>

#include "IO/ObjFormat.h"
#include "Model3D/HvModel.h"

inline int WriteObjFile(HvModel& model, const std::string& path) {
  HvIO stream(path.c_str(), HvIO::kWrite);
  ObjModelFormat format;
  format.Attach(&stream, 0);
  return format.Write(&model, nullptr, nullptr);
}
