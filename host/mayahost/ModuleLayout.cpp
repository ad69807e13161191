#include "ModuleLayout.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace MayaHost {

namespace {

#if defined(_WIN32)
const char kSeparator = ';';
const char* kPlatform = "win64";
const char* kModuleSuffix = ".mll";
#else
const char kSeparator = ':';
const char* kPlatform = "linux";
const char* kModuleSuffix = ".so";
#endif
const std::uintmax_t kMaxModFileBytes = 1 << 20;

std::string trim(const std::string& s) {
  auto begin = s.find_first_not_of(" \t\r");
  if (begin == std::string::npos)
    return "";
  return s.substr(begin, s.find_last_not_of(" \t\r") - begin + 1);
}

std::string under(const std::string& root, const std::string& dir) {
  fs::path p(dir);
  return (p.is_absolute() ? p : fs::path(root) / p).lexically_normal().string();
}

bool isDirectory(const std::string& dir) {
  std::error_code ec;
  return fs::is_directory(dir, ec);
}

// "+ [PLATFORM:linux] [MAYAVERSION:2016] NAME VERSION PATH": false when it is
// not one. forHere: the line is for this platform and this Maya version.
bool parseModuleLine(const std::string& line, const std::string& modDir, const std::string& mayaVersion,
                     MayaModule& out, bool& forHere) {
  std::istringstream words(line.substr(1));
  std::string word;
  forHere = true;
  while (words >> word) {
    auto colon = word.find(':');
    std::string key = colon == std::string::npos ? "" : word.substr(0, colon);
    if (key != "PLATFORM" && key != "MAYAVERSION" && key != "LOCALE")
      break;
    if ((key == "PLATFORM" && word.substr(colon + 1) != kPlatform) ||
        (key == "MAYAVERSION" && word.substr(colon + 1) != mayaVersion))
      forHere = false;
  }
  out.name = word;
  std::string path;
  if (!(words >> out.version) || !std::getline(words, path) || trim(path).empty() || out.name.empty())
    return false;
  out.root = under(modDir, trim(path));
  return true;
}

void addDefaultDirs(MayaModule& m) {
  std::string scripts = under(m.root, "scripts"), plugins = under(m.root, "plug-ins");
  if (isDirectory(scripts))
    m.scriptDirs.insert(m.scriptDirs.begin(), scripts);
  if (isDirectory(plugins))
    m.pluginDirs.insert(m.pluginDirs.begin(), plugins);
}

}  // namespace

std::vector<std::string> splitSearchPath(const char* value) {
  std::vector<std::string> out;
  if (!value)
    return out;
  std::stringstream parts(value);
  std::string dir;
  while (std::getline(parts, dir, kSeparator))
    if (!dir.empty())
      out.push_back(dir);
  return out;
}

std::vector<MayaModule> parseModuleFile(const std::string& text, const std::string& modFile,
                                        const std::string& mayaVersion, std::vector<std::string>& problems) {
  std::vector<MayaModule> modules;
  std::string modDir = fs::path(modFile).parent_path().string();
  std::istringstream lines(text);
  std::string line;
  bool skipping = false;  // inside a module for another platform or Maya version
  for (int number = 1; std::getline(lines, line); ++number) {
    line = trim(line);
    if (line.empty() || line[0] == '#' || line.compare(0, 2, "//") == 0)
      continue;
    auto where = [&](const std::string& why) { problems.push_back(modFile + ":" + std::to_string(number) + ": " + why); };
    if (line[0] == '+') {
      if (!modules.empty() && !skipping)
        addDefaultDirs(modules.back());
      MayaModule m;
      bool forHere = true;
      if (!parseModuleLine(line, modDir, mayaVersion, m, forHere)) {
        where("a module line needs a name, a version and a path");
        skipping = true;
        continue;
      }
      skipping = !forHere;
      if (!skipping)
        modules.push_back(m);
      continue;
    }
    if (skipping)
      continue;
    if (modules.empty()) {
      where("a setting before the first module line");
      continue;
    }
    // "MAYA_SCRIPT_PATH+:=dir", "MAYA_PLUG_IN_PATH+=dir" and the older "scripts: dir".
    auto eq = line.find('=');
    std::string key = trim(line.substr(0, line.find_first_of("+:=")));
    std::string value = eq != std::string::npos ? trim(line.substr(eq + 1))
                                                : trim(line.substr(std::min(line.size(), line.find(':') + 1)));
    MayaModule& m = modules.back();
    if (key == "MAYA_SCRIPT_PATH" || key == "scripts")
      m.scriptDirs.push_back(under(m.root, value));
    else if (key == "MAYA_PLUG_IN_PATH" || key == "plug-ins")
      m.pluginDirs.push_back(under(m.root, value));
  }
  if (!modules.empty() && !skipping)
    addDefaultDirs(modules.back());
  return modules;
}

std::vector<MayaModule> findModules(const std::vector<std::string>& modulePath, const std::string& mayaVersion,
                                    std::vector<std::string>& problems) {
  std::vector<MayaModule> all;
  for (const auto& dir : modulePath) {
    std::error_code ec;
    std::vector<fs::path> files;
    for (auto it = fs::directory_iterator(dir, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
      if (it->path().extension() == ".mod")
        files.push_back(it->path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
      std::uintmax_t size = fs::file_size(file, ec);
      if (ec || size > kMaxModFileBytes) {
        problems.push_back(file.string() + ":0: " + (ec ? "cannot read the module file" : "too large for a module file"));
        continue;
      }
      std::ifstream in(file, std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      auto found = parseModuleFile(text.str(), file.string(), mayaVersion, problems);
      all.insert(all.end(), found.begin(), found.end());
    }
  }
  return all;
}

std::string findPlugin(const std::string& name, const std::vector<std::string>& pluginDirs) {
  if (name.empty() || name.find_first_of("/\\") != std::string::npos)
    return "";
  for (const auto& dir : pluginDirs)
    for (const std::string& file : {name + kModuleSuffix, name}) {
      std::error_code ec;
      fs::path candidate = fs::path(dir) / file;
      if (fs::is_regular_file(candidate, ec))
        return candidate.string();
    }
  return "";
}

}  // namespace MayaHost
