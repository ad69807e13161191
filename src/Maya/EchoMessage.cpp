#include "Maya/EchoMessage.h"

#include <maya/MGlobal.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <string>

#include "Maya/MaterialTranslation.h"

namespace {

constexpr size_t kCommandBufferSize = 1024;

// The MEL command printing the text as one string literal: quotes,
// backslashes (Windows paths) and control characters arrive as they are.
std::string printCommand(const char* text) {
  return "print " + melStringLiteral((std::string(text) + "\n").c_str()) + ";";
}

}  // namespace

bool echoFits(const char* text) { return printCommand(text).size() < kCommandBufferSize; }

int echoMessage(const char* text) {
  const std::string command = printCommand(text);
  if (command.size() >= kCommandBufferSize)
    return 1;
  MString melCommand;
  melCommand.setUTF8(command.c_str());  // the text is UTF-8 (names beyond ASCII)
  MStringArray result;
  MGlobal::executeCommand(melCommand, result, false, false);
  return 1;
}
