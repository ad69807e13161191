#include "Components.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace OmbrixHost {
namespace {

struct Prefix {
  const char* text;
  MFn::Type type;
};
const Prefix kPrefixes[] = {{"f", MFn::kMeshPolygonComponent},
                            {"vtx", MFn::kMeshVertComponent},
                            {"e", MFn::kMeshEdgeComponent},
                            {"map", MFn::kMeshMapComponent}};

bool parseNumber(const std::string& s, long& out) {
  if (s.empty() || s.size() > 10)
    return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c)))
      return false;
  out = std::strtol(s.c_str(), nullptr, 10);
  return true;
}

}  // namespace

bool parseComponent(const std::string& text, MFn::Type& type, std::vector<int>& elements, int count,
                    std::size_t limit) {
  auto open = text.find('[');
  if (open == std::string::npos || text.back() != ']')
    return false;
  std::string prefix = text.substr(0, open);
  type = MFn::kInvalid;
  for (const auto& p : kPrefixes)
    if (prefix == p.text)
      type = p.type;
  if (type == MFn::kInvalid)
    return false;
  std::string range = text.substr(open + 1, text.size() - open - 2);
  long lo = 0, hi = 0;
  if (range == "*") {
    if (count < 0)
      return false;
    lo = 0;
    hi = count - 1;
  } else {
    auto colon = range.find(':');
    if (colon == std::string::npos) {
      if (!parseNumber(range, lo))
        return false;
      hi = lo;
    } else if (!parseNumber(range.substr(0, colon), lo) || !parseNumber(range.substr(colon + 1), hi) || hi < lo) {
      return false;
    }
  }
  if (hi >= lo && static_cast<std::size_t>(hi - lo + 1) > limit)
    return false;
  for (long i = lo; i <= hi; ++i)
    elements.push_back(static_cast<int>(i));
  return true;
}

std::vector<std::string> formatComponent(MFn::Type type, const std::vector<int>& elements) {
  const char* prefix = "f";
  for (const auto& p : kPrefixes)
    if (p.type == type)
      prefix = p.text;
  std::vector<int> sorted = elements;
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  std::vector<std::string> out;
  for (std::size_t i = 0; i < sorted.size();) {
    std::size_t j = i;
    while (j + 1 < sorted.size() && sorted[j + 1] == sorted[j] + 1)
      ++j;
    std::string item = std::string(prefix) + "[" + std::to_string(sorted[i]);
    if (j > i)
      item += ":" + std::to_string(sorted[j]);
    out.push_back(item + "]");
    i = j + 1;
  }
  return out;
}

}  // namespace OmbrixHost
