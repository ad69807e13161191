// libFuzzer target: the bytes choose a chain of construction history
// (HistoryChainWriter.h), written as Maya ASCII, which the host loads and
// evaluates; every mesh is then read through the interface.
// OMBRIX_FUZZ_PRINT=1 prints each scene to stderr, to keep an input as a scene file.
#include "HistoryChainWriter.h"
#include "HostSceneWalk.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = HistoryChain::sceneOf(data, size);
  if (std::getenv("OMBRIX_FUZZ_PRINT") != nullptr)
    std::fputs(text.c_str(), stderr);
  std::vector<std::string> problems;
  OmbrixHost::resetSession();
  OmbrixHost::loadMayaAsciiText(text, "chain.ma", problems);
  WalkLoadedScene();
  return 0;
}
