#include "Platform/FileOffset.h"

#include <stdio.h>
#include <sys/types.h>

namespace Platform {

int SeekFile(std::FILE* file, int64_t offset, int whence) {
  return fseeko(file, static_cast<off_t>(offset), whence);
}

int64_t TellFile(std::FILE* file) { return static_cast<int64_t>(ftello(file)); }

}  // namespace Platform
