#pragma once
// The studio model ("IDST") reader: the first model of the first body part,
// posed by its bones' default values, becomes polygons of one model; every
// skin texture a shader whose "DiffuseColor" links to an image node holding
// the decoded picture. Reads only; every offset, count and index is checked
// against the file and its tables. A table or record outside the file, or a
// file that ends inside one, answers 0 with the offset and reason in
// LastFailure(); the model read so far stays in the scene.
#include "IO/ModelFormat.h"

class SceneMDL : public SceneReader {
 public:
  SceneMDL() : SceneReader("MDL") {}
  int Identify() override;
  int Load(Scene* scene, const char* options, ProgressSink* progress) override;
};
