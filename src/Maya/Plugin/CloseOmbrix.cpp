// The CloseOmbrix command: ask a running painter to close.
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

class CloseOmbrix : public MPxCommand {
 public:
  ~CloseOmbrix() override {}
  MStatus doIt(const MArgList&) override {
    return guardCommand("CloseOmbrix", [] {
      echoMessage("Closing OmbrixVael");
      gPainterBridge->close();
      setResult(gPainterBridge->painterAnswered());
      return MStatus(MStatus::kSuccess);
    });
  }
};

}  // namespace

void* createCloseOmbrix() { return new (std::nothrow) CloseOmbrix(); }
