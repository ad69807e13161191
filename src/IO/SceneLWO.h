#pragma once
// LightWave objects (LWOB and LWO2, big-endian IFF), registered as
// "LWO_DISABLED": points and face polygons of every layer become polygons
// of one model (the left-handed frame turned right-handed: z negated);
// surfaces become materials and shaders with their colour and colour
// texture, whose coordinates come from planar, cylindrical or spherical
// projections or from UV maps (VMAP, with VMAD per polygon). Save writes the
// first model as LWO2. A file that ends inside a chunk, or a chunk that
// runs past its parent, answers 0 with the offset and reason in
// LastFailure(); what was read before stays in the scene's new model.
#include "IO/ModelFormat.h"

class SceneLWO : public SceneReader {
 public:
  SceneLWO() : SceneReader("LWO_DISABLED") {}
  // 1 when the data starts with the IFF id "FORM".
  int Identify() override;
  int Load(Scene* scene, const char* options, ProgressSink* progress) override;
  int Save(Scene* scene, uint32_t word, ProgressSink* progress) override;
};
