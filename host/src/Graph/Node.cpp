#include "Node.h"

#include "NodeTypes.h"
#include "Scene.h"

namespace OmbrixHost {

AttrDef* Node::findAttribute(const std::string& attrName) const {
  if (type)
    if (AttrDef* a = findAttr(type->attrs, attrName))
      return a;
  return findAttr(dynamicAttrs, attrName);
}

std::vector<AttrDef*> Node::rootAttributes() const {
  std::vector<AttrDef*> out;
  if (type)
    for (auto& a : type->attrs)
      out.push_back(a.get());
  for (auto& a : dynamicAttrs)
    out.push_back(a.get());
  return out;
}

// The inverse of plugKey: every attribute of the chain named, by long or
// short name, with an index on each array that has one.
bool Node::resolveKey(const std::string& key, const AttrDef*& attr, std::vector<int>& indices) const {
  std::vector<std::pair<std::string, int>> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = key.find('.', start);
    std::string name;
    int index = -1;
    if (!splitIndexed(key.substr(start, dot == std::string::npos ? std::string::npos : dot - start), name, index))
      return false;
    parts.emplace_back(std::move(name), index);
    if (dot == std::string::npos)
      break;
    start = dot + 1;
  }
  attr = findAttribute(parts.back().first);
  if (!attr)
    return false;
  auto chain = attr->chain();
  if (chain.size() != parts.size())
    return false;
  indices.assign(chain.size(), -1);
  for (std::size_t i = 0; i < chain.size(); ++i) {
    const auto& [name, index] = parts[i];
    if ((chain[i]->name != name && chain[i]->shortName != name) || (index >= 0 && !chain[i]->array))
      return false;
    indices[i] = index;
  }
  return true;
}

Value Node::value(const std::string& key) const {
  const AttrDef* attr = nullptr;
  std::vector<int> indices;
  return resolveKey(key, attr, indices) ? values.get(attr, indices) : Value();
}

void Node::setValue(const std::string& key, Value v) {
  const AttrDef* attr = nullptr;
  std::vector<int> indices;
  if (resolveKey(key, attr, indices))
    values.set(attr, indices, std::move(v));
}

double Node::number(const std::string& key, double fallback) const {
  const AttrDef* attr = nullptr;
  std::vector<int> indices;
  return resolveKey(key, attr, indices) ? values.number(attr, indices, fallback) : fallback;
}

std::string Node::text(const std::string& key) const {
  Value v = value(key);
  return v.kind == Value::kString ? v.text : std::string();
}

bool Node::hasFn(MFn::Type wanted) const { return typeHasFn(apiType, wanted); }

std::string PlugRef::key() const { return plugKey(attr, indices); }

std::string plugKey(const AttrDef* attr, const std::vector<int>& indices) {
  std::string key;
  auto chain = attr->chain();
  for (std::size_t i = 0; i < chain.size(); ++i) {
    if (i)
      key += '.';
    key += chain[i]->name;
    if (chain[i]->array && i < indices.size() && indices[i] >= 0)
      key += "[" + std::to_string(indices[i]) + "]";
  }
  return key;
}

}  // namespace OmbrixHost
