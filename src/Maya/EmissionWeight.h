#pragma once
// The weight by which a current shader multiplies its emission colour. It is 0
// on a new standardSurface, aiStandardSurface and openPBRSurface, so a map on
// the emission colour alone shows nowhere; the weight is raised as Maya's USD
// importer raises it when it gives such a shader an emission colour.
#include <maya/MDGModifier.h>
#include <maya/MObject.h>

#include <string>

// Queues the shader's emission weight, when it has one and it is 0, at the
// value that shows the emission colour as painted; with `preview`, queues
// nothing. The note for the material's line, "" when the weight stays.
std::string showEmission(MDGModifier& modifier, const MObject& shader, bool preview);
