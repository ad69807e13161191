#pragma once
// 64-bit positions in C stdio streams.
#include <cstdint>
#include <cstdio>

namespace Platform {

// fseek with a 64-bit offset; 0 on success as fseek.
int SeekFile(std::FILE* file, int64_t offset, int whence);
// The 64-bit position, or -1.
int64_t TellFile(std::FILE* file);

}  // namespace Platform
