// The LaunchOmbrix command: start the painter if it does not run.
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

class LaunchOmbrix : public MPxCommand {
 public:
  ~LaunchOmbrix() override {}
  MStatus doIt(const MArgList&) override {
    return guardCommand("LaunchOmbrix", [] {
      echoMessage("Launching OmbrixVael");
      gPainterBridge->launch();
      setResult(gPainterBridge->painterAnswered());
      return MStatus(MStatus::kSuccess);
    });
  }
};

}  // namespace

void* createLaunchOmbrix() { return new (std::nothrow) LaunchOmbrix(); }
