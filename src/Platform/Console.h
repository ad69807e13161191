#pragma once
// Facts about the standard streams.

namespace Platform {

// True when standard error is an interactive terminal (progress bars).
bool StderrIsTerminal();

}  // namespace Platform
