#include "Platform/Process.h"

#include <fcntl.h>
#include <limits.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace Platform {

namespace {

std::vector<char*> ArgumentVector(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  return argv;
}

// Starts `program` with its standard output and error going to `logPath`;
// the child's id, or -1 when it could not be started.
pid_t SpawnLogged(const std::string& program, const std::vector<std::string>& arguments, const std::string& logPath,
                  char* const* envp) {
  std::vector<char*> argv = ArgumentVector(program, arguments);
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return -1;
  posix_spawn_file_actions_addopen(&actions, 1, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t child = 0;
  const int started = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp);
  posix_spawn_file_actions_destroy(&actions);
  return started == 0 ? child : -1;
}

// Waits for the child; its exit code, or -1 when it did not end by exiting.
int WaitForExit(pid_t child, rusage* usage) {
  int status = 0;
  while (wait4(child, &status, 0, usage) < 0) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int RunProcess(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv = ArgumentVector(program, arguments);
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
  return WaitForExit(child, nullptr);
}

int RunProcessLogged(const std::string& program, const std::vector<std::string>& arguments, const std::string& logPath,
                     const std::vector<std::string>& environment) {
  std::vector<char*> envp;
  for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);
  const pid_t child = SpawnLogged(program, arguments, logPath, envp.data());
  return child < 0 ? -1 : WaitForExit(child, nullptr);
}

ProcessUse RunProcessMeasured(const std::string& program, const std::vector<std::string>& arguments,
                              const std::string& logPath) {
  ProcessUse use;
  const pid_t child = SpawnLogged(program, arguments, logPath, environ);
  if (child < 0) return use;
  rusage usage{};
  use.exitCode = WaitForExit(child, &usage);
  use.cpuMs = 1000.0 * static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
              static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
  use.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
  return use;
}

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry; ++entry) entries.push_back(*entry);
  return entries;
}

std::string ExecutablePath() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  return length > 0 && static_cast<size_t>(length) < sizeof buffer ? std::string(buffer, static_cast<size_t>(length))
                                                                   : std::string();
}

bool StartProcess(const std::string& path, const std::string& workingDirectory) {
  // posix_spawn has no working-directory attribute in this libc: run the
  // program through a shell that changes there first.
  const std::string script = "cd \"$1\" && exec \"$0\"";
  const std::vector<std::string> arguments = {"-c", script, path, workingDirectory};
  std::vector<char*> argv = {const_cast<char*>("sh")};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  return posix_spawn(&child, "/bin/sh", nullptr, nullptr, argv.data(), environ) == 0;
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

bool SetEnvironmentValue(const char* name, const char* value) {
  return setenv(name, value, 1) == 0;
}

unsigned long CurrentProcessId() { return static_cast<unsigned long>(getpid()); }

}  // namespace Platform
