#pragma once
#include <maya/MFnDagNode.h>
#include <maya/MTesselationParams.h>

class MDoubleArray;
class MPoint;
class MPointArray;

class OPENMAYA_EXPORT MFnNurbsSurface : public MFnDagNode {
public:
  enum Form { kInvalid = 0, kOpen, kClosed, kPeriodic, kLast };

  MFnNurbsSurface();
  MFnNurbsSurface(const MObject& object, MStatus* ReturnStatus = nullptr);
  MFnNurbsSurface(const MDagPath& path, MStatus* ReturnStatus = nullptr);
  ~MFnNurbsSurface() override;
  MFn::Type type() const override;

  MObject create(const MPointArray& controlVertices, const MDoubleArray& uKnotSequences,
                 const MDoubleArray& vKnotSequences, unsigned int degreeInU, unsigned int degreeInV,
                 Form formU, Form formV, bool createRational, MObject parentOrOwner = MObject::kNullObj,
                 MStatus* ReturnStatus = nullptr);
  MObject tesselate(MTesselationParams& params = MTesselationParams::fsDefaultTesselationParams,
                    MObject parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = nullptr);

  int degreeU(MStatus* ReturnStatus = nullptr) const;
  int degreeV(MStatus* ReturnStatus = nullptr) const;
  int numCVsInU(MStatus* ReturnStatus = nullptr) const;
  int numCVsInV(MStatus* ReturnStatus = nullptr) const;
  int numSpansInU(MStatus* ReturnStatus = nullptr) const;
  int numSpansInV(MStatus* ReturnStatus = nullptr) const;
  int numKnotsInU(MStatus* ReturnStatus = nullptr) const;
  int numKnotsInV(MStatus* ReturnStatus = nullptr) const;
  Form formInU(MStatus* ReturnStatus = nullptr) const;
  Form formInV(MStatus* ReturnStatus = nullptr) const;
  MStatus getKnotsInU(MDoubleArray& knots) const;
  MStatus getKnotsInV(MDoubleArray& knots) const;
  MStatus getCVs(MPointArray& cvs, MSpace::Space space = MSpace::kObject) const;
  MStatus getKnotDomain(double& startU, double& endU, double& startV, double& endV) const;
  MStatus getPointAtParam(double u, double v, MPoint& point, MSpace::Space space = MSpace::kObject) const;

protected:
  MFn::Type requiredType() const override;
};
