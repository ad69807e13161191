// The host's undo queue and MDGModifier's undo and redo, as Maya has them.
#include <maya/MDGModifier.h>
#include <maya/MFnPlugin.h>
#include <maya/MPlugArray.h>
#include <maya/MPxCommand.h>

#include "Host/HostFixture.h"

namespace {

// What the test command did: +1 per doIt or redoIt, -1 per undoIt.
int gCount = 0;
bool gUndoable = true;

class CountCommand : public MPxCommand {
public:
  MStatus doIt(const MArgList&) override { return redoIt(); }
  MStatus redoIt() override {
    ++gCount;
    return MStatus::kSuccess;
  }
  MStatus undoIt() override {
    --gCount;
    return MStatus::kSuccess;
  }
  bool isUndoable() const override { return undoable_; }
  static void* creator() { return new CountCommand(); }

private:
  bool undoable_ = gUndoable;
};

class UndoQueueTest : public HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    gCount = 0;
    gUndoable = true;
    plugin_ = OmbrixHost::openPluginObject("undoTest.so");
    MFnPlugin fn(plugin_, "test", "1", "Any");
    ASSERT_EQ(fn.registerCommand("countUp", CountCommand::creator), MStatus::kSuccess);
    OmbrixHost::captureDisplayed(true);
  }
  void TearDown() override {
    OmbrixHost::captureDisplayed(false);
    MFnPlugin fn(plugin_, "test", "1", "Any");
    fn.deregisterCommand("countUp");
    OmbrixHost::closePluginObject(plugin_);
  }
  MObject plugin_;
};

TEST_F(UndoQueueTest, UndoAndRedoWalkTheQueueAndNameTheCommands) {
  mel("countUp first");
  mel("countUp second");
  EXPECT_EQ(gCount, 2);
  EXPECT_EQ(mel("undoInfo -q -undoName"), "countUp second");
  EXPECT_EQ(mel("undoInfo -q -redoName"), "");
  mel("undo");
  EXPECT_EQ(gCount, 1);
  EXPECT_EQ(mel("undoInfo -q -undoName"), "countUp first");
  EXPECT_EQ(mel("undoInfo -q -redoName"), "countUp second");
  mel("undo");
  mel("undo");  // nothing left: a warning, not an error
  EXPECT_EQ(gCount, 0);
  mel("redo");
  EXPECT_EQ(gCount, 1);
  EXPECT_EQ(OmbrixHost::displayedMessages(),
            (std::vector<std::string>{"Info: Undo: countUp second", "Info: Undo: countUp first",
                                      "Warning: There are no more commands to undo.", "Info: Redo: countUp first"}));
  // A new command drops what could be redone.
  mel("countUp third");
  EXPECT_EQ(mel("undoInfo -q -redoName"), "");
  mel("flushUndo");
  EXPECT_EQ(mel("undoInfo -q -undoName"), "");
  mel("undo");
  EXPECT_EQ(gCount, 2);
}

TEST_F(UndoQueueTest, OnlyUndoableCommandsRunWithUndoOnAreKept) {
  gUndoable = false;
  mel("countUp");
  EXPECT_EQ(mel("undoInfo -q -undoName"), "");
  gUndoable = true;
  MGlobal::executeCommand("countUp quiet", false, false);
  EXPECT_EQ(mel("undoInfo -q -undoName"), "");
  MGlobal::executeCommand("countUp kept", false, true);
  EXPECT_EQ(mel("undoInfo -q -undoName"), "countUp kept");
  // A new scene and the plug-in going away both empty the queue.
  OmbrixHost::resetScene();
  EXPECT_EQ(mel("undoInfo -q -undoName"), "");
  mel("countUp again");
  MFnPlugin(plugin_, "test", "1", "Any").deregisterCommand("countUp");
  EXPECT_EQ(mel("undoInfo -q -undoName"), "");
  EXPECT_EQ(gCount, 4);
}

// The node feeding a plug, or "".
std::string sourceOf(const char* nodeName, const char* attr) {
  MPlugArray sources;
  MPlug p = MFnDependencyNode(HostTest::node(nodeName)).findPlug(attr, true);
  if (!p.connectedTo(sources, true, false) || sources.length() == 0)
    return "";
  return MFnDependencyNode(sources[0].node()).name().asChar();
}

// Create, set, rewire: undoIt takes all of it back, doIt again redoes it.
TEST_F(HostTest, ModifierUndoesAndRedoesEveryKindOfOperation) {
  quadMesh("h");
  mel("createNode polyCube -n polyCube1; connectAttr polyCube1.output hShape.inMesh;"
      "createNode lambert -n paint; setAttr paint.diffuse 0.25");
  const std::string nodes = mel("ls");
  MDGModifier modifier;
  MObject tweak = modifier.createNode("polyTweakUV");
  ASSERT_EQ(modifier.doIt(), MStatus::kSuccess);
  MFnDependencyNode fn(tweak);
  MPlug inMesh = MFnDependencyNode(node("hShape")).findPlug("inMesh", true);
  MPlug source = MFnDependencyNode(node("polyCube1")).findPlug("output", true);
  modifier.disconnect(source, inMesh);
  modifier.connect(source, fn.findPlug("inputPolymesh", true));
  modifier.connect(fn.findPlug("output", true), inMesh);
  modifier.newPlugValueFloat(MFnDependencyNode(node("paint")).findPlug("diffuse", true), 0.75f);
  modifier.renameNode(node("paint"), "varnish");
  ASSERT_EQ(modifier.doIt(), MStatus::kSuccess);
  EXPECT_EQ(sourceOf("hShape", "inMesh"), "polyTweakUV1");
  EXPECT_EQ(mel("getAttr varnish.diffuse"), "0.75");

  ASSERT_EQ(modifier.undoIt(), MStatus::kSuccess);
  EXPECT_EQ(mel("ls"), nodes);
  EXPECT_EQ(sourceOf("hShape", "inMesh"), "polyCube1");
  EXPECT_EQ(mel("getAttr paint.diffuse"), "0.25");

  ASSERT_EQ(modifier.doIt(), MStatus::kSuccess);
  EXPECT_EQ(sourceOf("hShape", "inMesh"), "polyTweakUV1");
  EXPECT_EQ(sourceOf("polyTweakUV1", "inputPolymesh"), "polyCube1");
  EXPECT_EQ(mel("getAttr varnish.diffuse"), "0.75");
}

TEST_F(HostTest, UndoneDeletionBringsTheNodeBackWithItsConnections) {
  quadMesh("h");
  mel("createNode polyCube -n polyCube1; setAttr polyCube1.width 3; connectAttr polyCube1.output hShape.inMesh;");
  MDGModifier modifier;
  modifier.deleteNode(node("polyCube1"));
  ASSERT_EQ(modifier.doIt(), MStatus::kSuccess);
  EXPECT_EQ(mel("objExists polyCube1"), "0");
  ASSERT_EQ(modifier.undoIt(), MStatus::kSuccess);
  EXPECT_EQ(sourceOf("hShape", "inMesh"), "polyCube1");
  EXPECT_EQ(mel("getAttr polyCube1.width"), "3");
}

}  // namespace
