#include "ObjectMatching.h"

#include <set>
#include <tuple>

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
  std::tuple<int, int, int> best{0, 0, 0};
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const std::set<std::string>& given = objects[i].names;
    if (!given.count(names.back())) continue;
    // Transforms that are not ancestors, ancestors not named, other names.
    std::tuple<int, int, int> cost{0, 0, 0};
    for (const auto& other : given) {
      if (other == names.back() || ancestors.count(other)) continue;
      ++std::get<2>(cost);
      if (isTransform(other)) ++std::get<0>(cost);
    }
    for (const auto& ancestor : ancestors) std::get<1>(cost) += given.count(ancestor) ? 0 : 1;
    if (choice.index < 0 || cost < best) {
      choice = {static_cast<int>(i), 0};
      best = cost;
    } else if (cost == best) {
      ++choice.ties;
    }
  }
  return choice;
}
