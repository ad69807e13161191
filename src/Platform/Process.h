#pragma once
// Running another program and waiting for it.
#include <string>
#include <vector>

namespace Platform {

// Runs `program` with `arguments`, waits for it and returns its exit code,
// or -1 when it could not be started.
int RunProcess(const std::string& program, const std::vector<std::string>& arguments);

// Runs `program` with `arguments` and waits for it, its standard output and
// error going to the file `logPath` (made anew), `environment` ("NAME=value"
// each) its whole environment. Returns its exit code, or -1 when it could not
// be started or did not end by exiting. Reads nothing of this process's
// environment, so other threads may change it meanwhile.
int RunProcessLogged(const std::string& program, const std::vector<std::string>& arguments, const std::string& logPath,
                     const std::vector<std::string>& environment);

// What a finished program used: its CPU time (user and system, all its
// threads) and its peak resident memory.
struct ProcessUse {
  int exitCode = -1;  // -1 when it could not be started or did not end by exiting
  double cpuMs = 0.0;
  double peakMegabytes = 0.0;
};

// Runs `program` with `arguments` and waits for it, its standard output and
// error going to the file `logPath` (made anew), with this process's environment.
// On Linux the peak is at least this process's own peak at the start (the new
// program is started from this process's memory): start a small process that
// measures, when the program's own peak is what counts.
ProcessUse RunProcessMeasured(const std::string& program, const std::vector<std::string>& arguments,
                              const std::string& logPath);

// This process's environment, "NAME=value" each.
std::vector<std::string> CurrentEnvironment();

// The running program's own file, absolute; empty when it cannot be told.
std::string ExecutablePath();

// Starts a program without waiting: application name = path, the quoted path
// as its command line, the given working directory, a new process group and
// feedback cursor as the painter launch asks. The process and thread handles are
// closed at once. False when it could not be started.
bool StartProcess(const std::string& path, const std::string& workingDirectory);

// The program's command-line arguments as UTF-8 (on Windows read again as
// Unicode: argv holds them in the ANSI code page, which loses other scripts).
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Sets a variable of this process's environment (inherited by programs it starts).
bool SetEnvironmentValue(const char* name, const char* value);

// The running program's process id (for unique names in tests and tools).
unsigned long CurrentProcessId();

}  // namespace Platform
