#pragma once
// The optional progress object handed to format loads and saves. It keeps
// the host responsive: SetPosition yields the processor at the start, at the
// end and at most every 20 ms in between. Subclasses may show progress in
// OnYield; nothing depends on what they show.
#include <cstdint>

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;

  void SetTotal(double total) { total_ = total; }
  double Total() const { return total_; }
  double Position() const { return position_; }
  void SetPosition(double position);
  void Advance(double delta) { SetPosition(position_ + delta); }

  // Null-safe forms for callers that may have no sink.
  static void SetTotal(ProgressSink* sink, double total);
  static void SetPosition(ProgressSink* sink, double position);
  static void Advance(ProgressSink* sink, double delta);

 protected:
  virtual void OnYield() {}

 private:
  double position_ = 0.0;
  double total_ = 0.0;
  uint32_t lastYield_ = 0;
};
