#include "Maya/ExportCommand.h"

#include <maya/MArgList.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MString.h>

#include <string>

#include "Maya/ExportFlow.h"

const char kExportUvSetOptionVar[] = "OmbrixExportUVSet";

namespace {

std::string uvSetToExport(const MArgList& args) {
  for (unsigned int i = 0; i + 1 < args.length(); ++i) {
    const MString flag = args.asString(i);
    if (flag == "-uvSet" || flag == "-uvs") return args.asString(i + 1).asChar();
  }
  bool exists = false;
  const MString named = MGlobal::optionVarStringValue(kExportUvSetOptionVar, &exists);
  return exists ? named.asChar() : std::string();
}

}  // namespace

MStatus exportCommand(int selectionFlag, const MArgList& args) {
  std::string path;
  const bool saved = runExport(selectionFlag, &path, uvSetToExport(args)) != 0;
  MPxCommand::setResult(MString(path.c_str()));
  return MStatus(saved ? MStatus::kSuccess : MStatus::kFailure);
}
