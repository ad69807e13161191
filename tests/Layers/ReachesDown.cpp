// Compiled as part of the strings layer (HvTL): the diagnostic hook is below
// it and its own headers are in view.
#include "Diagnostics/ReportDiagnostic.h"
#include "HvTL/ByteArray.h"
