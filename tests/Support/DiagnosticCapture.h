#pragma once
// Records what ReportDiagnostic receives while it is alive.
#include <string>
#include <vector>

#include "HvCore/ReportDiagnostic.h"

class DiagnosticCapture {
 public:
  DiagnosticCapture() { previous_ = HvCore::SetDiagnosticObserver(&Record); Texts().clear(); }
  ~DiagnosticCapture() { HvCore::SetDiagnosticObserver(previous_); }
  DiagnosticCapture(const DiagnosticCapture&) = delete;
  DiagnosticCapture& operator=(const DiagnosticCapture&) = delete;

  const std::vector<std::string>& Reports() const { return Texts(); }

 private:
  static std::vector<std::string>& Texts() {
    static std::vector<std::string> texts;
    return texts;
  }
  static void Record(const char* text) { Texts().push_back(text); }

  HvCore::DiagnosticObserver previous_;
};
