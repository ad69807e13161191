// Registry stand-in: one line per value, "KEY<TAB>NAME<TAB>DATA", in the file
// named by OMBRIX_REGISTRY (default ~/.ombrix-registry). Keys exist when a
// line names them or when a line "KEY<TAB><TAB>" marks an empty key.
#include "Platform/Registry.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace Platform {

namespace {

struct Line {
  std::string key, name, data;
};

std::string StorePath() {
  if (const char* path = std::getenv(RegistryVariable())) return path;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : ".") + "/.ombrix-registry";
}

std::vector<Line> Load() {
  std::vector<Line> lines;
  std::ifstream in(StorePath());
  std::string text;
  while (std::getline(in, text)) {
    const size_t a = text.find('\t');
    const size_t b = a == std::string::npos ? a : text.find('\t', a + 1);
    if (b == std::string::npos) continue;
    lines.push_back({text.substr(0, a), text.substr(a + 1, b - a - 1), text.substr(b + 1)});
  }
  return lines;
}

bool Save(const std::vector<Line>& lines) {
  std::ofstream out(StorePath(), std::ios::trunc);
  for (const Line& line : lines) out << line.key << '\t' << line.name << '\t' << line.data << '\n';
  return static_cast<bool>(out);
}

bool KeyExists(const std::vector<Line>& lines, const std::string& key) {
  for (const Line& line : lines)
    if (line.key == key) return true;
  return false;
}

}  // namespace

KeyDisposition CreateUserKey(const char* path, const char* /*className*/, RegistryKey& key) {
  std::vector<Line> lines = Load();
  const bool existed = KeyExists(lines, path);
  if (!existed) {
    lines.push_back({path, "", ""});
    if (!Save(lines)) {
      key = nullptr;
      return KeyDisposition::kFailed;
    }
  }
  key = new std::string(path);
  return existed ? KeyDisposition::kOpened : KeyDisposition::kCreated;
}

bool OpenUserKey(const char* path, RegistryKey& key) {
  key = KeyExists(Load(), path) ? new std::string(path) : nullptr;
  return key != nullptr;
}

bool QueryStringValue(RegistryKey key, const char* name, char* buffer, uint32_t size) {
  if (key == nullptr || buffer == nullptr || size == 0) return false;
  buffer[0] = '\0';
  for (const Line& line : Load()) {
    if (line.key != *static_cast<std::string*>(key) || line.name != name || line.name.empty())
      continue;
    if (line.data.size() + 1 > size) return false;
    std::memcpy(buffer, line.data.c_str(), line.data.size() + 1);
    return true;
  }
  return false;
}

bool SetStringValue(RegistryKey key, const char* name, const char* text) {
  if (key == nullptr || name == nullptr || name[0] == '\0' || text == nullptr) return false;
  std::vector<Line> lines = Load();
  const std::string& path = *static_cast<std::string*>(key);
  for (Line& line : lines)
    if (line.key == path && line.name == name) {
      line.data = text;
      return Save(lines);
    }
  lines.push_back({path, name, text});
  return Save(lines);
}

bool DeleteValue(RegistryKey key, const char* name) {
  if (key == nullptr || name == nullptr) return false;
  std::vector<Line> lines = Load();
  const std::string& path = *static_cast<std::string*>(key);
  const size_t before = lines.size();
  for (size_t i = lines.size(); i-- > 0;)
    if (lines[i].key == path && lines[i].name == name) lines.erase(lines.begin() + static_cast<long>(i));
  return lines.size() != before && Save(lines);
}

void CloseKey(RegistryKey key) { delete static_cast<std::string*>(key); }

const char* RegistryVariable() { return "OMBRIX_REGISTRY"; }

}  // namespace Platform
