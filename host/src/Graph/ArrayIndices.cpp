#include "ArrayIndices.h"

namespace OmbrixHost {

std::size_t chainDepth(const AttrDef* attr) {
  std::size_t depth = 0;
  for (const AttrDef* a = attr; a; a = a->parent)
    ++depth;
  return depth;
}

std::vector<int> normalizedIndices(const AttrDef* attr, std::size_t depth, const std::vector<int>& indices) {
  std::vector<int> out(depth, -1);
  std::size_t pos = depth;
  for (const AttrDef* a = attr; a; a = a->parent) {
    --pos;
    if (a->array && pos < indices.size() && indices[pos] >= 0)
      out[pos] = indices[pos];
  }
  return out;
}

void forEachAttrUnder(const AttrDef* attr, const std::function<void(const AttrDef*)>& visit) {
  visit(attr);
  for (const auto& child : attr->children)
    forEachAttrUnder(child.get(), visit);
}

std::vector<int> indicesAbove(const AttrDef* arrayAttr, const std::vector<int>& indices) {
  std::vector<int> above = normalizedIndices(arrayAttr, chainDepth(arrayAttr), indices);
  above.pop_back();
  return above;
}

}  // namespace OmbrixHost
