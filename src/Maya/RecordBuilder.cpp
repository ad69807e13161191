#include "Maya/RecordBuilder.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MMatrix.h>
#include <maya/MUuid.h>

#include <ctime>
#include <vector>

#include "Maya/MaterialTranslation.h"
#include "Maya/ShaderChannels.h"
#include "Model3D/PolygonArrays.h"
#include "Platform/FileSystem.h"
#include "Maya/ShadingTable.h"
#include "Model3D/HvModel.h"
#include "Shader/Material.h"
#include "UvImport/UvRecovery.h"

namespace {

// The texture file's modification time, empty when it cannot be read.
std::string modificationTime(const char* path) {
  int64_t seconds = 0;
  if (!Platform::ModificationTime(path, seconds)) return std::string();
  return isoUtcTime(seconds);
}

// The first shading group whose surface shader is `shader`; a null object when none.
MObject shadingGroupOf(const ShadingTable& table, const MObject& shader) {
  for (const MObject& group : table.groups) {
    if (getSurfaceShader(group) == shader) return group;
  }
  return MObject();
}

// The node's UUID, empty when the host gives none.
std::string uuidOf(const MObject& node) {
  if (node.isNull()) return std::string();
  MStatus status;
  const MUuid uuid = MFnDependencyNode(node).uuid(&status);
  return status && uuid.valid() ? std::string(uuid.asString().asChar()) : std::string();
}

std::string melAnswer(const char* command) {
  MString answer;
  if (!MGlobal::executeCommand(command, answer, false, false)) return std::string();
  return answer.asChar();
}

}  // namespace

RecordedGroup recordGroup(const MFnMesh& mesh, const PolygonArrays& arrays, const std::vector<double>& objectPoints,
                          const MString& groupName, const MDagPath& placement, const MMatrix& world,
                          const MString& uvSet) {
  RecordedGroup group;
  group.name = groupName.asChar();
  group.dagPath = placement.fullPathName().asChar();
  group.uuid = uuidOf(placement.node());
  group.uvSet = uvSet.asChar();
  group.polygons = static_cast<uint32_t>(mesh.numPolygons());
  group.vertices = static_cast<uint32_t>(mesh.numVertices());
  MStatus status;
  const int uvs = mesh.numUVs(uvSet, &status);
  group.uvs = status && uvs > 0 ? static_cast<uint32_t>(uvs) : 0;
  group.topology = meshTopologyDigest(arrays);
  group.points = pointsDigest(objectPoints.data(), objectPoints.size() / 3);
  for (unsigned int row = 0; row < 4; ++row) {
    for (unsigned int column = 0; column < 4; ++column) group.worldMatrix[row * 4 + column] = world(row, column);
  }
  return group;
}

void recordSceneAndMaterials(HvModel& model, const ShadingTable& shading, ExportRecord& record) {
  record.scene = melAnswer("file -q -sn");
  record.time = isoUtcTime(static_cast<int64_t>(std::time(nullptr)));
  double frame = 0.0;
  if (MGlobal::executeCommand("currentTime -q", frame, false, false)) record.frame = frame;
  const std::vector<ShadingEntry>& entries = shading.entries;
  for (size_t i = 0; i < entries.size(); ++i) {
    RecordedMaterial material;
    const MObject group = shadingGroupOf(shading, entries[i].shader);
    if (!group.isNull()) material.shadingEngine = MFnDependencyNode(group).name().asChar();
    material.shadingEngineUuid = uuidOf(group);
    material.shader = entries[i].entryName.asChar();
    material.shaderUuid = uuidOf(entries[i].shader);
    if (const Material* translated = model.Material(static_cast<int>(i), false)) {
      for (const char* channel : modelChannels()) {
        const char* file = translated->GetMapFileName(channel);
        if (file != nullptr && file[0] != '\0') material.channels.push_back({channel, file, modificationTime(file)});
      }
    }
    record.materials.push_back(material);
  }
}
