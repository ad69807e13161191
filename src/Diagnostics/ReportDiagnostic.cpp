#include "Diagnostics/ReportDiagnostic.h"

#include <atomic>

namespace Diagnostics {

namespace {
std::atomic<DiagnosticObserver> g_observer{nullptr};
}

void ReportDiagnostic(const char* text) {
  if (DiagnosticObserver observer = g_observer.load()) observer(text != nullptr ? text : "");
}

DiagnosticObserver SetDiagnosticObserver(DiagnosticObserver observer) {
  return g_observer.exchange(observer);
}

}  // namespace Diagnostics
