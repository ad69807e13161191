#pragma once
// The MESH value of a Maya Binary mesh shape: its whole polygon data.
#include "ChunkData.h"
#include "GeometryData.h"

#include <string>

namespace OmbrixHost {

// Fills `mesh` from the value that starts at `data`'s position. False with
// `error` when the data is broken (the mesh is then left empty); `note` tells
// of parts that were read no further (the UV sets of a layout not known).
bool readMeshValue(ChunkData& data, MeshData& mesh, std::string& error, std::string& note);

}  // namespace OmbrixHost
