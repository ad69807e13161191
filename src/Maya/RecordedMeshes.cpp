#include "Maya/RecordedMeshes.h"

#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MItDag.h>
#include <maya/MUuid.h>

#include <map>
#include <vector>

#include "Exchange/DefaultPathNote.h"
#include "Exchange/ExchangePaths.h"
#include "Maya/ExportFlow.h"
#include "Exchange/ExportRecord.h"

namespace {

// Every mesh path of the scene by its node's UUID.
std::map<std::string, std::vector<MDagPath>> meshPathsByUuid() {
  std::map<std::string, std::vector<MDagPath>> byUuid;
  for (MItDag dag(MItDag::kDepthFirst, MFn::kMesh); !dag.isDone(); dag.next()) {
    MDagPath path;
    if (!dag.getPath(path)) continue;
    const MUuid uuid = MFnDependencyNode(path.node()).uuid();
    if (uuid.valid()) byUuid[uuid.asString().asChar()].push_back(path);
  }
  return byUuid;
}

bool findGroup(const RecordedGroup& group, const std::map<std::string, std::vector<MDagPath>>& byUuid,
               MDagPath& found) {
  const auto it = group.uuid.empty() ? byUuid.end() : byUuid.find(group.uuid);
  if (it != byUuid.end()) {
    found = it->second.front();
    for (const MDagPath& path : it->second) {
      if (group.dagPath == path.fullPathName().asChar()) found = path;
    }
    return true;
  }
  MSelectionList named;
  return named.add(MString(group.dagPath.c_str())) == MStatus::kSuccess && named.getDagPath(0, found) &&
         found.hasFn(MFn::kMesh);
}

}  // namespace

bool readLastExportRecord(ExportRecord& record, std::string& reason) {
  char project[kExchangeBufferSize] = {};
  char error[kExchangeBufferSize] = {};
  const ExchangeFailure located = getExchangeFilePath(kExchangeFileName, project, error);
  char recordPath[kExchangeBufferSize] = {};
  getRecordFilePath(project, recordPath);
  if (readExportRecordFile(recordPath, record, reason)) return true;
  reason = std::string(recordPath) + ": " + reason + defaultPathNote(located, error);
  return false;
}

bool recordedMeshes(MSelectionList& meshes, int& missing, std::string& reason) {
  ExportRecord record;
  if (!readLastExportRecord(record, reason)) return false;
  const auto byUuid = meshPathsByUuid();
  missing = 0;
  for (const RecordedGroup& group : record.groups) {
    MDagPath path;
    if (findGroup(group, byUuid, path))
      meshes.add(path);
    else
      ++missing;
  }
  return true;
}
