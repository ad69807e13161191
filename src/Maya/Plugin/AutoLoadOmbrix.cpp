// The AutoLoadOmbrix command: start the painter if needed and tell it to load the last export.
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>

#include <new>

#include "Exchange/PainterLink.h"
#include "Maya/PluginState.h"
#include "Maya/CommandGuard.h"
#include "Maya/Plugin/Commands.h"

namespace {

class AutoLoadOmbrix : public MPxCommand {
 public:
  ~AutoLoadOmbrix() override {}
  MStatus doIt(const MArgList&) override {
    return guardCommand("AutoLoadOmbrix", [] {
      gPainterBridge->autoLoad();
      setResult(gPainterBridge->painterAnswered());
      return MStatus(MStatus::kSuccess);
    });
  }
};

}  // namespace

void* createAutoLoadOmbrix() { return new (std::nothrow) AutoLoadOmbrix(); }
