#include "HostObject.h"
#include "NurbsTessellator.h"

#include <maya/MTesselationParams.h>

MTesselationParams MTesselationParams::fsDefaultTesselationParams;

MTesselationParams::MTesselationParams(TessFormat format, PolyType polyType) : format_(format), polyType_(polyType) {
  flags_ |= 1u << kUseChordHeightRatio;
}
MTesselationParams::MTesselationParams(const MTesselationParams& other) = default;
MTesselationParams::~MTesselationParams() = default;
MTesselationParams& MTesselationParams::operator=(const MTesselationParams& other) = default;

void MTesselationParams::setFormatType(TessFormat type) { format_ = type; }
void MTesselationParams::setOutputType(PolyType type) { polyType_ = type; }
void MTesselationParams::setTriangleCount(int count) { triangleCount_ = count; }
void MTesselationParams::setStdChordHeightRatio(double ratio) { stdChordHeightRatio_ = ratio; }
void MTesselationParams::setStdFractionalTolerance(double tolerance) { stdFractionalTolerance_ = tolerance; }
void MTesselationParams::setStdMinEdgeLength(double length) { stdMinEdgeLength_ = length; }
void MTesselationParams::setSubdivisionFlag(SubdivisionType type, bool use) {
  if (type < 0 || type >= kLastFlag)
    return;
  if (use)
    flags_ |= 1u << type;
  else
    flags_ &= ~(1u << type);
}
bool MTesselationParams::subdivisionFlag(SubdivisionType type) const {
  return type >= 0 && type < kLastFlag && (flags_ & (1u << type)) != 0;
}
void MTesselationParams::setFitTolerance(double tolerance) { fitTolerance_ = tolerance; }
void MTesselationParams::setChordHeightRatio(double ratio) { chordHeightRatio_ = ratio; }
void MTesselationParams::setMinEdgeLength(double length) { minEdgeLength_ = length; }
void MTesselationParams::setMaxEdgeLength(double length) { maxEdgeLength_ = length; }
void MTesselationParams::setMaxNumberPolys(int count) { maxNumberPolys_ = count; }
void MTesselationParams::set3DDelta(double delta) { delta3D_ = delta; }
void MTesselationParams::setUIsoparmType(IsoparmType type) { uIsoparm_ = type; }
void MTesselationParams::setVIsoparmType(IsoparmType type) { vIsoparm_ = type; }
void MTesselationParams::setUNumber(int count) { uNumber_ = count; }
void MTesselationParams::setVNumber(int count) { vNumber_ = count; }

namespace OmbrixHost {

TessellationSettings Access::tessellation(const MTesselationParams& p) {
  TessellationSettings s;
  s.format = p.format_;
  s.polyType = p.polyType_;
  s.triangleCount = p.triangleCount_;
  s.stdChordHeightRatio = p.stdChordHeightRatio_;
  s.stdFractionalTolerance = p.stdFractionalTolerance_;
  s.stdMinEdgeLength = p.stdMinEdgeLength_;
  s.chordHeightRatio = p.chordHeightRatio_;
  s.delta3D = p.delta3D_;
  s.useChordHeightRatio = p.subdivisionFlag(MTesselationParams::kUseChordHeightRatio);
  s.useFractionalTolerance = p.subdivisionFlag(MTesselationParams::kUseFractionalTolerance);
  s.edgeSwapping = p.subdivisionFlag(MTesselationParams::kUseTriangleEdgeSwapping);
  s.uIsoparm = p.uIsoparm_;
  s.vIsoparm = p.vIsoparm_;
  s.uNumber = p.uNumber_;
  s.vNumber = p.vNumber_;
  return s;
}

}  // namespace OmbrixHost
