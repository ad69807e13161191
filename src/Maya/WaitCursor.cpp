#include "Maya/WaitCursor.h"

#include <maya/MGlobal.h>
#include <maya/MString.h>

void setWaitCursor(bool on) {
  if (MGlobal::mayaState() != MGlobal::kInteractive)
    return;
  MGlobal::executeCommand(on ? "waitCursor -state on;" : "waitCursor -state off;", false, false);
}
