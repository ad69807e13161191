#include "Platform/FileSystem.h"

#include <dirent.h>
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <cctype>

namespace Platform {

bool FitsAnsiCodePage(const char*) { return true; }

std::FILE* OpenFile(const char* path, const char* mode) { return std::fopen(path, mode); }

char PathSeparator() { return '/'; }

MakeDirectoryResult MakeDirectory(const char* path) {
  if (mkdir(path, 0777) == 0) return MakeDirectoryResult::kCreated;
  return errno == EEXIST ? MakeDirectoryResult::kExists : MakeDirectoryResult::kFailed;
}

bool MoveFileOver(const char* from, const char* to, std::string& reason) {
  // rename replaces the name in one step; a reader holding the old file
  // keeps reading it whole.
  if (rename(from, to) == 0) return true;
  reason = ErrorText(errno);
  return false;
}

std::string ErrorText(int error) {
  std::string text = strerror(error);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

bool ModificationTime(const char* path, int64_t& seconds) {
  struct stat status {};
  if (path == nullptr || stat(path, &status) != 0) return false;
  seconds = static_cast<int64_t>(status.st_mtime);
  return true;
}

bool ListDirectory(const char* path, std::vector<DirectoryEntry>& entries, std::string& reason) {
  entries.clear();
  DIR* folder = path == nullptr ? nullptr : opendir(path);
  if (folder == nullptr) {
    reason = ErrorText(path == nullptr ? EINVAL : errno);
    return false;
  }
  const std::string prefix = std::string(path) + "/";
  errno = 0;
  while (const dirent* entry = readdir(folder)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat status {};
    const bool directory = stat((prefix + name).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    entries.push_back({name, directory});
    errno = 0;
  }
  const int failure = errno;
  closedir(folder);
  if (failure != 0) {
    reason = ErrorText(failure);
    entries.clear();
    return false;
  }
  return true;
}

}  // namespace Platform
