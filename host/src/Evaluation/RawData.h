#pragma once
// Typed data the host keeps as the file wrote it ("setAttr <plug> -type
// "<type>" values..."), read when history needs it: blendShape target points,
// a NURBS curve's data.
#include "DataCursor.h"
#include "Node.h"

#include <string>

namespace OmbrixHost {

// The plug a kept line sets on `node` and, in `values`, its values; false for
// a line that is not of `type` or sets a plug of another node.
bool openRawData(const Node& node, const std::string& line, const char* type, PlugRef& plug, DataCursor& values);

}  // namespace OmbrixHost
