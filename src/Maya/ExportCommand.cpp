#include "Maya/ExportCommand.h"

#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MString.h>

#include <string>

#include "Maya/ExportFlow.h"

const char kExportUvSetOptionVar[] = "OmbrixExportUVSet";

namespace {

const char kUvSetFlag[] = "-uvs";

std::string uvSetToExport(const MArgDatabase& flags) {
  MString named;
  if (flags.isFlagSet(kUvSetFlag) && flags.getFlagArgument(kUvSetFlag, 0, named))
    return named.asChar();
  bool exists = false;
  named = MGlobal::optionVarStringValue(kExportUvSetOptionVar, &exists);
  return exists ? named.asChar() : std::string();
}

}  // namespace

MSyntax exportSyntax() {
  MSyntax syntax;
  syntax.addFlag(kUvSetFlag, "-uvSet", MSyntax::kString);
  return syntax;
}

MStatus exportCommand(int selectionFlag, const MSyntax& syntax, const MArgList& args) {
  MStatus parsed;
  const MArgDatabase flags(syntax, args, &parsed);
  if (!parsed)
    return parsed;
  std::string path;
  const bool saved = runExport(selectionFlag, &path, uvSetToExport(flags)) != 0;
  MPxCommand::setResult(MString(path.c_str()));
  return MStatus(saved ? MStatus::kSuccess : MStatus::kFailure);
}
