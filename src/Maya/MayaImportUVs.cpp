#include "Maya/MayaImportUVs.h"

MStatus importUVs() { return MStatus(MStatus::kFailure); }
