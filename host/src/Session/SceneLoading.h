#pragma once
// While a scene file loads: attributes a node does not know are created as
// the file uses them (see Scene::resolvePlugOn), until the scope ends.
#include "Scene.h"

namespace OmbrixHost {

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

}  // namespace OmbrixHost
