// obvtool painter and obvtool doctor: the painter link and the exchange
// directory from the command line, for pipeline scripts and troubleshooting.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Commands.h"
#include "Maya/ExchangePaths.h"
#include "Maya/PainterLink.h"
#include "Platform/FileSystem.h"
#include "Platform/Registry.h"

namespace {

std::string RegistryValue(const char* name) {
  Platform::RegistryKey key = nullptr;
  char value[1024] = {};
  const bool read = Platform::OpenUserKey(kPainterRegistryKey, key) &&
                    Platform::QueryStringValue(key, name, value, sizeof value);
  Platform::CloseKey(key);
  return read ? value : "";
}

bool FileOpens(const std::string& path) {
  std::FILE* file = Platform::OpenFile(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

// Whether a file can be created in the directory (it is removed again).
bool DirectoryWritable(const std::string& directory) {
  const std::string probe = directory + Platform::PathSeparator() + "obvtool-doctor.tmp";
  std::FILE* file = Platform::OpenFile(probe.c_str(), "w");
  if (file == nullptr) return false;
  std::fclose(file);
  std::remove(probe.c_str());
  return true;
}

}  // namespace

int PainterCommand(const Arguments& arguments) {
  if (arguments.empty()) return UsageError("painter needs status, launch, switch, close or autoload");
  const std::string& action = arguments[0];
  uint32_t token = 0;
  for (size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == "--token" && i + 1 < arguments.size() && action == "autoload") {
      char* end = nullptr;
      const unsigned long value = std::strtoul(arguments[++i].c_str(), &end, 10);
      if (end == nullptr || *end != '\0' || value > 0xFFFFFFFFul)
        return UsageError("--token takes an unsigned 32-bit number");
      token = static_cast<uint32_t>(value);
    } else {
      return UsageError("painter " + action + ": unexpected '" + arguments[i] + "'");
    }
  }
  PainterLink link;
  if (action == "status") {
    if (!link.findPainterWindow()) return Fail("painter", "no painter answers");
    std::printf("painter: answering\n");
    return 0;
  }
  if (action == "launch") {
    if (link.ensurePainterRunning()) {
      std::printf("painter: running\n");
      return 0;
    }
    return Fail("painter", link.lastExecutable()[0] != '\0'
                               ? std::string("not running after a launch of ") + link.lastExecutable()
                               : std::string("not running and no executable to launch"));
  }
  if (action == "switch") {
    link.switchTo();
    return link.painterWindow() != nullptr ? 0 : Fail("painter", "no painter to bring to the front");
  }
  if (action == "close") {
    if (!link.close()) return Fail("painter", "no painter answers; nothing to close");
    std::printf("painter: asked to close\n");
    return 0;
  }
  if (action == "autoload") {
    link.setLoadToken(token);
    link.autoLoad();
    if (link.painterWindow() == nullptr) return Fail("painter", "no painter to load the export");
    std::printf("painter: asked to load token %u\n", static_cast<unsigned>(token));
    return 0;
  }
  return UsageError("unknown painter action '" + action + "'");
}

int DoctorCommand(const Arguments& arguments) {
  if (!arguments.empty()) return UsageError("doctor takes no arguments");
  const std::string base = RegistryValue("Base Directory");
  const std::string temp = RegistryValue("Temp Directory");
  std::printf("registry key: HKEY_CURRENT_USER\\%s\n", kPainterRegistryKey);
  std::printf("  Base Directory: %s\n", base.empty() ? "(not set)" : base.c_str());
  std::printf("  Temp Directory: %s\n", temp.empty() ? "(not set)" : temp.c_str());
  const std::string executable =
      base.empty() ? kDefaultPainterExecutable
                   : base + Platform::PathSeparator() + kPainterExecutableName;
  std::printf("painter executable: %s (%s)\n", executable.c_str(),
              FileOpens(executable) ? "present" : "missing");
  PainterLink link;
  std::printf("painter answering: %s\n", link.findPainterWindow() ? "yes" : "no");
  char directory[kExchangeBufferSize], error[kExchangeBufferSize];
  bool exportReady = false;
  if (getTempDirectory(directory, error)) {
    exportReady = DirectoryWritable(directory);
    std::printf("exchange directory: %s (%s)\n", directory,
                exportReady ? "writable" : "missing or not writable");
    char log[kExchangeBufferSize];
    if (getLogDirectory(log, error))
      std::printf("log directory: %s (%s)\n", log,
                  DirectoryWritable(log) ? "writable" : "created at the first export");
  } else {
    std::printf("exchange directory: %s\n", error);
  }
  std::printf("export: %s\n", exportReady ? "ready" : "NOT ready (no writable exchange directory)");
  return exportReady ? 0 : 1;
}
