#include "Maya/ExchangeText.h"

#include <maya/MGlobal.h>

#include "Platform/FileSystem.h"

const char* exchangeBytes(const MString& name, const char* what) {
  if (!Platform::FitsAnsiCodePage(name.asUTF8()))
    MGlobal::displayWarning(MString("Ombrix Vael export: the ") + what + " " + name +
                            " cannot be written in this system's ANSI code page; the painter gets it with those "
                            "characters replaced");
  return name.asChar();
}
