#include "AttrDef.h"

#include <algorithm>

namespace OmbrixHost {

std::vector<const AttrDef*> AttrDef::chain() const {
  std::vector<const AttrDef*> out;
  for (const AttrDef* a = this; a; a = a->parent)
    out.push_back(a);
  std::reverse(out.begin(), out.end());
  return out;
}

MFn::Type AttrDef::apiType() const {
  switch (kind) {
  case AttrKind::kCompound:
    return MFn::kCompoundAttribute;
  case AttrKind::kMessage:
    return MFn::kMessageAttribute;
  case AttrKind::kMatrix:
    return MFn::kMatrixAttribute;
  case AttrKind::kString:
  case AttrKind::kMesh:
  case AttrKind::kNurbsSurface:
  case AttrKind::kComponentList:
    return MFn::kTypedAttribute;
  case AttrKind::kGeneric:
    return MFn::kGenericAttribute;
  default:
    return MFn::kNumericAttribute;
  }
}

std::shared_ptr<AttrDef> makeAttr(const std::string& name, const std::string& shortName, AttrKind kind,
                                  bool array, double defaultNumber) {
  auto a = std::make_shared<AttrDef>();
  a->name = name;
  a->shortName = shortName;
  a->kind = kind;
  a->array = array;
  a->defaultNumber = defaultNumber;
  return a;
}

std::shared_ptr<AttrDef> makeCompound(const std::string& name, const std::string& shortName, bool array,
                                      std::vector<std::shared_ptr<AttrDef>> children) {
  auto a = makeAttr(name, shortName, AttrKind::kCompound, array);
  for (auto& c : children)
    c->parent = a.get();
  a->children = std::move(children);
  return a;
}

std::shared_ptr<AttrDef> makeTriple(const std::string& name, const std::string& shortName,
                                    const char* suffixes, const char* shortSuffixes, AttrKind kind,
                                    double defaultNumber) {
  std::vector<std::shared_ptr<AttrDef>> kids;
  for (int i = 0; i < 3; ++i)
    kids.push_back(makeAttr(name + suffixes[i], shortName + shortSuffixes[i], kind, false, defaultNumber));
  return makeCompound(name, shortName, false, std::move(kids));
}

static AttrDef* findIn(AttrDef* a, const std::string& name) {
  if (a->name == name || a->shortName == name)
    return a;
  for (auto& c : a->children)
    if (AttrDef* hit = findIn(c.get(), name))
      return hit;
  return nullptr;
}

AttrDef* findAttr(const AttrList& roots, const std::string& name) {
  for (auto& r : roots)
    if (AttrDef* hit = findIn(r.get(), name))
      return hit;
  return nullptr;
}

}  // namespace OmbrixHost
