#include "SetMembers.h"

#include <utility>

#include "Components.h"
#include "HostObject.h"

namespace OmbrixHost {
namespace {

MObject componentOf(Node* shape, int instance, int group) {
  std::string key = "instObjGroups[" + std::to_string(instance) + "].objectGroups[" + std::to_string(group) +
                    "].objectGrpCompList";
  const Value v = shape->value(key);
  if (v.kind != Value::kStrings)
    return MObject();
  MFn::Type type = MFn::kInvalid;
  std::vector<int> elements;
  int faces = shape->mesh ? shape->mesh->numFaces() : 0;
  int points = shape->mesh ? static_cast<int>(shape->mesh->points.size()) : 0;
  for (const auto& item : v.strings) {
    MFn::Type t;
    if (!parseComponent(item, t, elements, item[0] == 'f' ? faces : points))
      continue;
    type = t;
  }
  return type == MFn::kInvalid ? MObject() : Access::makeComponent(type, std::move(elements));
}

void addDagMember(const PlugRef& src, MSelectionList& out) {
  auto paths = scene().allPaths(src.node);
  if (paths.empty())
    return;
  int instance = src.indices.empty() ? 0 : src.indices[0];
  const DagChain& chain = instance >= 0 && instance < static_cast<int>(paths.size()) ? paths[instance] : paths[0];
  MObject component;
  if (src.attr->name == "objectGroups") {
    // A group whose components are unknown holds nothing the host can name.
    if (src.indices.size() < 2 || (component = componentOf(src.node, instance < 0 ? 0 : instance, src.indices[1])).isNull())
      return;
  } else if (src.attr->name != "instObjGroups") {
    return;
  }
  out.add(Access::makePath(chain), component);
}

}  // namespace

void collectSetMembers(Node* set, MSelectionList& out, bool flatten, int depth) {
  for (const char* attrName : {"dagSetMembers", "dnSetMembers"}) {
    const AttrDef* attr = set->findAttribute(attrName);
    if (!attr)
      continue;
    PlugRef array{set, attr, {-1}};
    for (int index : scene().existingIndices(array)) {
      PlugRef element{set, attr, {index}};
      auto sources = scene().connectedTo(element, true, false);
      if (sources.empty())
        continue;
      const PlugRef& src = sources[0];
      if (src.node->hasFn(MFn::kSet) && flatten && depth < 32)
        collectSetMembers(src.node, out, flatten, depth + 1);
      else if (src.node->dag && src.attr->name != "message")
        addDagMember(src, out);
      else
        out.add(Access::wrap(src.node));
    }
  }
}

bool addSetMember(Node* set, const DagChain& path, MFn::Type componentType, const std::vector<int>& elements,
                  std::string& error) {
  if (path.empty()) {
    error = "Cannot add the world to a set";
    return false;
  }
  Node* shape = path.back();
  int instance = scene().instanceNumber(path);
  PlugRef src;
  std::string iog = "instObjGroups[" + std::to_string(instance) + "]";
  if (componentType == MFn::kInvalid) {
    if (!scene().resolvePlugOn(shape, iog, src, error))
      return false;
  } else {
    const AttrDef* og = shape->findAttribute("objectGroups");
    int group = scene().nextFreeIndex(shape, og, {instance, -1});
    std::string base = iog + ".objectGroups[" + std::to_string(group) + "]";
    PlugRef list;
    if (!scene().resolvePlugOn(shape, base + ".objectGrpCompList", list, error) ||
        !scene().resolvePlugOn(shape, base, src, error))
      return false;
    auto texts = formatComponent(componentType, elements);
    Value v = Value::ofStrings(texts);
    v.text = "componentList";
    scene().setValue(list, v);
  }
  PlugRef dst{set, set->findAttribute("dagSetMembers"), {-1}};
  return dst.attr && scene().connect(src, dst, false, true, error);
}

bool addSetMember(Node* set, Node* dependNode, std::string& error) {
  PlugRef src{dependNode, dependNode->findAttribute("message"), {}};
  PlugRef dst{set, set->findAttribute("dnSetMembers"), {-1}};
  if (!src.attr || !dst.attr) {
    error = "Cannot add " + dependNode->name + " to " + set->name;
    return false;
  }
  return scene().connect(src, dst, false, true, error);
}

}  // namespace OmbrixHost
