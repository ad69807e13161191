#pragma once
// The creators of the plug-in's eight commands, in registration order.
void* createSwitchOmbrix();
void* createLaunchOmbrix();
void* createCloseOmbrix();
void* createAutoLoadOmbrix();
void* createExportAllOmbrixPlug();
void* createExportSelOmbrixPlug();
void* createUVImportOmbrix();
void* createImportTexturesOmbrix();
