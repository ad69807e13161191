#include "Maya/PluginState.h"

PainterBridge* gPainterBridge = nullptr;
