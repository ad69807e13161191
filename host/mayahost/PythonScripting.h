#pragma once
// Python in mayahost, as in mayapy: maya.standalone, maya.cmds (every host
// and plug-in command, called with Maya's Python convention) and maya.mel.
// A build without Python (the Windows one) says so and fails the step.
#include <string>
#include <vector>

// Each prints what failed (a traceback) on stderr and answers false.
bool runPythonCode(const std::string& code);
// A script read from `path`, run with sys.argv = [path, args...].
bool runPythonScript(const std::string& path, const std::string& code, const std::vector<std::string>& args);
