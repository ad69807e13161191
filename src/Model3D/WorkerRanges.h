#pragma once
// Splits the items [0, count) into contiguous ranges and runs work(begin,
// end) on each, the first on the calling thread and the rest on std::thread
// workers that are all joined before the call returns. The number of
// workers: the hardware's threads, at most one per `minPerWorker` items,
// capped by the environment variable OMBRIX_THREADS (1 forces one). Callers
// give work whose result does not depend on how the items are split. An
// exception thrown by the work is rethrown once all workers are joined.
#include <cstddef>
#include <functional>

// How many ranges a call over `count` items would use.
int WorkerCount(size_t count, size_t minPerWorker);
void ForEachRange(size_t count, size_t minPerWorker,
                  const std::function<void(size_t begin, size_t end)>& work);
