#pragma once
// The foundation library's diagnostic hook. Internal consistency problems are
// passed here as one text ("Bad!", "This can't possibly work!\n", ...); the hook
// does nothing with them and callers carry on. An observer may be installed
// (tests use it to see that a report happened); none is installed by default.

namespace HvCore {

using DiagnosticObserver = void (*)(const char* text);

void ReportDiagnostic(const char* text);

// Installs an observer (null removes it) and returns the previous one.
DiagnosticObserver SetDiagnosticObserver(DiagnosticObserver observer);

}  // namespace HvCore

using HvCore::ReportDiagnostic;
