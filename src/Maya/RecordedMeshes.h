#pragma once
// The meshes of the last export still in the scene, found through the export
// record: each recorded group by its node's UUID (a renamed or reparented
// mesh is still found), else by its DAG path.
#include <maya/MSelectionList.h>

#include <string>

struct ExportRecord;

// The export record beside the project file in the exchange directory; false,
// with a reason naming the record's path, when it cannot be read.
bool readLastExportRecord(ExportRecord& record, std::string& reason);

// False, with the reason, when there is no readable record; otherwise the
// paths found (an instance by its recorded path when that path still names
// it) and in `missing` how many recorded groups were not found.
bool recordedMeshes(MSelectionList& meshes, int& missing, std::string& reason);
