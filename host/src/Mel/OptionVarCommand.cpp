// optionVar: Maya's named preference variables, each an int, a float or a
// string. "-iv name 3", "-fv name 0.5", "-sv name text" set one; "-q name"
// answers its value (0 when there is none), "-ex name" whether it exists,
// "-rm name" removes it.
#include <cmath>
#include <string>
#include <vector>

#include "MelInterpreter.h"
#include "Scene.h"

namespace OmbrixHost {

namespace {

MelValue valueOf(const Scene::OptionVar& var) {
  if (var.kind == Scene::OptionVar::kString) return MelValue::ofString(var.text);
  if (var.kind == Scene::OptionVar::kInt) return MelValue::ofInt(static_cast<long long>(var.number));
  return MelValue::ofFloat(var.number);
}

const struct {
  const char* flag;
  Scene::OptionVar::Kind kind;
} kSetters[] = {{"intValue", Scene::OptionVar::kInt},
                {"floatValue", Scene::OptionVar::kFloat},
                {"stringValue", Scene::OptionVar::kString}};

const MelFlagTable optionVarFlags = {{"intValue", "iv", 2}, {"floatValue", "fv", 2}, {"stringValue", "sv", 2},
                                     {"query", "q", 1},     {"exists", "ex", 1},     {"remove", "rm", 1}};

MelValue optionVar(MelInterpreter&, const std::vector<MelValue>& args) {
  auto f = parseMelFlags("optionVar", args, optionVarFlags);
  auto& vars = scene().optionVars;
  if (f.has("query")) {
    const auto it = vars.find(f.text("query"));
    return it == vars.end() ? MelValue::ofInt(0) : valueOf(it->second);
  }
  if (f.has("exists")) return MelValue::ofInt(vars.count(f.text("exists")) != 0);
  if (f.has("remove")) vars.erase(f.text("remove"));
  for (const auto& setter : kSetters) {
    if (!f.has(setter.flag)) continue;
    const std::vector<MelValue>& pair = f.flags[setter.flag];
    Scene::OptionVar var;
    var.kind = setter.kind;
    if (var.kind == Scene::OptionVar::kString)
      var.text = pair[1].asString();
    else
      var.number = var.kind == Scene::OptionVar::kInt ? std::trunc(pair[1].asNumber()) : pair[1].asNumber();
    vars[pair[0].asString()] = var;
  }
  return MelValue();
}

}  // namespace

void registerOptionVarCommand(MelInterpreter& mel) { mel.registerCommand("optionVar", optionVar, optionVarFlags); }

}  // namespace OmbrixHost
