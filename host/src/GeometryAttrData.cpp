// Geometry given to setAttr: not read yet; the command reports the type.
#include "MelInterpreter.h"
#include "Scene.h"

namespace OmbrixHost {

bool setGeometryData(Node*, const PlugRef&, const std::string& type, const std::vector<MelValue>&, std::size_t&,
                     std::string& error) {
  error = "unsupported data type \"" + type + "\"";
  return false;
}

}  // namespace OmbrixHost
