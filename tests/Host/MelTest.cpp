#include "HostFixture.h"

TEST_F(HostTest, BadCommandsFailWithMayasKindOfMessage) {
  EXPECT_NE(melError("noSuchCommand;").find("Cannot find procedure \"noSuchCommand\""), std::string::npos);
  EXPECT_NE(melError("ls -bogus;").find("Invalid flag"), std::string::npos);
  EXPECT_NE(melError("setAttr missing.translateX 1;").find("No object matches name: missing"), std::string::npos);
  EXPECT_NE(melError("createNode transform -n t; setAttr t.translateX \"abc\";").find("number is expected"),
            std::string::npos);
  EXPECT_NE(melError("createNode transform -n u; setAttr u.nothing 1;").find("No attribute"), std::string::npos);
  EXPECT_NE(melError("print \"unterminated;").find("unterminated string"), std::string::npos);
  EXPECT_NE(melError("connectAttr lambert1.outColor initialShadingGroup.surfaceShader;").find("already"),
            std::string::npos);
  OmbrixHost::setInteractive(true);
  MStatus st = MGlobal::executeCommand("deleteUI -menu nothing;");
  EXPECT_EQ(st, MStatus::kFailure);
  EXPECT_NE(std::string(st.errorString().asChar()).find("not found"), std::string::npos);
}

TEST_F(HostTest, MelVariablesProceduresAndConditions) {
  EXPECT_EQ(mel("global proc string twice(string $s) { return ($s + $s); } twice(\"ab\");"), "abab");
  EXPECT_EQ(mel("int $n = 3; if ($n > 2) { $n = 10; } else { $n = 0; } $n;"), "10");
  EXPECT_EQ(mel("string $sets[] = `ls -sets`; $sets[3];"), "initialShadingGroup");
  EXPECT_EQ(mel("if (!`exists twice`) print \"gone\"; else \"kept\";"), "kept");
}

// Option variables outlive the scene; a plug-in reads the string ones.
TEST_F(HostTest, OptionVariablesKeepIntsFloatsAndStrings) {
  mel("optionVar -sv \"hostTestSet\" \"map2\" -iv \"hostTestInt\" 7 -fv \"hostTestFloat\" 0.5;");
  EXPECT_EQ(mel("optionVar -q \"hostTestSet\";"), "map2");
  EXPECT_EQ(mel("optionVar -q hostTestInt;"), "7");
  EXPECT_EQ(mel("optionVar -q hostTestFloat;"), "0.5");
  EXPECT_EQ(mel("optionVar -q hostTestNone;"), "0");
  bool exists = false;
  EXPECT_EQ(MGlobal::optionVarStringValue("hostTestSet", &exists), MString("map2"));
  EXPECT_TRUE(exists);
  EXPECT_EQ(MGlobal::optionVarStringValue("hostTestInt", &exists), MString(""));
  EXPECT_FALSE(exists);
  mel("file -f -new;");
  EXPECT_EQ(mel("optionVar -ex hostTestSet;"), "1");
  mel("optionVar -rm hostTestSet;");
  mel("optionVar -rm hostTestInt;");
  EXPECT_EQ(mel("optionVar -exists hostTestSet;"), "0");
  EXPECT_EQ(MGlobal::optionVarStringValue("hostTestSet", &exists), MString(""));
  EXPECT_FALSE(exists);
  mel("optionVar -rm hostTestFloat;");
}

TEST_F(HostTest, CompanionScriptBuildsAndRemovesTheMenu) {
  OmbrixHost::setInteractive(true);
  OmbrixHost::addScriptPath(OMBRIX_MEL_DIR);
  mel("source \"OmbrixVael\";");
  mel("CreateOmbrixMenu();");
  auto menus = OmbrixHost::menuNames();
  ASSERT_EQ(menus.size(), 1u);
  auto items = OmbrixHost::menuItems(menus[0]);
  std::vector<std::string> commands;
  for (auto& item : items)
    if (!item.second.empty())
      commands.push_back(item.second);
  EXPECT_EQ(commands, (std::vector<std::string>{"LaunchOmbrix", "SwitchOmbrix", "CloseOmbrix", "ExportAllOmbrixPlug",
                                                "ExportSelOmbrixPlug", "OmbrixChooseExportUVSet", "AutoLoadOmbrix",
                                                "UVImportOmbrix", "ImportTexturesOmbrix"}));
  mel("CreateOmbrixMenu();");  // a second call replaces the menu
  EXPECT_EQ(OmbrixHost::menuNames().size(), 1u);
  mel("DestroyOmbrixMenu()");
  EXPECT_TRUE(OmbrixHost::menuNames().empty());
}

TEST_F(HostTest, BatchModeHasNoUserInterfaceAndTheCompanionScriptKnowsIt) {
  EXPECT_EQ(mel("about -batch"), "1");
  for (const char* command : {"menu -label \"M\" m1;", "menuItem -label \"I\";", "setParent -menu ..;",
                              "deleteUI -menu m1;", "waitCursor -state on;"})
    EXPECT_NE(melError(command).find("batch mode"), std::string::npos) << command;
  EXPECT_FALSE(OmbrixHost::waitCursorOn());
  EXPECT_EQ(MGlobal::mayaState(), MGlobal::kBatch);
  // `exists` answers for a script that `source` would find on the script path.
  OmbrixHost::addScriptPath(OMBRIX_MEL_DIR);
  EXPECT_EQ(mel("exists OmbrixVael"), "1");
  EXPECT_EQ(mel("exists OmbrixVaelNowhere"), "0");
  // Loading and unloading the menu script in batch mode is silent.
  testing::internal::CaptureStderr();
  mel("source \"OmbrixVael\"; CreateOmbrixMenu(); DestroyOmbrixMenu();");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(OmbrixHost::menuNames().empty());

  OmbrixHost::setInteractive(true);
  EXPECT_EQ(mel("about -batch"), "0");
  EXPECT_EQ(MGlobal::mayaState(), MGlobal::kInteractive);
  mel("CreateOmbrixMenu();");
  EXPECT_EQ(OmbrixHost::menuNames().size(), 1u);
}

TEST_F(HostTest, DisplayedMessagesTakeBatchOrScriptEditorForm) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  MGlobal::displayInfo("Polygons affected: 5");
  MGlobal::displayWarning("no UVs matched");
  MGlobal::displayError("cannot save");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Polygons affected: 5\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning: no UVs matched\nError: cannot save\n");
  OmbrixHost::setInteractive(true);
  testing::internal::CaptureStderr();
  MGlobal::displayWarning("no UVs matched");
  MGlobal::displayError("cannot save");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "// Warning: no UVs matched //\n// Error: cannot save //\n");
}

TEST_F(HostTest, WaitCursorAndPrintAnswerNothing) {
  OmbrixHost::setInteractive(true);
  MStatus st = MGlobal::executeCommand("waitCursor -state on;", false, false);
  EXPECT_EQ(st, MStatus::kSuccess);
  EXPECT_TRUE(OmbrixHost::waitCursorOn());
  MGlobal::executeCommand("waitCursor -state off;", false, false);
  EXPECT_FALSE(OmbrixHost::waitCursorOn());
  testing::internal::CaptureStdout();
  MStringArray result;
  MGlobal::executeCommand("print \"Launching OmbrixVael\\n\";", result, false, false);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Launching OmbrixVael\n");
  EXPECT_EQ(result.length(), 0u);
}

TEST_F(HostTest, MelStringsArraysAndOperators) {
  EXPECT_EQ(mel("string $s = \"a \\\"quoted\\\" word\"; $s;"), "a \"quoted\" word");
  EXPECT_EQ(mel("int $a[] = {3, 4, 5}; $a[1];"), "4");
  EXPECT_EQ(mel("string $x = \"n\" + 3 + \"-\" + 2.5; $x;"), "n3-2.5");
  EXPECT_EQ(mel("7 / 2;"), "3");
  EXPECT_EQ(mel("7.0 / 2;"), "3.5");
  EXPECT_EQ(mel("(1 < 2) && (\"a\" == \"a\") && !(3 != 3);"), "1");
  EXPECT_EQ(mel("global proc int early(int $v) { if ($v > 0) { return 1; } return 2; } early(5) * 10 + early(-5);"),
            "12");
  EXPECT_EQ(mel("global int $counter = 4; global proc bump() { global int $counter; $counter = $counter + 1; } "
                "bump(); bump(); $counter;"),
            "6");
  EXPECT_NE(melError("global proc one(string $a) {} one(\"x\", \"y\");").find("Wrong number of arguments"),
            std::string::npos);
  EXPECT_NE(melError("global proc again() { again(); } again();").find("nest too deeply"), std::string::npos);
  EXPECT_NE(melError("for ($i = 0; $i < 3; $i++) print $i;").find("not supported"), std::string::npos);
  EXPECT_NE(melError("$undeclared;").find("undeclared variable"), std::string::npos);
}

TEST_F(HostTest, SelectTakesTheElementsOfAStringArray) {
  quadMesh("first");
  quadMesh("second");
  mel("select -r `ls -l -type mesh`");
  EXPECT_EQ(mel("ls -sl -l"), "|first|firstShape |second|secondShape");
  mel("string $both[] = {\"first\", \"second\"}; select -r $both");
  EXPECT_EQ(mel("ls -sl"), "first second");
}

TEST_F(HostTest, MoveRotateScaleAndXformPlaceTransformsAsMayaDoes) {
  mel("createNode transform -n parent; setAttr parent.t 10 0 0; createNode transform -n child -p parent;");
  // World space (the default) goes through the parent; -localSpace sets the channels.
  mel("move 1 2 3 child;");
  EXPECT_EQ(mel("getAttr child.t"), "-9 2 3");
  EXPECT_EQ(mel("xform -q -ws -t child"), "1 2 3");
  mel("setAttr parent.s 2 2 2; move -r 2 0 0 child;");
  EXPECT_EQ(mel("xform -q -t child"), "-8 2 3");
  mel("move -ls -r 0 1 0 child;");
  EXPECT_EQ(mel("getAttr child.ty"), "3");
  // Degrees in and out, radians inside; a relative turn adds about the one axis.
  mel("select -r child; rotate 0 90 0; rotate -r 0 -45 0;");
  EXPECT_EQ(mel("xform -q -ro child"), "0 45 0");
  EXPECT_EQ(mel("scale -r 2 1 1 child; xform -q -r -s child"), "2 1 1");
  EXPECT_EQ(mel("xform -s 1 1 3 -t 0 0 0 -os child; xform -q -s child"), "1 1 3");
  EXPECT_EQ(mel("xform -q -t child"), "0 0 0");
  EXPECT_EQ(mel("xform -q -m parent"), "2 0 0 0 0 2 0 0 0 0 2 0 10 0 0 1");
  // What the host cannot do as Maya does is refused, not approximated.
  EXPECT_NE(melError("rotate -r 10 0 0 child").find("more than one axis"), std::string::npos);
  EXPECT_NE(melError("setAttr parent.ry 30; rotate 0 0 10 child").find("under a turned parent"), std::string::npos);
  EXPECT_NE(melError("move 1 2 3 lambert1").find("is not a transform"), std::string::npos);
  EXPECT_NE(melError("move 1 2 child").find("is not a number"), std::string::npos);
}

// A failure names the line of the text it happened on, counted from the
// text's first line; inside backquotes, on the lines of the text around them.
TEST_F(HostTest, MelFailuresNameTheirLine) {
  auto startsWith = [](const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; };
  std::string error = melError("createNode transform -n a;\n\nnoSuchCommand;");
  EXPECT_TRUE(startsWith(error, "line 3: Cannot find procedure \"noSuchCommand\"")) << error;
  error = melError("print 1;\nprint \"open;");
  EXPECT_EQ(error, "line 2: unterminated string");
  error = melError("string $a[] =\n\n`ls -bogus`;");
  EXPECT_TRUE(startsWith(error, "line 3: ")) << error;
  EXPECT_NE(error.find("Invalid flag"), std::string::npos) << error;
  error = melError("string $b =\n`print \"open`;");
  EXPECT_EQ(error, "line 2: unterminated string");
}

TEST_F(HostTest, ListConnectionsAnswersNodesOrPlugsBySide) {
  mel("createNode blinn -n wood; createNode file -n woodFile; createNode place2dTexture -n woodPlace;");
  mel("connectAttr woodFile.outColor wood.color; connectAttr woodPlace.outUV woodFile.uvCoord;");
  mel("connectAttr woodPlace.outUvFilterSize woodFile.uvFilterSize;");
  const char* const answers[][2] = {{"listConnections wood", "woodFile"},
                                     {"listConnections -d 0 -p 1 -c 1 wood", "wood.color woodFile.outColor"},
                                     {"listConnections -s false woodFile", "wood"},
                                     {"listConnections -s 1 -d 0 -p on woodFile.uvCoord", "woodPlace.outUV"},
                                     {"listConnections -t blinn woodFile", "wood"},
                                     {"listConnections -d 0 wood.normalCamera", ""},
                                     {"listConnections -s 0 -d 1 woodPlace", "woodFile woodFile"}};
  for (const auto& answer : answers)
    EXPECT_EQ(mel(answer[0]), answer[1]) << answer[0];
  melError("listConnections");
  melError("listConnections nothing");
}
