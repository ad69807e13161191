#pragma once
// Materials from the shading table: one per entry, named after it, with the
// texture file name of each channel that a file texture drives (directly, or
// through a shading switch for the entry's object).
#include <maya/MObject.h>
#include <maya/MString.h>

#include <string>

class HvModel;
class Material;

// "workspace -q -dir" as the last translateMaterials read it.
MString& workspaceDirectory();

void translateMaterials(HvModel& model);
void translateChannel(Material& material, const MObject& shader, const char* attribute,
                      const MString& objectName, const char* channel);

// A text as a MEL string literal, quotes included: '"' and '\' escaped, and
// control characters written as MEL escapes, so that any file name stays one
// string argument.
std::string melStringLiteral(const char* text);
