#include "HostObject.h"
#include "MeshEdges.h"
#include "Scene.h"

#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MMatrix.h>
#include <maya/MPointArray.h>
#include <maya/MStringArray.h>

using OmbrixHost::Access;
using OmbrixHost::MeshData;
using OmbrixHost::Node;
using OmbrixHost::scene;
using OmbrixHost::UVSet;

namespace {


// A mesh whose history the host could not wholly evaluate says so, once, to
// whatever reads it first (an export, say).
MeshData* meshOf(const MObject& object) {
  Node* n = Access::node(object);
  if (n && !n->historyNote.empty()) {
    MGlobal::displayWarning(MString(n->historyNote.c_str()));
    n->historyNote.clear();
  }
  return Access::mesh(object);
}

std::string uvSetNameOf(const MString* uvSet) { return uvSet ? uvSet->asChar() : std::string(); }

MStatus invalid(const char* why) { return OmbrixHost::Access::failure(MStatus::kInvalidParameter, MString(why)); }

}  // namespace

MFnMesh::MFnMesh() = default;
MFnMesh::MFnMesh(const MObject& object, MStatus* s) { OmbrixHost::reportStatus(s, setObject(object)); }
MFnMesh::MFnMesh(const MDagPath& path, MStatus* s) { OmbrixHost::reportStatus(s, setObject(path)); }
MFnMesh::~MFnMesh() = default;
MFn::Type MFnMesh::type() const { return MFn::kMesh; }
MFn::Type MFnMesh::requiredType() const { return MFn::kMesh; }

MObject MFnMesh::create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                        const MIntArray& polygonCounts, const MIntArray& polygonConnects, MObject parentOrOwner,
                        MStatus* s) {
  return create(numVertices, numPolygons, vertexArray, polygonCounts, polygonConnects, MFloatArray(), MFloatArray(),
                parentOrOwner, s);
}

MObject MFnMesh::create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                        const MIntArray& polygonCounts, const MIntArray& polygonConnects, const MFloatArray& uArray,
                        const MFloatArray& vArray, MObject parentOrOwner, MStatus* s) {
  bool ok = numVertices >= 0 && numPolygons >= 0 && vertexArray.length() >= static_cast<unsigned int>(numVertices) &&
            polygonCounts.length() == static_cast<unsigned int>(numPolygons) && uArray.length() == vArray.length();
  long long total = 0;
  for (unsigned int i = 0; ok && i < polygonCounts.length(); ++i) {
    ok = polygonCounts[i] >= 1;
    total += polygonCounts[i];
  }
  ok = ok && total == polygonConnects.length();
  for (unsigned int i = 0; ok && i < polygonConnects.length(); ++i)
    ok = polygonConnects[i] >= 0 && polygonConnects[i] < numVertices;
  Node* parent = Access::node(parentOrOwner);
  ok = ok && (parentOrOwner.isNull() || (parent && parent->hasFn(MFn::kTransform)));
  if (!ok) {
    OmbrixHost::reportStatus(s, false);
    return MObject();
  }
  std::string error;
  Node* shape = scene().createNode("mesh", "", parent, error);
  MeshData& m = *shape->mesh;
  for (int i = 0; i < numVertices; ++i)
    m.points.push_back({vertexArray[i].x, vertexArray[i].y, vertexArray[i].z});
  m.faceCounts = Access::items(polygonCounts);
  m.faceConnects = Access::items(polygonConnects);
  m.rebuildFaceStarts();
  UVSet& uv = m.ensureUVSet("map1");
  uv.us = Access::items(uArray);
  uv.vs = Access::items(vArray);
  uv.uvIds.assign(m.faceConnects.size(), -1);
  shape->setValue("currentUVSet", OmbrixHost::Value::ofString("map1"));
  setObject(Access::wrap(shape));
  OmbrixHost::reportStatus(s, true);
  return parent ? Access::wrap(shape) : Access::wrap(shape->parents[0]);
}

int MFnMesh::numVertices(MStatus* s) const {
  MeshData* m = meshOf(object_);
  OmbrixHost::reportStatus(s, m != nullptr);
  return m ? static_cast<int>(m->points.size()) : 0;
}

int MFnMesh::numPolygons(MStatus* s) const {
  MeshData* m = meshOf(object_);
  OmbrixHost::reportStatus(s, m != nullptr);
  return m ? m->numFaces() : 0;
}

int MFnMesh::numFaceVertices(MStatus* s) const {
  MeshData* m = meshOf(object_);
  OmbrixHost::reportStatus(s, m != nullptr);
  return m ? static_cast<int>(m->faceConnects.size()) : 0;
}

const OmbrixHost::MeshEdges* MFnMesh::edges() const {
  MeshData* m = meshOf(object_);
  if (!m)
    return nullptr;
  if (!edges_ || edgesOf_ != m || edgesCorners_ != m->faceConnects.size()) {
    edges_ = std::make_shared<const OmbrixHost::MeshEdges>(OmbrixHost::meshEdges(*m));
    edgesOf_ = m;
    edgesCorners_ = m->faceConnects.size();
  }
  return edges_.get();
}

int MFnMesh::numEdges(MStatus* s) const {
  const OmbrixHost::MeshEdges* e = edges();
  OmbrixHost::reportStatus(s, e != nullptr);
  return e ? e->count() : 0;
}

MStatus MFnMesh::getEdgeVertices(int edgeId, int2& vertexList) const {
  const OmbrixHost::MeshEdges* e = edges();
  if (!e || edgeId < 0 || edgeId >= e->count())
    return invalid("getEdgeVertices: no such edge");
  vertexList[0] = e->ends[static_cast<std::size_t>(edgeId)].first;
  vertexList[1] = e->ends[static_cast<std::size_t>(edgeId)].second;
  return MStatus::kSuccess;
}

int MFnMesh::polygonVertexCount(int polygonId, MStatus* s) const {
  MeshData* m = meshOf(object_);
  bool ok = m && polygonId >= 0 && polygonId < m->numFaces();
  OmbrixHost::reportStatus(s, ok);
  return ok ? m->faceCounts[polygonId] : 0;
}

MStatus MFnMesh::getPoint(int vertexId, MPoint& pos, MSpace::Space space) const {
  MeshData* m = meshOf(object_);
  if (!m || vertexId < 0 || vertexId >= static_cast<int>(m->points.size()) ||
      !OmbrixHost::isShapeSpace(space, hasPath_))
    return MStatus::kInvalidParameter;
  const auto& p = m->points[vertexId];
  pos = MPoint(p.x, p.y, p.z);
  if (space == MSpace::kWorld)
    pos = pos * path_.inclusiveMatrix();
  return MStatus::kSuccess;
}

MStatus MFnMesh::getPoints(MPointArray& vertexArray, MSpace::Space space) const {
  vertexArray.clear();
  MeshData* m = meshOf(object_);
  if (!m || !OmbrixHost::isShapeSpace(space, hasPath_))
    return MStatus::kInvalidParameter;
  MMatrix world = space == MSpace::kWorld ? path_.inclusiveMatrix() : MMatrix();
  Access::items(vertexArray).reserve(m->points.size());
  for (const auto& p : m->points)
    vertexArray.append(MPoint(p.x, p.y, p.z) * world);
  return MStatus::kSuccess;
}

MStatus MFnMesh::setPoint(int vertexId, const MPoint& pos, MSpace::Space space) {
  MeshData* m = meshOf(object_);
  if (!m || vertexId < 0 || vertexId >= static_cast<int>(m->points.size()) ||
      !OmbrixHost::isShapeSpace(space, hasPath_))
    return MStatus::kInvalidParameter;
  MPoint local = space == MSpace::kWorld ? pos * path_.inclusiveMatrixInverse() : pos;
  m->points[vertexId] = {local.x, local.y, local.z};
  return MStatus::kSuccess;
}

MStatus MFnMesh::getPolygonVertices(int polygonId, MIntArray& vertexList) const {
  vertexList.clear();
  MeshData* m = meshOf(object_);
  if (!m || polygonId < 0 || polygonId >= m->numFaces())
    return MStatus::kInvalidParameter;
  int start = m->faceStart(polygonId);
  for (int i = 0; i < m->faceCounts[polygonId]; ++i)
    vertexList.append(m->faceConnects[start + i]);
  return MStatus::kSuccess;
}

MStatus MFnMesh::getVertices(MIntArray& vertexCount, MIntArray& vertexList) const {
  MeshData* m = meshOf(object_);
  if (!m)
    return MStatus::kInvalidParameter;
  Access::items(vertexCount) = m->faceCounts;
  Access::items(vertexList) = m->faceConnects;
  return MStatus::kSuccess;
}

int MFnMesh::numUVSets(MStatus* s) const {
  MeshData* m = meshOf(object_);
  OmbrixHost::reportStatus(s, m != nullptr);
  return m ? static_cast<int>(m->uvSets.size()) : 0;
}

int MFnMesh::numUVs(MStatus* s) const { return numUVs(currentUVSetName(), s); }

int MFnMesh::numUVs(const MString& uvSet, MStatus* s) const {
  MeshData* m = meshOf(object_);
  std::string name = uvSetNameOf(&uvSet);
  const UVSet* set = m ? m->uvSet(&name) : nullptr;
  OmbrixHost::reportStatus(s, set != nullptr);
  return set ? static_cast<int>(set->us.size()) : 0;
}

MStatus MFnMesh::getUVSetNames(MStringArray& setNames) const {
  setNames.clear();
  MeshData* m = meshOf(object_);
  if (!m)
    return MStatus::kInvalidParameter;
  for (const auto& set : m->uvSets)
    setNames.append(MString(set.name.c_str()));
  return MStatus::kSuccess;
}

MStatus MFnMesh::getCurrentUVSetName(MString& setName, int) const {
  MeshData* m = meshOf(object_);
  const UVSet* set = m ? m->uvSet(nullptr) : nullptr;
  if (!set)
    return MStatus::kFailure;
  setName = set->name.c_str();
  return MStatus::kSuccess;
}

MString MFnMesh::currentUVSetName(MStatus* s, int instance) const {
  MString name;
  OmbrixHost::reportStatus(s, getCurrentUVSetName(name, instance) == MStatus::kSuccess);
  return name;
}

MStatus MFnMesh::setCurrentUVSetName(const MString& name, MDGModifier*, MSelectionList*) {
  MeshData* m = meshOf(object_);
  if (!m)
    return MStatus::kInvalidParameter;
  for (std::size_t i = 0; i < m->uvSets.size(); ++i)
    if (m->uvSets[i].name == name.asChar()) {
      m->currentUVSet = static_cast<int>(i);
      if (Node* n = Access::node(object_))
        n->setValue("currentUVSet", OmbrixHost::Value::ofString(name.asChar()));
      return MStatus::kSuccess;
    }
  return invalid("No UV set of that name");
}

MString MFnMesh::createUVSetWithName(const MString& name, MDGModifier*, MStatus* s, const MUintArray*) {
  MeshData* m = meshOf(object_);
  bool ok = m && name.length() > 0;
  OmbrixHost::reportStatus(s, ok);
  if (!ok)
    return MString();
  std::string wanted = name.asChar();
  for (int n = 1; m->uvSet(&wanted); ++n)
    wanted = std::string(name.asChar()) + std::to_string(n);
  UVSet& set = m->ensureUVSet(wanted);
  set.uvIds.assign(m->faceConnects.size(), -1);
  return MString(wanted.c_str());
}

MStatus MFnMesh::getUVs(MFloatArray& uArray, MFloatArray& vArray, const MString* uvSet) const {
  MeshData* m = meshOf(object_);
  std::string name = uvSetNameOf(uvSet);
  const UVSet* set = m ? m->uvSet(&name) : nullptr;
  if (!set)
    return MStatus::kInvalidParameter;
  Access::items(uArray) = set->us;
  Access::items(vArray) = set->vs;
  return MStatus::kSuccess;
}

MStatus MFnMesh::getUV(int uvId, float& u, float& v, const MString* uvSet) const {
  MeshData* m = meshOf(object_);
  std::string name = uvSetNameOf(uvSet);
  const UVSet* set = m ? m->uvSet(&name) : nullptr;
  if (!set || uvId < 0 || uvId >= static_cast<int>(set->us.size()))
    return MStatus::kInvalidParameter;
  u = set->us[uvId];
  v = set->vs[uvId];
  return MStatus::kSuccess;
}

MStatus MFnMesh::getPolygonUVid(int polygonId, int vertexIndex, int& uvId, const MString* uvSet) const {
  MeshData* m = meshOf(object_);
  std::string name = uvSetNameOf(uvSet);
  const UVSet* set = m ? m->uvSet(&name) : nullptr;
  if (!set || polygonId < 0 || polygonId >= m->numFaces() || vertexIndex < 0 ||
      vertexIndex >= m->faceCounts[polygonId])
    return MStatus::kInvalidParameter;
  std::size_t at = static_cast<std::size_t>(m->faceStart(polygonId) + vertexIndex);
  int id = at < set->uvIds.size() ? set->uvIds[at] : -1;
  if (id < 0 || id >= static_cast<int>(set->us.size()))
    return MStatus::kFailure;
  uvId = id;
  return MStatus::kSuccess;
}

MStatus MFnMesh::getPolygonUV(int polygonId, int vertexIndex, float& u, float& v, const MString* uvSet) const {
  int id = 0;
  MStatus st = getPolygonUVid(polygonId, vertexIndex, id, uvSet);
  if (!st)
    return st;
  return getUV(id, u, v, uvSet);
}

MStatus MFnMesh::getAssignedUVs(MIntArray& uvCounts, MIntArray& uvIds, const MString* uvSet) const {
  uvCounts.clear();
  uvIds.clear();
  MeshData* m = meshOf(object_);
  std::string name = uvSetNameOf(uvSet);
  const UVSet* set = m ? m->uvSet(&name) : nullptr;
  if (!set)
    return MStatus::kInvalidParameter;
  Access::items(uvCounts).reserve(m->faceCounts.size());
  Access::items(uvIds).reserve(m->faceConnects.size());
  for (int f = 0; f < m->numFaces(); ++f) {
    int start = m->faceStart(f), n = m->faceCounts[f];
    bool mapped = true;
    for (int i = 0; i < n; ++i)
      mapped = mapped && static_cast<std::size_t>(start + i) < set->uvIds.size() && set->uvIds[start + i] >= 0;
    uvCounts.append(mapped ? n : 0);
    for (int i = 0; mapped && i < n; ++i)
      uvIds.append(set->uvIds[start + i]);
  }
  return MStatus::kSuccess;
}

MStatus MFnMesh::clearUVs(const MString* uvSet) {
  MeshData* m = meshOf(object_);
  std::string name = uvSetNameOf(uvSet);
  UVSet* set = m ? m->uvSet(&name) : nullptr;
  if (!set)
    return MStatus::kInvalidParameter;
  set->us.clear();
  set->vs.clear();
  set->uvIds.assign(m->faceConnects.size(), -1);
  return MStatus::kSuccess;
}

MStatus MFnMesh::setUVs(const MFloatArray& uArray, const MFloatArray& vArray, const MString* uvSet) {
  MeshData* m = meshOf(object_);
  std::string name = uvSetNameOf(uvSet);
  UVSet* set = m ? m->uvSet(&name) : nullptr;
  if (!set)
    return MStatus::kInvalidParameter;
  if (uArray.length() != vArray.length())
    return invalid("The u and v arrays differ in length");
  set->us = Access::items(uArray);
  set->vs = Access::items(vArray);
  set->uvIds.resize(m->faceConnects.size(), -1);
  return MStatus::kSuccess;
}

// Maya's rules: one count per polygon, each either 0 (no UVs) or the polygon's
// vertex count, as many ids as the counts add up to, every id a valid UV.
MStatus MFnMesh::assignUVs(const MIntArray& uvCounts, const MIntArray& uvIds, const MString* uvSet) {
  MeshData* m = meshOf(object_);
  std::string name = uvSetNameOf(uvSet);
  UVSet* set = m ? m->uvSet(&name) : nullptr;
  if (!set)
    return MStatus::kInvalidParameter;
  if (uvCounts.length() != static_cast<unsigned int>(m->numFaces()))
    return invalid("uvCounts does not have one entry per polygon");
  std::size_t total = 0;
  for (int f = 0; f < m->numFaces(); ++f) {
    if (uvCounts[f] != 0 && uvCounts[f] != m->faceCounts[f])
      return invalid("A uvCounts entry differs from its polygon's vertex count");
    total += static_cast<std::size_t>(uvCounts[f]);
  }
  if (total != uvIds.length())
    return invalid("uvIds does not match the sum of uvCounts");
  for (unsigned int i = 0; i < uvIds.length(); ++i)
    if (uvIds[i] < 0 || uvIds[i] >= static_cast<int>(set->us.size()))
      return invalid("A uvId is out of range");
  std::vector<int> assigned(m->faceConnects.size(), -1);
  std::size_t next = 0;
  for (int f = 0; f < m->numFaces(); ++f) {
    int start = m->faceStart(f);
    for (int i = 0; i < uvCounts[f]; ++i)
      assigned[start + i] = uvIds[static_cast<unsigned int>(next++)];
  }
  set->uvIds.swap(assigned);
  return MStatus::kSuccess;
}

// The mesh keeps its edits; what its outputs feed takes them on its next read.
MStatus MFnMesh::updateSurface() {
  if (!meshOf(object_))
    return MStatus::kInvalidParameter;
  for (const auto& c : Access::node(object_)->connections)
    if (c.outgoing)
      scene().invalidateDownstream(c.remote.node);
  return MStatus::kSuccess;
}

// ---------------------------------------------------------------- iterator

MItMeshPolygon::MItMeshPolygon(const MObject& polyObject, MStatus* s) : mesh_(polyObject) {
  OmbrixHost::reportStatus(s, meshOf(mesh_) != nullptr);
}

MItMeshPolygon::MItMeshPolygon(const MDagPath& polyObject, MObject& component, MStatus* s)
    : mesh_(polyObject.node()), path_(polyObject) {
  const OmbrixHost::ObjectData* c = Access::data(component);
  if (c && c->kind == OmbrixHost::ObjectData::kComponent && c->componentType == MFn::kMeshPolygonComponent) {
    all_ = false;
    MeshData* m = meshOf(mesh_);
    for (int f : c->elements)
      if (m && f >= 0 && f < m->numFaces())
        faces_.push_back(f);
  }
  OmbrixHost::reportStatus(s, meshOf(mesh_) != nullptr);
}

MItMeshPolygon::~MItMeshPolygon() = default;

unsigned int MItMeshPolygon::count(MStatus* s) {
  MeshData* m = meshOf(mesh_);
  OmbrixHost::reportStatus(s, m != nullptr);
  if (!m)
    return 0;
  return all_ ? static_cast<unsigned int>(m->numFaces()) : static_cast<unsigned int>(faces_.size());
}

bool MItMeshPolygon::isDone(MStatus* s) { return cursor_ >= count(s); }

MStatus MItMeshPolygon::next() {
  ++cursor_;
  return MStatus::kSuccess;
}

MStatus MItMeshPolygon::reset() {
  cursor_ = 0;
  return MStatus::kSuccess;
}

int MItMeshPolygon::current() const { return all_ ? static_cast<int>(cursor_) : faces_[cursor_]; }

unsigned int MItMeshPolygon::index(MStatus* s) {
  bool ok = !isDone();
  OmbrixHost::reportStatus(s, ok);
  return ok ? static_cast<unsigned int>(current()) : 0;
}

unsigned int MItMeshPolygon::polygonVertexCount(MStatus* s) {
  bool ok = !isDone();
  OmbrixHost::reportStatus(s, ok);
  return ok ? static_cast<unsigned int>(meshOf(mesh_)->faceCounts[current()]) : 0;
}

unsigned int MItMeshPolygon::vertexIndex(int index, MStatus* s) {
  MeshData* m = meshOf(mesh_);
  bool ok = !isDone() && index >= 0 && index < m->faceCounts[current()];
  OmbrixHost::reportStatus(s, ok);
  return ok ? static_cast<unsigned int>(m->faceConnects[m->faceStart(current()) + index]) : 0;
}

MStatus MItMeshPolygon::getVertices(MIntArray& vertices) {
  vertices.clear();
  if (isDone())
    return MStatus::kFailure;
  for (unsigned int i = 0; i < polygonVertexCount(); ++i)
    vertices.append(vertexIndex(static_cast<int>(i)));
  return MStatus::kSuccess;
}

MPoint MItMeshPolygon::point(int index, MSpace::Space space, MStatus* s) {
  if (!OmbrixHost::isShapeSpace(space, path_.length() > 0)) {
    OmbrixHost::reportStatus(s, false);
    return MPoint();
  }
  int vertex = vertexIndex(index, s);
  if (vertex < 0)
    return MPoint();
  const auto& p = meshOf(mesh_)->points[vertex];
  MPoint out(p.x, p.y, p.z);
  if (space == MSpace::kWorld)
    out = out * path_.inclusiveMatrix();
  return out;
}

bool MItMeshPolygon::hasUVs(MStatus* s) const {
  MFloatArray u, v;
  bool ok = const_cast<MItMeshPolygon*>(this)->getUVs(u, v, nullptr) == MStatus::kSuccess;
  OmbrixHost::reportStatus(s, true);
  return ok;
}

bool MItMeshPolygon::hasUVs(const MString& uvSet, MStatus* s) const {
  MFloatArray u, v;
  bool ok = getUVs(u, v, &uvSet) == MStatus::kSuccess;
  OmbrixHost::reportStatus(s, true);
  return ok;
}

MStatus MItMeshPolygon::getUVs(MFloatArray& uArray, MFloatArray& vArray, const MString* uvSet) const {
  uArray.clear();
  vArray.clear();
  MeshData* m = meshOf(mesh_);
  if (!m || static_cast<int>(cursor_) >= (all_ ? m->numFaces() : static_cast<int>(faces_.size())))
    return MStatus::kFailure;
  std::string name = uvSetNameOf(uvSet);
  const UVSet* set = m->uvSet(&name);
  if (!set)
    return MStatus::kInvalidParameter;
  int face = current();
  int start = m->faceStart(face);
  for (int i = 0; i < m->faceCounts[face]; ++i) {
    std::size_t at = static_cast<std::size_t>(start + i);
    int id = at < set->uvIds.size() ? set->uvIds[at] : -1;
    if (id < 0 || id >= static_cast<int>(set->us.size())) {
      uArray.clear();
      vArray.clear();
      return MStatus::kFailure;
    }
    uArray.append(set->us[id]);
    vArray.append(set->vs[id]);
  }
  return MStatus::kSuccess;
}

MStatus MItMeshPolygon::getUV(int vertex, float2& uvPoint, const MString* uvSet) const {
  MFloatArray u, v;
  MStatus st = getUVs(u, v, uvSet);
  if (!st || vertex < 0 || vertex >= static_cast<int>(u.length()))
    return MStatus::kFailure;
  uvPoint[0] = u[static_cast<unsigned int>(vertex)];
  uvPoint[1] = v[static_cast<unsigned int>(vertex)];
  return MStatus::kSuccess;
}
