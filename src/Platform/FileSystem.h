#pragma once
// Directories and the path separator of the platform.

namespace Platform {

// '\\' on Windows, '/' in the POSIX stand-in.
char PathSeparator();

enum class MakeDirectoryResult { kCreated, kExists, kFailed };
MakeDirectoryResult MakeDirectory(const char* path);

}  // namespace Platform
