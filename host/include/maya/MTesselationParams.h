#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MMatrix;

class OPENMAYA_EXPORT MTesselationParams {
public:
  enum TessFormat { kTriangleCountFormat = 0, kStandardFitFormat, kGeneralFormat };
  enum PolyType { kTriangles = 0, kQuads };
  enum IsoparmType { kSurface3DDistance = 0, kSurface3DEquiSpaced, kSurfaceEquiSpaced, kSpanEquiSpaced };
  enum SubdivisionType {
    kUseFractionalTolerance = 0,
    kUseChordHeightRatio,
    kUseMinEdgeLength,
    kUseMaxEdgeLength,
    kUseMaxNumberPolys,
    kUseMaxSubdivisionLevel,
    kUseMinScreenSize,
    kUseMaxUVRectangleSize,
    kUseTriangleEdgeSwapping,
    kUseRelativeTolerance,
    kUseEdgeSmooth,
    kLastFlag
  };

  MTesselationParams(TessFormat format = kStandardFitFormat, PolyType polyType = kTriangles);
  MTesselationParams(const MTesselationParams& other);
  ~MTesselationParams();
  MTesselationParams& operator=(const MTesselationParams& other);

  void setFormatType(TessFormat type);
  void setOutputType(PolyType type);
  void setTriangleCount(int count);
  void setStdChordHeightRatio(double ratio);
  void setStdFractionalTolerance(double tolerance);
  void setStdMinEdgeLength(double length);
  void setSubdivisionFlag(SubdivisionType type, bool use);
  void setFitTolerance(double tolerance);
  void setChordHeightRatio(double ratio);
  void setMinEdgeLength(double length);
  void setMaxEdgeLength(double length);
  void setMaxNumberPolys(int count);
  void set3DDelta(double delta);
  void setUIsoparmType(IsoparmType type);
  void setVIsoparmType(IsoparmType type);
  void setUNumber(int count);
  void setVNumber(int count);

  static MTesselationParams fsDefaultTesselationParams;

private:
  friend class OmbrixHost::Access;
  bool subdivisionFlag(SubdivisionType type) const;
  TessFormat format_;
  PolyType polyType_;
  int triangleCount_ = 200;
  double stdChordHeightRatio_ = 0.9;
  double stdFractionalTolerance_ = 0.01;
  double stdMinEdgeLength_ = 0.001;
  double chordHeightRatio_ = 0.9;
  double fitTolerance_ = 0.01;
  double minEdgeLength_ = 0.001;
  double maxEdgeLength_ = 0.0;
  int maxNumberPolys_ = 0;
  double delta3D_ = 0.1;
  unsigned int flags_ = 0;
  IsoparmType uIsoparm_ = kSpanEquiSpaced;
  IsoparmType vIsoparm_ = kSpanEquiSpaced;
  int uNumber_ = 3;
  int vNumber_ = 3;
};
