#pragma once
// What the scene file readers share: the loading scope, reading a file in
// one piece, and the project the file belongs to.
#include "Scene.h"

#include <string>
#include <vector>

namespace OmbrixHost {

// While a scene file loads: attributes a node does not know are created as
// the file uses them (see Scene::resolvePlugOn), until the scope ends.
class SceneLoading {
public:
  SceneLoading() { scene().loading = true; }
  ~SceneLoading() {
    scene().loading = false;
    scene().currentLine = 0;
  }
  SceneLoading(const SceneLoading&) = delete;
  SceneLoading& operator=(const SceneLoading&) = delete;
};

enum class FileRead { kRead, kCannotOpen, kCannotRead };

// The whole file in one piece (a million-face scene is over a hundred megabytes).
FileRead readWholeFile(const std::string& path, std::string& bytes);

// The project a scene belongs to, unless one is set: workspace.mel beside
// its scenes/ folder, or beside it.
void adoptWorkspace(const std::string& path);

// A Maya ASCII file referenced from the scene being read, read into it under
// the reference's namespace (the Maya ASCII reader's; a Maya Binary scene
// names it for the references it holds).
bool readMayaAsciiInto(const std::string& path, std::vector<std::string>& problems);

}  // namespace OmbrixHost
