#pragma once
// The batch's progress, on one line of stderr rewritten as scenes finish:
// scenes done of all, failed, skipped, and the time left at the pace so far.
#include <chrono>
#include <cstddef>

namespace MayaHost {

class BatchProgress {
public:
  BatchProgress(std::size_t toExport, std::size_t skipped);
  void done(bool failed);
  // Ends the line.
  void end();

private:
  void show() const;
  std::size_t toExport_, skipped_, done_ = 0, failed_ = 0;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace MayaHost
