// libFuzzer target: the Maya Binary scene reader of the host stand-in, then
// the scene summary and the scene's meshes and surfaces through the interface.
#include "HostSceneWalk.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> problems;
  OmbrixHost::resetSession();
  OmbrixHost::loadMayaBinaryData(bytes, "fuzz.mb", problems);
  WalkLoadedScene();
  return 0;
}
