#include "IO/ObjReader.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "HvCore/HvIO.h"
#include "IO/BlockReader.h"
#include "IO/ModelIOUtil.h"
#include "IO/ReadFailure.h"
#include "Math/PainterFrame.h"
#include "Math/ProgressSink.h"
#include "Model3D/HvModel.h"
#include "Model3D/PolygonPipeline.h"

namespace {

struct Corner {
  int index[3] = {0, 0, 0};  // position, texture, normal; 0 = absent
};

// The first character at or after p that is in the set, or null at the
// end of the text (as strpbrk).
template <typename InSet>
const char* FindFirst(const char* p, InSet inSet) {
  for (; *p != '\0'; ++p)
    if (inSet(*p)) return p;
  return nullptr;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The integer at p as strtol reads it in base 10 (p is at a digit or '-'):
// saturated to long's range, *end after its digits, or at p when there are none.
long ReadIndex(const char* p, const char** end) {
  const bool negative = *p == '-';
  const char* q = negative ? p + 1 : p;
  *end = p;
  if (!IsDigit(*q)) return 0;
  while (*q == '0') ++q;
  // Up to 19 digits fit in 64 bits; more are past any long.
  const char* first = q;
  uint64_t magnitude = 0;
  for (; IsDigit(*q); ++q) magnitude = magnitude * 10 + static_cast<uint64_t>(*q - '0');
  *end = q;
  const uint64_t limit = static_cast<uint64_t>(LONG_MAX) + (negative ? 1 : 0);
  if (q - first > 19 || magnitude > limit) magnitude = limit;
  if (!negative) return static_cast<long>(magnitude);
  return magnitude == limit ? LONG_MIN : -static_cast<long>(magnitude);
}

// Stores n (1-based, or negative from the end in the scene variant).
bool ParseCorners(const char* text, bool negative, std::vector<Corner>& corners) {
  auto isStart = [negative](char c) { return IsDigit(c) || c == '/' || (negative && c == '-'); };
  auto isBreak = [](char c) { return c == '/' || c == ' ' || c == '\t'; };
  corners.assign(1, Corner());
  int slot = 0;
  bool pending = false;
  const char* p = FindFirst(text, isStart);
  if (p == nullptr) return false;
  while (*p != '\0' && *p != '\n' && *p != '\r') {
    if (*p == ' ' || *p == '\t') {
      pending = true;
      p = FindFirst(p, isStart);
      if (p == nullptr) break;
    } else if (*p == '/') {
      ++slot;
      ++p;
    } else if (IsDigit(*p) || (negative && *p == '-')) {
      const char* end = nullptr;
      const long value = ReadIndex(p, &end);
      if (end == p) {
        ++p;
        continue;
      }
      if (pending) {
        corners.emplace_back();
        slot = 0;
        pending = false;
      }
      if (value == 0 || value > 0x7FFFFFFF || value < -0x7FFFFFFF) return false;
      if (slot <= 2) corners.back().index[slot] = static_cast<int>(value);
      p = FindFirst(end, isBreak);
      if (p == nullptr) break;
    } else {
      ++p;
    }
  }
  for (size_t i = 1; i < corners.size(); ++i)
    for (int s = 1; s <= 2; ++s) {
      const int before = corners[i - 1].index[s], now = corners[i].index[s];
      if ((before == 0) != (now == 0)) corners[i].index[s] = before;
    }
  return true;
}

// The keywords the reader acts on.
enum class Keyword { kNone, kPosition, kTexture, kNormal, kFace, kGroup, kLibrary, kUseMaterial, kOther };

// The line's first token (between blanks, tabs, CR and LF) as a keyword,
// letters compared without case; *rest is set just after it. kNone for an
// empty line or a comment.
Keyword KeywordOf(const char* line, const char** rest) {
  const char* p = line;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
  const char* start = p;
  while (*p != '\0' && *p != ' ' && *p != '\t' && *p != '\n' && *p != '\r') ++p;
  *rest = p;
  const size_t length = static_cast<size_t>(p - start);
  if (length == 0 || *start == '#') return Keyword::kNone;
  auto is = [&](const char* word) {
    if (std::strlen(word) != length) return false;
    for (size_t i = 0; i < length; ++i) {
      const char c = start[i];
      if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != word[i]) return false;
    }
    return true;
  };
  static const struct {
    const char* word;
    Keyword keyword;
  } kWords[] = {{"v", Keyword::kPosition},   {"vt", Keyword::kTexture},    {"vn", Keyword::kNormal},
                {"f", Keyword::kFace},       {"fo", Keyword::kFace},       {"g", Keyword::kGroup},
                {"mtllib", Keyword::kLibrary}, {"usemtl", Keyword::kUseMaterial}};
  for (const auto& entry : kWords)
    if (is(entry.word)) return entry.keyword;
  return Keyword::kOther;
}

class ObjReader {
 public:
  ObjReader(HvModel& model, HvIO& stream, ProgressSink* progress, bool scene)
      : model_(model), stream_(stream), progress_(progress), scene_(scene), faces_(model) {}

  int Run();
  const ReadFailure& Failure() const { return failure_; }

 private:
  // Records why the current line fails the read; false.
  bool Fail(const char* reason) {
    failure_.line = line_;
    failure_.reason = reason;
    return false;
  }
  // Why the file as a whole is no OBJ file; false.
  bool Refuse(const char* reason) {
    failure_.reason = reason;
    return false;
  }
  // Every logical line of the source; false at a line that fails the read.
  template <typename Source>
  bool ReadLines(Source& source);
  bool Line(Keyword keyword, char* rest);
  bool Face(const char* rest);
  void Group(const char* rest);
  void Library(char* rest);
  void UseMaterial(char* rest);
  // A 1-based index as stored (negative counts back in the scene variant).
  int Resolve(int index, size_t count) const {
    if (index < 0 && scene_) return static_cast<int>(count) + 1 + index;
    return index < 0 ? -index : index;
  }

  HvModel& model_;
  HvIO& stream_;
  ProgressSink* progress_;
  bool scene_;
  std::vector<Vector3> positions_, normals_;
  std::vector<float> u_, v_;
  std::vector<Corner> corners_;
  // Faces are added one face late (see PolygonPipeline).
  PolygonPipeline faces_;
  void* material_ = nullptr;
  bool stored_ = false;
  bool normalsIncomplete_ = false;
  int line_ = 0;  // where the logical line being read starts
  ReadFailure failure_;
};

// Physical line ends in a logical line (CR LF counts once).
int LineEnds(const char* text) {
  int ends = 0;
  for (const char* p = text; *p != '\0'; ++p) ends += *p == '\n' || (*p == '\r' && p[1] != '\n');
  return ends;
}

bool IsTextBlock(const uint8_t* block, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    const uint8_t c = block[i];
    if (!(c == 9 || c == 10 || c == 13 || (c >= 30 && c <= 127))) return false;
  }
  return true;
}

int ObjReader::Run() {
  for (int block = 0; block < 8; ++block) {
    uint8_t bytes[64];
    if (stream_.Read(bytes, sizeof bytes) < sizeof bytes) break;
    if (!IsTextBlock(bytes, sizeof bytes)) return Refuse("not a text file (bytes that are not text near its start)");
  }
  if (progress_ != nullptr) {
    stream_.Seek(0, HvIO::kFromEnd);
    progress_->SetTotal(static_cast<double>(stream_.Tell()));
  }
  stream_.Seek(0, HvIO::kFromStart);
  model_.ClearAll();
  // A file is read in large blocks; other streams line by line as they are.
  bool read;
  if (stream_.LocatorKind() == HvIO::kFile) {
    BlockReader blocks(stream_);
    read = ReadLines(blocks);
  } else {
    read = ReadLines(stream_);
  }
  if (!read) return 0;
  if (!stored_) return Refuse("no \"v\", \"vt\" or \"vn\" line in the file's first 2048 bytes");
  if (normals_.empty()) normalsIncomplete_ = true;
  if (normalsIncomplete_) {
    for (int g = 0; g < model_.GroupCount(); ++g) {
      model_.SetCurrentGroup(g);
      model_.SetEdgeSmoothness(0.707, true);
      model_.ComputeCornerNormals(0.4);
    }
  }
  return stored_ ? 1 : 0;
}

template <typename Source>
bool ObjReader::ReadLines(Source& source) {
  char line[kLogicalLineBytes];
  int next = 1;
  while (readLogicalLine(source, line, sizeof line) > 0) {
    line_ = next;
    next += LineEnds(line);
    if (source.Tell() >= static_cast<int64_t>(kLogicalLineBytes) && !stored_) break;
    ProgressSink::SetPosition(progress_, static_cast<double>(source.Tell()));
    const char* restStart = nullptr;
    const Keyword keyword = KeywordOf(line, &restStart);
    if (keyword == Keyword::kNone) continue;
    if (!Line(keyword, line + (restStart - line))) {
      faces_.Flush();
      return false;
    }
  }
  faces_.Flush();
  return true;
}

bool ObjReader::Line(Keyword keyword, char* rest) {
  float n[3] = {0, 0, 0};
  float& a = n[0];
  float& b = n[1];
  float& c = n[2];
  switch (keyword) {
    case Keyword::kPosition:
      sanitizeNumberText(rest);
      readFloats(rest, n, 3);
      positions_.emplace_back(a, b, c);
      stored_ = true;
      break;
    case Keyword::kTexture:
      sanitizeNumberText(rest);
      if (readFloats(rest, n, 2) < 1) return Fail("a \"vt\" line without a number");
      u_.push_back(a);
      v_.push_back(flipVf(b));
      stored_ = true;
      break;
    case Keyword::kNormal:
      sanitizeNumberText(rest);
      if (readFloats(rest, n, 3) != 3) return Fail("a \"vn\" line without three numbers");
      normals_.emplace_back(a, b, c);
      stored_ = true;
      break;
    case Keyword::kFace:
      return Face(rest);
    case Keyword::kGroup:
      faces_.Flush();
      Group(rest);
      break;
    case Keyword::kLibrary:
      faces_.Flush();
      Library(rest);
      break;
    case Keyword::kUseMaterial:
      faces_.Flush();
      UseMaterial(rest);
      break;
    default:
      break;  // "s" and unknown keywords: nothing to do
  }
  return true;
}

bool ObjReader::Face(const char* rest) {
  if (!ParseCorners(rest, scene_, corners_)) return Fail("a face corner without an index, or an index 0");
  if (corners_.size() < 3) return Fail("a face with fewer than 3 corners");
  PolygonDesc& desc = faces_.Filling();
  if (!desc.Resize(static_cast<int>(corners_.size()))) return Fail("a face with too many corners");
  void* fallback = material_;
  if (fallback == nullptr)
    fallback = scene_ ? static_cast<void*>(model_.Shader(0, true))
                      : static_cast<void*>(model_.Material(0, true));
  (scene_ ? desc.aux : desc.material) = fallback;
  for (size_t i = 0; i < corners_.size(); ++i) {
    const Corner& corner = corners_[i];
    if (corner.index[0] == 0) return Fail("a face corner without a position index");
    const int p = Resolve(corner.index[0], positions_.size());
    const int t = Resolve(corner.index[1], u_.size());
    const int n = Resolve(corner.index[2], normals_.size());
    desc.positions[i] = p >= 1 && static_cast<size_t>(p) <= positions_.size()
                            ? positions_[static_cast<size_t>(p) - 1]
                            : Vector3();
    desc.normals[i] = Vector3();
    if (n >= 1 && static_cast<size_t>(n) <= normals_.size())
      desc.normals[i] = normals_[static_cast<size_t>(n) - 1];
    else if (corner.index[2] != 0)
      normalsIncomplete_ = true;
    const bool textured = t >= 1 && static_cast<size_t>(t) <= u_.size();
    desc.u[i] = textured ? u_[static_cast<size_t>(t) - 1] : 0.0f;
    desc.v[i] = textured ? v_[static_cast<size_t>(t) - 1] : 0.0f;
    desc.weights[i] = 0.0f;
  }
  faces_.Push();
  return true;
}

void ObjReader::Group(const char* rest) {
  std::string name;
  char word[kLogicalLineBytes];
  int consumed = 0;
  for (const char* p = rest; std::sscanf(p, "%2047s%n", word, &consumed) == 1; p += consumed)
    name += word;
  int index = model_.FindGroup(name.c_str());
  if (index < 0) {
    index = model_.GroupCount();
    model_.SetGroupName(index, name.c_str());
  }
  model_.SetCurrentGroup(index);
}

void ObjReader::Library(char* rest) {
  const char* name = trimBlanks(rest);
  if (name[0] == '\0' || (name[0] == '\n' && name[1] == '\0')) return;
  // Beside the OBJ file; a file given without a directory names its library
  // as it stands.
  const std::string directory = stream_.Directory().Text();
  const std::string path = directory.empty() ? std::string(name) : directory + "/" + name;
  HvIO library(path.c_str(), HvIO::kRead);
  if (library.IsOpen()) ReadMtl(model_, library, progress_, scene_);
}

void ObjReader::UseMaterial(char* rest) {
  char* name = trimBlanks(rest);
  blanksToUnderscores(name);
  if (name[0] == '\0') return;
  material_ = scene_ ? static_cast<void*>(model_.FindShader(name, true))
                     : static_cast<void*>(model_.FindMaterial(name, true));
}

}  // namespace

int ReadObj(HvModel& model, HvIO& stream, ProgressSink* progress, bool sceneVariant,
            ReadFailure* failure) {
  if (!stream.IsOpen()) return 0;
  ObjReader reader(model, stream, progress, sceneVariant);
  const int read = reader.Run();
  if (failure != nullptr) *failure = reader.Failure();
  return read;
}
