#pragma once
// The creators of the plug-in's eight commands, in registration order, and
// the syntax each declares: MEL and Python calls reach a command's flags
// only through it.
#include <maya/MSyntax.h>

void* createSwitchOmbrix();
void* createLaunchOmbrix();
void* createCloseOmbrix();
void* createAutoLoadOmbrix();
void* createExportAllOmbrixPlug();
void* createExportSelOmbrixPlug();
void* createUVImportOmbrix();
void* createImportTexturesOmbrix();

// The painter commands take no flag and no argument.
MSyntax noFlagsSyntax();
MSyntax uvImportSyntax();
MSyntax importTexturesSyntax();
