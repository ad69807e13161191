#pragma once
// The 3DS reader: the binary chunk format's triangle meshes become polygons
// of one model (Z-up turned Y-up), materials become Material records and
// shaders, texture maps image nodes linked into the shaders. Reads only.
#include "IO/ModelFormat.h"

class Scene3DS : public SceneReader {
 public:
  Scene3DS() : SceneReader("3DS") {}
  // 1 when the data starts with "MM" (the main chunk id 0x4D4D).
  int Identify() override;
  // Options "Clump=1" read into the scene's first model. A file that ends
  // inside a chunk, or a chunk that runs past its parent, answers 0 with the
  // offset and reason in LastFailure(); the model read so far stays in the
  // scene.
  int Load(Scene* scene, const char* options, ProgressSink* progress) override;
};
