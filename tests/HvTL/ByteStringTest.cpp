#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "HvTL/ByteString.h"
#include "Support/DiagnosticCapture.h"

namespace {

std::string Text(const ByteString& s) { return s.Text(); }

}  // namespace

TEST(ByteArray, SetSizeGrowsByStepAndShrinksToExactSize) {
  ByteString s;  // "" : size 1, capacity 8
  EXPECT_EQ(s.Size(), 1);
  EXPECT_EQ(s.Capacity(), 8);
  ASSERT_TRUE(s.SetSize(20));
  EXPECT_EQ(s.Capacity(), 20);  // max(20, 8 + 8)
  ASSERT_TRUE(s.SetSize(21));
  EXPECT_EQ(s.Capacity(), 28);  // max(21, 20 + 8)
  ASSERT_TRUE(s.SetSize(24));
  ASSERT_TRUE(s.SetSize(20));
  EXPECT_EQ(s.Capacity(), 20);  // shrinking within capacity is exact
  ASSERT_TRUE(s.SetSize(10));
  EXPECT_EQ(s.Capacity(), 10);
  EXPECT_TRUE(s.SetSize(-3));
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.Capacity(), 0);
  EXPECT_EQ(s.Data(), nullptr);
}

TEST(ByteArray, InsertAtAppendsInsertsAndRefusesOtherIndices) {
  ByteString s;
  s.RemoveAll();
  EXPECT_EQ(s.InsertAt(-1, 'c'), 0);
  EXPECT_EQ(s.InsertAt(0, 'a'), 0);
  EXPECT_EQ(s.InsertAt(1, 'b'), 1);
  EXPECT_EQ(s.InsertAt(3, 0), 3);
  EXPECT_STREQ(s.Text(), "abc");
  DiagnosticCapture diagnostics;
  EXPECT_EQ(s.InsertAt(9, 'x'), -1);
  EXPECT_EQ(s.InsertAt(-2, 'x'), -1);
  EXPECT_EQ(diagnostics.Reports().size(), 2u);
  EXPECT_STREQ(s.Text(), "abc");
  EXPECT_EQ(s.Size(), 4);
}

TEST(ByteArray, RemoveAtKeepsOrderOrFillsFromTheEndAndRefusesBadIndices) {
  ByteString s("abcde");
  EXPECT_TRUE(s.RemoveAt(1, true));
  EXPECT_STREQ(s.Text(), "acde");
  ByteString t;
  for (char c : std::string("abcd")) t.InsertAt(t.Length(), static_cast<uint8_t>(c));
  EXPECT_STREQ(t.Text(), "abcd");
  t.SetSize(4);  // drop the terminator: raw bytes a b c d
  EXPECT_TRUE(t.RemoveAt(0, false));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(t.Data()), 3), "dbc");
  DiagnosticCapture diagnostics;
  EXPECT_FALSE(s.RemoveAt(5, true));
  EXPECT_FALSE(s.RemoveAt(-1, false));
  EXPECT_EQ(diagnostics.Reports().size(), 2u);
  EXPECT_STREQ(s.Text(), "acde");
}

TEST(ByteArray, ResetForgetsWithoutFreeing) {
  ByteString s("abc");
  uint8_t* data = s.Data();
  s.Reset();
  EXPECT_EQ(s.Data(), nullptr);
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.GrowStep(), 8);
  std::free(data);  // the caller took the bytes over
}

TEST(ByteString, AssignFormsAndLength) {
  ByteString s;
  EXPECT_FALSE(s.AssignText(nullptr));
  EXPECT_EQ(s.Size(), 0);
  EXPECT_TRUE(s.AssignText("hello"));
  EXPECT_EQ(s.Length(), 5);
  EXPECT_EQ(s.Size(), 6);
  EXPECT_TRUE(s.AssignFromText(""));
  EXPECT_EQ(s.Size(), 0);
  EXPECT_STREQ(s.Text(), "");
  ByteString other("copy me");
  s.Assign(other);
  EXPECT_STREQ(s.Text(), "copy me");
  ByteString copy(s);
  EXPECT_STREQ(copy.Text(), "copy me");
}

TEST(ByteString, EqualsIgnoreCase) {
  EXPECT_TRUE(ByteString("ABC").EqualsIgnoreCase(ByteString("abc")));
  EXPECT_FALSE(ByteString("ab").EqualsIgnoreCase(ByteString("abc")));
  EXPECT_FALSE(ByteString("abd").EqualsIgnoreCase(ByteString("ABC")));
  ByteString empty;
  empty.RemoveAll();
  EXPECT_TRUE(empty.EqualsIgnoreCase(ByteString("")));  // sizes 0 and 1
  EXPECT_TRUE(ByteString("Path\\File.OBJ").EqualsIgnoreCase(ByteString("path\\file.obj")));
}

TEST(ByteString, ToHvStringRefusesHighBytes) {
  HvString out("old");
  EXPECT_TRUE(ByteString("c:/plain.obj").ToHvString(out));
  EXPECT_STREQ(out.Text(), "c:/plain.obj");
  EXPECT_FALSE(ByteString("c:/caf\xE9.obj").ToHvString(out));
  EXPECT_STREQ(out.Text(), "");
}

TEST(ByteString, PathHelpers) {
  ByteString out("untouched");
  EXPECT_EQ(ByteString("c:\\a/b\\c.obj").LastSeparator(), 6);
  EXPECT_EQ(ByteString("name").LastSeparator(), -1);

  EXPECT_TRUE(ByteString("c:\\a\\b.obj").Directory(out));
  EXPECT_EQ(Text(out), "c:\\a");
  EXPECT_FALSE(ByteString("\\b.obj").Directory(out));
  EXPECT_EQ(Text(out), "");

  out.AssignText("untouched");
  EXPECT_FALSE(ByteString("c:\\a\\").FileName(out));
  EXPECT_EQ(Text(out), "untouched");
  EXPECT_TRUE(ByteString("c:/a/b.obj").FileName(out));
  EXPECT_EQ(Text(out), "b.obj");
  EXPECT_TRUE(ByteString("plain").FileName(out));
  EXPECT_EQ(Text(out), "plain");

  EXPECT_TRUE(ByteString("a.b.obj").Extension(out));
  EXPECT_EQ(Text(out), "obj");
  out.AssignText("untouched");
  EXPECT_TRUE(ByteString("noext").Extension(out));
  EXPECT_TRUE(ByteString(".hidden").Extension(out));
  EXPECT_EQ(Text(out), "untouched");

  EXPECT_TRUE(ByteString("dir/x.y.z").BaseName(out));
  EXPECT_EQ(Text(out), "x.y");
  EXPECT_TRUE(ByteString("dir\\plain").BaseName(out));
  EXPECT_EQ(Text(out), "plain");
}

TEST(ByteString, HelpersMayWriteIntoTheirOwnString) {
  ByteString s("c:/dir/file.obj");
  EXPECT_TRUE(s.Directory(s));
  EXPECT_STREQ(s.Text(), "c:/dir");
  EXPECT_TRUE(s.FileName(s));
  EXPECT_STREQ(s.Text(), "dir");
}
