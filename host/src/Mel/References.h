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
// No scene reads more files than this (a file referencing another twice at
// each level would otherwise be read 2^32 times).
constexpr std::size_t kMaxReferenceReads = 10000;

// "file -r ..." (reads the referenced file now, unless it is deferred) and
// "file -rdi N ..." (what the saved scene says of each reference at any depth).
void referenceLine(const MelFlags& flags, bool depthInfo);

// Around the reading of the scene being opened. Once it is read, references
// no file line reached stay deferred when they or the reference holding them are.
void startReferences(const std::string& scenePath);
void finishReferences();

// Where a referenced file is looked for, in order: the path as written (its
// environment variables expanded), then in the folder of the scene that
// references it, then in the workspace and its scenes folder (the workspace's
// "mayaAscii" file rule). A path from another machine (a drive letter, a
// folder that is not here) is looked for by its part below a scenes folder
// and by its file name.
OPENMAYA_EXPORT std::vector<std::string> referenceCandidates(const std::string& written, const std::string& sceneFile,
                                                             const std::string& workspaceRoot);
OPENMAYA_EXPORT std::string expandEnvironment(const std::string& path);
// A path with Windows' backslashes as /.
std::string forwardSlashes(std::string path);
// A MEL string literal: quotes and backslashes escaped, newlines as \n.
std::string melQuoted(const std::string& text);

// setAttr ".ed" -type "dataReferenceEdits" ... on the current reference node:
// the statement from after "setAttr". `holder` is set to the reference node
// whose record keeps them; false with `error` on a malformed list.
bool readReferenceEdits(const char* begin, const char* end, std::string& holder, std::string& error);
// Applies the edits the file just read stored on these reference nodes.
void applyReferenceEdits(const std::vector<std::string>& holders, std::vector<std::string>& problems);
// The edits as Maya writes them after -type "dataReferenceEdits", or "" when there are none.
std::string referenceEditsText(const std::string& referenceNode);

// The references for --stats: a JSON array, texts quoted by `quote`.
std::string referencesJson(std::string (*quote)(const std::string&));


}  // namespace OmbrixHost
