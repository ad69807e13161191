// libFuzzer target: the correspondence file reader, then a lookup of every
// record read by its own corner positions.
#include <cstdlib>

#include "FuzzInput.h"
#include "IO/CorrespondenceTable.h"
#include "Model3D/PolygonDesc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = WriteInput(data, size, "cor");
  if (path.empty()) return 0;
  CorrespondenceTable table;
  CorrespondenceLoadInfo info;
  if (loadCorrespondenceFile(table, path.c_str(), &info) == 0) return 0;
  if (table.Size() > static_cast<size_t>(size / 60)) std::abort();
  PolygonDesc desc;
  desc.Resize(3);
  for (const CorrespondenceRecord& record : table.Records()) {
    for (int c = 0; c < 3; ++c)
      desc.positions[c] = Vector3(record.corner[c].x, record.corner[c].y, record.corner[c].z);
    bool comparable = true;
    for (int c = 0; c < 3; ++c)
      comparable = comparable && record.corner[c].x == record.corner[c].x &&
                   record.corner[c].y == record.corner[c].y && record.corner[c].z == record.corner[c].z;
    const CorrespondenceRecord* found = findCorrespondence(table, desc);
    // A record without a NaN position finds an equal one; with one, none.
    if ((found != nullptr) != comparable) std::abort();
  }
  return 0;
}
