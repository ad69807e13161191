#include "IO/ObvFormat.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "HvTL/LittleEndian.h"
#include "IO/ObvLayout.h"

namespace Obv {

int32_t ToFixed(double value) {
  const double scaled = std::trunc(value * 65536.0);
  if (!(scaled == scaled)) return 0;
  if (scaled >= 2147483647.0) return INT32_MAX;
  if (scaled <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(scaled);
}

double FromFixed(int32_t value) { return value / 65536.0; }

}  // namespace Obv

int ObvFormat::Identify() {
  HvIO* stream = Stream();
  if (stream == nullptr || !stream->IsOpen()) return 0;
  const int64_t position = stream->Tell();
  char text[sizeof Obv::kHeaderText - 1];
  const bool read = stream->Seek(Start(), HvIO::kFromStart) &&
                    stream->Read(text, sizeof text) == sizeof text;
  stream->Seek(position, HvIO::kFromStart);
  return read && std::memcmp(text, Obv::kHeaderText, sizeof text) == 0 ? 1 : 0;
}

int ObvFormat::Verify() {
  HvIO* stream = Stream();
  if (stream == nullptr || !stream->IsOpen()) return 0;
  const int64_t position = stream->Tell();
  const int64_t n = stream->Size() - 8;
  if (n < 0 || !stream->Seek(0, HvIO::kFromStart)) return 0;
  uint32_t sum = 0, xorWord = 0;
  std::vector<uint8_t> chunk(1 << 16);
  int64_t left = n / 4 * 4;
  while (left > 0) {
    const size_t want = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(chunk.size())));
    if (stream->Read(chunk.data(), want) != want) return 0;
    for (size_t i = 0; i < want; i += 4) {
      const uint32_t word = LoadU32LE(&chunk[i]);
      sum += word;
      xorWord ^= word;
    }
    left -= static_cast<int64_t>(want);
  }
  uint8_t closing[8];
  if (!stream->Seek(n, HvIO::kFromStart) || stream->Read(closing, 8) != 8) return 0;
  if (LoadU32LE(closing) != sum || LoadU32LE(closing + 4) != xorWord) return 0;
  stream->Seek(position, HvIO::kFromStart);
  return 1;
}
