#include "IO/ValueCodeTable.h"

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace {

struct TreeNode {
  int count;
  const float* value;  // null for inner nodes
  int left = -1, right = -1;
};

}  // namespace

namespace {

// NaN has no place in an ordered table; it is written as 0 (which is also
// what a reader makes of a value that is not finite).
float Key(double value) { return value == value ? static_cast<float>(value) : 0.0f; }

}  // namespace

void ValueCodeTable::Add(double value) { ++entries_[Key(value)].count; }

void ValueCodeTable::Build() {
  std::vector<TreeNode> nodes;
  nodes.reserve(entries_.size() * 2);
  // Ordered by count; an element goes after those of equal count.
  std::multimap<long long, int> queue;
  for (auto& [value, entry] : entries_) {
    nodes.push_back({entry.count, &value});
    queue.emplace(entry.count, static_cast<int>(nodes.size()) - 1);
  }
  while (queue.size() >= 2) {
    auto first = queue.begin();
    const int a = first->second;
    queue.erase(first);
    auto second = queue.begin();
    const int b = second->second;
    queue.erase(second);
    nodes.push_back({nodes[static_cast<size_t>(a)].count + nodes[static_cast<size_t>(b)].count,
                     nullptr, a, b});
    queue.emplace(nodes.back().count, static_cast<int>(nodes.size()) - 1);
  }
  if (queue.empty()) return;
  // Walk from the root: left adds a 0 bit, right a 1 bit.
  std::vector<std::pair<int, std::pair<uint64_t, int>>> stack = {{queue.begin()->second, {0, 0}}};
  while (!stack.empty()) {
    const auto [index, codeAndDepth] = stack.back();
    stack.pop_back();
    const TreeNode& node = nodes[static_cast<size_t>(index)];
    const auto [code, depth] = codeAndDepth;
    if (node.value != nullptr) {
      Entry& entry = entries_[*node.value];
      entry.code = code;
      entry.length = depth;
      continue;
    }
    stack.push_back({node.right, {code * 2 + 1, depth + 1}});
    stack.push_back({node.left, {code * 2, depth + 1}});
  }
}

std::string ValueCodeTable::CodeText(uint64_t code, int length) {
  std::string text(static_cast<size_t>(length), '0');
  for (int i = 0; i < length && i < 64; ++i)
    if ((code >> i) & 1u) text[static_cast<size_t>(length - 1 - i)] = '1';
  return text;
}

std::string ValueCodeTable::Code(double value) const {
  const auto found = entries_.find(Key(value));
  return found == entries_.end() ? std::string() : CodeText(found->second.code, found->second.length);
}
