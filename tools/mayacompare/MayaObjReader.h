#pragma once
// Reads the OBJ that Maya's exporter writes: one block per object, its v, vt
// and vn lines, then g, usemtl, s and f lines, indices 1-based and running on
// across blocks. A block mostly starts at "g default"; an object some of whose
// faces are in sets has the sets' names there instead (and before its runs of
// faces), so a block is told by its vertex lines following faces. An
// object's g lines name its transform, its ancestors and those sets; all of
// a block's names are kept together.
#include <set>
#include <string>
#include <vector>

#include "TruthMesh.h"

struct MayaObjObject {
  std::set<std::string> names;  // every name of the block's g lines but "default"
  TruthMesh mesh;
  int line = 0;                 // where its vertex lines start
};

// Limits that keep a damaged file from asking for unbounded work.
struct MayaObjLimits {
  std::size_t maxLineBytes = 1 << 20;
  std::size_t maxCornersPerFace = 1 << 16;
};

// False with "NAME:LINE: reason" in `error` when the text is not such an OBJ.
bool parseMayaObj(const std::string& text, const std::string& name, std::vector<MayaObjObject>& objects,
                  std::string& error, const MayaObjLimits& limits = MayaObjLimits());
// The same for a file ("PATH: reason" when it cannot be read).
bool readMayaObj(const std::string& path, std::vector<MayaObjObject>& objects, std::string& error);
