#pragma once
// Component texts as Maya writes them: "f[0:5]", "vtx[3]", "e[*]".
#include <maya/MFn.h>

#include <string>
#include <vector>

namespace OmbrixHost {

// Parses one item; `count` resolves "*" (all elements). False on bad syntax or
// on a range larger than `limit` elements.
bool parseComponent(const std::string& text, MFn::Type& type, std::vector<int>& elements, int count = -1,
                    std::size_t limit = 1u << 26);
// Sorted ranges: {"f[0:2]", "f[5]"}.
std::vector<std::string> formatComponent(MFn::Type type, const std::vector<int>& elements);

}  // namespace OmbrixHost
