#include "Maya/PolygonMaterial.h"

#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MIOStream.h>
#include <maya/MFnMesh.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>

#include "Maya/ShadingTable.h"

namespace {

const char kVertexMessage[] = "Shouldn't be here. No vertex/colour assignment yet!";
constexpr int kUndecided = -3;

enum class MemberKind { kWhole, kVertices, kFaces, kOther };

MemberKind kindOf(const ShadingMember& member) {
  const MFn::Type type = member.path.apiType();
  if ((type != MFn::kMesh && type != MFn::kNurbsSurface) || member.component.isNull())
    return MemberKind::kWhole;
  if (member.component.apiType() == MFn::kMeshVertComponent)
    return MemberKind::kVertices;
  if (member.component.apiType() == MFn::kMeshPolygonComponent)
    return MemberKind::kFaces;
  return MemberKind::kOther;
}

int entryOfGroup(const ShadingTable& table, const ShadingMember& member, const MString& partialPath) {
  const MObject shader = getSurfaceShader(table.groups[static_cast<size_t>(member.group)]);
  return findShadingEntry(table, MFnDependencyNode(shader).name(), partialPath);
}

// The faces of a face-component member that lie in its mesh, in the
// component's order (what MItMeshPolygon over the component visits), read in
// one go.
std::vector<int> memberFaces(const ShadingMember& member) {
  MIntArray elements;
  MFnSingleIndexedComponent(member.component).getElements(elements);
  const int count = MFnMesh(member.path).numPolygons();
  std::vector<int> faces;
  faces.reserve(elements.length());
  for (unsigned int i = 0; i < elements.length(); ++i)
    if (elements[i] >= 0 && elements[i] < count)
      faces.push_back(elements[i]);
  return faces;
}

const std::vector<ShadingMember>* membersOf(const ShadingTable& table, const MString& fullPath) {
  const auto& index = table.membersByPath;
  const auto found = index.find(fullPath.asChar());
  return found == index.end() ? nullptr : &found->second;
}

}  // namespace

int findPolygonMaterial(const ShadingTable& table, const MString& fullPath, const MString& partialPath,
                        int polygonIndex) {
  const std::vector<ShadingMember>* members = membersOf(table, fullPath);
  if (members == nullptr)
    return -1;
  for (const ShadingMember& member : *members) {
    switch (kindOf(member)) {
      case MemberKind::kWhole:
        return entryOfGroup(table, member, partialPath);
      case MemberKind::kVertices:
        cerr << kVertexMessage << endl;
        return -1;
      case MemberKind::kFaces: {
        if (polygonIndex == -1)
          return -2;
        for (int face : memberFaces(member))
          if (face == polygonIndex)
            return entryOfGroup(table, member, partialPath);
        break;
      }
      case MemberKind::kOther:
        break;
    }
  }
  return -1;
}

MeshShading::MeshShading(const ShadingTable& table, const MString& fullPath, const MString& partialPath,
                         int polygonCount)
    : entries_(static_cast<size_t>(polygonCount > 0 ? polygonCount : 0), kUndecided) {
  const std::vector<ShadingMember>* members = membersOf(table, fullPath);
  size_t undecided = entries_.size();
  auto decide = [&](size_t polygon, int entry) {
    if (polygon < entries_.size() && entries_[polygon] == kUndecided) {
      entries_[polygon] = entry;
      --undecided;
    }
  };
  for (size_t m = 0; members != nullptr && m < members->size() && undecided > 0; ++m) {
    const ShadingMember& member = (*members)[m];
    switch (kindOf(member)) {
      case MemberKind::kWhole:
      case MemberKind::kVertices: {
        const bool whole = kindOf(member) == MemberKind::kWhole;
        if (!whole)
          cerr << kVertexMessage << endl;  // once per object, not once per polygon
        const int entry = whole ? entryOfGroup(table, member, partialPath) : -1;
        for (size_t p = 0; p < entries_.size(); ++p)
          decide(p, entry);
        break;
      }
      case MemberKind::kFaces: {
        const int entry = entryOfGroup(table, member, partialPath);
        for (int face : memberFaces(member))
          decide(static_cast<size_t>(face), entry);
        break;
      }
      case MemberKind::kOther:
        break;
    }
  }
  for (int& entry : entries_)
    if (entry == kUndecided)
      entry = -1;
}
