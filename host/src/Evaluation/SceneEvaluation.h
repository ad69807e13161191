#pragma once
// What Maya computes when it opens a scene and the host computes once after
// loading one: geometry from creation nodes, UV tweak nodes, vertex tweaks,
// and the faces of per-face set membership from groupParts nodes.
#include <string>
#include <vector>

namespace OmbrixHost {

void evaluateLoadedScene(const std::string& file, std::vector<std::string>& problems);

}  // namespace OmbrixHost
