#include "IO/ModelFormat.h"

#include "Platform/FileSystem.h"

int ModelFormat::SaveTo(HvIO& stream, HvModel* model, const char* options, ProgressSink* progress,
                        void* reserved) {
  Attach(&stream, 0);
  ClearFailure();
  // A save is complete only once the file is closed without an error.
  if (Save(model, options, progress, reserved) == 1 && stream.Close() == 1) return 1;
  if (!LastFailure().Failed() && stream.LastErrorNumber() != 0)
    Refuse(Platform::ErrorText(stream.LastErrorNumber()).c_str());
  return 0;
}
