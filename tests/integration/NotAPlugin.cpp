// A module with the entry points but without the API version every plug-in
// carries: the host must refuse to load it.
#define MNoVersionString
#include <maya/MFnPlugin.h>
#include <maya/MObject.h>

PLUGIN_EXPORT MStatus initializePlugin(MObject) { return MStatus::kSuccess; }
PLUGIN_EXPORT MStatus uninitializePlugin(MObject) { return MStatus::kSuccess; }
