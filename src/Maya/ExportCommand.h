#pragma once
// The body of ExportAllOmbrixPlug and ExportSelOmbrixPlug: runExport with
// the UV set to read, the project file's path as the command's result.
#include <maya/MStatus.h>
#include <maya/MSyntax.h>

class MArgList;

// The option variable naming the UV set to export when the flag is absent.
extern const char kExportUvSetOptionVar[];  // "OmbrixExportUVSet"

// The syntax of both: -uvSet (-uvs) NAME.
MSyntax exportSyntax();

// -uvSet (-uvs) name: read each mesh's UVs from that set instead of its
// current one; without the flag the option variable's string, when set and
// not empty. Result: the project file's path, "" (and failure, a Maya
// error) when the save failed; a call the syntax refuses fails at once.
MStatus exportCommand(int selectionFlag, const MSyntax& syntax, const MArgList& args);
