#pragma once
// What the binary scene readers share: recognising their magic bytes and
// the target model of a load ("Clump=1": the scene's first model; otherwise
// a new one).
#include <cstddef>
#include <cstdint>

#include "HvCore/HvIO.h"

class HvModel;
class Scene;

// True when `magic` (count bytes) starts at `start`; the position is kept.
bool StartsWith(HvIO* stream, int64_t start, const char* magic, size_t count);
// The model a load reads into, held by a new mesh-set node added to the
// scene. A new model belongs to the scene's caller, as every reader's does.
HvModel* AddTargetModel(Scene& scene, const char* options);
