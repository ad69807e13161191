#include "SetAttr.h"

#include "DataCursor.h"
#include "MeshFileData.h"
#include "Scene.h"

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace OmbrixHost {
namespace {

struct Request {
  std::string plugText;
  std::string type;
  long long size = -1;
  const char* values = nullptr;
  const char* end = nullptr;
};

bool isFlag(const std::string& item, bool quoted) {
  return !quoted && item.size() > 1 && item[0] == '-' && std::isalpha(static_cast<unsigned char>(item[1]));
}

bool isBoolWord(const std::string& w) {
  return w == "on" || w == "off" || w == "yes" || w == "no" || w == "true" || w == "false" || w == "1" || w == "0";
}

// Flags may come before and after the plug; the values start at the first
// item after the plug that is not a flag.
bool parseRequest(const char* begin, const char* end, Request& r, std::string& error) {
  DataCursor c(begin, end);
  std::string item;
  bool quoted = false;
  bool havePlug = false;
  while (!c.atEnd()) {
    const char* before = c.position();
    if (!c.item(item, quoted)) {
      error = "unterminated string";
      return false;
    }
    if (isFlag(item, quoted)) {
      std::string flag = item.substr(1), value;
      bool valueQuoted;
      if (flag == "type" || flag == "typ" || flag == "s" || flag == "size" || flag == "ch") {
        if (!c.item(value, valueQuoted)) {
          error = "flag -" + flag + " needs a value";
          return false;
        }
        if (flag == "type" || flag == "typ")
          r.type = value;
        else if (flag == "s" || flag == "size")
          r.size = std::atoll(value.c_str());
      } else if (flag == "k" || flag == "l" || flag == "cb" || flag == "ca" || flag == "keyable" ||
                 flag == "lock" || flag == "channelBox" || flag == "caching") {
        if (c.peek(value, valueQuoted) && !valueQuoted && isBoolWord(value))
          c.item(value, valueQuoted);
      } else if (flag != "av" && flag != "c" && flag != "clamp" && flag != "alteredValue") {
        error = "Invalid flag '-" + flag + "'";
        return false;
      }
      continue;
    }
    if (!havePlug) {
      r.plugText = item;
      havePlug = true;
      continue;
    }
    r.values = before;
    r.end = end;
    return true;
  }
  if (!havePlug) {
    error = "an attribute name is needed";
    return false;
  }
  r.values = r.end = end;
  return true;
}

// A translate of two values (polyMoveUV's) moves UVs, not points.
bool isDistance(const AttrDef* a) {
  for (const AttrDef* p = a; p; p = p->parent)
    if (p->distance || (p->name == "translate" && p->children.size() == 3) || p->name == "rotatePivot" || p->name == "scalePivot" ||
        p->name == "rotatePivotTranslate" || p->name == "scalePivotTranslate" || p->name == "pnts")
      return true;
  return false;
}

bool numeric(AttrKind k) {
  return k != AttrKind::kCompound && k != AttrKind::kString && k != AttrKind::kMessage &&
         k != AttrKind::kComponentList;
}

// Numbers into a numeric attribute or, one by one, into a compound's children.
bool putNumbers(const PlugRef& plug, DataCursor& c, std::string& error) {
  if (plug.attr->kind == AttrKind::kCompound) {
    for (const auto& child : plug.attr->children) {
      PlugRef p{plug.node, child.get(), plug.indices};
      p.indices.push_back(-1);
      if (!putNumbers(p, c, error))
        return false;
    }
    return true;
  }
  if (!numeric(plug.attr->kind)) {
    error = plug.attr->name + " does not take a number";
    return false;
  }
  double v;
  if (!c.number(v)) {
    error = "a number is expected for " + plug.attr->name;
    return false;
  }
  scene().setValue(plug, Value::ofNumber(storedValue(plug.attr, v)));
  return true;
}

int tupleWidth(const std::string& type) {
  if (type == "double2" || type == "float2" || type == "long2" || type == "short2")
    return 2;
  if (type == "double3" || type == "float3" || type == "long3" || type == "short3")
    return 3;
  if (type == "double4")
    return 4;
  return 0;
}

bool takeCount(DataCursor& c, long long& count, std::string& error) {
  if (!c.integer(count) || count < 0 || count > (1LL << 28)) {
    error = "a valid element count is expected";
    return false;
  }
  return true;
}

// The data types putTyped reads; the others are kept as written while a file loads.
bool knownDataType(const std::string& type) {
  return tupleWidth(type) || type == "string" || type == "matrix" || type == "stringArray" ||
         type == "componentList" || type == "Int32Array" || type == "doubleArray" || type == "floatArray";
}

bool readNumbers(DataCursor& c, std::size_t count, std::vector<double>& out, std::string& error, const char* what) {
  for (std::size_t k = 0; k < count; ++k) {
    double n;
    if (!c.number(n)) {
      error = std::string("too few numbers for ") + what;
      return false;
    }
    out.push_back(n);
  }
  return true;
}

// A list value remembers its data type, so that saving writes it back as given.
void storeTagged(const PlugRef& plug, Value v, const std::string& type) {
  v.text = type;
  scene().setValue(plug, std::move(v));
}

bool putTyped(const PlugRef& plug, const std::string& type, DataCursor& c, std::string& error) {
  std::string item;
  bool quoted;
  std::vector<double> numbers;
  long long count = 0;
  if (type == "string") {
    if (!c.item(item, quoted)) {
      error = "a string is expected";
      return false;
    }
    scene().setValue(plug, Value::ofString(item));
    return true;
  }
  if (tupleWidth(type) && plug.attr->kind == AttrKind::kCompound)
    return putNumbers(plug, c, error);
  if (tupleWidth(type) || type == "matrix") {
    if (!readNumbers(c, type == "matrix" ? 16 : static_cast<std::size_t>(tupleWidth(type)), numbers, error,
                     type.c_str()))
      return false;
    storeTagged(plug, Value::ofNumbers(numbers), type);
    return true;
  }
  if (type == "stringArray" || type == "componentList") {
    if (!takeCount(c, count, error))
      return false;
    std::vector<std::string> strings;
    for (long long k = 0; k < count; ++k) {
      if (!c.item(item, quoted)) {
        error = "the list ends before its count";
        return false;
      }
      strings.push_back(item);
    }
    storeTagged(plug, Value::ofStrings(strings), type);
    return true;
  }
  if (knownDataType(type)) {  // Int32Array, doubleArray, floatArray: a count, then the numbers
    if (!takeCount(c, count, error) || !readNumbers(c, static_cast<std::size_t>(count), numbers, error, type.c_str()))
      return false;
    storeTagged(plug, Value::ofNumbers(numbers), type);
    return true;
  }
  error = "unsupported data type \"" + type + "\"";
  return false;
}

// `last`, when given, answers a relative plug of the shape it remembers and
// remembers the one resolved.
bool resolve(const std::string& text, PlugRef& plug, std::string& error, ResolvedPlugs* last) {
  auto& s = scene();
  if (!text.empty() && text[0] == '.') {
    auto node = s.currentNode.lock();
    if (!node || !node->alive) {
      error = "no node is current for " + text;
      return false;
    }
    if (last && last->find(node.get(), text, plug))
      return true;
    std::vector<std::size_t> positions;
    if (!s.resolvePlugOn(node.get(), text.substr(1), plug, error, last ? &positions : nullptr))
      return false;
    if (last)
      last->remember(node.get(), text, plug, std::move(positions));
    return true;
  }
  return s.resolvePlug(text, plug, error);
}

// Index position of the deepest array attribute that has an index.
int rangeLevel(const PlugRef& plug) {
  auto chain = plug.attr->chain();
  for (int level = static_cast<int>(chain.size()) - 1; level >= 0; --level)
    if (chain[level]->array && plug.indices[level] >= 0)
      return level;
  return -1;
}

}  // namespace

double storedValue(const AttrDef* a, double v) {
  if (a->kind == AttrKind::kAngle && scene().angleUnit == "deg")
    return v * 3.14159265358979323846 / 180.0;
  if (isDistance(a))
    return v * linearScale();
  if (a->kind == AttrKind::kBool)
    return v != 0.0 ? 1.0 : 0.0;
  if (a->kind == AttrKind::kInt || a->kind == AttrKind::kEnum)
    return std::trunc(v);
  return v;
}

double shownValue(const AttrDef* a, double v) {
  if (a->kind == AttrKind::kAngle && scene().angleUnit == "deg")
    return v * 180.0 / 3.14159265358979323846;
  if (isDistance(a))
    return v / linearScale();
  return v;
}

double linearScale() {
  const std::string& u = scene().linearUnit;
  if (u == "mm" || u == "millimeter")
    return 0.1;
  if (u == "m" || u == "meter")
    return 100.0;
  if (u == "km" || u == "kilometer")
    return 100000.0;
  if (u == "in" || u == "inch")
    return 2.54;
  if (u == "ft" || u == "foot")
    return 30.48;
  if (u == "yd" || u == "yard")
    return 91.44;
  if (u == "mi" || u == "mile")
    return 160934.4;
  return 1.0;
}

namespace {

// The array level a statement's elements belong to: where its [a:b] range
// stands, or for a size alone (-s 260 ".ed") the array it names.
int blockLevel(const PlugRef& plug, bool sizeOnly) {
  auto chain = plug.attr->chain();
  if (sizeOnly && plug.attr->array && plug.indices.back() < 0)
    return static_cast<int>(chain.size()) - 1;
  return rangeLevel(plug);
}

// The array and the attribute of its elements that a statement sets:
// ".nuv[0].fid" and ".nuv[0].vid" fill different arrays.
ArrayBlocks::Key arrayKey(const PlugRef& plug, int level) {
  return ArrayBlocks::Key{plug.node->serial, plug.attr, &plug.indices, static_cast<std::size_t>(level)};
}

bool isGeometry(const PlugRef& plug) {
  if (plug.node->mesh && isMeshGeometry(plug.attr->name))
    return true;
  if (plug.node->nurbs && plug.attr->name == "cached")
    return true;
  for (const AttrDef* a = plug.attr; a; a = a->parent)
    if (a->name == "weightList")
      return true;
  return false;
}

// Per element of the range, the number of values, then index/value pairs:
// how Maya saves an array of sparse arrays (".wl[0:160].w  3 2 0.7475 22 0.2471 23 0.0052 ...").
bool isSparseRows(const PlugRef& plug, int level) {
  return level >= 0 && level + 1 < static_cast<int>(plug.indices.size()) && plug.attr->array &&
         plug.indices.back() < 0 && numeric(plug.attr->kind);
}

using SparseRow = std::vector<std::pair<int, double>>;

bool readSparseRow(DataCursor& c, long long element, SparseRow& row, std::string& error) {
  long long count = 0;
  if (!c.integer(count) || count < 0 || static_cast<unsigned long long>(count) > c.remaining()) {
    error = "element " + std::to_string(element) + " needs its count of index/value pairs";
    return false;
  }
  row.clear();
  for (long long k = 0; k < count; ++k) {
    long long index = 0;
    double v = 0.0;
    if (!c.integer(index) || index < 0 || index > (1 << 24) || !c.number(v)) {
      error = "element " + std::to_string(element) + " needs " + std::to_string(count) + " index/value pairs";
      return false;
    }
    row.emplace_back(static_cast<int>(index), v);
  }
  return true;
}

// The rest of a row an earlier statement began may give only what that one did not.
bool givenBefore(PlugRef plug, const SparseRow& row, long long element, std::string& error) {
  for (const auto& [index, v] : row) {
    plug.indices.back() = index;
    if (scene().getValue(plug).kind != Value::kNone) {
      error = "element " + std::to_string(element) + " continues its row from an earlier block, but gives [" +
              std::to_string(index) + "] again";
      return true;
    }
  }
  return false;
}

bool putSparseRows(PlugRef plug, int level, const ElementBlock& block, DataCursor& c, std::string& error) {
  SparseRow row;
  for (long long element = block.lo; element <= block.hi; ++element) {
    plug.indices[static_cast<std::size_t>(level)] = static_cast<int>(element);
    if (!readSparseRow(c, element, row, error))
      return false;
    if (element == block.lo && block.continuesRow && givenBefore(plug, row, element, error))
      return false;
    for (const auto& [index, v] : row) {
      plug.indices.back() = index;
      scene().setValue(plug, Value::ofNumber(storedValue(plug.attr, v)));
    }
  }
  return true;
}

// The values of a plug known to the host, elements lo..hi of the array at `level`.
bool putValues(PlugRef& plug, const Request& r, const ElementBlock& block, int level, DataCursor& values,
               std::string& error) {
  const long long lo = block.lo, hi = block.hi;
  if (lo >= 0 && r.type.empty() && isSparseRows(plug, level)) {
    if (!putSparseRows(plug, level, block, values, error))
      return false;
  } else {
    for (long long index = lo >= 0 ? lo : 0;; ++index) {
      if (level >= 0)
        plug.indices[static_cast<std::size_t>(level)] = static_cast<int>(index);
      bool ok = r.type.empty() ? putNumbers(plug, values, error) : putTyped(plug, r.type, values, error);
      if (!ok)
        return false;
      if (lo < 0 || index >= hi || values.atEnd())
        break;
    }
  }
  if (!values.atEnd()) {
    error = "more values than " + r.plugText + " takes";
    return false;
  }
  return true;
}

// Kept as written, so that saving gives it back.
bool keepRaw(const char* begin, const char* end, const Request& r, bool known, const PlugRef& plug,
             const std::string& resolveError, std::string& error) {
  if (!scene().loading) {
    error = known ? "unsupported data type \"" + r.type + "\"" : resolveError;
    return false;
  }
  auto node = r.plugText[0] == '.' ? scene().currentNode.lock() : nullptr;
  Node* target = node ? node.get() : (known ? plug.node : nullptr);
  if (!target) {
    error = resolveError;
    return false;
  }
  target->rawSetAttrs.emplace_back(begin, end);
  if (known)
    return true;
  // While a file loads, attributes the host does not know are made as used: a plug that
  // still does not resolve (a bad index, an index on a single value) is reported.
  error = resolveError + "; its values are not used (kept as written for saving)";
  return false;
}

// The block bookkeeping of a file's statement: the array's size and type,
// and the elements this statement gives. False when the block is refused.
bool admitBlock(ArrayBlocks& blocks, const PlugRef& plug, Request& r, int level, ElementBlock& block,
                std::string& error) {
  if (level < 0)
    return true;
  const ArrayBlocks::Key key = arrayKey(plug, level);
  if (r.size >= 0 && !blocks.declare(key, r.size)) {
    std::vector<int> indices = plug.indices;
    indices[key.level] = -1;
    error = "the size " + std::to_string(r.size) + " of " + plugKey(plug.attr, indices) +
            " is more than the file could hold";
    return false;
  }
  ArrayBlocks::Block given;
  given.range = block.lo >= 0;
  given.lo = given.range ? block.lo : plug.indices[static_cast<std::size_t>(level)];
  given.hi = given.range ? block.hi : given.lo;
  given.rows = r.type.empty() && isSparseRows(plug, level);
  if (given.lo >= 0 && !blocks.admit(key, r.type, given, error))
    return false;
  block.continuesRow = given.continued;
  block.declared = blocks.declaredSize(key);
  return true;
}

// The values of a resolved statement (`known`), or its text kept as written.
bool store(const char* begin, const char* end, Request& r, DataCursor& values, bool known, PlugRef& plug,
           const std::string& resolveError, ArrayBlocks* blocks, ElementBlock& block, std::string& error) {
  const bool sizeOnly = values.atEnd();
  if (known && blocks && !admitBlock(*blocks, plug, r, blockLevel(plug, sizeOnly), block, error))
    return false;
  if (sizeOnly)
    return true;
  if (known && plug.node->mesh) {
    MeshAttrResult handled = setMeshAttribute(*plug.node, plug, r.type, block, values, error);
    if (handled != MeshAttrResult::kNotMesh) {
      scene().edited(plug.node);
      return handled == MeshAttrResult::kDone;
    }
  }
  if (known && plug.node->nurbs && r.type == "nurbsSurface") {
    scene().edited(plug.node);
    return setNurbsSurfaceData(*plug.node, values, error);
  }
  if (!known || plug.attr->kind == AttrKind::kGeneric || (!r.type.empty() && !knownDataType(r.type)))
    return keepRaw(begin, end, r, known, plug, resolveError, error);
  return putValues(plug, r, block, block.lo >= 0 ? rangeLevel(plug) : -1, values, error);
}

bool apply(const char* begin, const char* end, FileSetAttrs* file, ElementBlock block, SetAttrRefusal& refusal) {
  std::string& error = refusal.reason;
  Request r;
  if (!parseRequest(begin, end, r, error))
    return false;
  DataCursor values(r.values, r.end);
  const bool sizeOnly = values.atEnd();
  if (sizeOnly && (!file || r.size < 0))
    return true;  // flags only (-k, -l, -s): nothing to store
  std::string base;
  splitRange(r.plugText, base, block.lo, block.hi);
  if (block.lo >= 0 && (block.hi < block.lo || block.hi - block.lo >= (1LL << 26) || block.hi > INT32_MAX)) {
    error = "invalid index range in " + r.plugText;
    return false;
  }
  PlugRef plug;
  std::string resolveError;
  const bool known = resolve(base, plug, resolveError, file ? &file->lastPlugs : nullptr);
  if (store(begin, end, r, values, known, plug, resolveError, file ? &file->blocks : nullptr, block, error))
    return true;
  if (known) {
    refusal.plug = r.plugText[0] == '.' ? plug.node->name + r.plugText : r.plugText;
    refusal.geometry = isGeometry(plug);
  }
  return false;
}

}  // namespace

void splitRange(const std::string& text, std::string& base, long long& lo, long long& hi) {
  base = text;
  lo = hi = -1;
  auto open = text.rfind('[');
  if (open == std::string::npos)
    return;
  auto colon = text.find(':', open);
  auto close = text.find(']', open);
  if (colon == std::string::npos || close == std::string::npos || colon > close)
    return;
  lo = std::atoll(text.c_str() + open + 1);
  hi = std::atoll(text.c_str() + colon + 1);
  base = text.substr(0, open) + "[" + std::to_string(lo) + "]" + text.substr(close + 1);
}

bool applySetAttr(const char* begin, const char* end, std::string& error) {
  SetAttrRefusal refusal;
  bool ok = apply(begin, end, nullptr, ElementBlock(), refusal);
  error = refusal.reason;
  return ok;
}

bool applyFileSetAttr(const char* begin, const char* end, FileSetAttrs& file, int line, SetAttrRefusal& refusal) {
  ElementBlock block;
  block.line = line;
  return apply(begin, end, &file, block, refusal);
}

}  // namespace OmbrixHost
