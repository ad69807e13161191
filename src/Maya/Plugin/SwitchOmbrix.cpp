// The SwitchOmbrix command: start the painter if needed and bring it to the top.
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>

#include <new>

#include "Maya/EchoMessage.h"
#include "Exchange/PainterLink.h"
#include "Maya/PluginState.h"
#include "Maya/CommandGuard.h"
#include "Maya/Plugin/Commands.h"

namespace {

class SwitchOmbrix : public MPxCommand {
 public:
  ~SwitchOmbrix() override {}
  MStatus doIt(const MArgList&) override {
    return guardCommand("SwitchOmbrix", [] {
      echoMessage("Switching to OmbrixVael");
      gPainterBridge->switchTo();
      setResult(gPainterBridge->painterAnswered());
      return MStatus(MStatus::kSuccess);
    });
  }
};

}  // namespace

void* createSwitchOmbrix() { return new (std::nothrow) SwitchOmbrix(); }
