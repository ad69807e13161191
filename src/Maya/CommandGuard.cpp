#include "Maya/CommandGuard.h"

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <exception>
#include <new>
#include <string>

namespace {

// The rollback itself may run short of memory: the first failure is the one reported.
void rollBack(const std::function<void()>& rollback) {
  if (!rollback)
    return;
  try {
    rollback();
  } catch (...) {
  }
}

MStatus fail(const char* command, const std::function<void()>& rollback, const char* why) {
  rollBack(rollback);
  const std::string line = std::string(command) + ": " + why + "; the scene is left as it was";
  MGlobal::displayError(MString(line.c_str()));
  return MStatus(MStatus::kFailure);
}

}  // namespace

MStatus guardCommand(const char* command, const std::function<MStatus()>& work,
                     const std::function<void()>& rollback) {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    return fail(command, rollback, "out of memory");
  } catch (const std::exception& error) {
    return fail(command, rollback, error.what());
  } catch (...) {
    return fail(command, rollback, "unexpected failure");
  }
}
