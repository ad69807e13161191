#pragma once
// Correspondence files made without the painter, for tests and pipelines:
// one record per triangle of a model's polygons, taken as the project file
// takes them (a fan from each polygon's first corner, the painter's frame),
// with new texture coordinates.
#include <string>
#include <vector>

#include "IO/CorrespondenceTable.h"

class HvModel;

struct CorrespondenceUvMode {
  enum Kind { kSame, kPlanar, kShift };
  Kind kind = kSame;
  double du = 0.0, dv = 0.0;
};

// "same", "planar" or "shift:DU:DV"; false for anything else.
bool parseCorrespondenceUvMode(const std::string& text, CorrespondenceUvMode& mode);

// Records in the painter's frame, in project-file order: groups in model
// order, polygons in group order, triangles (c0, c1, c2), (c0, c2, c3) ...
// Texture coordinates: kSame the project file's (u, 1 - model v); kPlanar
// u, v = the Maya-frame x, y over the model's bounds (the larger of the two
// extents maps to 1); kShift the project file's plus (du, dv). `groups`,
// when given, receives each record's group index.
std::vector<CorrespondenceRecord> makeCorrespondenceRecords(HvModel& model,
                                                            const CorrespondenceUvMode& mode,
                                                            std::vector<int>* groups = nullptr);

// Writes "CORR", the count and the records (painter's frame) byte by byte;
// false with a reason.
bool writeCorrespondenceFile(const char* path, const std::vector<CorrespondenceRecord>& records,
                             std::string& error);
