#pragma once
// The diagnostic hook, a layer of its own that needs nothing else, so that the
// strings and the object base can both report. Internal consistency problems
// are passed here as one text ("Bad!", "This can't possibly work!\n", ...); the
// hook does nothing with them and callers carry on. An observer may be installed
// (tests use it to see that a report happened); none is installed by default.

namespace Diagnostics {

using DiagnosticObserver = void (*)(const char* text);

void ReportDiagnostic(const char* text);

// Installs an observer (null removes it) and returns the previous one.
DiagnosticObserver SetDiagnosticObserver(DiagnosticObserver observer);

}  // namespace Diagnostics

using Diagnostics::ReportDiagnostic;
