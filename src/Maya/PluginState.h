#pragma once
// What the loaded plug-in holds: the painter bridge, from load to unload.
class PainterBridge;

// Null before load and after unload; set whenever a command can run.
extern PainterBridge* gPainterBridge;
