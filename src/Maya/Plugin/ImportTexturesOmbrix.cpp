// The ImportTexturesOmbrix command: the maps painted for the last export's
// materials, connected to their shaders or reloaded (see
// Maya/TextureConnection.h). One undo takes every change back, redo makes
// them again. Result: how many maps were connected and reloaded (with
// -preview, how many would be).
// -directory (-dir) DIR: the folder to look in; -pattern (-p) P: the file
// name pattern; -normalMaps (-nm): every bump map is a normal map;
// -preview (-pv): the lines only, nothing changed.
#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>

#include <new>
#include <string>

#include "Maya/CommandGuard.h"
#include "Maya/Plugin/Commands.h"
#include "Maya/TextureConnection.h"

namespace {

const char kDirectoryFlag[] = "-dir";
const char kPatternFlag[] = "-p";
const char kNormalMapsFlag[] = "-nm";
const char kPreviewFlag[] = "-pv";

void readString(const MArgDatabase& flags, const char* flag, std::string& value) {
  MString text;
  if (flags.isFlagSet(flag) && flags.getFlagArgument(flag, 0, text))
    value = text.asUTF8();
}

// The flags into `search` and `preview`; false (and Maya's error) for a
// call the syntax refuses.
bool parseFlags(const MSyntax& syntax, const MArgList& args, TextureSearch& search, bool& preview) {
  MStatus parsed;
  const MArgDatabase flags(syntax, args, &parsed);
  if (!parsed)
    return false;
  readString(flags, kDirectoryFlag, search.dir);
  readString(flags, kPatternFlag, search.pattern);
  search.normalMaps = flags.isFlagSet(kNormalMapsFlag);
  preview = flags.isFlagSet(kPreviewFlag);
  return true;
}

class ImportTexturesOmbrix : public MPxCommand {
 public:
  ~ImportTexturesOmbrix() override {}
  MStatus doIt(const MArgList& args) override {
    TextureSearch search;
    bool preview = false;
    if (!parseFlags(syntax(), args, search, preview)) return MStatus::kFailure;
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

MSyntax importTexturesSyntax() {
  MSyntax syntax;
  syntax.addFlag(kDirectoryFlag, "-directory", MSyntax::kString);
  syntax.addFlag(kPatternFlag, "-pattern", MSyntax::kString);
  syntax.addFlag(kNormalMapsFlag, "-normalMaps");
  syntax.addFlag(kPreviewFlag, "-preview");
  return syntax;
}

void* createImportTexturesOmbrix() { return new (std::nothrow) ImportTexturesOmbrix(); }
