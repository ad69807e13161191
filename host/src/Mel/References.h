#pragma once
// File references in Maya ASCII scenes: the "file -r" and "file -rdi" lines,
// where the referenced file is found, reading it under its namespace, and the
// edits the reference node stores, applied once the file that holds them is read.
#include "MelInterpreter.h"
#include "SceneReferences.h"

#include <maya/MTypes.h>

#include <string>
#include <vector>

namespace OmbrixHost {

const char* referenceStateName(ReferenceRecord::State state);

// References nest no deeper than this (a scene's own references are depth 1).
constexpr int kMaxReferenceDepth = 32;

// "file -r ..." (reads the referenced file now, unless it is deferred) and
// "file -rdi N ..." (what the saved scene says of each reference at any depth).
void referenceLine(const MelFlags& flags, bool depthInfo);

// Once the scene is read: references no file line reached stay deferred when
// they or the reference holding them are.
void settleReferences();

// Where a referenced file is looked for, in order: the path as written (its
// environment variables expanded), then in the folder of the scene that
// references it, then in the workspace and its scenes folder (the workspace's
// "mayaAscii" file rule). A path from another machine (a drive letter, a
// folder that is not here) is looked for by its part below a scenes folder
// and by its file name.
OPENMAYA_EXPORT std::vector<std::string> referenceCandidates(const std::string& written, const std::string& sceneFile,
                                                             const std::string& workspaceRoot);
OPENMAYA_EXPORT std::string expandEnvironment(const std::string& path);

// setAttr ".ed" -type "dataReferenceEdits" ... on the current reference node:
// the statement from after "setAttr". False with `error` on a malformed list.
bool readReferenceEdits(const char* begin, const char* end, std::string& error);
// Applies the edits stored in `file` (just read) to the references it loaded.
void applyReferenceEdits(const std::string& file, std::vector<std::string>& problems);
// The edits as Maya writes them after -type "dataReferenceEdits", or "" when there are none.
std::string referenceEditsText(const std::string& referenceNode);

// The references for --stats: a JSON array, texts quoted by `quote`.
std::string referencesJson(std::string (*quote)(const std::string&));


}  // namespace OmbrixHost
