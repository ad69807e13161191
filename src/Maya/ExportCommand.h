#pragma once
// The body of ExportAllOmbrixPlug and ExportSelOmbrixPlug: runExport with
// the UV set to read, the project file's path as the command's result.
#include <maya/MStatus.h>

class MArgList;

// The option variable naming the UV set to export when the flag is absent.
extern const char kExportUvSetOptionVar[];  // "OmbrixExportUVSet"

// -uvSet (-uvs) name: read each mesh's UVs from that set instead of its
// current one; without the flag the option variable's string, when set and
// not empty. Result: the project file's path, "" (and failure, a Maya
// error) when the save failed.
MStatus exportCommand(int selectionFlag, const MArgList& args);
