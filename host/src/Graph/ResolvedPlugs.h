#pragma once
// The plugs a file's setAttr statements named last, each kept with the shape
// of its text: a statement that differs from one only in its indices
// (".wl[7].w[2]" after ".wl[7].w[5]", as Maya saves a weight a statement)
// names the same attribute, and its plug is had without splitting the text
// again. A few are kept, as Maya alternates a row's size and its weights.
#include "ConnectionList.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace OmbrixHost {

class ResolvedPlugs {
public:
  // The plug `text` names on `node` when the text has the remembered one's
  // shape: the same characters but for the digits of each index.
  bool find(const Node* node, const std::string& text, PlugRef& out) const;
  // `positions`: the chain position of each index the text gives, in order.
  void remember(const Node* node, const std::string& text, const PlugRef& plug, std::vector<std::size_t> positions);
  // Whatever ran in between may have changed the node's attributes.
  void forget() {
    for (Shape& shape : shapes_)
      shape.node = nullptr;
  }

private:
  struct Shape {
    const Node* node = nullptr;
    std::uint64_t serial = 0;
    bool loading = false;
    std::string text;
    PlugRef plug;
    std::vector<std::size_t> positions;
    bool fill(const std::string& other, PlugRef& out) const;
  };
  static constexpr unsigned kShapes = 4;
  Shape shapes_[kShapes];
  unsigned next_ = 0;
};

}  // namespace OmbrixHost
