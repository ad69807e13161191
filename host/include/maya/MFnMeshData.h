#pragma once
// Mesh data: create() makes an empty data object that a mesh can be built
// into (MFnMesh::create or MFnNurbsSurface::tesselate with it as
// parentOrOwner) without any node in the scene; MFnMesh reads it.
#include <maya/MFnGeometryData.h>

class OPENMAYA_EXPORT MFnMeshData : public MFnGeometryData {
public:
  MFnMeshData();
  MFnMeshData(MObject& object, MStatus* ReturnStatus = nullptr);
  MFnMeshData(const MObject& object, MStatus* ReturnStatus = nullptr);
  ~MFnMeshData() override;
  MFn::Type type() const override;

  MObject create(MStatus* ReturnStatus = nullptr);

protected:
  MFn::Type requiredType() const override;
};
