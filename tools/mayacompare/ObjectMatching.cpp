#include "ObjectMatching.h"

#include <set>
#include <utility>

namespace {

std::vector<std::string> pathNames(const std::string& dagPath) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= dagPath.size()) {
    std::size_t bar = dagPath.find('|', start);
    if (bar == std::string::npos) bar = dagPath.size();
    if (bar > start) names.push_back(dagPath.substr(start, bar - start));
    start = bar + 1;
  }
  return names;
}

}  // namespace

ObjObjectChoice findObjObject(const std::vector<MayaObjObject>& objects, const std::string& dagPath,
                              const std::function<bool(const std::string&)>& isTransform) {
  ObjObjectChoice choice;
  const std::vector<std::string> names = pathNames(dagPath);
  if (names.empty()) return choice;
  const std::set<std::string> ancestors(names.begin(), names.end() - 1);
  std::pair<int, int> best{0, 0};
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (!objects[i].names.count(names.back())) continue;
    std::pair<int, int> cost{0, 0};
    for (const auto& other : objects[i].names) {
      if (other == names.back() || ancestors.count(other)) continue;
      ++cost.second;
      if (isTransform(other)) ++cost.first;
    }
    if (choice.index < 0 || cost < best) {
      choice = {static_cast<int>(i), 0};
      best = cost;
    } else if (cost == best) {
      ++choice.ties;
    }
  }
  return choice;
}
