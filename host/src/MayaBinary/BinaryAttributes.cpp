#include "BinaryAttributes.h"

#include "BinaryMesh.h"
#include "Scene.h"
#include "SetAttr.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace OmbrixHost {
namespace {

constexpr std::uint8_t kHasCount = 0x08;
// No element index beyond this, whatever the budget (elements are stored densely).
constexpr long long kIndexLimit = 1LL << 22;

struct Target {
  std::string name;  // as the file gives it, "wl[0:7].w"
  PlugRef plug;      // the first element of a range
  long long lo = -1, hi = -1;
  int rangeLevel = -1;  // position of the ranged index on the attribute's chain
  long long elements() const { return lo >= 0 ? hi - lo + 1 : 1; }
};

// Charges the highest index the chunk uses on each array of the attribute's chain.
bool chargeIndices(const Node& node, const Target& t, IndexBudget& budget, std::string& reason) {
  const auto chain = t.plug.attr->chain();
  for (std::size_t level = 0; level < chain.size(); ++level) {
    const long long index = static_cast<int>(level) == t.rangeLevel ? t.hi : t.plug.indices[level];
    if (chain[level]->array && index >= 0 && !budget.charge(&node, chain[level], index)) {
      reason = "the indices in " + t.name + " are beyond what the file can hold";
      return false;
    }
  }
  return true;
}

bool resolveTarget(Node& node, ChunkData& d, Target& t, IndexBudget& budget, std::string& reason) {
  std::uint8_t flags;
  std::uint32_t size;
  if (!d.text(t.name) || !d.u8(flags) || ((flags & kHasCount) && !d.u32(size))) {
    reason = "the attribute name and flags are cut off";
    return false;
  }
  std::string base;
  splitRange(t.name, base, t.lo, t.hi);
  if (t.lo >= 0 && (t.hi < t.lo || t.hi >= kIndexLimit)) {
    reason = "invalid index range in " + t.name;
    return false;
  }
  std::string error;
  if (!scene().resolvePlugOn(&node, base, t.plug, error)) {
    reason = error;
    return false;
  }
  for (int index : t.plug.indices)
    if (index >= kIndexLimit) {
      reason = "the index in " + t.name + " is beyond what the host keeps";
      return false;
    }
  if (t.lo >= 0) {
    auto chain = t.plug.attr->chain();
    for (int level = static_cast<int>(chain.size()) - 1; level >= 0 && t.rangeLevel < 0; --level)
      if (chain[level]->array && t.plug.indices[level] >= 0)
        t.rangeLevel = level;
    if (t.rangeLevel < 0) {
      reason = t.name + " gives a range on no array";
      return false;
    }
  }
  return chargeIndices(node, t, budget, reason);
}

PlugRef element(const Target& t, long long k) {
  PlugRef p = t.plug;
  if (t.rangeLevel >= 0)
    p.indices[static_cast<std::size_t>(t.rangeLevel)] = static_cast<int>(t.lo + k);
  return p;
}

bool numeric(AttrKind k) {
  return k != AttrKind::kCompound && k != AttrKind::kString && k != AttrKind::kMessage &&
         k != AttrKind::kComponentList && k != AttrKind::kMatrix && k != AttrKind::kMesh &&
         k != AttrKind::kNurbsSurface;
}

// The numbers one element of the attribute takes: 1 for a number, the sum
// of its children for a compound; 0 when it takes none.
std::size_t leaves(const AttrDef* a) {
  if (a->kind != AttrKind::kCompound)
    return numeric(a->kind) ? 1 : 0;
  std::size_t n = 0;
  for (const auto& c : a->children) {
    std::size_t k = leaves(c.get());
    if (k == 0 || c->array)
      return 0;
    n += k;
  }
  return n;
}

double normalized(const AttrDef* a, double v) {
  if (a->kind == AttrKind::kBool)
    return v != 0.0 ? 1.0 : 0.0;
  if (a->kind == AttrKind::kInt || a->kind == AttrKind::kEnum)
    return std::trunc(v);
  return v;
}

void putLeaves(const PlugRef& plug, const double*& v) {
  if (plug.attr->kind != AttrKind::kCompound) {
    scene().setValue(plug, Value::ofNumber(normalized(plug.attr, *v++)));
    return;
  }
  for (const auto& child : plug.attr->children) {
    PlugRef p{plug.node, child.get(), plug.indices};
    p.indices.push_back(-1);
    putLeaves(p, v);
  }
}

void storeTagged(const PlugRef& plug, std::vector<double> numbers, const char* type) {
  Value v = Value::ofNumbers(std::move(numbers));
  v.text = type;
  scene().setValue(plug, std::move(v));
}

struct NumberShape {
  const char* tag;
  unsigned width;      // numbers per element
  unsigned bytes;      // 8 doubles, 4 floats
  const char* type;    // the data type a list of them is kept as
};

const NumberShape kShapes[] = {
    {"DBLE", 1, 8, "double"}, {"DBL2", 2, 8, "double2"}, {"DBL3", 3, 8, "double3"},
    {"FLT2", 2, 4, "float2"}, {"FLT3", 3, 4, "float3"},   {"MATR", 16, 8, "matrix"},
};

const NumberShape* shapeOf(const char* tag) {
  for (const auto& s : kShapes)
    if (std::memcmp(s.tag, tag, 4) == 0)
      return &s;
  return nullptr;
}

bool readNumbers(ChunkData& d, const NumberShape& s, std::size_t count, std::vector<double>& out) {
  out.resize(count);
  for (double& v : out) {
    float f;
    if (s.bytes == 8 ? !d.f64(v) : !d.f32(f))
      return false;
    if (s.bytes == 4)
      v = f;
  }
  return true;
}

bool meshUVs(Node& node, const Target& t, const std::vector<double>& numbers) {
  int set = t.plug.indices.empty() ? -1 : t.plug.indices[0];
  if (!node.mesh || t.plug.attr->name != "uvSetPoints" || set < 0 || set >= static_cast<int>(node.mesh->uvSets.size()))
    return false;
  UVSet& uvs = node.mesh->uvSets[static_cast<std::size_t>(set)];
  const std::size_t first = t.lo >= 0 ? static_cast<std::size_t>(t.lo) : static_cast<std::size_t>(t.plug.indices.back());
  if (first > uvs.us.size())
    return false;  // UVs come in order: a later one first would be a hostile index
  const std::size_t end = first + numbers.size() / 2;
  if (end > uvs.us.size()) {
    uvs.us.resize(end);
    uvs.vs.resize(end);
  }
  for (std::size_t k = 0; k < numbers.size() / 2; ++k) {
    uvs.us[first + k] = static_cast<float>(numbers[2 * k]);
    uvs.vs[first + k] = static_cast<float>(numbers[2 * k + 1]);
  }
  return true;
}

// A multi of numbers under each element of a range ("wl[0:7].w"): per
// element a 32-bit count, then that many 32-bit index and value pairs.
AttrChunkResult sparseNumbers(const Target& t, ChunkData& d, IndexBudget& budget, std::string& reason) {
  std::vector<std::pair<PlugRef, double>> values;
  for (long long k = 0; k < t.elements(); ++k) {
    std::int32_t n;
    if (!d.i32(n) || n < 0 || static_cast<std::uint64_t>(n) * 12 > d.remaining()) {
      reason = "the element counts of " + t.name + " exceed the chunk";
      return AttrChunkResult::kSkipped;
    }
    PlugRef base = element(t, k);
    for (std::int32_t j = 0; j < n; ++j) {
      std::int32_t index;
      double v;
      d.i32(index), d.f64(v);
      if (index < 0 || index >= kIndexLimit || !budget.charge(t.plug.node, t.plug.attr, index)) {
        reason = "an index out of range in " + t.name;
        return AttrChunkResult::kSkipped;
      }
      PlugRef p = base;
      p.indices.back() = index;
      values.emplace_back(p, normalized(p.attr, v));
    }
  }
  if (d.remaining() != 0) {
    reason = "more bytes than the elements of " + t.name + " take";
    return AttrChunkResult::kSkipped;
  }
  for (auto& [plug, v] : values)
    scene().setValue(plug, Value::ofNumber(v));
  return AttrChunkResult::kRead;
}

bool isTimeNode(const Node& node) {
  return node.typeName == "time" || node.typeName == "time1";  // the host's new scene has an opaque "time1"
}

// Times: a count of ticks per element, 32-bit or 64-bit as the chunk's size says.
AttrChunkResult times(const Target& t, ChunkData& d, const TimeUnits& time, std::string& reason) {
  const std::uint64_t n = static_cast<std::uint64_t>(t.elements());
  if (d.remaining() != 4 * n && d.remaining() != 8 * n) {
    reason = "the times of " + t.name + " are " + std::to_string(d.remaining()) + " bytes";
    return AttrChunkResult::kSkipped;
  }
  const bool wide = d.remaining() == 8 * n;
  for (std::uint64_t k = 0; k < n; ++k) {
    std::int64_t ticks = 0;
    std::int32_t narrow = 0;
    if (wide)
      d.i64(ticks);
    else if (d.i32(narrow))
      ticks = narrow;
    scene().setValue(element(t, static_cast<long long>(k)),
                     Value::ofNumber(static_cast<double>(ticks) * time.framesPerSecond / time.ticksPerSecond));
  }
  return AttrChunkResult::kRead;
}

AttrChunkResult numbers(Node& node, const Target& t, const NumberShape& s, ChunkData& d, const TimeUnits& time,
                        IndexBudget& budget, std::string& reason) {
  const AttrDef* a = t.plug.attr;
  if (s.width == 1 && a->array && !t.plug.indices.empty() && t.plug.indices.back() < 0 && t.lo >= 0)
    return sparseNumbers(t, d, budget, reason);
  if (s.width == 1 && isTimeNode(node))
    return times(t, d, time, reason);
  const std::uint64_t count = static_cast<std::uint64_t>(t.elements()) * s.width;
  if (count * s.bytes != d.remaining()) {
    reason = std::string(s.tag) + " value of " + t.name + " is " + std::to_string(d.remaining()) + " bytes, not " +
             std::to_string(count * s.bytes);
    return AttrChunkResult::kSkipped;
  }
  std::vector<double> values;
  readNumbers(d, s, static_cast<std::size_t>(count), values);
  if (meshUVs(node, t, values))
    return AttrChunkResult::kRead;
  const std::size_t taken = leaves(a);
  for (long long k = 0; k < t.elements(); ++k) {
    std::vector<double> one(values.begin() + static_cast<std::ptrdiff_t>(k * s.width),
                            values.begin() + static_cast<std::ptrdiff_t>((k + 1) * s.width));
    if (taken == s.width) {
      const double* v = one.data();
      putLeaves(element(t, k), v);
    } else if (a->kind == AttrKind::kGeneric || (a->kind == AttrKind::kMatrix && s.width == 16)) {
      if (s.width == 1)
        scene().setValue(element(t, k), Value::ofNumber(one[0]));
      else
        storeTagged(element(t, k), std::move(one), s.type);
    } else {
      reason = std::string(s.tag) + " value does not fit " + a->name;
      return AttrChunkResult::kSkipped;
    }
  }
  return AttrChunkResult::kRead;
}

AttrChunkResult compound(const Target& t, ChunkData& d, std::string& reason) {
  if (d.remaining() == 0)
    return AttrChunkResult::kRead;  // the size of an array only
  const std::size_t taken = leaves(t.plug.attr);
  const std::uint64_t count = static_cast<std::uint64_t>(t.elements()) * taken;
  if (t.plug.attr->kind != AttrKind::kCompound || taken == 0 || count * 8 != d.remaining()) {
    reason = "the layout of compound " + t.name + " depends on a definition the host does not have";
    return AttrChunkResult::kSkipped;
  }
  std::vector<double> values;
  readNumbers(d, kShapes[0], static_cast<std::size_t>(count), values);
  const double* v = values.data();
  for (long long k = 0; k < t.elements(); ++k)
    putLeaves(element(t, k), v);
  return AttrChunkResult::kRead;
}

AttrChunkResult text(Node& node, const Target& t, ChunkData& d, std::string& reason) {
  std::string value;
  if (!d.text(value) || d.remaining() != 0 || t.lo >= 0) {
    reason = "the string of " + t.name + " does not fill its chunk";
    return AttrChunkResult::kSkipped;
  }
  int set = t.plug.indices.empty() ? -1 : t.plug.indices[0];
  if (node.mesh && t.plug.attr->name == "uvSetName" && set >= 0 && set < 256) {
    auto& sets = node.mesh->uvSets;
    while (static_cast<int>(sets.size()) <= set)
      sets.push_back(UVSet{"", {}, {}, std::vector<int>(node.mesh->faceConnects.size(), -1)});
    sets[static_cast<std::size_t>(set)].name = value;
  }
  scene().setValue(t.plug, Value::ofString(value));
  return AttrChunkResult::kRead;
}

// stringArray: a 32-bit count, then the NUL-ended strings.
bool strings(ChunkData& d, std::vector<std::string>& out) {
  std::int32_t n;
  if (!d.i32(n) || n < 0 || static_cast<std::uint64_t>(n) > d.remaining())
    return false;
  out.resize(static_cast<std::size_t>(n));
  for (std::string& item : out)
    if (!d.text(item))
      return false;
  return d.remaining() == 0;
}

// componentList: a count of items, then per item its kind ("CMDV" mesh
// vertices, "CMDE" edges, "CMDF" faces), a count of index ranges and the
// ranges, first and last index; a first index of -1 stands for all.
bool components(ChunkData& d, std::vector<std::string>& out) {
  static const std::pair<const char*, const char*> kKinds[] = {{"CMDV", "vtx"}, {"CMDE", "e"}, {"CMDF", "f"}};
  std::int32_t n;
  if (!d.i32(n) || n < 0 || static_cast<std::uint64_t>(n) * 8 > d.remaining())
    return false;
  for (std::int32_t k = 0; k < n; ++k) {
    std::string kind(4, ' ');
    const char* word = nullptr;
    std::int32_t ranges;
    for (char& c : kind) {
      std::uint8_t b;
      if (!d.u8(b))
        return false;
      c = static_cast<char>(b);
    }
    for (const auto& known : kKinds)
      if (kind == known.first)
        word = known.second;
    if (!word || !d.i32(ranges) || ranges < 0 || static_cast<std::uint64_t>(ranges) * 8 > d.remaining())
      return false;
    for (std::int32_t r = 0; r < ranges; ++r) {
      std::int32_t first, last;
      d.i32(first), d.i32(last);
      if (first == -1)
        out.push_back(std::string(word) + "[*]");
      else if (first < 0 || last < first)
        return false;
      else
        out.push_back(std::string(word) + "[" + std::to_string(first) +
                      (last == first ? "" : ":" + std::to_string(last)) + "]");
    }
  }
  return d.remaining() == 0;
}

AttrChunkResult lists(const char* tag, const Target& t, ChunkData& d, std::string& reason) {
  std::vector<std::string> texts;
  std::vector<double> ints;
  bool ok;
  Value v;
  if (std::memcmp(tag, "STR#", 4) == 0) {
    ok = strings(d, texts);
    v = Value::ofStrings(texts);
    v.text = "stringArray";
  } else if (std::memcmp(tag, "I32#", 4) == 0) {  // the integers fill the chunk, without a count
    ok = d.remaining() % 4 == 0;
    ints.resize(static_cast<std::size_t>(d.remaining() / 4));
    for (double& i : ints) {
      std::int32_t n;
      d.i32(n);
      i = n;
    }
    v = Value::ofNumbers(ints);
    v.text = "Int32Array";
  } else {
    ok = components(d, texts);
    v = Value::ofStrings(texts);
    v.text = "componentList";
  }
  if (!ok || t.lo >= 0) {
    reason = std::string(tag, 4) + " value of " + t.name + " is of a layout not known";
    return AttrChunkResult::kSkipped;
  }
  scene().setValue(t.plug, std::move(v));
  return AttrChunkResult::kRead;
}

AttrChunkResult mesh(Node& node, const Target& t, ChunkData& d, std::string& reason) {
  if (!node.mesh || t.plug.attr->kind != AttrKind::kMesh) {
    reason = "a MESH value on " + t.name + ", which holds no mesh";
    return AttrChunkResult::kSkipped;
  }
  std::string error, note;
  if (!readMeshValue(d, *node.mesh, error, note)) {
    reason = "the mesh is broken (" + error + ")";
    return AttrChunkResult::kSkipped;
  }
  if (!note.empty()) {
    reason = "the mesh is read without UVs: " + note;
    return AttrChunkResult::kSkipped;
  }
  return AttrChunkResult::kRead;
}

}  // namespace

bool IndexBudget::charge(const Node* node, const AttrDef* attr, long long index) {
  long long& highest = highest_.emplace(std::make_pair(node, attr), -1).first->second;
  if (index <= highest)
    return true;
  const auto growth = static_cast<std::uint64_t>(index - highest);
  if (growth > left_)
    return false;
  left_ -= growth;
  highest = index;
  return true;
}

AttrChunkResult readAttributeChunk(Node& node, const char* tag, ChunkData data, const TimeUnits& time,
                                   IndexBudget& budget, std::string& reason) {
  const bool known = std::memcmp(tag, "FLGS", 4) == 0 || std::memcmp(tag, "CMPD", 4) == 0 ||
                     std::memcmp(tag, "STR ", 4) == 0 || std::memcmp(tag, "STR#", 4) == 0 ||
                     std::memcmp(tag, "I32#", 4) == 0 || std::memcmp(tag, "CMP#", 4) == 0 ||
                     std::memcmp(tag, "MESH", 4) == 0 || shapeOf(tag);
  if (!known) {
    reason = std::string(tag, 4) + " chunks are not read";
    return AttrChunkResult::kSkipped;
  }
  Target t;
  if (!resolveTarget(node, data, t, budget, reason))
    return AttrChunkResult::kSkipped;
  if (std::memcmp(tag, "FLGS", 4) == 0)
    return AttrChunkResult::kRead;  // keyable, locked, the size of an array: nothing the host keeps
  if (const NumberShape* s = shapeOf(tag))
    return numbers(node, t, *s, data, time, budget, reason);
  if (std::memcmp(tag, "CMPD", 4) == 0)
    return compound(t, data, reason);
  if (std::memcmp(tag, "STR ", 4) == 0)
    return text(node, t, data, reason);
  if (std::memcmp(tag, "MESH", 4) == 0)
    return mesh(node, t, data, reason);
  return lists(tag, t, data, reason);
}

}  // namespace OmbrixHost
