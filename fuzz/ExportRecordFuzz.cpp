// libFuzzer target: the export record reader; what it reads, written again,
// reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Exchange/ExportRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ExportRecord record;
  std::string error;
  if (!parseExportRecord(reinterpret_cast<const char*>(data), size, record, error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  const std::string again = exportRecordText(record, true);
  ExportRecord reread;
  if (!parseExportRecord(again.data(), again.size(), reread, error)) std::abort();
  if (reread.groups.size() != record.groups.size() || reread.materials.size() != record.materials.size())
    std::abort();
  return 0;
}
