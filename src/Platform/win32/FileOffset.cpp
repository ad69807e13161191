#include "Platform/FileOffset.h"

#include <stdio.h>

namespace Platform {

int SeekFile(std::FILE* file, int64_t offset, int whence) { return _fseeki64(file, offset, whence); }

int64_t TellFile(std::FILE* file) { return _ftelli64(file); }

}  // namespace Platform
