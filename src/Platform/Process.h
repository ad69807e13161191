#pragma once
// Running another program and waiting for it.
#include <string>
#include <vector>

namespace Platform {

// Runs `program` with `arguments`, waits for it and returns its exit code,
// or -1 when it could not be started.
int RunProcess(const std::string& program, const std::vector<std::string>& arguments);

// The running program's process id (for unique names in tests and tools).
unsigned long CurrentProcessId();

}  // namespace Platform
