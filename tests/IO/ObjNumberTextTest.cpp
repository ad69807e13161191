// Numbers in OBJ text: the reader's conversion gives strtof's values bit
// for bit, and the writer's "%12.8g" text is printf's, character for
// character, over ordinary, huge, tiny, denormal, signed-zero and
// non-finite values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "IO/ModelIOUtil.h"
#include "IO/ObjFormat.h"
#include "Model3D/HvModel.h"
#include "Support/FileText.h"
#include "Support/TempPath.h"

namespace {

struct Random {
  uint64_t state;
  uint32_t Next() {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state >> 33);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
};

// strtof called number after number, as the reader always converted.
int StrtofNumbers(const char* text, float* values, int count) {
  int read = 0;
  for (char* end = nullptr; read < count; ++read, text = end) {
    values[read] = std::strtof(text, &end);
    if (end == text) break;
  }
  return read;
}

std::string NumberText(Random& random) {
  std::string text;
  const char* blanks[] = {"", " ", "  ", "\t", " \t\v\f\r"};
  text += blanks[random.Below(5)];
  if (random.Below(3) == 0) text += '-';
  const int digits = 1 + random.Below(random.Below(4) == 0 ? 40 : 9);
  const int point = random.Below(digits + 2) - 1;
  for (int i = 0; i < digits; ++i) {
    if (i == point) text += '.';
    text += static_cast<char>('0' + random.Below(10));
  }
  if (random.Below(2) == 0) {
    text += 'e';
    if (random.Below(2) == 0) text += '-';
    static const int exponents[] = {0, 1, 5, 9, 30, 37, 38, 39, 40, 44, 45, 46, 50, 320, 99999};
    text += std::to_string(exponents[random.Below(15)] + random.Below(3));
  }
  return text;
}

// Texts made of what the reader leaves in a number field: digits, '-',
// '.', 'e', blanks and control characters.
std::string JunkText(Random& random) {
  static const char alphabet[] = "0123456789-.e -.e \t\x01\x7f";
  std::string text;
  const int length = random.Below(14);
  for (int i = 0; i < length; ++i) text += alphabet[random.Below(sizeof alphabet - 1)];
  return text;
}

void ExpectSameAsStrtof(const std::string& text) {
  float ours[3] = {0, 0, 0}, reference[3] = {0, 0, 0};
  const int read = readFloats(text.c_str(), ours, 3);
  ASSERT_EQ(read, StrtofNumbers(text.c_str(), reference, 3)) << "\"" << text << "\"";
  for (int i = 0; i < read; ++i)
    EXPECT_EQ(std::memcmp(&ours[i], &reference[i], sizeof(float)), 0)
        << "\"" << text << "\" number " << i << ": " << ours[i] << " vs " << reference[i];
}

}  // namespace

TEST(ObjNumbers, ReadAsStrtofReadsThem) {
  Random random{42};
  for (int i = 0; i < 20000; ++i) {
    std::string line = NumberText(random);
    for (int more = random.Below(3); more > 0; --more) line += " " + NumberText(random);
    ExpectSameAsStrtof(line);
  }
  for (int i = 0; i < 20000; ++i) ExpectSameAsStrtof(JunkText(random));
  for (const char* text : {"", "-", ".", "-.", "e5", "1e", "1e-", "1.e3", "-0", "0.0000000000000000000001e-30",
                           "3.4028235e38", "3.4028236e38", "1e-45", "7e-46", "1.17549435e-38",
                           "00000000000000000000000000000001.5", "1 2 3 4", "0x1p3", "inf", "nan", "+1"})
    ExpectSameAsStrtof(text);
}

TEST(ObjNumbers, WrittenAsPrintfWritesThem) {
  Random random{7};
  std::vector<float> values;
  for (uint32_t bits : {0x00000000u, 0x80000000u, 0x00000001u, 0x807FFFFFu, 0x7F7FFFFFu, 0x7F800000u,
                        0xFF800000u, 0x7FC00000u, 0xFFC00000u, 0x3F800000u, 0x4B800000u}) {
    float value;
    std::memcpy(&value, &bits, 4);
    values.push_back(value);
  }
  for (float value : {0.1f, 1e8f, 99999999.0f, 1e-4f, 9.9999997e-5f, 123456.78f, -2.5e-7f})
    values.push_back(value);
  while (values.size() < 6000) {
    const uint32_t bits = random.Next() << 1 ^ random.Next();
    float value;
    std::memcpy(&value, &bits, 4);
    values.push_back(value);
    values.push_back(static_cast<float>(random.Below(200000) - 100000) / 1000.0f);
  }
  HvModel model;
  model.SetCurrentGroup(0);
  PolygonDesc desc;
  desc.Resize(3);
  std::set<std::string> expected;
  char text[64];
  for (size_t i = 0; i + 2 < values.size(); i += 3) {
    for (int c = 0; c < 3; ++c) {
      desc.positions[c] = Vector3(values[i + static_cast<size_t>(c)], values[i + 1], values[i + 2]);
      std::snprintf(text, sizeof text, "v %12.8g %12.8g %12.8g", static_cast<double>(desc.positions[c].x),
                    static_cast<double>(desc.positions[c].y), static_cast<double>(desc.positions[c].z));
      expected.insert(text);
      desc.u[c] = values[i + static_cast<size_t>(c)];
      desc.v[c] = values[i + 2 - static_cast<size_t>(c)];
      std::snprintf(text, sizeof text, "vt %12.8g %12.8g", static_cast<double>(desc.u[c]),
                    1.0 - static_cast<double>(desc.v[c]));
      expected.insert(text);
    }
    model.AddPolygon(desc);
  }
  TempPath path("numbers.obj");
  {
    HvIO stream(path.c_str(), HvIO::kWrite);
    ObjModelFormat format;
    format.Attach(&stream, 0);
    ASSERT_EQ(format.Write(&model, nullptr, nullptr), 1);
  }
  std::istringstream lines(ReadText(path.str()));
  std::set<std::string> written;
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("v ", 0) == 0 || line.rfind("vt ", 0) == 0) written.insert(line);
  // Every line written is printf's text of values the model holds (equal
  // values may share one line).
  std::vector<std::string> unknown;
  for (const std::string& line : written)
    if (expected.count(line) == 0) unknown.push_back(line);
  EXPECT_TRUE(unknown.empty()) << unknown.size() << " lines differ, first: \"" << unknown.front() << "\"";
  EXPECT_GT(written.size(), 5000u);
}
