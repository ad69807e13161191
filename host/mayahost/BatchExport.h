#pragma once
// mayahost --batch: ExportAllOmbrixPlug on many scenes, each in a mayahost
// process of its own exporting into a folder of its own (its exchange
// directory), several at once, with progress, a JSON summary and folders
// that are either whole or absent.
#include <string>
#include <vector>

namespace MayaHost {

struct BatchOptions {
  std::vector<std::string> scenes;  // given on the command line
  std::string listFile;             // --batch-list: one scene a line
  std::string out;                  // --out: the folder of the scenes' folders
  std::string plugin;               // --plugin; the installed ObvTester2 when empty
  int jobs = 0;                     // --jobs; the processor count when 0
  bool force = false;               // --force: export scenes whose folder is up to date too
};

// One scene of the batch: where its export goes, and how it went.
struct BatchScene {
  std::string scene;   // as given
  std::string folder;  // its folder's name under the output folder
  std::string status;  // "exported", "failed" or "skipped"
  double seconds = 0;
  int groups = 0;                  // the project file's groups (from the export record)
  int refusedTotal = 0, refusedGeometry = 0;
  int approximated = 0;
  std::string error;   // the first error the export printed, for a failed scene
};

// The scenes to export, from the command line and the list file, in order,
// each once; false and `error` set when the list file cannot be read.
bool batchSceneList(const BatchOptions& options, std::vector<std::string>& scenes, std::string& error);

// A folder name for each scene: its file name without the extension, and
// where two scenes share that, a digest of the scene's full path after it.
std::vector<std::string> batchFolderNames(const std::vector<std::string>& scenes);

// Runs the batch: mayahost `self` once per scene not up to date. Returns the
// exit status: 0 when every scene exported or was skipped, 1 when one
// failed, 2 for bad options.
int runBatch(const BatchOptions& options, const std::string& self);

}  // namespace MayaHost
