#pragma once
// The project format "OBV": what the export hands to the painter. Save
// writes the model as indexed triangle fans with materials and a closing
// checksum; Load reads such a file back into a model.
#include "IO/ModelFormat.h"

class ObvFormat : public ModelFormat {
 public:
  ObvFormat() : ModelFormat("OBV") {}

  // 1 when the stream at the start offset begins with the header text.
  int Identify() override;
  // Options: a first character 'p' writes unpacked (no file-name list);
  // anything else packed. 1 only when every byte was written.
  int Save(HvModel* model, const char* options, ProgressSink* progress, void* reserved) override;
  // Rebuilds each polygon from its triangle fan; 0 on any damage, with its
  // offset and reason in LastFailure().
  int Load(HvModel* model, const char* options, ProgressSink* progress, void* reserved) override;
  // The closing check words against the file's 32-bit words before them.
  int Verify();
};
