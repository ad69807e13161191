#include "Platform/Process.h"
#include "Platform/win32/WideText.h"

#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <stdlib.h>

#include <cwchar>

namespace Platform {

namespace {

// Quotes one argument the way the C runtime splits command lines.
std::string Quote(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

std::string CommandLine(const std::string& program, const std::vector<std::string>& arguments) {
  std::string line = Quote(program);
  for (const std::string& argument : arguments) line += " " + Quote(argument);
  return line;
}

// Waits for a started process, closes its handles and returns its exit code.
int WaitForExit(const PROCESS_INFORMATION& process) {
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

// An environment as CreateProcessW takes it.
std::wstring EnvironmentBlock(const std::vector<std::string>& entries) {
  std::wstring block;
  for (const std::string& entry : entries) block += Widen(entry) + L'\0';
  return block + L'\0';
}

}  // namespace

namespace {

// Starts `program` with its standard output and error going to the file
// `logPath`, with `environment` (null: this process's); false when it could not.
bool StartLogged(const std::string& program, const std::vector<std::string>& arguments, const std::string& logPath,
                 wchar_t* environment, PROCESS_INFORMATION& process) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE log = CreateFileW(Widen(logPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return false;
  std::wstring line = Widen(CommandLine(program, arguments));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = log;
  startup.hStdError = log;
  const BOOL started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                                      environment, nullptr, &startup, &process);
  CloseHandle(log);
  return started != FALSE;
}

double Milliseconds(const FILETIME& time) {
  return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) /
         10000.0;  // 100-nanosecond ticks
}

}  // namespace

int RunProcessLogged(const std::string& program, const std::vector<std::string>& arguments, const std::string& logPath,
                     const std::vector<std::string>& environment) {
  std::wstring block = EnvironmentBlock(environment);
  PROCESS_INFORMATION process{};
  return StartLogged(program, arguments, logPath, &block[0], process) ? WaitForExit(process) : -1;
}

ProcessUse RunProcessMeasured(const std::string& program, const std::vector<std::string>& arguments,
                              const std::string& logPath) {
  ProcessUse use;
  PROCESS_INFORMATION process{};
  if (!StartLogged(program, arguments, logPath, nullptr, process)) return use;
  WaitForSingleObject(process.hProcess, INFINITE);
  FILETIME created{}, exited{}, kernel{}, user{};
  if (GetProcessTimes(process.hProcess, &created, &exited, &kernel, &user))
    use.cpuMs = Milliseconds(kernel) + Milliseconds(user);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
    use.peakMegabytes = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
  use.exitCode = WaitForExit(process);
  return use;
}

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> entries;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; entry && *entry; entry += wcslen(entry) + 1)
    entries.push_back(Narrow(entry));
  if (strings) FreeEnvironmentStringsW(strings);
  return entries;
}

std::string ExecutablePath() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
  return length > 0 && length < path.size() ? Narrow(path.c_str(), static_cast<int>(length)) : std::string();
}

int RunProcess(const std::string& program, const std::vector<std::string>& arguments) {
  std::wstring wideLine = Widen(CommandLine(program, arguments));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, &wideLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  return WaitForExit(process);
}

// The program by its path, with the path quoted as its command line, so that
// a program under "C:\Program Files\..." sees one argument, its own name.
bool StartProcess(const std::string& path, const std::string& workingDirectory) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_FORCEONFEEDBACK;
  PROCESS_INFORMATION process{};
  const std::wstring program = Widen(path), directory = Widen(workingDirectory);
  std::wstring line = Widen(Quote(path));
  if (!CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE,
                      CREATE_NEW_PROCESS_GROUP | CREATE_UNICODE_ENVIRONMENT, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr || count != argc) {
    if (wide != nullptr) LocalFree(wide);
    return std::vector<std::string>(argv, argv + argc);
  }
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

bool SetEnvironmentValue(const char* name, const char* value) {
  return _putenv_s(name, value) == 0;
}

unsigned long CurrentProcessId() { return GetCurrentProcessId(); }

}  // namespace Platform
