#include "Platform/FileSystem.h"

#include <direct.h>
#include <errno.h>

namespace Platform {

char PathSeparator() { return '\\'; }

MakeDirectoryResult MakeDirectory(const char* path) {
  if (_mkdir(path) == 0) return MakeDirectoryResult::kCreated;
  return errno == EEXIST ? MakeDirectoryResult::kExists : MakeDirectoryResult::kFailed;
}

}  // namespace Platform
