#include "AnimCurves.h"

#include "DataCursor.h"
#include "Scene.h"
#include "SetAttr.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

namespace OmbrixHost {
namespace {

bool timeDriven(const Node& curve) { return curve.typeName.rfind("animCurveT", 0) == 0; }

// The number a raw setAttr line gives the plug `name` (".o", ".pre"), if it is that plug's.
bool rawNumber(const std::string& raw, const char* name, double& out) {
  DataCursor c(raw.data(), raw.data() + raw.size());
  std::string plug;
  return c.firstQuoted(plug) && plug == name && c.number(out);
}

// "ktv[3]" or "ktv[0:2]": the first and last index.
bool keyRange(const std::string& plug, long& first, long& last) {
  const char* prefixes[] = {".ktv[", ".keyTimeValue["};
  for (const char* prefix : prefixes) {
    const std::size_t n = std::strlen(prefix);
    if (plug.compare(0, n, prefix) != 0)
      continue;
    char* end = nullptr;
    first = std::strtol(plug.c_str() + n, &end, 10);
    last = *end == ':' ? std::strtol(end + 1, &end, 10) : first;
    return *end == ']' && first >= 0 && last >= first;
  }
  return false;
}

// The curve's keys by index (time, value), from the file's ".ktv" lines.
std::map<long, std::pair<double, double>> keysOf(const Node& curve) {
  std::map<long, std::pair<double, double>> keys;
  for (const std::string& raw : curve.rawSetAttrs) {
    DataCursor c(raw.data(), raw.data() + raw.size());
    std::string plug;
    long first = 0, last = -1;
    if (!c.firstQuoted(plug) || !keyRange(plug, first, last))
      continue;
    for (long i = first; i <= last; ++i) {
      double t = 0, v = 0;
      if (!c.number(t) || !c.number(v))
        break;
      keys[i] = {t, v};
    }
  }
  return keys;
}

// Infinity other than constant (the file's ".pre" / ".pst" not 0).
bool repeatsBeyond(const Node& curve, const char* shortName) {
  for (const std::string& raw : curve.rawSetAttrs) {
    double mode = 0;
    if (rawNumber(raw, shortName, mode) && mode != 0)
      return true;
  }
  return false;
}

bool curveValue(const Node& curve, double frame, double& value) {
  std::vector<std::pair<double, double>> keys;
  for (const auto& kv : keysOf(curve))
    keys.push_back(kv.second);
  if (keys.empty())
    return false;
  std::sort(keys.begin(), keys.end());
  const bool flat = std::all_of(keys.begin(), keys.end(), [&](const auto& k) { return k.second == keys[0].second; });
  const double tolerance = 1e-9;
  for (const auto& [t, v] : keys)
    if (std::fabs(frame - t) <= tolerance) {
      value = v;
      return true;
    }
  if (frame < keys.front().first) {
    value = keys.front().second;
    return flat || !repeatsBeyond(curve, ".pre");
  }
  if (frame > keys.back().first) {
    value = keys.back().second;
    return flat || !repeatsBeyond(curve, ".pst");
  }
  value = keys.front().second;
  return flat;
}

}  // namespace

double currentFrame(const Scene& scene) {
  double frame = 1.0;
  if (const Node* time = scene.findNode("time1"))
    for (const std::string& raw : time->rawSetAttrs)
      if (!rawNumber(raw, ".o", frame))
        rawNumber(raw, ".outTime", frame);
  return frame;
}

bool isAnimated(const Node& node) {
  return std::any_of(node.connections.begin(), node.connections.end(),
                     [](const Connection& c) { return !c.outgoing && timeDriven(*c.remote.node); });
}

bool animatedValue(const Node& node, const std::string& key, double frame, double& value) {
  for (const Connection& c : node.connections)
    if (!c.outgoing && c.localKey == key && timeDriven(*c.remote.node)) {
      if (!curveValue(*c.remote.node, frame, value))
        return false;
      value = storedValue(c.local.attr, value);  // keys are in the scene's units
      return true;
    }
  return false;
}

}  // namespace OmbrixHost
