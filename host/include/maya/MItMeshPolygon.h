#pragma once
#include <maya/MDagPath.h>
#include <maya/MPoint.h>
#include <vector>

class MFloatArray;
class MIntArray;

class OPENMAYA_EXPORT MItMeshPolygon {
public:
  MItMeshPolygon(const MObject& polyObject, MStatus* ReturnStatus = nullptr);
  MItMeshPolygon(const MDagPath& polyObject, MObject& component = MObject::kNullObj,
                 MStatus* ReturnStatus = nullptr);
  ~MItMeshPolygon();
  bool isDone(MStatus* ReturnStatus = nullptr);
  MStatus next();
  MStatus reset();
  unsigned int count(MStatus* ReturnStatus = nullptr);
  unsigned int index(MStatus* ReturnStatus = nullptr);
  unsigned int polygonVertexCount(MStatus* ReturnStatus = nullptr);
  unsigned int vertexIndex(int index, MStatus* ReturnStatus = nullptr);
  MStatus getVertices(MIntArray& vertices);
  MPoint point(int index, MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = nullptr);
  bool hasUVs(MStatus* ReturnStatus = nullptr) const;
  bool hasUVs(const MString& uvSet, MStatus* ReturnStatus = nullptr) const;
  MStatus getUVs(MFloatArray& uArray, MFloatArray& vArray, const MString* uvSet = nullptr) const;
  MStatus getUV(int vertex, float2& uvPoint, const MString* uvSet = nullptr) const;

private:
  int current() const;
  MObject mesh_;
  MDagPath path_;
  std::vector<int> faces_;
  bool all_ = true;
  unsigned int cursor_ = 0;
};
