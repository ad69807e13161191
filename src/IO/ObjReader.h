#pragma once
// The OBJ reader and its MTL reader. The scene variant differs: negative
// face indices count back from the latest element, and materials are shaders
// of the model's shader graph (set as each polygon's auxiliary word) with
// image nodes for texture maps.
class HvIO;
class HvModel;
class ProgressSink;
struct ReadFailure;

// 1 on success (some "v", "vt" or "vn" line stored), 0 on failure, with the
// line and the reason in `failure` when given.
int ReadObj(HvModel& model, HvIO& stream, ProgressSink* progress, bool sceneVariant,
            ReadFailure* failure = nullptr);
// 1 when the file defined at least one material.
int ReadMtl(HvModel& model, HvIO& stream, ProgressSink* progress, bool sceneVariant);
