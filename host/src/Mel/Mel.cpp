#include "ColourCommands.h"
#include "MelInterpreter.h"

namespace OmbrixHost {

MelInterpreter& mel() {
  static MelInterpreter* instance = [] {
    auto* m = new MelInterpreter();
    registerSessionCommands(*m);
    registerSceneCommands(*m);
    registerUndoCommands(*m);
    registerPolyCommands(*m);
    registerTransformCommands(*m);
    registerOptionVarCommand(*m);
    registerColourCommands(*m);
    return m;
  }();
  return *instance;
}

}  // namespace OmbrixHost
