#pragma once
// setAttr: one implementation for the MEL command and for Maya ASCII files.
#include "AttrDef.h"

#include <string>

namespace OmbrixHost {

// `text` is everything after the word setAttr (flags, the plug, the values).
bool applySetAttr(const char* begin, const char* end, std::string& error);

// Scale from the scene's linear unit to centimetres, the internal unit.
double linearScale();

// A value as MEL shows it: angles in the scene's angle unit, distances in its linear unit.
double shownValue(const AttrDef* attr, double stored);

}  // namespace OmbrixHost
