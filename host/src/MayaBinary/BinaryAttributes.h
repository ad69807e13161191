#pragma once
// The attribute chunks of a Maya Binary node group: the attribute's name
// (NUL-ended), a flags byte (0x08: a 32-bit element count follows, the size
// an array is given), then the value, whose shape the chunk's tag gives.
#include "ChunkData.h"
#include "Node.h"

#include <string>

namespace OmbrixHost {

// Times are counted in ticks: 6000 a second in files of Maya 2015 and
// before (32-bit counts), as the header's TDUR says in later ones (64-bit).
struct TimeUnits {
  double ticksPerSecond = 6000;
  double framesPerSecond = 24;
};

enum class AttrChunkResult {
  kRead,     // the value is in the scene
  kSkipped,  // left out: `reason` says why (the host cannot decode it safely)
};

// Applies one attribute chunk of tag `tag` to `node`. Values are the file's
// internal units (centimetres, radians); a time is given in ticks and is
// stored in frames.
AttrChunkResult readAttributeChunk(Node& node, const char* tag, ChunkData data, const TimeUnits& time,
                                   std::string& reason);

}  // namespace OmbrixHost
