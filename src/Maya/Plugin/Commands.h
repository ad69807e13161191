#pragma once
// The creators of the plug-in's seven commands, in registration order.
void* createSwitchOmbrix();
void* createLaunchOmbrix();
void* createCloseOmbrix();
void* createAutoLoadOmbrix();
void* createExportAllOmbrixPlug();
void* createExportSelOmbrixPlug();
void* createUVImportOmbrix();
