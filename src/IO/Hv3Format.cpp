#include "IO/Hv3Format.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "IO/ValueCodeTable.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"

namespace {

// Lines are read up to this length; the writer's longest lines (15 corners
// of long codes) fit, so no polygon line is ever split.
constexpr int kLineBytes = 1 << 16;

class Hv3Writer {
 public:
  explicit Hv3Writer(HvIO& stream) : stream_(stream) {}

  void Run(HvModel* model) {
    Raw("#!/bin/sh\n");
    Raw("echo Halvera Temporary FileFormat!\n");
    Raw("exit 0\n");
    Raw("###\n");
    depth_ = 0;
    Line("HV3File\n");
    Open();
    depth_ = 1;
    if (model != nullptr) Model(*model);
    depth_ = 0;
    Close();
    Raw("\nexit 0\n");
    Raw("\n");
    Flush();
  }

 private:
  void Raw(const std::string& text) {
    out_ += text;
    if (out_.size() > (1 << 16)) Flush();
  }
  void Flush() {
    if (!out_.empty()) stream_.Write(out_.data(), out_.size());
    out_.clear();
  }
  void Tabs() { out_.append(static_cast<size_t>(depth_), '\t'); }
  void Line(const std::string& text) {
    Tabs();
    Raw(text);
  }
  void Mark(char c) {
    char text[32];
    std::snprintf(text, sizeof text, "%c // %d\n", c, depth_);
    Line(text);
  }
  void Open() { Mark('('); }
  void Close() { Mark(')'); }

  void Model(HvModel& model);
  void Node(const ShaderNode& node);
  void Value(const HvString& name, const ShaderValue& value);

  HvIO& stream_;
  std::string out_;
  int depth_ = 0;
};

template <typename Visit>
void ForEachPolygon(HvModel& model, Visit visit) {
  PolygonData data;
  PolygonId id;
  for (bool more = model.First(id); more && id.IsValid(); more = model.Next(id, id))
    if (model.GetPolygon(id, data)) visit(data);
}

void Hv3Writer::Model(HvModel& model) {
  Line("Model\n");
  Open();
  depth_ = 2;
  if (const Shader* shader = model.Shader(0, false)) {
    Line("Shader\n");
    Open();
    depth_ = 3;
    for (int i = 0; i < shader->NodeCount(); ++i) Node(*shader->NodeAt(i));
    depth_ = 2;
    Close();
  }
  ValueCodeTable table;
  ForEachPolygon(model, [&](const PolygonData& p) {
    for (int i = 0; i < p.count; ++i)
      for (double value : {double(p.positions[i].x), double(p.positions[i].y),
                           double(p.positions[i].z), double(p.u[i]), double(p.v[i])})
        table.Add(value);
  });
  table.Build();
  Line("CodeTable\n");
  Open();
  depth_ = 3;
  char text[96];
  std::snprintf(text, sizeof text, "Count=%d\n", table.Count());
  Line(text);
  for (const auto& [value, entry] : table.Entries()) {
    std::snprintf(text, sizeof text, "%g,", value);
    Line(text);
    Raw(ValueCodeTable::CodeText(entry.code, entry.length) + "\n");
  }
  depth_ = 2;
  Close();
  Line("Polygon\n");
  Open();
  depth_ = 3;
  ForEachPolygon(model, [&](const PolygonData& p) {
    std::snprintf(text, sizeof text, "%d:", p.count);
    Line(text);
    for (int i = 0; i < p.count; ++i)
      for (double value : {double(p.positions[i].x), double(p.positions[i].y),
                           double(p.positions[i].z), double(p.u[i]), double(p.v[i])})
        Raw(" " + table.Code(value));
    Raw("\n");
  });
  depth_ = 2;
  Close();
  depth_ = 1;
  Close();
}

void Hv3Writer::Node(const ShaderNode& node) {
  HvString baseType;
  node.GetString("BaseType", baseType);
  Line(std::string(baseType.Text()) + "=" + std::to_string(node.Id()) + "\n");
  Open();
  ++depth_;
  for (int i = 0; i < node.Count(); ++i) {
    HvString name;
    node.KeyAt(i, name);
    if (HvString::Equals(name, "BaseType") || HvString::Equals(name, "Magic") ||
        HvString::Equals(name, "Pixel"))
      continue;
    Value(name, *node.ValueAt(i));
  }
  --depth_;
  Close();
}

void Hv3Writer::Value(const HvString& name, const ShaderValue& value) {
  std::string text = name.Text();
  char buffer[256];
  switch (value.Type()) {
    case ShaderValue::kInteger: {
      uint32_t integer = 0;
      value.AsInt(integer);
      std::snprintf(buffer, sizeof buffer, "=%di\n", static_cast<int>(integer));
      text += buffer;
      break;
    }
    case ShaderValue::kReal: {
      double real = 0;
      value.AsReal(real);
      std::snprintf(buffer, sizeof buffer, "=%fr\n", real);
      text += buffer;
      break;
    }
    case ShaderValue::kColor: {
      double r, g, b, a;
      value.AsColor(r, g, b, a);
      std::snprintf(buffer, sizeof buffer, "=RGBA(%f,%f,%f,%f)", r, g, b, a);
      text += buffer;
      break;
    }
    case ShaderValue::kString: {
      HvString string;
      value.AsString(string);
      text += std::string("='") + string.Text() + "'";
      break;
    }
    case ShaderValue::kByteString: {
      ByteString bytes;
      value.AsByteString(bytes);
      text += std::string("='") + bytes.Text() + "'";
      break;
    }
    case 8:
      text += "Untranslateable";
      break;
    case ShaderValue::kLink: {
      ShaderNode* target = nullptr;
      value.AsLink(target);
      text += "=tag(" + std::to_string(target != nullptr ? target->Id() : 0) + ")";
      break;
    }
    case ShaderValue::kLinkAlternate:
    case ShaderValue::kImage:
      break;
    default:
      text += "???";
  }
  Line(text + "\n");
}

// What one load builds: models read from "HV3File" sections.
class Hv3Reader {
 public:
  Hv3Reader(HvIO& stream, Scene& scene) : stream_(stream), scene_(scene) {}

  // False when the file ends inside a section: it has lost its end.
  bool Run() {
    stream_.Seek(0, HvIO::kFromStart);
    while (!failure_.Failed() && !stream_.AtEnd() && ReadLine())
      if (std::strncmp(line_.data(), "HV3File", 7) == 0) Model();
    return !failure_.Failed();
  }
  const ReadFailure& Failure() const { return failure_; }

 private:
  bool ReadLine() {
    if (stream_.ReadLine(line_.data(), kLineBytes) <= 0) return false;
    number_ = next_;
    const size_t length = std::strlen(line_.data());
    if (length > 0 && (line_[length - 1] == '\n' || line_[length - 1] == '\r')) ++next_;
    return true;
  }
  // At the end of the data inside `section`: the file has been cut.
  void EndsInside(const char* section) {
    failure_.line = number_;
    failure_.reason = std::string("the file ends inside ") + section;
  }
  static const char* SkipBlanks(const char* p) {
    while (*p == ' ' || *p == '\t') ++p;
    return p;
  }
  bool SectionEnds() const { return *SkipBlanks(line_.data()) == ')'; }

  void Model();
  void CodeTable();
  void Polygons(HvModel& model);
  float Decode(const std::string& code) const;

  HvIO& stream_;
  Scene& scene_;
  std::vector<char> line_ = std::vector<char>(kLineBytes);
  std::map<std::pair<uint64_t, int>, float> decode_;
  int number_ = 0, next_ = 1;  // of the line read last, and of the next one
  ReadFailure failure_;
};

void Hv3Reader::Model() {
  auto* model = new HvModel();  // the scene's caller owns mesh-set models
  auto node = std::make_unique<SceneNode>(SceneNode::kMeshSet);
  node->SetPayload(model);
  scene_.AddNode(std::move(node));
  decode_.clear();
  bool closed = false;  // by the file's unindented closing line
  while (!failure_.Failed() && !stream_.AtEnd() && ReadLine()) {
    const char* text = SkipBlanks(line_.data());
    if (line_[0] == ')') closed = true;
    if (std::strncmp(text, "CodeTable", 9) == 0) {
      CodeTable();
    } else if (std::strncmp(text, "Polygon", 7) == 0) {
      Polygons(*model);
    } else if (std::strncmp(text, "Shader", 6) == 0) {
      model->Shader(0, true)->Root()->SetColor("DiffuseColor", 0.8, 0.8, 0.8, 1.0);
    }
  }
  if (!closed && !failure_.Failed()) EndsInside("the model (no closing line)");
}

void Hv3Reader::CodeTable() {
  bool ended = false;
  while (!stream_.AtEnd() && ReadLine() && !(ended = SectionEnds())) {
    float value = 0;
    char code[64];
    if (std::sscanf(SkipBlanks(line_.data()), "%f,%63s", &value, code) != 2) continue;
    const size_t length = std::strlen(code);
    if (length >= 50) continue;
    uint64_t bits = 0;
    for (size_t i = 0; i < length; ++i) bits = bits * 2 + (code[i] == '1' ? 1 : 0);
    decode_[{bits, static_cast<int>(length)}] = value;
  }
  if (!ended) EndsInside("the CodeTable section");
}

float Hv3Reader::Decode(const std::string& code) const {
  if (code.size() >= 64) return 0.0f;
  uint64_t bits = 0;
  for (char c : code) bits = bits * 2 + (c == '1' ? 1 : 0);
  const auto found = decode_.find({bits, static_cast<int>(code.size())});
  if (found == decode_.end() || !std::isfinite(found->second)) return 0.0f;
  return found->second;
}

void Hv3Reader::Polygons(HvModel& model) {
  bool ended = false;
  while (!stream_.AtEnd() && ReadLine() && !(ended = SectionEnds())) {
    int count = 0;
    if (std::sscanf(SkipBlanks(line_.data()), "%d:", &count) != 1 || count < 3 || count > 15)
      continue;
    std::vector<std::string> words;
    std::string word;
    for (const char* p = line_.data(); *p != '\0'; ++p) {
      if (std::strchr(" \t:,()\r\n", *p) != nullptr) {
        if (!word.empty()) words.push_back(word);
        word.clear();
      } else {
        word += *p;
      }
    }
    if (!word.empty()) words.push_back(word);
    // words[0] is the count; missing codes read as the empty code.
    auto code = [&](size_t index) { return index < words.size() ? words[index] : std::string(); };
    PolygonDesc desc;
    desc.Resize(count);
    size_t at = 1;
    for (int i = 0; i < count; ++i) {
      const float x = Decode(code(at++)), y = Decode(code(at++)), z = Decode(code(at++));
      desc.positions[i] = Vector3(x, y, z);
      desc.u[i] = Decode(code(at++));
      desc.v[i] = Decode(code(at++));
    }
    desc.aux = model.Shader(0, false);
    model.AddPolygon(desc);
  }
  model.SetEdgeSmoothnessAll(0.8, true);
  model.ComputeCornerNormalsAll(0.4);
  if (!ended) EndsInside("the Polygon section");
}

}  // namespace

int Hv3Format::Identify() {
  HvIO* stream = Stream();
  if (stream == nullptr || !stream->IsOpen()) return 0;
  const int64_t position = stream->Tell();
  char bytes[151] = {};
  stream->Seek(Start(), HvIO::kFromStart);
  stream->Read(bytes, 150);
  stream->Seek(position, HvIO::kFromStart);
  for (int offset = 0; offset < 100; ++offset)
    if (std::memcmp(bytes + offset, "exit", 4) == 0) return 1;
  return 0;
}

int Hv3Format::Load(Scene* scene, const char* options, ProgressSink* progress) {
  (void)options, (void)progress;
  ClearFailure();
  if (scene == nullptr || Stream() == nullptr) return 1;
  Hv3Reader reader(*Stream(), *scene);
  if (reader.Run()) return 1;
  SetFailure(reader.Failure());
  return 0;
}

int Hv3Format::Save(Scene* scene, uint32_t word, ProgressSink* progress) {
  (void)word, (void)progress;
  if (Stream() == nullptr) return 1;
  Hv3Writer writer(*Stream());
  writer.Run(scene != nullptr ? scene->FirstModel() : nullptr);
  return 1;
}
