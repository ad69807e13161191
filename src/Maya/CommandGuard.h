#pragma once
// What a command's doIt does about failures that escape its work: nothing of
// them reaches Maya. std::bad_alloc (also one a worker thread carried back),
// any other exception: the command's changes are taken back, one line goes to
// MGlobal::displayError, and the result is failure.
#include <maya/MStatus.h>

#include <functional>

// `work` is the command's body; `rollback` takes back what it changed (none
// for a command that changes no scene).
MStatus guardCommand(const char* command, const std::function<MStatus()>& work,
                     const std::function<void()>& rollback = {});
