#pragma once
// setAttr: one implementation for the MEL command and for Maya ASCII files.
#include "ArrayBlocks.h"
#include "AttrDef.h"
#include "ResolvedPlugs.h"

#include <string>

namespace OmbrixHost {

// `text` is everything after the word setAttr (flags, the plug, the values).
bool applySetAttr(const char* begin, const char* end, std::string& error);

// "a[3:7].b": the plug text for its first element ("a[3].b") and the range's
// ends; lo and hi are -1, and base the text itself, when it names no range.
void splitRange(const std::string& text, std::string& base, long long& lo, long long& hi);

// What a setAttr statement of a scene file could not store.
struct SetAttrRefusal {
  std::string reason;
  std::string plug;       // "node.attr[range]" as far as known
  bool geometry = false;  // mesh or surface geometry, tweaks or deformer weights
};

// What the setAttr statements of one file share: the blocks of its arrays
// and the plug named last. `budget`: the most elements an array can have.
struct FileSetAttrs {
  explicit FileSetAttrs(std::uint64_t budget) : blocks(budget) {}
  ArrayBlocks blocks;
  ResolvedPlugs lastPlugs;  // forgotten whenever a statement other than setAttr runs
};

// A setAttr statement of a scene file: arrays may come in blocks (see ArrayBlocks).
bool applyFileSetAttr(const char* begin, const char* end, FileSetAttrs& file, int line, SetAttrRefusal& refusal);

// Scale from the scene's linear unit to centimetres, the internal unit.
double linearScale();

// A value as the scene holds it, from one in the scene's units (as a file or
// MEL gives it): angles in radians, distances in centimetres.
double storedValue(const AttrDef* attr, double shown);
// A value as MEL shows it: angles in the scene's angle unit, distances in its linear unit.
double shownValue(const AttrDef* attr, double stored);

}  // namespace OmbrixHost
