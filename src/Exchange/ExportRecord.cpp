#include "Exchange/ExportRecord.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <limits>
#include <memory>

#include "Platform/FileSystem.h"

namespace {

using Json = nlohmann::ordered_json;

const char kFormatName[] = "Ombrix export record";
constexpr int kFormatVersion = 1;
// A record nests four levels deep (record, groups, group, matrix); anything
// much deeper is not a record, and is refused before it is parsed.
constexpr int kMaxDepth = 8;

// The deepest nesting of arrays and objects outside strings, or -1 when it
// passes kMaxDepth.
int nestingDepth(const char* data, size_t size) {
  int depth = 0;
  int deepest = 0;
  bool inString = false;
  for (size_t i = 0; i < size; ++i) {
    const char c = data[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxDepth) return -1;
      if (depth > deepest) deepest = depth;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return deepest;
}

// Typed field reads: each names the field it refuses.
struct FieldError {
  std::string text;
};

const Json& field(const Json& object, const char* name, Json::value_t kind, const char* kindName) {
  const auto it = object.find(name);
  if (it == object.end()) throw FieldError{std::string("\"") + name + "\" missing"};
  const bool numberWanted = kind == Json::value_t::number_float;
  const bool fits = numberWanted ? it->is_number() : it->type() == kind;
  if (!fits) throw FieldError{std::string("\"") + name + "\" is not " + kindName};
  return *it;
}

std::string text(const Json& object, const char* name) {
  return field(object, name, Json::value_t::string, "a string").get<std::string>();
}

// A key that older records do not have: empty when absent, refused when not a string.
std::string optionalText(const Json& object, const char* name) {
  return object.find(name) == object.end() ? std::string() : text(object, name);
}

double number(const Json& object, const char* name) {
  const double value = field(object, name, Json::value_t::number_float, "a number").get<double>();
  if (!std::isfinite(value)) throw FieldError{std::string("\"") + name + "\" is not finite"};
  return value;
}

uint32_t count(const Json& object, const char* name) {
  const Json& value = field(object, name, Json::value_t::number_float, "a number");
  if (!value.is_number_unsigned() || value.get<uint64_t>() > std::numeric_limits<uint32_t>::max())
    throw FieldError{std::string("\"") + name + "\" is not a count"};
  return static_cast<uint32_t>(value.get<uint64_t>());
}

const Json& list(const Json& object, const char* name) {
  return field(object, name, Json::value_t::array, "an array");
}

std::string hex64(uint64_t value) {
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016" PRIx64, value);
  return digits;
}

uint64_t parseHex64(const std::string& digits, const char* name) {
  if (digits.size() != 16) throw FieldError{std::string("\"") + name + "\" is not 16 hex digits"};
  uint64_t value = 0;
  for (const char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (digit < 0) throw FieldError{std::string("\"") + name + "\" is not 16 hex digits"};
    value = (value << 4) | static_cast<uint64_t>(digit);
  }
  return value;
}

// The values are put in one by one and moved, never copied through an
// initializer list: nlohmann-json's destructor allocates for a value that
// still holds others, and a failed allocation there would end the program.
Json groupJson(const RecordedGroup& group) {
  Json matrix = Json::array();
  for (const double value : group.worldMatrix) matrix.push_back(value);
  Json out = Json::object();
  out["name"] = group.name;
  out["dagPath"] = group.dagPath;
  out["uuid"] = group.uuid;
  out["uvSet"] = group.uvSet;
  out["polygons"] = group.polygons;
  out["vertices"] = group.vertices;
  out["uvs"] = group.uvs;
  out["topology"] = hex64(group.topology);
  out["points"] = hex64(group.points);
  out["worldMatrix"] = std::move(matrix);
  return out;
}

Json materialJson(const RecordedMaterial& material) {
  Json channels = Json::array();
  for (const RecordedChannel& channel : material.channels) {
    Json entry = Json::object();
    entry["channel"] = channel.channel;
    entry["file"] = channel.file;
    entry["modified"] = channel.modified;
    channels.push_back(std::move(entry));
  }
  Json out = Json::object();
  out["shadingEngine"] = material.shadingEngine;
  out["shader"] = material.shader;
  // Keys added after the first records: written only when known, read when present.
  if (!material.shaderUuid.empty()) out["shaderUuid"] = material.shaderUuid;
  if (!material.shadingEngineUuid.empty()) out["shadingEngineUuid"] = material.shadingEngineUuid;
  out["channels"] = std::move(channels);
  return out;
}

// Empties the value from the leaves up, so that no destructor is left with a
// value holding others (see groupJson).
void release(Json& value) {
  if (!value.is_array() && !value.is_object()) return;
  for (Json& item : value) release(item);
  value.clear();
}

RecordedGroup readGroup(const Json& object) {
  if (!object.is_object()) throw FieldError{"a group is not an object"};
  RecordedGroup group;
  group.name = text(object, "name");
  group.dagPath = text(object, "dagPath");
  group.uuid = text(object, "uuid");
  group.uvSet = text(object, "uvSet");
  group.polygons = count(object, "polygons");
  group.vertices = count(object, "vertices");
  group.uvs = count(object, "uvs");
  group.topology = parseHex64(text(object, "topology"), "topology");
  group.pointsRecorded = object.find("points") != object.end();
  if (group.pointsRecorded) group.points = parseHex64(text(object, "points"), "points");
  const Json& matrix = list(object, "worldMatrix");
  if (matrix.size() != 16) throw FieldError{"\"worldMatrix\" does not hold 16 numbers"};
  for (size_t i = 0; i < 16; ++i) {
    if (!matrix[i].is_number() || !std::isfinite(matrix[i].get<double>()))
      throw FieldError{"\"worldMatrix\" does not hold 16 finite numbers"};
    group.worldMatrix[i] = matrix[i].get<double>();
  }
  return group;
}

RecordedMaterial readMaterial(const Json& object) {
  if (!object.is_object()) throw FieldError{"a material is not an object"};
  RecordedMaterial material;
  material.shadingEngine = text(object, "shadingEngine");
  material.shader = text(object, "shader");
  material.shaderUuid = optionalText(object, "shaderUuid");
  material.shadingEngineUuid = optionalText(object, "shadingEngineUuid");
  for (const Json& channel : list(object, "channels")) {
    if (!channel.is_object()) throw FieldError{"a channel is not an object"};
    material.channels.push_back({text(channel, "channel"), text(channel, "file"), text(channel, "modified")});
  }
  return material;
}

void readRecord(const Json& root, ExportRecord& record) {
  if (!root.is_object()) throw FieldError{"not a JSON object"};
  if (text(root, "format") != kFormatName) throw FieldError{"not an export record"};
  const Json& version = field(root, "version", Json::value_t::number_float, "a number");
  if (!version.is_number_integer() || version.get<int64_t>() != kFormatVersion)
    throw FieldError{"unknown version " + version.dump()};
  record.scene = text(root, "scene");
  record.time = text(root, "time");
  record.frame = number(root, "frame");
  for (const Json& group : list(root, "groups")) record.groups.push_back(readGroup(group));
  for (const Json& material : list(root, "materials")) record.materials.push_back(readMaterial(material));
}

constexpr uint64_t kFnvOffset = 14695981039346656037ull;

// FNV-1a over the low `bytes` bytes of value, least significant first.
void fnvMix(uint64_t& hash, uint64_t value, int bytes) {
  for (int byte = 0; byte < bytes; ++byte) {
    hash ^= (value >> (8 * byte)) & 0xffu;
    hash *= 1099511628211ull;
  }
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

uint64_t topologyDigest(const int32_t* counts, size_t countCount, const int32_t* connects, size_t connectCount) {
  uint64_t hash = kFnvOffset;
  const auto mix = [&hash](const int32_t* values, size_t n) {
    for (size_t i = 0; i < n; ++i) fnvMix(hash, static_cast<uint32_t>(values[i]), 4);
  };
  mix(counts, countCount);
  mix(connects, connectCount);
  return hash;
}

uint64_t pointsDigest(const double* xyz, size_t pointCount) {
  uint64_t hash = kFnvOffset;
  for (size_t i = 0; i < pointCount * 3; ++i) {
    uint64_t bits = 0;
    std::memcpy(&bits, &xyz[i], sizeof bits);
    fnvMix(hash, bits, 8);
  }
  return hash;
}

std::string isoUtcTime(int64_t seconds) {
  // Civil date from days since 1970 (proleptic Gregorian), without gmtime's
  // shared buffer or its limits on 32-bit time_t.
  const int64_t days = (seconds >= 0 ? seconds : seconds - 86399) / 86400;
  const int64_t rest = seconds - days * 86400;
  const int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t day = doy - (153 * mp + 2) / 5 + 1;
  const int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  char out[128];
  std::snprintf(out, sizeof out, "%04" PRId64 "-%02" PRId64 "-%02" PRId64 "T%02" PRId64 ":%02" PRId64 ":%02" PRId64 "Z",
                year, month, day, rest / 3600, rest / 60 % 60, rest % 60);
  return out;
}

std::string exportRecordText(const ExportRecord& record, bool oneLine) {
  Json groups = Json::array();
  for (const RecordedGroup& group : record.groups) groups.push_back(groupJson(group));
  Json materials = Json::array();
  for (const RecordedMaterial& material : record.materials) materials.push_back(materialJson(material));
  Json root = Json::object();
  root["format"] = kFormatName;
  root["version"] = kFormatVersion;
  root["scene"] = record.scene;
  root["time"] = record.time;
  root["frame"] = record.frame;
  root["groups"] = std::move(groups);
  root["materials"] = std::move(materials);
  // Names Maya gives in the system's code page need not be UTF-8: such bytes
  // are replaced rather than refused.
  std::string text = root.dump(oneLine ? -1 : 1, '\t', false, Json::error_handler_t::replace) + "\n";
  release(root);
  return text;
}

bool parseExportRecord(const char* data, size_t size, ExportRecord& record, std::string& error) {
  record = ExportRecord();
  if (size > kMaxExportRecordBytes) {
    error = "larger than " + std::to_string(kMaxExportRecordBytes) + " bytes";
    return false;
  }
  if (nestingDepth(data, size) < 0) {
    error = "nested deeper than " + std::to_string(kMaxDepth) + " levels";
    return false;
  }
  try {
    readRecord(Json::parse(data, data + size), record);
    return true;
  } catch (const Json::parse_error& failure) {
    // The library's text begins "[json.exception.parse_error.101] parse error at line ...".
    const std::string what = failure.what();
    const size_t colon = what.find(": ");
    error = "offset " + std::to_string(failure.byte) + ": " + (colon == std::string::npos ? what : what.substr(colon + 2));
  } catch (const FieldError& failure) {
    error = failure.text;
  } catch (const Json::exception& failure) {
    error = failure.what();
  }
  record = ExportRecord();
  return false;
}

bool readExportRecordFile(const char* path, ExportRecord& record, std::string& error) {
  std::unique_ptr<std::FILE, FileCloser> file(Platform::OpenFile(path, "rb"));
  if (!file) {
    error = Platform::ErrorText(errno);
    return false;
  }
  std::string bytes;
  char block[65536];
  size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) {
    if (bytes.size() + got > kMaxExportRecordBytes) {
      error = "larger than " + std::to_string(kMaxExportRecordBytes) + " bytes";
      return false;
    }
    bytes.append(block, got);
  }
  if (std::ferror(file.get())) {
    error = "read error";
    return false;
  }
  return parseExportRecord(bytes.data(), bytes.size(), record, error);
}

bool writeExportRecordFile(const char* path, const ExportRecord& record, std::string& error) {
  const std::string bytes = exportRecordText(record);
  std::FILE* file = Platform::OpenFile(path, "wb");
  if (file == nullptr) {
    error = Platform::ErrorText(errno);
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int cause = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    error = Platform::ErrorText(written ? errno : cause);
    std::remove(path);
    return false;
  }
  return true;
}
