#pragma once
// Component texts as Maya writes them: "f[0:5]", "vtx[3]", "e[*]".
#include <maya/MFn.h>

#include <cstdint>
#include <string>
#include <vector>

namespace OmbrixHost {

// Parses one item; `count` resolves "*" (all elements). False on bad syntax or
// on a range larger than `limit` elements.
bool parseComponent(const std::string& text, MFn::Type& type, std::vector<int>& elements, int count = -1,
                    std::size_t limit = 1u << 26);
// The first and last element one item names, without listing them ("*" is 0
// to count - 1). False on bad syntax.
bool parseComponentRange(const std::string& text, MFn::Type& type, int64_t& lo, int64_t& hi, int count = -1);
// Sorted ranges: {"f[0:2]", "f[5]"}.
std::vector<std::string> formatComponent(MFn::Type type, const std::vector<int>& elements);

}  // namespace OmbrixHost
