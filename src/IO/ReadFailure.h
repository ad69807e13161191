#pragma once
// Where and why a read of a model file stopped: a byte offset for binary
// files, a line for text files, and the reason. A failed save has a reason
// only.
#include <cstdint>
#include <string>

struct ReadFailure {
  int64_t offset = -1;  // of the damaged read in a binary file
  int line = 0;         // of the damaged line in a text file
  std::string reason;

  bool Failed() const { return !reason.empty(); }
  // "FILE: offset N: REASON", "FILE:LINE: REASON" or "FILE: REASON".
  std::string Located(const std::string& file) const {
    if (offset >= 0) return file + ": offset " + std::to_string(offset) + ": " + reason;
    if (line > 0) return file + ":" + std::to_string(line) + ": " + reason;
    return file + ": " + reason;
  }
};
