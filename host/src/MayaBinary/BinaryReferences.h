#pragma once
// File references as a Maya Binary file holds them: FREF and FRDI chunks
// (the "file -r" and "file -rdi" lines of Maya ASCII) and the REFE chunk of
// a reference node (its "dataReferenceEdits").
#include "ChunkData.h"
#include "References.h"

#include <string>
#include <vector>

namespace OmbrixHost {

// A FREF chunk, or with `depthInfo` a FRDI chunk. False with `why` when the
// chunk is cut off or holds what this reading does not know.
bool readReferenceChunk(ChunkData d, bool depthInfo, ReferenceStatement& st, std::string& why);

// A REFE chunk after its attribute name and flags byte: the reference node
// whose edits they are and the groups of edits. False with `why` when it is
// cut off or holds an edit whose layout this reading does not know.
bool readReferenceEditsChunk(ChunkData d, std::string& owner, std::vector<ReferenceEditGroup>& groups,
                             std::string& why);

}  // namespace OmbrixHost
