#pragma once
// Why an exchange file is looked for at its default path ("c:\temp\maya.cor"):
// the path helpers fall back to it when the registry names no exchange
// directory (or the path would not fit), and a message naming that path must
// also say why it is that one.
#include <string>

#include "Exchange/ExchangePaths.h"

// " (default path: ERROR)" after a failed lookup, where ERROR is the text the
// helper wrote; "" after a successful one.
std::string defaultPathNote(ExchangeFailure lookup, const char* error);
