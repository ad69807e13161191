#include "RawData.h"

#include "Scene.h"

namespace OmbrixHost {

bool openRawData(const Node& node, const std::string& line, const char* type, PlugRef& plug, DataCursor& values) {
  DataCursor c(line.data(), line.data() + line.size());
  std::string item, plugText, found;
  bool quoted = false;
  if (!c.firstQuoted(plugText) || plugText.empty())
    return false;
  if (!c.item(item, quoted) || item != "-type" || !c.item(found, quoted) || found != type)
    return false;
  std::string error;
  bool resolved = plugText[0] == '.'
                      ? scene().resolvePlugOn(const_cast<Node*>(&node), plugText.substr(1), plug, error)
                      : scene().resolvePlug(plugText, plug, error);
  if (!resolved || plug.node != &node)
    return false;
  values = c;
  return true;
}

}  // namespace OmbrixHost
