#pragma once
// Attribute definitions: a tree per node type (compounds own their children),
// plus dynamic attributes a node adds for itself.
#include <maya/MFn.h>
#include <memory>
#include <string>
#include <vector>

namespace OmbrixHost {

enum class AttrKind { kCompound, kBool, kInt, kEnum, kFloat, kDouble, kAngle, kString, kMatrix, kMessage,
                      kMesh, kNurbsSurface, kComponentList, kGeneric };

struct AttrDef {
  std::string name;
  std::string shortName;
  AttrKind kind = AttrKind::kGeneric;
  bool array = false;
  bool dynamic = false;
  bool opaque = false;  // seen in a scene file only; the host does not know it
  bool distance = false;  // a distance: given in the scene's linear unit, held in centimetres
  double defaultNumber = 0.0;
  AttrDef* parent = nullptr;
  std::vector<std::shared_ptr<AttrDef>> children;

  // Index of a child by position; null when out of range.
  AttrDef* child(unsigned int index) const {
    return index < children.size() ? children[index].get() : nullptr;
  }
  // The chain of attributes from the root attribute down to this one.
  std::vector<const AttrDef*> chain() const;
  MFn::Type apiType() const;
};

using AttrList = std::vector<std::shared_ptr<AttrDef>>;

// Builders used by the node type table and by addAttr.
std::shared_ptr<AttrDef> makeAttr(const std::string& name, const std::string& shortName, AttrKind kind,
                                  bool array = false, double defaultNumber = 0.0);
std::shared_ptr<AttrDef> makeCompound(const std::string& name, const std::string& shortName, bool array,
                                      std::vector<std::shared_ptr<AttrDef>> children);
// A compound of three numbers named name+X/Y/Z (or R/G/B), like translate or color.
std::shared_ptr<AttrDef> makeTriple(const std::string& name, const std::string& shortName,
                                    const char* suffixes, const char* shortSuffixes, AttrKind kind,
                                    double defaultNumber = 0.0);

// Finds an attribute by long or short name anywhere in the trees.
AttrDef* findAttr(const AttrList& roots, const std::string& name);

}  // namespace OmbrixHost
