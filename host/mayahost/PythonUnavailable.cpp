// The builds without Python (Windows): the Python steps say so and fail.
#include "PythonScripting.h"

#include <iostream>

namespace {

bool unavailable() {
  std::cerr << "mayahost: this build has no Python: -py and --python run in the native (Linux) build only"
            << std::endl;
  return false;
}

}  // namespace

bool runPythonCode(const std::string&) { return unavailable(); }
bool runPythonScript(const std::string&, const std::string&, const std::vector<std::string>&) {
  return unavailable();
}
