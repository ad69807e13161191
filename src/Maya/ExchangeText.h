#pragma once
// Names Maya hands over that go into the exchange files: written as
// MString::asChar gives them (the ANSI code page on Windows, which is what
// the painter reads), with a warning naming the ones that code page cannot
// hold (their other characters arrive replaced).
#include <maya/MString.h>

// name.asChar(); `what` ("texture file name") says in the warning what the name is.
const char* exchangeBytes(const MString& name, const char* what);
