#include "Math/ProgressSink.h"

#include "Math/Milliseconds.h"

void ProgressSink::SetPosition(double position) {
  position_ = position;
  const uint32_t now = Milliseconds();
  if (position != total_ && position != 0.0 && ElapsedMs(now, lastYield_) <= 20) return;
  SleepMs(0);
  lastYield_ = Milliseconds();
  OnYield();
}

void ProgressSink::SetTotal(ProgressSink* sink, double total) {
  if (sink != nullptr) sink->SetTotal(total);
}

void ProgressSink::SetPosition(ProgressSink* sink, double position) {
  if (sink != nullptr) sink->SetPosition(position);
}

void ProgressSink::Advance(ProgressSink* sink, double delta) {
  if (sink != nullptr) sink->Advance(delta);
}
