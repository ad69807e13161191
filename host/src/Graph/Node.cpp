#include "Node.h"

#include "NodeTypes.h"

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

const Value* Node::value(const std::string& key) const {
  auto it = values.find(key);
  return it == values.end() ? nullptr : &it->second;
}

double Node::number(const std::string& key, double fallback) const {
  const Value* v = value(key);
  if (v && v->kind == Value::kNumber)
    return v->number;
  return fallback;
}

std::string Node::text(const std::string& key) const {
  const Value* v = value(key);
  return v && v->kind == Value::kString ? v->text : std::string();
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
