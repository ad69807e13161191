#include "Platform/Process.h"
#include "Platform/win32/WideText.h"

#include <windows.h>
#include <shellapi.h>

#include <stdlib.h>

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

}  // namespace

int RunProcess(const std::string& program, const std::vector<std::string>& arguments) {
  std::string line = Quote(program);
  for (const std::string& argument : arguments) line += " " + Quote(argument);
  std::wstring wideLine = Widen(line);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, &wideLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
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
