// The second process of the shared-memory tests.
//   shm_peer read LOCATOR LENGTH    checks the data length and the pattern
//   shm_peer append LOCATOR LENGTH  extends the data with the pattern
// Exit: 0 done, 2 usage, 3 cannot open, 4 wrong data.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "HvCore/HvIO.h"

namespace {

uint8_t PatternAt(size_t i) { return static_cast<uint8_t>(i * 7 + i / 251); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::string command = argv[1];
  const size_t length = std::strtoul(argv[3], nullptr, 10);
  HvIO stream(argv[2], command == "read" ? HvIO::kRead : HvIO::kReadWrite);
  if (!stream.IsOpen()) return 3;
  if (command == "read") {
    if (stream.Size() != static_cast<int64_t>(length)) return 4;
    std::vector<uint8_t> bytes(length);
    if (stream.Read(bytes.data(), length) != length) return 4;
    for (size_t i = 0; i < length; ++i)
      if (bytes[i] != PatternAt(i)) return 4;
    return 0;
  }
  if (command == "append") {
    const int64_t start = stream.Size();
    if (start < 0 || static_cast<size_t>(start) > length || !stream.Seek(start, HvIO::kFromStart))
      return 4;
    std::vector<uint8_t> bytes;
    for (size_t i = static_cast<size_t>(start); i < length; ++i) bytes.push_back(PatternAt(i));
    return stream.Write(bytes.data(), bytes.size()) == bytes.size() ? 0 : 4;
  }
  return 2;
}
