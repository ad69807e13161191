#include "Maya/EchoMessage.h"

#include <maya/MGlobal.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <cstdio>

int echoMessage(const char* text) {
  char command[1024];
  const int written = std::snprintf(command, sizeof command, "print \"%s\\n\";", text);
  if (written < 0 || static_cast<size_t>(written) >= sizeof command)
    return 1;
  MStringArray result;
  MGlobal::executeCommand(MString(command), result, false, false);
  return 1;
}
