// A small plug-in module for the host stand-in: it loads the way the bridge
// plug-in does (menu script and its procedures given to registerUI,
// commands) and its command reports what the host answers, so a test can
// read it from mayahost's output.
#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MDagPath.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnMesh.h>
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MIOStream.h>
#include <maya/MItDag.h>
#include <maya/MItSelectionList.h>
#include <maya/MSyntax.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MPxCommand.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

namespace {

class HostProbe : public MPxCommand {
public:
  ~HostProbe() override {}
  MStatus doIt(const MArgList& args) override {
    MStringArray sets;
    MGlobal::executeCommand("ls -sets", sets, false, false);
    cout << "sets:";
    for (unsigned int i = 0; i < sets.length(); ++i)
      cout << " " << sets[i];
    cout << endl;

    MSelectionList selection;
    MGlobal::getActiveSelectionList(selection);
    MItSelectionList items(selection, MFn::kInvalid);
    for (; !items.isDone(); items.next()) {
      MDagPath path;
      items.getDagPath(path);
      MItDag dag(MItDag::kDepthFirst, MFn::kInvalid);
      dag.reset(path.node(), MItDag::kDepthFirst, MFn::kInvalid);
      for (; !dag.isDone(); dag.next()) {
        MDagPath p;
        dag.getPath(p);
        MFnDagNode node(p);
        if (!p.hasFn(MFn::kMesh) || node.isIntermediateObject())
          continue;
        MFnMesh mesh(p);
        MPoint first;
        mesh.getPoint(0, first, MSpace::kObject);
        first = first * p.inclusiveMatrix();
        cout << "mesh " << p.fullPathName() << " polygons " << mesh.numPolygons() << " first " << first.x << ","
             << first.y << "," << first.z << endl;
      }
    }
    int menu = 0;
    MGlobal::executeCommand("menu -exists OmbrixVaelMenu", menu, false, false);
    cout << "menu " << menu << endl;
    cout << "args " << args.length() << endl;
    return MStatus::kSuccess;
  }
  static void* creator() { return new HostProbe(); }
};

// Answers its arguments in reverse order as the command's result.
class HostResult : public MPxCommand {
public:
  MStatus doIt(const MArgList& args) override {
    MStringArray reversed;
    for (unsigned int i = args.length(); i-- > 0;)
      reversed.append(args.asString(i));
    setResult(reversed);
    return MStatus::kSuccess;
  }
  static void* creator() { return new HostResult(); }
};

// Fails, as a command of a broken plug-in would.
class HostFail : public MPxCommand {
public:
  MStatus doIt(const MArgList&) override {
    displayError("hostFail always fails");
    return MStatus::kFailure;
  }
  static void* creator() { return new HostFail(); }
};

// Declares typed, multi-use and queried flags and answers what it was given,
// one string a value: "query 0", "count 3", "scale 1.5", "name a", "verbose".
class HostFlags : public MPxCommand {
public:
  MStatus doIt(const MArgList& args) override {
    MStatus status;
    MArgDatabase flags(syntax(), args, &status);
    if (!status)
      return status;
    MStringArray given;
    given.append(flags.isQuery() ? "query 1" : "query 0");
    int count = 0;
    if (flags.isFlagSet("-c") && flags.getFlagArgument("-c", 0, count) == MStatus::kSuccess)
      given.append(MString("count ") + count);
    double scale = 0.0;
    if (flags.isFlagSet("-scale") && flags.getFlagArgument("-scale", 0, scale) == MStatus::kSuccess)
      given.append(MString("scale ") + scale);
    for (unsigned int use = 0; use < flags.numberOfFlagUses("-n"); ++use) {
      MArgList values;
      flags.getFlagArgumentList("-n", use, values);
      given.append("name " + values.asString(0));
    }
    if (flags.isFlagSet("-v"))
      given.append("verbose");
    setResult(given);
    return MStatus::kSuccess;
  }
  static void* creator() { return new HostFlags(); }
  static MSyntax newSyntax() {
    MSyntax syntax;
    syntax.addFlag("-c", "-count", MSyntax::kLong);
    syntax.addFlag("-s", "-scale", MSyntax::kDouble);
    syntax.addFlag("-n", "-name", MSyntax::kString);
    syntax.makeFlagMultiUse("-n");
    syntax.addFlag("-v", "-verbose");
    syntax.enableQuery();
    return syntax;
  }
};

}  // namespace

PLUGIN_EXPORT MStatus initializePlugin(MObject obj) {
  MFnPlugin plugin(obj, "Host test", "1.0", "Any");
  plugin.registerCommand("hostProbe", HostProbe::creator);
  plugin.registerCommand("hostResult", HostResult::creator);
  plugin.registerCommand("hostFail", HostFail::creator);
  plugin.registerCommand("hostFlags", HostFlags::creator, HostFlags::newSyntax);
  MStringArray result;
  MGlobal::executeCommand("source \"OmbrixVael\";", result, false, false);
  // The batch pair says when the host runs it.
  MGlobal::executeCommand("global proc hostBatchUp() { print \"batch interface built\\n\"; }"
                          "global proc hostBatchDown() { print \"batch interface removed\\n\"; }",
                          result, false, false);
  plugin.registerUI("CreateOmbrixMenu", "DestroyOmbrixMenu", "hostBatchUp", "hostBatchDown");
  MGlobal::executeCommand("print \"test plug-in loaded\\n\";", result, false, false);
  return MStatus::kSuccess;
}

PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj) {
  MFnPlugin plugin(obj, "Unknown", "Unknown", "Any");
  MStringArray result;
  plugin.deregisterCommand("hostProbe");
  plugin.deregisterCommand("hostResult");
  plugin.deregisterCommand("hostFail");
  plugin.deregisterCommand("hostFlags");
  MGlobal::executeCommand("print \"test plug-in unloaded\\n\";", result, false, false);
  return MStatus::kSuccess;
}
