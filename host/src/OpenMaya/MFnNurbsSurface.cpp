#include "HoledFaces.h"
#include "HostObject.h"
#include "SceneEvaluation.h"
#include "NurbsTessellator.h"
#include "Scene.h"

#include <maya/MDoubleArray.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>

using OmbrixHost::Access;
using OmbrixHost::Node;
using OmbrixHost::NurbsData;
using OmbrixHost::scene;

namespace {


NurbsData* surfaceOf(const MObject& object) {
  Node* n = Access::node(object);
  OmbrixHost::evaluateShape(n);
  return n ? n->nurbs.get() : nullptr;
}

}  // namespace

MFnNurbsSurface::MFnNurbsSurface() = default;
MFnNurbsSurface::MFnNurbsSurface(const MObject& object, MStatus* s) { OmbrixHost::reportStatus(s, setObject(object)); }
MFnNurbsSurface::MFnNurbsSurface(const MDagPath& path, MStatus* s) { OmbrixHost::reportStatus(s, setObject(path)); }
MFnNurbsSurface::~MFnNurbsSurface() = default;
MFn::Type MFnNurbsSurface::type() const { return MFn::kNurbsSurface; }
MFn::Type MFnNurbsSurface::requiredType() const { return MFn::kNurbsSurface; }

MObject MFnNurbsSurface::create(const MPointArray& controlVertices, const MDoubleArray& uKnotSequences,
                                const MDoubleArray& vKnotSequences, unsigned int degreeInU, unsigned int degreeInV,
                                Form formU, Form formV, bool createRational, MObject parentOrOwner, MStatus* s) {
  NurbsData d;
  d.degreeU = static_cast<int>(degreeInU);
  d.degreeV = static_cast<int>(degreeInV);
  d.formU = formU;
  d.formV = formV;
  d.rational = createRational;
  d.knotsU = Access::items(uKnotSequences);
  d.knotsV = Access::items(vKnotSequences);
  for (unsigned int i = 0; i < controlVertices.length(); ++i) {
    const MPoint& p = controlVertices[i];
    double w = createRational && p.w != 0.0 ? p.w : 1.0;
    d.cvs.push_back({p.x / (createRational ? w : 1.0), p.y / (createRational ? w : 1.0), p.z / (createRational ? w : 1.0)});
    d.weights.push_back(w);
  }
  Node* parent = Access::node(parentOrOwner);
  bool ok = d.knotsU.size() >= 2 && d.knotsV.size() >= 2 && d.valid() &&
            (parentOrOwner.isNull() || (parent && parent->hasFn(MFn::kTransform)));
  if (!ok) {
    OmbrixHost::reportStatus(s, false);
    return MObject();
  }
  std::string error;
  Node* shape = scene().createNode("nurbsSurface", "", parent, error);
  *shape->nurbs = d;
  setObject(Access::wrap(shape));
  OmbrixHost::reportStatus(s, true);
  return parent ? Access::wrap(shape) : Access::wrap(shape->parents[0]);
}

// The owner is null (a new transform), a transform (the mesh's parent) or
// mesh data, which gets the mesh and creates no node.
MObject MFnNurbsSurface::tesselate(MTesselationParams& params, MObject parentOrOwner, MStatus* s) {
  NurbsData* d = surfaceOf(object_);
  Node* parent = Access::node(parentOrOwner);
  const bool intoData = parentOrOwner.hasFn(MFn::kMeshData);
  OmbrixHost::MeshData mesh;
  bool ok = d && (parentOrOwner.isNull() || intoData || (parent && parent->hasFn(MFn::kTransform))) &&
            OmbrixHost::tessellateSurface(*d, OmbrixHost::Access::tessellation(params), mesh);
  OmbrixHost::reportStatus(s, ok);
  if (!ok)
    return MObject();
  if (intoData) {
    *Access::mesh(parentOrOwner) = std::move(mesh);
    return parentOrOwner;
  }
  std::string error;
  Node* shape = scene().createNode("mesh", "", parent, error);
  *shape->mesh = std::move(mesh);
  OmbrixHost::splitHoledFaces(*shape);  // a planar trimmed region's holes
  shape->setValue("currentUVSet", OmbrixHost::Value::ofString("map1"));
  return parent ? Access::wrap(shape) : Access::wrap(shape->parents[0]);
}

int MFnNurbsSurface::degreeU(MStatus* s) const {
  NurbsData* d = surfaceOf(object_);
  OmbrixHost::reportStatus(s, d != nullptr);
  return d ? d->degreeU : 0;
}
int MFnNurbsSurface::degreeV(MStatus* s) const {
  NurbsData* d = surfaceOf(object_);
  OmbrixHost::reportStatus(s, d != nullptr);
  return d ? d->degreeV : 0;
}
int MFnNurbsSurface::numCVsInU(MStatus* s) const {
  NurbsData* d = surfaceOf(object_);
  OmbrixHost::reportStatus(s, d != nullptr);
  return d ? d->numCVsU() : 0;
}
int MFnNurbsSurface::numCVsInV(MStatus* s) const {
  NurbsData* d = surfaceOf(object_);
  OmbrixHost::reportStatus(s, d != nullptr);
  return d ? d->numCVsV() : 0;
}
int MFnNurbsSurface::numSpansInU(MStatus* s) const { return numCVsInU(s) - degreeU(); }
int MFnNurbsSurface::numSpansInV(MStatus* s) const { return numCVsInV(s) - degreeV(); }
int MFnNurbsSurface::numKnotsInU(MStatus* s) const {
  NurbsData* d = surfaceOf(object_);
  OmbrixHost::reportStatus(s, d != nullptr);
  return d ? static_cast<int>(d->knotsU.size()) : 0;
}
int MFnNurbsSurface::numKnotsInV(MStatus* s) const {
  NurbsData* d = surfaceOf(object_);
  OmbrixHost::reportStatus(s, d != nullptr);
  return d ? static_cast<int>(d->knotsV.size()) : 0;
}
MFnNurbsSurface::Form MFnNurbsSurface::formInU(MStatus* s) const {
  NurbsData* d = surfaceOf(object_);
  OmbrixHost::reportStatus(s, d != nullptr);
  return d ? static_cast<Form>(d->formU) : kInvalid;
}
MFnNurbsSurface::Form MFnNurbsSurface::formInV(MStatus* s) const {
  NurbsData* d = surfaceOf(object_);
  OmbrixHost::reportStatus(s, d != nullptr);
  return d ? static_cast<Form>(d->formV) : kInvalid;
}
MStatus MFnNurbsSurface::getKnotsInU(MDoubleArray& knots) const {
  NurbsData* d = surfaceOf(object_);
  if (!d)
    return MStatus::kInvalidParameter;
  Access::items(knots) = d->knotsU;
  return MStatus::kSuccess;
}
MStatus MFnNurbsSurface::getKnotsInV(MDoubleArray& knots) const {
  NurbsData* d = surfaceOf(object_);
  if (!d)
    return MStatus::kInvalidParameter;
  Access::items(knots) = d->knotsV;
  return MStatus::kSuccess;
}
MStatus MFnNurbsSurface::getCVs(MPointArray& cvs, MSpace::Space space) const {
  cvs.clear();
  NurbsData* d = surfaceOf(object_);
  if (!d || !OmbrixHost::isShapeSpace(space, hasPath_))
    return MStatus::kInvalidParameter;
  MMatrix world = space == MSpace::kWorld ? path_.inclusiveMatrix() : MMatrix();
  for (const auto& p : d->cvs)
    cvs.append(MPoint(p.x, p.y, p.z) * world);
  return MStatus::kSuccess;
}
MStatus MFnNurbsSurface::getKnotDomain(double& startU, double& endU, double& startV, double& endV) const {
  NurbsData* d = surfaceOf(object_);
  if (!d || !d->valid())
    return MStatus::kInvalidParameter;
  OmbrixHost::NurbsEvaluator e(*d);
  startU = e.uMin();
  endU = e.uMax();
  startV = e.vMin();
  endV = e.vMax();
  return MStatus::kSuccess;
}
MStatus MFnNurbsSurface::getPointAtParam(double u, double v, MPoint& point, MSpace::Space space) const {
  NurbsData* d = surfaceOf(object_);
  if (!d || !d->valid() || !OmbrixHost::isShapeSpace(space, hasPath_))
    return MStatus::kInvalidParameter;
  OmbrixHost::NurbsEvaluator e(*d);
  auto p = e.at(u, v);
  point = MPoint(p.x, p.y, p.z);
  if (space == MSpace::kWorld)
    point = point * path_.inclusiveMatrix();
  return MStatus::kSuccess;
}
