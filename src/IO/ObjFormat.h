#pragma once
// The OBJ format objects: ObjModelFormat in the model format registry (its
// own read and write operations; Save by name answers 0) and ObjSceneFormat
// in the scene reader registry.
#include "IO/ModelFormat.h"

class ObjModelFormat : public ModelFormat {
 public:
  ObjModelFormat() : ModelFormat("OBJ") {}
  // 1 when the stream's path ends in ".obj" (any case).
  int Identify() override;
  virtual int Read(HvModel* model, void* ignored, ProgressSink* progress);
  virtual int Write(HvModel* model, void* ignored, ProgressSink* progress);
};

class ObjSceneFormat : public SceneReader {
 public:
  ObjSceneFormat() : SceneReader("OBJ") {}
  int Identify() override;
  // Options "Clump=1" read into the scene's first model instead of a new one.
  int Load(Scene* scene, const char* options, ProgressSink* progress) override;
  int Save(Scene* scene, uint32_t word, ProgressSink* progress) override;
};

// The OBJ writer; the header's second line names the saver.
int WriteObj(HvModel& model, HvIO& stream, ProgressSink* progress, const char* savedBy);
