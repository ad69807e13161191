#pragma once
// The companion MEL script "OmbrixVael", which defines the menu procedures
// CreateOmbrixMenu and DestroyOmbrixMenu.
#include <maya/MString.h>

// Sources the script from Maya's script path (a module's scripts folder is on
// it) or, when it is not there (a plug-in loaded by its file, outside a
// module), from the scripts folder beside the plug-in's folder:
// pluginFolder/../scripts/OmbrixVael.mel, where the module installs it.
// False, with a warning, when neither has it.
bool sourceMenuScript(const MString& pluginFolder);
