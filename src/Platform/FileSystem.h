#pragma once
// Directories, the path separator and file replacement of the platform.
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

namespace Platform {

// '\\' on Windows, '/' in the POSIX stand-in.
char PathSeparator();

// Paths are UTF-8; on Windows they reach the wide (UTF-16) calls, so a
// folder under a Cyrillic or Japanese user name works whatever the ANSI code page.

// True when UTF-8 text can be written in the ANSI code page, as the programs
// that read narrow text on Windows take it (always true elsewhere: UTF-8 is
// the narrow text there).
bool FitsAnsiCodePage(const char* utf8);

// std::fopen of a UTF-8 path (_wfopen on Windows).
std::FILE* OpenFile(const char* path, const char* mode);

enum class MakeDirectoryResult { kCreated, kExists, kFailed };
MakeDirectoryResult MakeDirectory(const char* path);

// Puts the file `from` in place of `to` in one step: a reader of `to` sees
// the old file or the new one, never a part. False with the reason (lower
// case, as it reads after "PATH: ") when `to` is left as it was. On Windows
// a file that another program holds open without letting it be replaced is
// tried again for up to two seconds.
bool MoveFileOver(const char* from, const char* to, std::string& reason);
// The C runtime's text for an errno value, in lower case.
std::string ErrorText(int error);
// The file's last modification in seconds since 1970 (UTC); false when the
// file cannot be looked at.
bool ModificationTime(const char* path, int64_t& seconds);


struct DirectoryEntry {
  std::string name;  // UTF-8, without the folder
  bool directory = false;
};
// The entries of the folder at `path` ("." and ".." left out), in the order
// the system gives them. False with the reason (lower case) when it cannot be read.
bool ListDirectory(const char* path, std::vector<DirectoryEntry>& entries, std::string& reason);

}  // namespace Platform
