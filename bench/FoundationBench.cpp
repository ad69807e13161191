// Foundation hot paths: pixel-run conversion (texture loading) and block
// growth (every model array grows through it).
#include <benchmark/benchmark.h>

#include <vector>

#include "HvTL/GrowableBlock.h"
#include "IMGLib/PixelFormat.h"

namespace {

void ConvertFloatToARGB(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::vector<float> source(static_cast<size_t>(count) * 4, 0.5f);
  std::vector<uint8_t> target(static_cast<size_t>(count) * 4);
  for (auto _ : state) {
    ConvertPixels(kPixelRGBAF32, source.data(), kPixelARGB32, target.data(), count);
    benchmark::DoNotOptimize(target.data());
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(ConvertFloatToARGB)->Arg(1 << 20);

void GrowBlockByteByByte(benchmark::State& state) {
  const uint32_t bytes = static_cast<uint32_t>(state.range(0));
  for (auto _ : state) {
    GrowableBlock block;
    for (uint32_t n = 1; n <= bytes; ++n) block.SetSize(n);
    benchmark::DoNotOptimize(block.Data());
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(GrowBlockByteByByte)->Arg(1 << 20);

}  // namespace

BENCHMARK_MAIN();
