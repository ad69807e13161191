#pragma once
// The export record: our own JSON file beside the project file that says
// what the last export read from the scene (which node each group came from,
// its UUID, UV set, counts, topology and placement; each material's shader
// and texture files), so that the UV import can find its meshes again after
// the artist renamed or moved them. The painter never reads it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct RecordedChannel {
  std::string channel;   // the model's channel: "DiffuseColor", "Bump", ...
  std::string file;      // the texture file as exported
  std::string modified;  // its modification time (UTC, ISO 8601), empty when it could not be read
};

struct RecordedMaterial {
  std::string shadingEngine;
  std::string shader;             // the material's name: the shader's, or "shader|object" for a switched one
  std::vector<RecordedChannel> channels;
  std::string shaderUuid;         // the shader node's UUID, empty when not recorded
  std::string shadingEngineUuid;  // the shading engine's UUID, empty when not recorded
};

struct RecordedGroup {
  std::string name;     // the group's name in the project file
  std::string dagPath;  // full DAG path of the shape (of the NURBS surface for a tessellated one)
  std::string uuid;     // the node's UUID, empty when the host gave none
  std::string uvSet;    // the UV set read
  uint32_t polygons = 0;
  uint32_t vertices = 0;
  uint32_t uvs = 0;
  uint64_t topology = 0;  // topologyDigest of the polygon counts and vertex indices
  uint64_t points = 0;    // pointsDigest of the object-space points
  bool pointsRecorded = true;  // false for a record written before the points were kept
  double worldMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};  // row major, Maya's order
};

struct ExportRecord {
  std::string scene;  // the scene file, empty for an unsaved scene
  std::string time;   // UTC, ISO 8601
  double frame = 0.0;
  std::vector<RecordedGroup> groups;
  std::vector<RecordedMaterial> materials;
};

// The largest record file the reader takes.
constexpr size_t kMaxExportRecordBytes = 64u << 20;

// FNV-1a over the polygons' vertex counts and vertex indices: equal for two
// meshes whose faces use the same vertices in the same order.
uint64_t topologyDigest(const int32_t* counts, size_t countCount, const int32_t* connects,
                        size_t connectCount);
// FNV-1a over the object-space points (x, y, z of each, as doubles): equal
// while no point of the mesh moved in its own space.
uint64_t pointsDigest(const double* xyz, size_t pointCount);
// Seconds since 1970 as "YYYY-MM-DDTHH:MM:SSZ".
std::string isoUtcTime(int64_t seconds);

// Indented for reading, or on one line.
std::string exportRecordText(const ExportRecord& record, bool oneLine = false);
// False with "offset N: reason" or "reason" for anything that is not a
// record as exportRecordText writes it.
bool parseExportRecord(const char* data, size_t size, ExportRecord& record, std::string& error);
// Reads and parses the file; false with the reason ("no such file" among them).
bool readExportRecordFile(const char* path, ExportRecord& record, std::string& error);
// Writes the file at `path` (the caller moves it into place); false with the
// reason, the partial file removed.
bool writeExportRecordFile(const char* path, const ExportRecord& record, std::string& error);
