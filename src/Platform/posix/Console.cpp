#include "Platform/Console.h"

#include <unistd.h>

namespace Platform {

bool StderrIsTerminal() { return isatty(STDERR_FILENO) != 0; }

}  // namespace Platform
