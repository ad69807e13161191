// Where a referenced file is looked for, as Maya looks for it.
#include "References.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace OmbrixHost {
namespace {

namespace fs = std::filesystem;

bool isAbsolute(const std::string& path) {
  return (!path.empty() && path[0] == '/') ||
         (path.size() > 1 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])));
}

bool nameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The folder of the workspace that Maya ASCII scenes go to ("scenes" unless
// workspace.mel's file rule says otherwise).
std::string scenesRule(const std::string& workspaceRoot) {
  std::ifstream in(fs::u8path(workspaceRoot) / "workspace.mel", std::ios::binary);
  std::string line;
  while (in && std::getline(in, line)) {
    auto at = line.find("\"mayaAscii\"");
    if (line.find("-fr") == std::string::npos || at == std::string::npos)
      continue;
    auto open = line.find('"', at + 11);
    auto close = open == std::string::npos ? open : line.find('"', open + 1);
    if (close != std::string::npos && close > open + 1)
      return forwardSlashes(line.substr(open + 1, close - open - 1));
  }
  return "scenes";
}

// The ends of a path from elsewhere worth looking for here: below a folder
// named `scenes`, and the file name.
std::vector<std::string> tails(const std::string& path, const std::string& scenes) {
  std::vector<std::string> out;
  const std::string folder = "/" + scenes + "/";
  auto at = path.rfind(folder);
  if (!scenes.empty() && at != std::string::npos)
    out.push_back(path.substr(at + folder.size()));
  auto slash = path.rfind('/');
  out.push_back(slash == std::string::npos ? path : path.substr(slash + 1));
  return out;
}

}  // namespace

std::string forwardSlashes(std::string path) {
  for (auto& ch : path)
    if (ch == '\\')
      ch = '/';
  return path;
}

// $NAME, ${NAME} and %NAME%, as Maya expands them in file paths; a variable
// that is not set stays as written.
std::string expandEnvironment(const std::string& path) {
  std::string out;
  for (std::size_t i = 0; i < path.size();) {
    std::size_t nameStart = std::string::npos, nameEnd = 0, next = 0;
    if (path[i] == '$' && i + 1 < path.size() && path[i + 1] == '{') {
      auto close = path.find('}', i + 2);
      if (close != std::string::npos)
        nameStart = i + 2, nameEnd = close, next = close + 1;
    } else if (path[i] == '$') {
      std::size_t e = i + 1;
      while (e < path.size() && nameChar(path[e]))
        ++e;
      if (e > i + 1)
        nameStart = i + 1, nameEnd = e, next = e;
    } else if (path[i] == '%') {
      auto close = path.find('%', i + 1);
      if (close != std::string::npos && close > i + 1)
        nameStart = i + 1, nameEnd = close, next = close + 1;
    }
    const char* value = nameStart == std::string::npos
                            ? nullptr
                            : std::getenv(path.substr(nameStart, nameEnd - nameStart).c_str());
    if (!value) {
      out += path[i++];
      continue;
    }
    out += value;
    i = next;
  }
  return out;
}

std::vector<std::string> referenceCandidates(const std::string& written, const std::string& sceneFile,
                                             const std::string& workspaceRoot) {
  const std::string path = forwardSlashes(expandEnvironment(written));
  std::error_code ec;
  const std::string sceneDir =
      forwardSlashes(fs::absolute(fs::u8path(sceneFile), ec).parent_path().generic_u8string());
  const std::string root = forwardSlashes(workspaceRoot);
  const std::string scenes = root.empty() ? "scenes" : scenesRule(root);
  std::vector<std::string> out;
  auto add = [&out](const std::string& dir, const std::string& rest) {
    std::string candidate = dir.empty() ? rest : (dir.back() == '/' ? dir : dir + "/") + rest;
    for (const auto& c : out)
      if (c == candidate)
        return;
    out.push_back(candidate);
  };
  if (path.empty())
    return out;
  add("", path);
  const bool absolute = isAbsolute(path);
  const std::vector<std::string> ends = absolute ? tails(path, scenes) : std::vector<std::string>{path};
  for (const auto& end : ends)
    add(sceneDir.empty() ? "." : sceneDir, end);
  if (!root.empty()) {
    if (!absolute)
      add(root, path);
    for (const auto& end : ends)
      add(root + "/" + scenes, end);
  }
  return out;
}

}  // namespace OmbrixHost
