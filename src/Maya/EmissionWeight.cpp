#include "Maya/EmissionWeight.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MPlug.h>
#include <maya/MString.h>

#include <cstdio>

namespace {

struct WeightRow {
  const char* type;
  const char* attribute;
  float shown;  // the value that shows the emission colour as it is
};

// Standard Surface's and Arnold's "emission" is a weight in 0..1.
// openPBRSurface's is "emissionLuminance", in nits: Maya's USD importer sets
// 1000 for an emission colour taken as it is (maya-usd's
// usdOpenPBRSurfaceReader.cpp; Maya 2026's OpenPBRShowcase.ma saves it as
// ".elu" where a shader glows).
const WeightRow kWeights[] = {{"standardSurface", "emission", 1.0f},
                              {"aiStandardSurface", "emission", 1.0f},
                              {"openPBRSurface", "emissionLuminance", 1000.0f}};

const WeightRow* weightOf(const MObject& shader) {
  const MString type = MFnDependencyNode(shader).typeName();
  for (const WeightRow& row : kWeights)
    if (type == row.type) return &row;
  return nullptr;
}

std::string numberText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

}  // namespace

std::string showEmission(MDGModifier& modifier, const MObject& shader, bool preview) {
  const WeightRow* row = weightOf(shader);
  const MPlug weight = row == nullptr ? MPlug() : MFnDependencyNode(shader).findPlug(row->attribute, true);
  float value = 1.0f;
  if (weight.isNull() || weight.isConnected() || weight.getValue(value) != MStatus::kSuccess || value != 0.0f)
    return std::string();
  if (!preview) modifier.newPlugValueFloat(weight, row->shown);
  return std::string(MFnDependencyNode(shader).name().asUTF8()) + "." + row->attribute + " " +
         (preview ? "would be" : "set to") + " " + numberText(row->shown) + " (was 0) so that the Ambient map shows";
}
