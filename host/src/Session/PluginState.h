#pragma once
// What the host keeps for loaded plug-ins: their records and the result a
// plug-in command sets while it runs.
#include "HostSession.h"
#include "MelValue.h"

namespace OmbrixHost {

PluginInfo* mutablePluginInfo(const MObject& plugin);
MelValue& commandResult();

}  // namespace OmbrixHost
