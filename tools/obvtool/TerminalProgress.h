#pragma once
// A progress bar on standard error, redrawn at the sink's yields.
#include <cstdio>

#include "Math/ProgressSink.h"

class TerminalProgress : public ProgressSink {
 public:
  explicit TerminalProgress(const char* label) : label_(label) {}
  ~TerminalProgress() override {
    if (drawn_) std::fprintf(stderr, "\r%-60s\r", "");
  }

 protected:
  void OnYield() override {
    if (Total() <= 0.0) return;
    const double fraction = Position() / Total();
    const int filled = static_cast<int>(fraction * 30.0 + 0.5);
    std::fprintf(stderr, "\r%s [%-30.*s] %3d%%", label_, filled < 0 ? 0 : filled > 30 ? 30 : filled,
                 "##############################", static_cast<int>(fraction * 100.0 + 0.5));
    std::fflush(stderr);
    drawn_ = true;
  }

 private:
  const char* label_;
  bool drawn_ = false;
};
