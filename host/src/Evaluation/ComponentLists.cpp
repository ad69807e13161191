#include "ComponentLists.h"

#include "Components.h"

#include <algorithm>
#include <cstdint>

namespace OmbrixHost {

ListedElements listedElements(const Node& node, MFn::Type wanted, int count) {
  ListedElements out;
  const Value list = node.value("inputComponents");
  if (list.kind != Value::kStrings)
    return out;
  out.given = !list.strings.empty();
  for (const auto& text : list.strings) {
    MFn::Type type;
    int64_t lo = 0, hi = 0;
    if (!parseComponentRange(text, type, lo, hi, count)) {
      if (out.unreadable.empty())
        out.unreadable = text;
      out.stray.push_back(text);
      continue;
    }
    // Only the part of the range the mesh has is listed: a range past it costs nothing.
    if (type == wanted)
      for (int64_t e = std::max<int64_t>(lo, 0); e <= hi && e < count; ++e)
        out.elements.push_back(static_cast<int>(e));
    if (type != wanted || lo < 0 || hi >= count)
      out.stray.push_back(text);
  }
  return out;
}

bool selectedElements(const Node& node, MFn::Type wanted, int count, std::vector<bool>& out, std::string& why) {
  ListedElements listed = listedElements(node, wanted, count);
  if (!listed.unreadable.empty()) {
    why = "its component \"" + listed.unreadable + "\" cannot be read";
    return false;
  }
  out.assign(static_cast<std::size_t>(count), !listed.given);
  for (int e : listed.elements)
    out[static_cast<std::size_t>(e)] = true;
  return true;
}

std::string strayNote(const ListedElements& listed, const char* element, int count) {
  if (listed.stray.empty())
    return std::string();
  std::string items;
  for (const auto& item : listed.stray)
    items += (items.empty() ? "\"" : ", \"") + item + "\"";
  return "its components " + items + " name no " + element + " of the mesh (which has " + std::to_string(count) +
         ") and are left out";
}

ListedElements listedEdges(const Node& node, const MeshEdges& edges, std::string& note) {
  ListedElements listed = listedElements(node, MFn::kMeshEdgeComponent, edges.count());
  note = strayNote(listed, "edge", edges.count());
  if (note.empty() && listed.elements.empty())
    note = "its inputComponents name no edges; the UVs are unchanged";
  return listed;
}

UVSet* targetSet(const Node& node, MeshData& m) {
  std::string name = node.text("uvSetName");
  return name.empty() ? m.uvSet(nullptr) : m.uvSet(&name);
}

std::vector<std::size_t> faceOffsets(const MeshData& m) {
  std::vector<std::size_t> offsets(m.faceCounts.size() + 1, 0);
  for (std::size_t f = 0; f < m.faceCounts.size(); ++f)
    offsets[f + 1] = offsets[f] + static_cast<std::size_t>(m.faceCounts[f] > 0 ? m.faceCounts[f] : 0);
  return offsets;
}

}  // namespace OmbrixHost
