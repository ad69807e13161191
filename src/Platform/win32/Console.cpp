#include "Platform/Console.h"

#include <io.h>
#include <stdio.h>

namespace Platform {

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace Platform
