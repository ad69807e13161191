// libFuzzer target: the Maya ASCII scene reader of the host stand-in, then the
// scene summary and the scene's meshes and surfaces through the interface.
#include "HostSceneWalk.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  if (text.compare(0, 12, "//Maya ASCII") != 0)
    text = "//Maya ASCII 2018 scene\n" + text;
  std::vector<std::string> problems;
  OmbrixHost::resetSession();
  OmbrixHost::loadMayaAsciiText(text, "fuzz.ma", problems);
  WalkLoadedScene();
  return 0;
}
