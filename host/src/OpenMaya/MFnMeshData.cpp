#include "HostObject.h"

#include <maya/MFnMeshData.h>

using OmbrixHost::Access;

MFnData::MFnData() = default;
MFnData::MFnData(MObject& object, MStatus* s) { OmbrixHost::reportStatus(s, setObject(object)); }
MFnData::MFnData(const MObject& object, MStatus* s) { OmbrixHost::reportStatus(s, setObject(object)); }
MFnData::~MFnData() = default;
MFn::Type MFnData::type() const { return MFn::kData; }
MFn::Type MFnData::requiredType() const { return MFn::kData; }

MFnGeometryData::MFnGeometryData() = default;
MFnGeometryData::MFnGeometryData(MObject& object, MStatus* s) { OmbrixHost::reportStatus(s, setObject(object)); }
MFnGeometryData::MFnGeometryData(const MObject& object, MStatus* s) {
  OmbrixHost::reportStatus(s, setObject(object));
}
MFnGeometryData::~MFnGeometryData() = default;
// The host's only geometry data is mesh data.
MFn::Type MFnGeometryData::type() const { return MFn::kData; }
MFn::Type MFnGeometryData::requiredType() const { return MFn::kMeshData; }

MFnMeshData::MFnMeshData() = default;
MFnMeshData::MFnMeshData(MObject& object, MStatus* s) { OmbrixHost::reportStatus(s, setObject(object)); }
MFnMeshData::MFnMeshData(const MObject& object, MStatus* s) { OmbrixHost::reportStatus(s, setObject(object)); }
MFnMeshData::~MFnMeshData() = default;
MFn::Type MFnMeshData::type() const { return MFn::kMeshData; }
MFn::Type MFnMeshData::requiredType() const { return MFn::kMeshData; }

MObject MFnMeshData::create(MStatus* s) {
  MObject data = Access::makeMeshData();
  setObject(data);
  OmbrixHost::reportStatus(s, true);
  return data;
}
