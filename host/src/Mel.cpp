#include "MelInterpreter.h"

namespace OmbrixHost {

void registerSessionCommands(MelInterpreter& mel);
void registerSceneCommands(MelInterpreter& mel);

MelInterpreter& mel() {
  static MelInterpreter* instance = [] {
    auto* m = new MelInterpreter();
    registerSessionCommands(*m);
    registerSceneCommands(*m);
    return m;
  }();
  return *instance;
}

}  // namespace OmbrixHost
