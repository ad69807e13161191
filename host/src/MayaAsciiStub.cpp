#include "HostSession.h"

namespace OmbrixHost {

bool loadMayaAscii(const std::string& path, std::vector<std::string>& problems) {
  problems.push_back(path + ":0: Maya ASCII scenes are not supported yet");
  return false;
}

bool saveMayaAscii(const std::string& path, std::string& error) {
  error = path + ": Maya ASCII scenes are not supported yet";
  return false;
}

std::string sceneStatsJson() { return "{}"; }

}  // namespace OmbrixHost
