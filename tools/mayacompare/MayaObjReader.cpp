#include "MayaObjReader.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

namespace {

struct ObjCursor {
  std::string name;
  int line = 0;
  std::string error;
  bool fail(const std::string& why) {
    error = name + ":" + std::to_string(line) + ": " + why;
    return false;
  }
};

// The running totals the 1-based indices count in, where the current block
// starts, and the names of g lines not yet known to be whose.
struct ObjTotals {
  std::size_t points = 0, uvs = 0;
  std::size_t blockPoints = 0, blockUvs = 0;
  std::vector<std::string> pending;
};

std::vector<std::string_view> words(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) out.push_back(line.substr(start, i - start));
  }
  return out;
}

bool number(std::string_view text, double& value) {
  const char* end = text.data() + text.size();
  auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end && value - value == 0;  // finite
}

// x y z (v) or u v (vt), an optional last value being ignored as Maya's readers do.
bool values(const std::vector<std::string_view>& w, std::size_t count, std::vector<double>& out, ObjCursor& at) {
  if (w.size() < count + 1 || w.size() > count + 2)
    return at.fail("\"" + std::string(w[0]) + "\" needs " + std::to_string(count) + " numbers");
  for (std::size_t i = 1; i <= count; ++i) {
    double v = 0;
    if (!number(w[i], v)) return at.fail("\"" + std::string(w[i]) + "\" is not a finite number");
    out.push_back(v);
  }
  return true;
}

// One index of a corner, 1-based (negative: counted back from the latest),
// answered as an index into the current block.
bool blockIndex(std::string_view text, std::size_t total, std::size_t blockStart, const char* kind,
                const char* kinds, int& index, ObjCursor& at) {
  long long i = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), i);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || i == 0)
    return at.fail("\"" + std::string(text) + "\" is not a " + kind + " index");
  const long long absolute = i > 0 ? i - 1 : static_cast<long long>(total) + i;
  if (absolute < static_cast<long long>(blockStart) || absolute >= static_cast<long long>(total))
    return at.fail(std::string(kind) + " " + std::to_string(i) + " is not one of this object's " +
                   std::to_string(total - blockStart) + " " + kinds);
  index = static_cast<int>(absolute - static_cast<long long>(blockStart));
  return true;
}

bool face(const std::vector<std::string_view>& w, const ObjTotals& totals, TruthMesh& mesh, const MayaObjLimits& limits,
          ObjCursor& at) {
  const std::size_t corners = w.size() - 1;
  if (corners < 3) return at.fail("a face needs 3 corners at least");
  if (corners > limits.maxCornersPerFace) return at.fail("a face of " + std::to_string(corners) + " corners");
  for (std::size_t c = 1; c < w.size(); ++c) {
    std::string_view corner = w[c];
    const std::size_t slash = corner.find('/');
    int point = 0, uv = -1;
    if (!blockIndex(corner.substr(0, slash), totals.points, totals.blockPoints, "vertex", "vertices", point, at)) return false;
    if (slash != std::string_view::npos) {
      std::string_view rest = corner.substr(slash + 1);
      std::string_view uvText = rest.substr(0, rest.find('/'));
      if (!uvText.empty() && !blockIndex(uvText, totals.uvs, totals.blockUvs, "UV", "UVs", uv, at)) return false;
    }
    mesh.cornerPoints.push_back(point);
    mesh.cornerUvs.push_back(uv);
  }
  mesh.faceCounts.push_back(static_cast<int>(corners));
  return true;
}

MayaObjObject& startBlock(std::vector<MayaObjObject>& objects, ObjTotals& totals, int line) {
  objects.emplace_back();
  objects.back().line = line;
  totals.blockPoints = totals.points;
  totals.blockUvs = totals.uvs;
  return objects.back();
}

void addNames(std::set<std::string>& names, std::vector<std::string>& more) {
  for (auto& name : more)
    if (name != "default") names.insert(std::move(name));
  more.clear();
}

// Where v, vt and vn lines go: a vertex block after faces is the next
// object's, which takes the names of the g lines between (mostly "default";
// Maya writes an object's sets there instead when some of its faces are
// members of sets).
MayaObjObject& vertexBlock(std::vector<MayaObjObject>& objects, ObjTotals& totals, int line) {
  if (objects.empty() || !objects.back().mesh.faceCounts.empty()) {
    startBlock(objects, totals, line);
    addNames(objects.back().names, totals.pending);
  }
  return objects.back();
}

// Faces go to the current object, with the names of the g lines before them:
// the sets that split its faces into runs.
MayaObjObject& faceBlock(std::vector<MayaObjObject>& objects, ObjTotals& totals, int line) {
  if (objects.empty()) startBlock(objects, totals, line);
  addNames(objects.back().names, totals.pending);
  return objects.back();
}

bool statement(const std::vector<std::string_view>& w, std::vector<MayaObjObject>& objects, ObjTotals& totals,
               const MayaObjLimits& limits, ObjCursor& at) {
  const std::string_view key = w[0];
  if (key == "v") {
    std::vector<double>& points = vertexBlock(objects, totals, at.line).mesh.points;
    ++totals.points;
    return values(w, 3, points, at);
  }
  if (key == "vt") {
    std::vector<double>& uvs = vertexBlock(objects, totals, at.line).mesh.uvs;
    ++totals.uvs;
    return values(w, 2, uvs, at);
  }
  if (key == "vn") {
    vertexBlock(objects, totals, at.line);
    return true;
  }
  if (key == "f") return face(w, totals, faceBlock(objects, totals, at.line).mesh, limits, at);
  if (key == "g") {
    // Whose names these are is known once v or f lines follow.
    for (std::size_t i = 1; i < w.size(); ++i) totals.pending.emplace_back(w[i]);
    return true;
  }
  if (key == "s" || key == "usemtl" || key == "mtllib" || key == "o" || key[0] == '#') return true;
  return at.fail("\"" + std::string(key) + "\" is not a statement of Maya's OBJ export");
}

}  // namespace

bool parseMayaObj(const std::string& text, const std::string& name, std::vector<MayaObjObject>& objects,
                  std::string& error, const MayaObjLimits& limits) {
  objects.clear();
  ObjCursor at{name, 0, {}};
  ObjTotals totals;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ++at.line;
    if (end - start > limits.maxLineBytes) {
      at.fail("a line of more than " + std::to_string(limits.maxLineBytes) + " bytes");
      error = at.error;
      return false;
    }
    const auto w = words(std::string_view(text).substr(start, end - start));
    if (!w.empty() && !statement(w, objects, totals, limits, at)) {
      error = at.error;
      return false;
    }
    start = end + 1;
  }
  if (!objects.empty()) addNames(objects.back().names, totals.pending);
  return true;
}

bool readMayaObj(const std::string& path, std::vector<MayaObjObject>& objects, std::string& error) {
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  if (!in) {
    error = path + ": cannot open the file";
    return false;
  }
  std::ostringstream all;
  all << in.rdbuf();
  if (in.bad()) {
    error = path + ": cannot read the file";
    return false;
  }
  return parseMayaObj(all.str(), path, objects, error);
}
