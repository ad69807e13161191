#include "HostObject.h"
#include "Scene.h"

#include <maya/MIntArray.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>

using OmbrixHost::Access;
using OmbrixHost::AttrKind;
using OmbrixHost::Node;
using OmbrixHost::PlugRef;
using OmbrixHost::scene;
using OmbrixHost::Value;

namespace {


PlugRef refOf(const MPlug& plug) {
  return PlugRef{Access::plugNode(plug), Access::plugAttribute(plug), Access::plugIndices(plug)};
}

MPlug plugOf(const PlugRef& ref) { return Access::makePlug(ref.node, ref.attr, ref.indices); }

// A plug addresses one value when every array on its chain has an index.
bool addressable(const MPlug& plug) {
  const auto* a = Access::plugAttribute(plug);
  if (!a || !Access::plugNode(plug))
    return false;
  const auto& idx = Access::plugIndices(plug);
  std::size_t pos = idx.size();
  for (const auto* up = a; up; up = up->parent)
    if (pos-- == 0 || (up->array && idx[pos] < 0))
      return false;
  return true;
}

bool numeric(AttrKind k) {
  return k == AttrKind::kBool || k == AttrKind::kInt || k == AttrKind::kEnum || k == AttrKind::kFloat ||
         k == AttrKind::kDouble || k == AttrKind::kAngle || k == AttrKind::kGeneric;
}

bool readNumber(const MPlug& plug, double& out) {
  if (!addressable(plug))
    return false;
  const auto* a = Access::plugAttribute(plug);
  if (!numeric(a->kind))
    return false;
  const Value v = scene().getValue(refOf(plug));
  if (v.kind == Value::kNumber)
    out = v.number;
  else if (v.kind == Value::kNone)
    out = a->defaultNumber;
  else
    return false;
  return true;
}

// A number as the attribute's kind keeps it.
double keptAs(AttrKind kind, double number) {
  if (kind == AttrKind::kBool)
    return number != 0.0 ? 1.0 : 0.0;
  if (kind == AttrKind::kInt || kind == AttrKind::kEnum)
    return static_cast<double>(static_cast<long long>(number));
  if (kind == AttrKind::kFloat)
    return static_cast<double>(static_cast<float>(number));
  return number;
}

MStatus writeNumber(const MPlug& plug, double number) {
  if (!addressable(plug))
    return MStatus::kInvalidParameter;
  const auto* a = Access::plugAttribute(plug);
  if (!numeric(a->kind))
    return MStatus::kInvalidParameter;
  scene().setNumber(Access::plugNode(plug), a, Access::plugIndices(plug), keptAs(a->kind, number));
  return MStatus::kSuccess;
}

MStatus writeText(const MPlug& plug, const char* text) {
  if (!addressable(plug))
    return MStatus::kInvalidParameter;
  const auto* a = Access::plugAttribute(plug);
  if (a->kind != AttrKind::kString && a->kind != AttrKind::kGeneric)
    return MStatus::kInvalidParameter;
  scene().setValue(PlugRef{Access::plugNode(plug), a, Access::plugIndices(plug)}, Value::ofString(text));
  return MStatus::kSuccess;
}

}  // namespace

MPlug::MPlug() = default;
MPlug::MPlug(const MObject& node, const MObject& attribute) {
  Node* n = Access::node(node);
  const auto* a = Access::attribute(attribute);
  if (n && a)
    *this = Access::makePlug(n, a, {});
}
MPlug::MPlug(const MPlug& other) = default;
MPlug& MPlug::operator=(const MPlug& other) = default;
MPlug::~MPlug() = default;

MObject MPlug::node(MStatus* s) const {
  OmbrixHost::reportStatus(s, !isNull());
  return node_;
}
MObject MPlug::attribute(MStatus* s) const {
  OmbrixHost::reportStatus(s, !isNull());
  return attribute_;
}

MString MPlug::name(MStatus* s) const {
  OmbrixHost::reportStatus(s, !isNull());
  if (isNull())
    return MString();
  return MString((Access::plugNode(*this)->name + "." + partialName(false, false, false, false, false, false).asChar()).c_str());
}

MString MPlug::partialName(bool includeNodeName, bool, bool, bool, bool useFullAttributePath, bool useLongNames,
                           MStatus* s) const {
  OmbrixHost::reportStatus(s, !isNull());
  if (isNull())
    return MString();
  auto chain = Access::plugAttribute(*this)->chain();
  std::string out;
  std::size_t first = useFullAttributePath ? 0 : 0;
  for (std::size_t i = first; i < chain.size(); ++i) {
    // Maya leaves out compound parents that are not arrays.
    if (!useFullAttributePath && i + 1 < chain.size() && !chain[i]->array)
      continue;
    if (!out.empty())
      out += ".";
    out += useLongNames ? chain[i]->name : chain[i]->shortName;
    if (chain[i]->array && indices_[i] >= 0)
      out += "[" + std::to_string(indices_[i]) + "]";
  }
  if (includeNodeName)
    out = Access::plugNode(*this)->name + "." + out;
  return MString(out.c_str());
}

bool MPlug::isNull(MStatus* s) const {
  OmbrixHost::reportStatus(s, true);
  return !Access::plugNode(*this) || !Access::plugAttribute(*this);
}
bool MPlug::isArray(MStatus* s) const {
  OmbrixHost::reportStatus(s, !isNull());
  return !isNull() && Access::plugAttribute(*this)->array && indices_.back() < 0;
}
bool MPlug::isElement(MStatus* s) const {
  OmbrixHost::reportStatus(s, !isNull());
  return !isNull() && Access::plugAttribute(*this)->array && indices_.back() >= 0;
}
bool MPlug::isCompound(MStatus* s) const {
  OmbrixHost::reportStatus(s, !isNull());
  return !isNull() && Access::plugAttribute(*this)->kind == AttrKind::kCompound;
}
bool MPlug::isChild(MStatus* s) const {
  OmbrixHost::reportStatus(s, !isNull());
  return !isNull() && Access::plugAttribute(*this)->parent != nullptr;
}
bool MPlug::isConnected(MStatus* s) const {
  OmbrixHost::reportStatus(s, !isNull());
  return !isNull() && scene().isConnected(refOf(*this));
}
bool MPlug::isDestination(MStatus* s) const {
  OmbrixHost::reportStatus(s, !isNull());
  return !isNull() && !scene().connectedTo(refOf(*this), true, false).empty();
}
bool MPlug::isSource(MStatus* s) const {
  OmbrixHost::reportStatus(s, !isNull());
  return !isNull() && !scene().connectedTo(refOf(*this), false, true).empty();
}

bool MPlug::connectedTo(MPlugArray& array, bool asDst, bool asSrc, MStatus* s) const {
  array.clear();
  OmbrixHost::reportStatus(s, !isNull());
  if (isNull())
    return false;
  for (const auto& ref : scene().connectedTo(refOf(*this), asDst, asSrc))
    array.append(plugOf(ref));
  return array.length() > 0;
}

unsigned int MPlug::numElements(MStatus* s) const {
  OmbrixHost::reportStatus(s, isArray());
  return isArray() ? static_cast<unsigned int>(scene().existingIndices(refOf(*this)).size()) : 0;
}

unsigned int MPlug::numChildren(MStatus* s) const {
  OmbrixHost::reportStatus(s, isCompound());
  return isCompound() ? static_cast<unsigned int>(Access::plugAttribute(*this)->children.size()) : 0;
}

unsigned int MPlug::logicalIndex(MStatus* s) const {
  OmbrixHost::reportStatus(s, isElement());
  return isElement() ? static_cast<unsigned int>(indices_.back()) : 0;
}

unsigned int MPlug::getExistingArrayAttributeIndices(MIntArray& indices, MStatus* s) {
  indices.clear();
  OmbrixHost::reportStatus(s, isArray());
  if (isArray())
    for (int i : scene().existingIndices(refOf(*this)))
      indices.append(i);
  return indices.length();
}

MPlug MPlug::elementByLogicalIndex(unsigned int logicalIndex, MStatus* s) const {
  bool ok = isArray() && logicalIndex < 0x7fffffffu;
  OmbrixHost::reportStatus(s, ok);
  if (!ok)
    return MPlug();
  MPlug out(*this);
  out.indices_.back() = static_cast<int>(logicalIndex);
  return out;
}

MPlug MPlug::elementByPhysicalIndex(unsigned int physicalIndex, MStatus* s) const {
  auto used = isArray() ? scene().existingIndices(refOf(*this)) : std::vector<int>();
  bool ok = physicalIndex < used.size();
  OmbrixHost::reportStatus(s, ok);
  return ok ? elementByLogicalIndex(static_cast<unsigned int>(used[physicalIndex])) : MPlug();
}

MPlug MPlug::child(MObject& attr, MStatus* s) const {
  const auto* a = Access::plugAttribute(*this);
  const auto* c = Access::attribute(attr);
  bool ok = a && c && c->parent == a;
  OmbrixHost::reportStatus(s, ok);
  if (!ok)
    return MPlug();
  auto idx = indices_;
  idx.push_back(-1);
  return Access::makePlug(Access::plugNode(*this), c, idx);
}

MPlug MPlug::child(unsigned int index, MStatus* s) const {
  const auto* a = Access::plugAttribute(*this);
  const auto* c = a ? a->child(index) : nullptr;
  OmbrixHost::reportStatus(s, c != nullptr);
  if (!c)
    return MPlug();
  auto idx = indices_;
  idx.push_back(-1);
  return Access::makePlug(Access::plugNode(*this), c, idx);
}

MPlug MPlug::parent(MStatus* s) const {
  const auto* a = Access::plugAttribute(*this);
  bool ok = a && a->parent;
  OmbrixHost::reportStatus(s, ok);
  if (!ok)
    return MPlug();
  auto idx = indices_;
  idx.pop_back();
  return Access::makePlug(Access::plugNode(*this), a->parent, idx);
}

MPlug MPlug::array(MStatus* s) const {
  bool ok = isElement();
  OmbrixHost::reportStatus(s, ok);
  if (!ok)
    return MPlug();
  MPlug out(*this);
  out.indices_.back() = -1;
  return out;
}

MStatus MPlug::selectAncestorLogicalIndex(unsigned int index, const MObject& attribute) {
  const auto* a = Access::plugAttribute(*this);
  if (!a || index >= 0x7fffffffu)
    return MStatus::kInvalidParameter;
  const auto* wanted = Access::attribute(attribute);
  // From the plug's own attribute up its chain; indices_ has one entry per link.
  std::size_t pos = indices_.size();
  for (const auto* up = a; up && pos-- > 0; up = up->parent)
    if (wanted ? up == wanted : up->array) {
      if (!up->array)
        return MStatus::kInvalidParameter;
      indices_[pos] = static_cast<int>(index);
      return MStatus::kSuccess;
    }
  return MStatus::kInvalidParameter;
}

MStatus MPlug::getValue(MString& value, MDGContext&) const {
  if (!addressable(*this))
    return MStatus::kInvalidParameter;
  const auto* a = Access::plugAttribute(*this);
  const Value v = scene().getValue(refOf(*this));
  if (v.kind == Value::kString) {
    value = v.text.c_str();
    return MStatus::kSuccess;
  }
  if (a->kind != AttrKind::kString)
    return MStatus::kInvalidParameter;
  value = "";
  return MStatus::kSuccess;
}

MStatus MPlug::getValue(int& value, MDGContext&) const {
  double d;
  if (!readNumber(*this, d))
    return MStatus::kInvalidParameter;
  value = static_cast<int>(d);
  return MStatus::kSuccess;
}
MStatus MPlug::getValue(float& value, MDGContext&) const {
  double d;
  if (!readNumber(*this, d))
    return MStatus::kInvalidParameter;
  value = static_cast<float>(d);
  return MStatus::kSuccess;
}
MStatus MPlug::getValue(double& value, MDGContext&) const {
  return readNumber(*this, value) ? MStatus::kSuccess : MStatus::kInvalidParameter;
}
MStatus MPlug::getValue(bool& value, MDGContext&) const {
  double d;
  if (!readNumber(*this, d))
    return MStatus::kInvalidParameter;
  value = d != 0.0;
  return MStatus::kSuccess;
}

MStatus MPlug::setValue(const MString& value) { return writeText(*this, value.asChar()); }
MStatus MPlug::setValue(const char* value) { return setValue(MString(value)); }
MStatus MPlug::setValue(int value) { return writeNumber(*this, value); }
MStatus MPlug::setValue(float value) { return writeNumber(*this, value); }
MStatus MPlug::setValue(double value) { return writeNumber(*this, value); }
MStatus MPlug::setValue(bool value) { return writeNumber(*this, value ? 1.0 : 0.0); }

MString MPlug::asString(MDGContext&, MStatus* s) const {
  MString v;
  OmbrixHost::reportStatus(s, getValue(v) == MStatus::kSuccess);
  return v;
}
int MPlug::asInt(MDGContext&, MStatus* s) const {
  int v = 0;
  OmbrixHost::reportStatus(s, getValue(v) == MStatus::kSuccess);
  return v;
}
float MPlug::asFloat(MDGContext&, MStatus* s) const {
  float v = 0.0f;
  OmbrixHost::reportStatus(s, getValue(v) == MStatus::kSuccess);
  return v;
}
double MPlug::asDouble(MDGContext&, MStatus* s) const {
  double v = 0.0;
  OmbrixHost::reportStatus(s, getValue(v) == MStatus::kSuccess);
  return v;
}
bool MPlug::asBool(MDGContext&, MStatus* s) const {
  bool v = false;
  OmbrixHost::reportStatus(s, getValue(v) == MStatus::kSuccess);
  return v;
}
MStatus MPlug::setString(const MString& value) { return setValue(value); }
MStatus MPlug::setInt(int value) { return setValue(value); }
MStatus MPlug::setFloat(float value) { return setValue(value); }
MStatus MPlug::setDouble(double value) { return setValue(value); }
MStatus MPlug::setBool(bool value) { return setValue(value); }

bool MPlug::operator==(const MPlug& other) const {
  return Access::plugNode(*this) == Access::plugNode(other) &&
         Access::plugAttribute(*this) == Access::plugAttribute(other) && indices_ == other.indices_;
}
bool MPlug::operator!=(const MPlug& other) const { return !(*this == other); }
