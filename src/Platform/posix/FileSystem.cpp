#include "Platform/FileSystem.h"

#include <errno.h>
#include <sys/stat.h>

namespace Platform {

char PathSeparator() { return '/'; }

MakeDirectoryResult MakeDirectory(const char* path) {
  if (mkdir(path, 0777) == 0) return MakeDirectoryResult::kCreated;
  return errno == EEXIST ? MakeDirectoryResult::kExists : MakeDirectoryResult::kFailed;
}

}  // namespace Platform
