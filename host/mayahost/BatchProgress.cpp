#include "BatchProgress.h"

#include <cstdio>
#include <string>

namespace MayaHost {
namespace {

std::string duration(double seconds) {
  const long whole = static_cast<long>(seconds + 0.5);
  char text[32];
  if (whole >= 3600)
    std::snprintf(text, sizeof text, "%ldh%02ldm", whole / 3600, whole / 60 % 60);
  else if (whole >= 60)
    std::snprintf(text, sizeof text, "%ldm%02lds", whole / 60, whole % 60);
  else
    std::snprintf(text, sizeof text, "%lds", whole);
  return text;
}

}  // namespace

BatchProgress::BatchProgress(std::size_t toExport, std::size_t skipped) : toExport_(toExport), skipped_(skipped) {
  show();
}

void BatchProgress::done(bool failed) {
  ++done_;
  failed_ += failed ? 1 : 0;
  show();
}

void BatchProgress::end() { std::fputs("\n", stderr); }

void BatchProgress::show() const {
  std::string line = "\rmayahost: batch " + std::to_string(done_) + " of " + std::to_string(toExport_) + " done, " +
                     std::to_string(failed_) + " failed, " + std::to_string(skipped_) + " up to date";
  if (done_ > 0 && done_ < toExport_) {
    const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    line += ", about " + duration(spent / static_cast<double>(done_) * static_cast<double>(toExport_ - done_)) + " left";
  }
  std::fputs((line + "   ").c_str(), stderr);
  std::fflush(stderr);
}

}  // namespace MayaHost
