#include "Model3D/WorkerRanges.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr int kMaxWorkers = 64;

// OMBRIX_THREADS as a count from 1 to kMaxWorkers, or 0 when unset or not a number.
int ThreadLimit() {
  const char* text = std::getenv("OMBRIX_THREADS");
  if (text == nullptr) return 0;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 1) return 0;
  return static_cast<int>(std::min<long>(value, kMaxWorkers));
}

}  // namespace

int WorkerCount(size_t count, size_t minPerWorker) {
  const size_t most = count / std::max<size_t>(minPerWorker, 1);
  // One range without asking the system (it reads files for its processor
  // count): a model of many small meshes asks twice a mesh.
  if (most < 2) return 1;
  size_t workers = std::min<size_t>(std::thread::hardware_concurrency(), kMaxWorkers);
  if (const int limit = ThreadLimit()) workers = static_cast<size_t>(limit);
  workers = std::min(workers, most);
  return static_cast<int>(std::max<size_t>(workers, 1));
}

void ForEachRange(size_t count, size_t minPerWorker,
                  const std::function<void(size_t begin, size_t end)>& work) {
  if (count == 0) return;
  const size_t workers = static_cast<size_t>(WorkerCount(count, minPerWorker));
  auto bound = [&](size_t i) { return count / workers * i + std::min(i, count % workers); };
  // An exception in any range (memory running short) reaches the caller
  // after every worker has been joined; the first one wins.
  std::vector<std::exception_ptr> failures(workers);
  auto run = [&](size_t i) {
    try {
      work(bound(i), bound(i + 1));
    } catch (...) {
      failures[i] = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  size_t started = 1;
  for (; started < workers; ++started) {
    try {
      threads.emplace_back(run, started);
    } catch (const std::system_error&) {
      break;  // no more threads to be had: the calling thread does the rest
    }
  }
  run(0);
  for (size_t i = started; i < workers; ++i) run(i);
  for (std::thread& thread : threads) thread.join();
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}
