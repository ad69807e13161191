// Logical lines read from a file in blocks (plain lines copied straight
// from the block) against the same file read character by character through
// the stream: every line's bytes, the count returned and the position after
// it must agree, for line ends of every kind, continuations, zero bytes,
// lines around the 2047-byte piece and lines across the block boundary.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HvCore/HvIO.h"
#include "IO/BlockReader.h"
#include "IO/ModelIOUtil.h"
#include "Support/FileText.h"
#include "Support/TempPath.h"

namespace {

struct Read {
  size_t count;
  std::string text;
  int64_t after;
};

template <typename Source>
std::vector<Read> AllLines(Source& source) {
  std::vector<Read> lines;
  char buffer[kLogicalLineBytes];
  for (size_t count; (count = readLogicalLine(source, buffer, sizeof buffer)) > 0;)
    lines.push_back({count, buffer, source.Tell()});
  return lines;
}

void ExpectSameLines(const std::string& text, const char* what) {
  TempPath path("logical-lines.txt");
  WriteText(path.str(), text);
  HvIO direct(path.c_str(), HvIO::kRead);
  ASSERT_TRUE(direct.IsOpen());
  const std::vector<Read> expected = AllLines(direct);
  HvIO stream(path.c_str(), HvIO::kRead);
  BlockReader blocks(stream);
  const std::vector<Read> got = AllLines(blocks);
  ASSERT_EQ(got.size(), expected.size()) << what;
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].count, expected[i].count) << what << ", line " << i;
    EXPECT_EQ(got[i].text, expected[i].text) << what << ", line " << i;
    EXPECT_EQ(got[i].after, expected[i].after) << what << ", line " << i;
  }
}

std::string Line(size_t length, const std::string& end) {
  return std::string(length - end.size(), 'x') + end;
}

}  // namespace

TEST(LogicalLines, BlockReadsGiveTheStreamsLines) {
  std::string odd = "v 1 2 3\nv 1 2 3\r\nlone\rcr\nzero\0byte\n\r\r\n\n\nend \\ \r\nnext\nend\\\nnext\r\n";
  odd += std::string("a\0\0b\r\n", 6) + "\\\r\n\\ \t\nno end";
  ExpectSameLines(odd, "odd ends");
  std::string pieces;
  for (size_t length = 2044; length <= 2050; ++length)
    for (const char* end : {"\n", "\r\n", "\r", "\\\n", "\\\r\n"}) pieces += Line(length, end);
  pieces += Line(5000, "\n") + "last\r";
  ExpectSameLines(pieces, "lines around 2047 bytes");
}

TEST(LogicalLines, LinesAcrossTheBlockBoundary) {
  // Each kind of line end placed so that the block boundary falls before,
  // inside and after it; then a line longer than a piece.
  const size_t boundary = BlockReader::kBlockBytes;
  for (const std::string end : {"\n", "\r\n", "\\\r\n", "\r"})
    for (int shift = -3; shift <= 1; ++shift) {
      const size_t start = boundary + static_cast<size_t>(shift + 8) - 16;  // the line's 8 bytes end at boundary + shift
      std::string text;
      while (text.size() + 130 < start) text += Line(60, "\n");
      text += Line(start - text.size(), "\n");
      text += Line(8, end) + "v 0 0 0\n" + Line(3000, "\n");
      ExpectSameLines(text, ("end " + std::to_string(end.size()) + " bytes, shift " + std::to_string(shift)).c_str());
    }
}
