#pragma once
// setAttr: one implementation for the MEL command and for Maya ASCII files.
#include <string>

namespace OmbrixHost {

// `text` is everything after the word setAttr (flags, the plug, the values).
bool applySetAttr(const char* begin, const char* end, std::string& error);

// Scale from the scene's linear unit to centimetres, the internal unit.
double linearScale();

}  // namespace OmbrixHost
