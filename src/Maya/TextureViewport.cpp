#include "Maya/TextureViewport.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MString.h>

MPlug viewportTextureSource(const MObject& shader, const MObject& file) {
  const MFnDependencyNode node(shader);
  const MString type = node.typeName();
  if (type == "standardSurface" || type == "aiStandardSurface" || type == "usdPreviewSurface")
    return node.findPlug("message", true);
  return MFnDependencyNode(file).findPlug("message", true);
}

std::string generateTilePreview(const MObject& file) {
  const MString name = MFnDependencyNode(file).name();
  const MString command = "generateUvTilePreview \"" + name + "\"";
  if (MGlobal::mayaState() != MGlobal::kInteractive)
    return std::string("tiles show in the viewport after ") + command.asUTF8();
  if (MGlobal::executeCommand(command, false, false) != MStatus::kSuccess)
    return std::string("tile preview not generated: ") + command.asUTF8() + " failed";
  return std::string();
}
