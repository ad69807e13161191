#pragma once
// The attribute chunks of a Maya Binary node group: the attribute's name
// (NUL-ended), a flags byte (0x08: a 32-bit element count follows, the size
// an array is given), then the value, whose shape the chunk's tag gives.
#include "ChunkData.h"
#include "Node.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace OmbrixHost {

// Times are counted in ticks: 6000 a second in files of Maya 2015 and
// before (32-bit counts), as the header's TDUR says in later ones (64-bit).
struct TimeUnits {
  double ticksPerSecond = 6000;
  double framesPerSecond = 24;
};

// Array elements are stored densely by index: a high index in a few bytes
// would allocate far past what the file holds. Each array of each node may
// grow to the highest index used only while the file's budget lasts.
class IndexBudget {
public:
  explicit IndexBudget(std::uint64_t elements) : left_(elements) {}
  // False when growing `attr` of `node` to `index` would pass the budget.
  bool charge(const Node* node, const AttrDef* attr, long long index);

private:
  std::map<std::pair<const Node*, const AttrDef*>, long long> highest_;
  std::uint64_t left_;
};

enum class AttrChunkResult {
  kRead,     // the value is in the scene
  kSkipped,  // left out: `reason` says why (the host cannot decode it safely)
};

// Applies one attribute chunk of tag `tag` to `node`. Values are the file's
// internal units (centimetres, radians); a time is given in ticks and is
// stored in frames.
AttrChunkResult readAttributeChunk(Node& node, const char* tag, ChunkData data, const TimeUnits& time,
                                   IndexBudget& budget, std::string& reason);

}  // namespace OmbrixHost
