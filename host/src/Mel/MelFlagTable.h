#pragma once
// A built-in command's flags, registered with the command: its MEL calls are
// parsed through the table, and Python's keywords mapped through it.
#include <vector>

namespace OmbrixHost {

struct MelFlagSpec {
  const char* longName;
  const char* shortName;
  int arity;  // values after the flag; -1 = an optional boolean value
};

using MelFlagTable = std::vector<MelFlagSpec>;

}  // namespace OmbrixHost
