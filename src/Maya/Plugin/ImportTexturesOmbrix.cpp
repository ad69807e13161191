// The ImportTexturesOmbrix command: the maps painted for the last export's
// materials, connected to their shaders or reloaded (see
// Maya/TextureConnection.h). One undo takes every change back, redo makes
// them again. Result: how many maps were connected and reloaded (with
// -preview, how many would be).
// -directory (-dir) DIR: the folder to look in; -pattern (-p) P: the file
// name pattern; -normalMaps (-nm): every bump map is a normal map;
// -preview (-pv): the lines only, nothing changed.
#include <maya/MArgList.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <new>
#include <string>

#include "Maya/CommandGuard.h"
#include "Maya/Plugin/Commands.h"
#include "Maya/TextureConnection.h"

namespace {

bool isFlag(const MString& arg, const char* longName, const char* shortName) {
  return arg == longName || arg == shortName;
}

// The flags into `search` and `preview`; false (and a Maya error) for an
// unknown flag or a missing value.
bool parseFlags(const MArgList& args, TextureSearch& search, bool& preview) {
  for (unsigned int i = 0; i < args.length(); ++i) {
    const MString arg = args.asString(i);
    std::string* value = nullptr;
    if (isFlag(arg, "-directory", "-dir")) {
      value = &search.dir;
    } else if (isFlag(arg, "-pattern", "-p")) {
      value = &search.pattern;
    } else if (isFlag(arg, "-normalMaps", "-nm")) {
      search.normalMaps = true;
      continue;
    } else if (isFlag(arg, "-preview", "-pv")) {
      preview = true;
      continue;
    } else {
      MGlobal::displayError("ImportTexturesOmbrix: unknown flag " + arg);
      return false;
    }
    if (i + 1 >= args.length()) {
      MGlobal::displayError("ImportTexturesOmbrix: flag " + arg + " needs a value");
      return false;
    }
    *value = args.asString(++i).asUTF8();
  }
  return true;
}

class ImportTexturesOmbrix : public MPxCommand {
 public:
  ~ImportTexturesOmbrix() override {}
  MStatus doIt(const MArgList& args) override {
    TextureSearch search;
    bool preview = false;
    if (!parseFlags(args, search, preview)) return MStatus::kFailure;
    return guardCommand(
        "ImportTexturesOmbrix",
        [this, &search, preview] {
          const MStatus status = importTextures(search, preview, connection_);
          setResult(connection_.connected() + connection_.reloaded());
          return status;
        },
        [this] { connection_.undoIt(); });
  }
  MStatus undoIt() override { return connection_.undoIt(); }
  MStatus redoIt() override { return connection_.doIt(); }
  // A run that changed nothing has nothing to undo.
  bool isUndoable() const override { return connection_.hasChanges(); }

 private:
  TextureConnection connection_;
};

}  // namespace

void* createImportTexturesOmbrix() { return new (std::nothrow) ImportTexturesOmbrix(); }
