#pragma once
// HV3: the code base's temporary text format for a model: polygons with
// positions and texture coordinates written through a Huffman code table,
// and a dump of shader 0, behind a shell-script stub.
#include <string>

#include "IO/ModelFormat.h"

class Hv3Format : public SceneReader {
 public:
  Hv3Format() : SceneReader("HV3") {}
  // 1 when "exit" starts within the first 100 of the next 150 bytes.
  int Identify() override;
  int Query(void* argument) override {
    (void)argument;
    return 1;
  }
  int Load(Scene* scene, const char* options, ProgressSink* progress) override;
  int Save(Scene* scene, uint32_t word, ProgressSink* progress) override;
};
