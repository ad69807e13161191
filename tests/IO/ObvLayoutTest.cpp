// The project file decoded field by field from its published layout, with a
// decoder and a checksum of its own: every byte of a written file is
// accounted for, in order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "IO/FormatRegistry.h"
#include "Model3D/HvModel.h"
#include "Support/TempPath.h"

namespace {

// Reads little-endian fields from the front of a byte vector.
class Cursor {
 public:
  explicit Cursor(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

  size_t At() const { return at_; }
  size_t Left() const { return bytes_.size() - at_; }
  uint32_t U32() {
    if (Left() < 4) {
      ADD_FAILURE() << "file ends at " << at_;
      at_ = bytes_.size();
      return 0;
    }
    const uint32_t value = static_cast<uint32_t>(bytes_[at_]) |
                           static_cast<uint32_t>(bytes_[at_ + 1]) << 8 |
                           static_cast<uint32_t>(bytes_[at_ + 2]) << 16 |
                           static_cast<uint32_t>(bytes_[at_ + 3]) << 24;
    at_ += 4;
    return value;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  float F32() {
    const uint32_t bits = U32();
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
  }
  // A zero-padded text field: the text before the first zero, and every
  // byte after it must be zero.
  std::string Text(size_t width) {
    if (Left() < width) {
      ADD_FAILURE() << "file ends at " << at_;
      at_ = bytes_.size();
      return std::string();
    }
    const char* start = reinterpret_cast<const char*>(&bytes_[at_]);
    const size_t length = strnlen(start, width);
    for (size_t i = length; i < width; ++i) EXPECT_EQ(bytes_[at_ + i], 0) << "padding at " << at_;
    at_ += width;
    return std::string(start, length);
  }
  std::string Bytes(size_t count) {
    if (Left() < count) {
      ADD_FAILURE() << "file ends at " << at_;
      at_ = bytes_.size();
      return std::string();
    }
    std::string text(reinterpret_cast<const char*>(&bytes_[at_]), count);
    at_ += count;
    return text;
  }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t at_ = 0;
};

// Sum and xor of the whole 4-byte words in bytes [0, end), at file offsets.
void CheckWords(const std::vector<uint8_t>& bytes, size_t end, uint32_t& sum, uint32_t& xorWord) {
  sum = xorWord = 0;
  for (size_t at = 0; at + 4 <= end; at += 4) {
    const uint32_t word = static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
                          static_cast<uint32_t>(bytes[at + 2]) << 16 |
                          static_cast<uint32_t>(bytes[at + 3]) << 24;
    sum += word;
    xorWord ^= word;
  }
}

struct CornerSpec {
  Vector3 position;
  Vector3 normal;
  float u, v;
};
struct PolygonSpec {
  std::vector<CornerSpec> corners;
  int material;  // index into the model's materials, -1 for none
};
struct GroupSpec {
  const char* name;
  std::vector<PolygonSpec> polygons;
};

CornerSpec At(float x, float y, float z, int i) {
  return {{x, y, z}, {0.125f * static_cast<float>(i), 0.5f, -0.75f}, 0.25f * static_cast<float>(i),
          0.1f + 0.2f * static_cast<float>(i)};
}

std::vector<GroupSpec> Groups() {
  return {{"Table",
           {{{At(0, 0, 0, 0), At(1, 0, 0, 1), At(1, 1, 0, 2), At(0, 1, 0, 3)}, 0},
            {{At(1, 0, 0, 4), At(2, 0, 0, 5), At(1, 1, 0, 6)}, 1},
            {{At(3, 0, 0, 7), At(4, 0, 0, 8), At(4, 1, 0, 9), At(3.5f, 2, 0, 1), At(3, 1, 0, 2)}, 1}}},
          {"Lamp", {{{At(0, 0, 5, 0), At(0.5f, 0, 5, 1), At(0, 0.5f, 5, 2)}, -1}}}};
}

void Build(HvModel& model, const std::vector<GroupSpec>& groups) {
  Material* wood = model.FindMaterial("Wood", true);
  wood->SetColor("DiffuseColor", 0xFF806040u);
  wood->SetColor("SpecularColor", 0xFF102030u);
  wood->SetMapFileName("DiffuseColor", "c:/textures/wood.tga");
  wood->SetMapFileName("Opacity", "op.png");
  wood->SetWord(4);
  Material* metal = model.FindMaterial("Metal", true);
  metal->SetWord(0x10);
  for (size_t g = 0; g < groups.size(); ++g) {
    model.SetCurrentGroup(static_cast<int>(g));
    model.SetGroupName(static_cast<int>(g), groups[g].name);
    for (const PolygonSpec& spec : groups[g].polygons) {
      PolygonDesc desc;
      desc.Resize(static_cast<int>(spec.corners.size()));
      for (size_t i = 0; i < spec.corners.size(); ++i) {
        desc.positions[i] = spec.corners[i].position;
        desc.normals[i] = spec.corners[i].normal;
        desc.u[i] = spec.corners[i].u;
        desc.v[i] = spec.corners[i].v;
        desc.weights[i] = 1.0f;
      }
      desc.material = spec.material >= 0 ? model.Material(spec.material, false) : nullptr;
      ASSERT_TRUE(model.AddPolygon(desc));
    }
  }
}

int32_t Fixed(double value) { return static_cast<int32_t>(std::trunc(value * 65536.0)); }

bool SameBits(const Vector3& a, const Vector3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ExpectFlipped(Cursor& in, const Vector3& v) {
  EXPECT_EQ(in.F32(), v.x);
  EXPECT_EQ(in.F32(), -v.y);
  EXPECT_EQ(in.F32(), -v.z);
}

void ExpectIdentity(Cursor& in, int size) {
  for (int row = 0; row < size; ++row)
    for (int col = 0; col < size; ++col) EXPECT_EQ(in.F32(), row == col ? 1.0f : 0.0f);
}

// One mesh: header, fan records, trailer, vertex table.
void ExpectMesh(Cursor& in, const GroupSpec& group) {
  Vector3 lo(1e30f, 1e30f, 1e30f), hi(-1e30f, -1e30f, -1e30f);
  uint32_t triangles = 0;
  for (const PolygonSpec& polygon : group.polygons) {
    triangles += static_cast<uint32_t>(polygon.corners.size() - 2);
    for (const CornerSpec& c : polygon.corners) {
      lo = {std::fmin(lo.x, c.position.x), std::fmin(lo.y, c.position.y), std::fmin(lo.z, c.position.z)};
      hi = {std::fmax(hi.x, c.position.x), std::fmax(hi.y, c.position.y), std::fmax(hi.z, c.position.z)};
    }
  }
  EXPECT_EQ(in.U32(), 0u);
  EXPECT_EQ(in.U32(), 0u);
  EXPECT_EQ(in.U32(), 1u);
  for (float value : {lo.x, -hi.y, -lo.z, hi.x, -lo.y, -hi.z}) EXPECT_EQ(in.F32(), value);
  EXPECT_EQ(in.U32(), 0u);
  EXPECT_EQ(in.U32(), 0u);
  EXPECT_EQ(in.Text(32), group.name);
  EXPECT_EQ(in.U32(), triangles);

  std::vector<Vector3> table;
  auto indexOf = [&table](const Vector3& p) {
    for (size_t i = 0; i < table.size(); ++i)
      if (SameBits(table[i], p)) return static_cast<uint32_t>(i);
    table.push_back(p);
    return static_cast<uint32_t>(table.size() - 1);
  };
  for (const PolygonSpec& polygon : group.polygons) {
    const int last = static_cast<int>(polygon.corners.size()) - 2;
    // The face normal of the planar, counter-clockwise test polygons: +z.
    for (int t = 1; t <= last; ++t) {
      const size_t start = in.At();
      const CornerSpec* fan[3] = {&polygon.corners[0], &polygon.corners[static_cast<size_t>(t)],
                                  &polygon.corners[static_cast<size_t>(t) + 1]};
      for (const CornerSpec* c : fan) EXPECT_EQ(in.U32(), indexOf(c->position));
      for (const CornerSpec* c : fan) {
        EXPECT_EQ(in.I32(), Fixed(c->u));
        EXPECT_EQ(in.I32(), Fixed(1.0 - static_cast<double>(c->v)));
      }
      EXPECT_EQ(in.U32(), t == 1 ? 1u : 0u);
      EXPECT_EQ(in.U32(), 1u);
      EXPECT_EQ(in.U32(), t == last ? 1u : 0u);
      EXPECT_EQ(in.U32(), 0u);
      EXPECT_EQ(in.I32(), polygon.material);
      for (const CornerSpec* c : fan) ExpectFlipped(in, c->normal);
      ExpectFlipped(in, Vector3(0, 0, 1));
      EXPECT_EQ(in.At() - start, 104u);
    }
  }
  ExpectIdentity(in, 4);
  ExpectIdentity(in, 4);
  const size_t n = group.polygons.size();
  const int lastMaterial = group.polygons[n - 1].material;
  const bool changed = n > 1 && group.polygons[n - 2].material != lastMaterial;
  EXPECT_EQ(in.I32(), changed ? -2 : lastMaterial);
  ASSERT_EQ(in.U32(), table.size());
  for (const Vector3& p : table) ExpectFlipped(in, p);
}

const char* const kChannels[5] = {"DiffuseColor", "Bump", "Ambient", "SpecularColor", "Opacity"};

// A material record and its base layer; returns its present flags.
std::vector<uint32_t> ExpectMaterial(Cursor& in, const Material& material, bool packed) {
  std::vector<uint32_t> present;
  EXPECT_EQ(in.U32(), 1u);
  EXPECT_EQ(in.U32(), material.GetWord());
  EXPECT_EQ(in.U32(), 5u);
  for (uint32_t c = 0; c < 5; ++c) {
    const bool named = material.GetMapFileName(kChannels[c])[0] != '\0';
    present.push_back(packed && named ? 1u : 0u);  // no images are loaded here
    EXPECT_EQ(in.U32(), present.back()) << kChannels[c];
    EXPECT_EQ(in.Text(32), kChannels[c]);
    EXPECT_EQ(in.U32(), 256u);
    EXPECT_EQ(in.U32(), 0u);
    EXPECT_EQ(in.U32(), c == 3 ? 0u : material.GetColor(kChannels[c])) << kChannels[c];
    EXPECT_EQ(in.U32(), 256u);
    static const uint32_t kIndex[5] = {2, 3, 0, 1, 4};
    EXPECT_EQ(in.U32(), kIndex[c]);
  }
  EXPECT_EQ(in.Text(32), material.Name().Text());
  EXPECT_EQ(in.U32(), 0u);  // width: the named files do not exist
  EXPECT_EQ(in.U32(), 0u);
  EXPECT_EQ(in.F32(), 1.0f);
  EXPECT_EQ(in.U32(), 0u);
  EXPECT_EQ(in.U32(), 256u);
  EXPECT_EQ(in.U32(), 1u);
  for (uint32_t flag : present) EXPECT_EQ(in.U32(), flag);
  EXPECT_EQ(in.Bytes(12), std::string(12, '\0'));
  EXPECT_EQ(in.Text(32), "Base Layer");
  EXPECT_EQ(in.U32(), 256u);
  return present;
}

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

void ExpectLayout(const char* options, bool packed) {
  const std::vector<GroupSpec> groups = Groups();
  HvModel model;
  Build(model, groups);
  TempPath path(std::string("layout") + options + ".obv");
  ASSERT_EQ(SaveModelByName(&model, HvString(path.c_str()), "OBV", options, nullptr, nullptr), 1);
  const std::vector<uint8_t> bytes = ReadAll(path.str());
  Cursor in(bytes);

  EXPECT_EQ(in.Text(32), "Ombrix Vael Project File\n");
  EXPECT_EQ(in.Text(16), "V01.01\n");
  EXPECT_EQ(in.U32(), groups.size());
  EXPECT_EQ(in.U32(), 2u);
  EXPECT_EQ(in.U32(), 0u);
  EXPECT_EQ(in.U32(), 0u);
  EXPECT_EQ(in.U32(), 3u);
  EXPECT_EQ(in.Text(256), path.str());
  ASSERT_EQ(in.At(), 324u);
  uint32_t sum, xorWord;
  CheckWords(bytes, 324, sum, xorWord);
  EXPECT_EQ(in.U32(), sum);
  EXPECT_EQ(in.U32(), xorWord);

  for (const GroupSpec& group : groups) ExpectMesh(in, group);

  std::vector<std::string> names;
  uint32_t flagsOr = 0;
  for (int m = 0; m < model.MaterialCount(); ++m) {
    const Material& material = *model.Material(m, false);
    flagsOr |= material.GetWord();
    const std::vector<uint32_t> present = ExpectMaterial(in, material, packed);
    for (size_t c = 0; c < 5; ++c) {
      if (present[c] == 0) continue;
      names.emplace_back(material.GetMapFileName(kChannels[c]));
      names.emplace_back();
    }
    names.emplace_back();
  }

  for (uint32_t value : {25000u, 50000u, flagsOr, 0u, 62u, 6u}) EXPECT_EQ(in.U32(), value);
  ExpectIdentity(in, 3);
  ExpectIdentity(in, 3);
  EXPECT_EQ(in.F32(), 1.0f);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(in.U32(), 0u);
  EXPECT_EQ(in.U32(), packed ? 1u : 0u);

  if (packed) {
    EXPECT_EQ(in.U32(), 0u);  // the leading empty entry
    for (const std::string& name : names) {
      const uint32_t count = in.U32();
      if (name.empty()) {
        EXPECT_EQ(count, 0u);
        continue;
      }
      ASSERT_EQ(count, name.size() + 1);
      EXPECT_EQ(in.Bytes(count), name + '\0');
    }
  }
  EXPECT_EQ(in.U32(), 0u);
  CheckWords(bytes, in.At(), sum, xorWord);
  EXPECT_EQ(in.U32(), sum);
  EXPECT_EQ(in.U32(), xorWord);
  EXPECT_EQ(in.Left(), 0u);
}

class ObvLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { StartupFormats(); }
  void TearDown() override {
    TeardownModelFormats();
    TeardownSceneReaders();
  }
};

}  // namespace

TEST_F(ObvLayoutTest, PackedFileDecodesFieldByField) { ExpectLayout("", true); }

TEST_F(ObvLayoutTest, UnpackedFileDecodesFieldByField) { ExpectLayout("p", false); }
