#include "ResolvedPlugs.h"

#include "Scene.h"

namespace OmbrixHost {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ResolvedPlugs::find(const Node* node, const std::string& text, PlugRef& out) const {
  for (const Shape& shape : shapes_)
    if (node && shape.node == node && node->serial == shape.serial && scene().loading == shape.loading &&
        shape.fill(text, out))
      return true;
  return false;
}

// The plug `other` names when it has this shape's text but for its indices' digits.
bool ResolvedPlugs::Shape::fill(const std::string& other, PlugRef& out) const {
  out = plug;
  std::size_t i = 0, j = 0, k = 0;
  while (i < text.size() && j < other.size()) {
    if (text[i] != other[j])
      return false;
    ++i;
    ++j;
    if (text[i - 1] != '[')
      continue;
    // An index as the full resolution takes one: one to nine digits.
    while (i < text.size() && isDigit(text[i]))
      ++i;
    const std::size_t first = j;
    int index = 0;
    for (; j < other.size() && isDigit(other[j]) && j - first < 9; ++j)
      index = index * 10 + (other[j] - '0');
    if (j == first || k == positions.size() || (j < other.size() && isDigit(other[j])))
      return false;
    out.indices[positions[k++]] = index;
  }
  return i == text.size() && j == other.size() && k == positions.size();
}

void ResolvedPlugs::remember(const Node* node, const std::string& text, const PlugRef& plug,
                             std::vector<std::size_t> positions) {
  Shape& shape = shapes_[next_];
  next_ = (next_ + 1) % kShapes;
  shape.node = node;
  shape.serial = node->serial;
  shape.loading = scene().loading;
  shape.text = text;
  shape.plug = plug;
  shape.positions = std::move(positions);
}

}  // namespace OmbrixHost
