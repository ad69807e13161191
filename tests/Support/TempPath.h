#pragma once
// Unique scratch file names for tests, removed when the holder goes.
#include <cstdio>
#include <string>

#include "Platform/Process.h"

class TempPath {
 public:
  explicit TempPath(const std::string& name)
      : path_("ombrix-test-" + std::to_string(Platform::CurrentProcessId()) + "-" + name) {
    std::remove(path_.c_str());
  }
  ~TempPath() { std::remove(path_.c_str()); }
  TempPath(const TempPath&) = delete;
  TempPath& operator=(const TempPath&) = delete;

  const std::string& str() const { return path_; }
  const char* c_str() const { return path_.c_str(); }

 private:
  std::string path_;
};
