#include "Maya/ReversedTransparency.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MPlugArray.h>
#include <maya/MString.h>

#include "Maya/ShadingTable.h"

std::string rewireReversedTransparency(MDGModifier& modifier, const MPlug& input, const MObject& file, bool preview) {
  MPlugArray sources;
  input.connectedTo(sources, true, false);
  if (sources.length() == 0) return std::string();
  const MObject reverse = sources[0].node();
  const MFnDependencyNode node(reverse);
  if (node.typeName() != "reverse" || valueSource(node.findPlug("input", true)) != file) return std::string();
  const MFnDependencyNode texture(file);
  if (!preview) {
    modifier.disconnect(sources[0], input);
    modifier.newPlugValueInt(texture.findPlug("alphaIsLuminance", true), 1);
    modifier.connect(texture.findPlug("outTransparency", true), input);
  }
  return std::string("Opacity from ") + texture.name().asUTF8() + ".outTransparency in place of " +
         node.name().asUTF8();
}
