#include "Maya/NormalMapRange.h"

#include <maya/MFn.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MPlug.h>

#include <cstring>

namespace {

struct RangeValue {
  const char* attribute;
  float value;
};
const RangeValue kNormalRange[] = {{"colorGainR", 2.0f},    {"colorGainG", 2.0f},    {"colorGainB", 2.0f},
                                   {"colorOffsetR", -1.0f}, {"colorOffsetG", -1.0f}, {"colorOffsetB", -1.0f},
                                   {"alphaGain", 1.0f},     {"alphaOffset", 0.0f}};

}  // namespace

bool takesNormalDirectly(const char* attribute) { return attribute != nullptr && std::strcmp(attribute, "normal") == 0; }

void scaleToNormalRange(MDGModifier& modifier, const MObject& file) {
  if (!file.hasFn(MFn::kFileTexture)) return;
  const MFnDependencyNode node(file);
  for (const RangeValue& range : kNormalRange) {
    const MPlug plug = node.findPlug(range.attribute, true);
    float value = range.value;
    if (!plug.isNull() && plug.getValue(value) == MStatus::kSuccess && value != range.value)
      modifier.newPlugValueFloat(plug, range.value);
  }
}
