#pragma once
#include <maya/MFnDagNode.h>
#include <maya/MPoint.h>
#include <maya/MTypes.h>

#include <memory>

class MDGModifier;
class MFloatArray;
class MFloatPointArray;
class MIntArray;
class MPointArray;
class MStringArray;
class MSelectionList;
class MUintArray;
namespace OmbrixHost {
struct MeshEdges;
}

class OPENMAYA_EXPORT MFnMesh : public MFnDagNode {
public:
  MFnMesh();
  MFnMesh(const MObject& object, MStatus* ReturnStatus = nullptr);
  MFnMesh(const MDagPath& path, MStatus* ReturnStatus = nullptr);
  ~MFnMesh() override;
  MFn::Type type() const override;

  MObject create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                 const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                 MObject parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = nullptr);
  MObject create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                 const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                 const MFloatArray& uArray, const MFloatArray& vArray,
                 MObject parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = nullptr);

  int numVertices(MStatus* ReturnStatus = nullptr) const;
  int numPolygons(MStatus* ReturnStatus = nullptr) const;
  int numFaceVertices(MStatus* ReturnStatus = nullptr) const;
  int numEdges(MStatus* ReturnStatus = nullptr) const;
  MStatus getEdgeVertices(int edgeId, int2& vertexList) const;
  int polygonVertexCount(int polygonId, MStatus* ReturnStatus = nullptr) const;
  MStatus getPoint(int vertexId, MPoint& pos, MSpace::Space space = MSpace::kObject) const;
  MStatus getPoints(MPointArray& vertexArray, MSpace::Space space = MSpace::kObject) const;
  MStatus setPoint(int vertexId, const MPoint& pos, MSpace::Space space = MSpace::kObject);
  MStatus getPolygonVertices(int polygonId, MIntArray& vertexList) const;
  MStatus getVertices(MIntArray& vertexCount, MIntArray& vertexList) const;

  int numUVSets(MStatus* ReturnStatus = nullptr) const;
  int numUVs(MStatus* ReturnStatus = nullptr) const;
  int numUVs(const MString& uvSet, MStatus* ReturnStatus = nullptr) const;
  MStatus getUVSetNames(MStringArray& setNames) const;
  MStatus getCurrentUVSetName(MString& setName, int instance = -1) const;
  MString currentUVSetName(MStatus* ReturnStatus = nullptr, int instance = -1) const;
  MStatus setCurrentUVSetName(const MString& setName, MDGModifier* modifier = nullptr,
                              MSelectionList* currentSelection = nullptr);
  MString createUVSetWithName(const MString& setName, MDGModifier* modifier = nullptr,
                              MStatus* ReturnStatus = nullptr, const MUintArray* instances = nullptr);
  MStatus getUVs(MFloatArray& uArray, MFloatArray& vArray, const MString* uvSet = nullptr) const;
  MStatus getUV(int uvId, float& u, float& v, const MString* uvSet = nullptr) const;
  MStatus getPolygonUV(int polygonId, int vertexIndex, float& u, float& v,
                       const MString* uvSet = nullptr) const;
  MStatus getPolygonUVid(int polygonId, int vertexIndex, int& uvId, const MString* uvSet = nullptr) const;
  MStatus getAssignedUVs(MIntArray& uvCounts, MIntArray& uvIds, const MString* uvSet = nullptr) const;
  MStatus clearUVs(const MString* uvSet = nullptr);
  MStatus setUVs(const MFloatArray& uArray, const MFloatArray& vArray, const MString* uvSet = nullptr);
  MStatus assignUVs(const MIntArray& uvCounts, const MIntArray& uvIds, const MString* uvSet = nullptr);
  MStatus updateSurface();

protected:
  MFn::Type requiredType() const override;

private:
  const OmbrixHost::MeshEdges* edges() const;
  // The edges of the mesh last asked, kept while the function set reads the same mesh.
  mutable std::shared_ptr<const OmbrixHost::MeshEdges> edges_;
  mutable const void* edgesOf_ = nullptr;
  mutable std::size_t edgesCorners_ = 0;
};
