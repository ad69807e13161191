#pragma once
// The two module-wide registries of format objects (model formats and scene
// readers), filled once at start-up and torn down at unload.
#include <memory>

#include "HvTL/HvString.h"
#include "IO/ModelFormat.h"

int RegisterModelFormat(std::unique_ptr<ModelFormat> format);
int RegisterSceneReader(std::unique_ptr<SceneReader> reader);
// Consistency walks at start-up (they change nothing).
int CheckModelFormats();
int CheckSceneReaders();

// Saves through the first format of that name (exact, case-sensitive) whose
// save succeeds, each on a fresh stream opened in write mode. 0 when no
// format of that name exists (and then no file is created) or all failed; a
// save whose stream does not close cleanly has failed. `failure`, when
// given, receives why the last format tried failed (see ModelFormat::SaveTo).
int SaveModelByName(HvModel* model, const HvString& locator, const char* formatName,
                    const char* options, ProgressSink* progress, void* reserved,
                    ReadFailure* failure = nullptr);

// Registers every format in the start-up order, and deletes them all again.
int StartupFormats();
int TeardownModelFormats();
int TeardownSceneReaders();

// Walks for readers of foreign files (tools): each registered object in order.
int ModelFormatCount();
ModelFormat* ModelFormatAt(int index);
int SceneReaderCount();
SceneReader* SceneReaderAt(int index);
