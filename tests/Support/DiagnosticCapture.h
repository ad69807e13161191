#pragma once
// Records what ReportDiagnostic receives while it is alive.
#include <string>
#include <vector>

#include "Diagnostics/ReportDiagnostic.h"

class DiagnosticCapture {
 public:
  DiagnosticCapture() { previous_ = Diagnostics::SetDiagnosticObserver(&Record); Texts().clear(); }
  ~DiagnosticCapture() { Diagnostics::SetDiagnosticObserver(previous_); }
  DiagnosticCapture(const DiagnosticCapture&) = delete;
  DiagnosticCapture& operator=(const DiagnosticCapture&) = delete;

  const std::vector<std::string>& Reports() const { return Texts(); }

 private:
  static std::vector<std::string>& Texts() {
    static std::vector<std::string> texts;
    return texts;
  }
  static void Record(const char* text) { Texts().push_back(text); }

  Diagnostics::DiagnosticObserver previous_;
};
