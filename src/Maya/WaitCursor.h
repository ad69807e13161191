#pragma once
// Maya's wait cursor around a long operation. Batch Maya has no cursor (and
// refuses the command), so there nothing is asked of it.
void setWaitCursor(bool on);

// The wait cursor for a scope, taken off however the scope ends.
class WaitCursorScope {
 public:
  WaitCursorScope() { setWaitCursor(true); }
  ~WaitCursorScope() { setWaitCursor(false); }
  WaitCursorScope(const WaitCursorScope&) = delete;
  WaitCursorScope& operator=(const WaitCursorScope&) = delete;
};
