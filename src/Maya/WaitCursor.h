#pragma once
// Maya's wait cursor around a long operation. Batch Maya has no cursor (and
// refuses the command), so there nothing is asked of it.
void setWaitCursor(bool on);
