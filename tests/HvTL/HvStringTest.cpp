#include <gtest/gtest.h>

#include <string>

#include "HvTL/HvString.h"

TEST(HvString, EmptyStringsOwnNothingAndReadAsEmptyText) {
  HvString s("abc");
  s.Assign("");
  EXPECT_STREQ(s.Text(), "");
  EXPECT_EQ(s.Length(), 0u);
  s.Assign(static_cast<const char*>(nullptr));
  EXPECT_STREQ(s.Text(), "");
  EXPECT_STREQ(HvString().Text(), "");
  EXPECT_STREQ(HvString(-42).Text(), "-42");
}

TEST(HvString, CopiesAreIndependentAndSelfAssignmentIsSafe) {
  HvString a("first");
  HvString b(a);
  b.Assign("second");
  EXPECT_STREQ(a.Text(), "first");
  HvString& alias = a;
  a = alias;
  EXPECT_STREQ(a.Text(), "first");
  a.Assign(a.Text() + 2);  // a tail of its own text
  EXPECT_STREQ(a.Text(), "rst");
  HvString moved(std::move(b));
  EXPECT_STREQ(moved.Text(), "second");
}

TEST(HvString, CopyToBoundsTheBuffer) {
  HvString s("abcdef");
  char buffer[8] = "zzzzzzz";
  EXPECT_TRUE(s.CopyTo(buffer, 1));
  EXPECT_STREQ(buffer, "");
  EXPECT_TRUE(s.CopyTo(buffer, 4));
  EXPECT_STREQ(buffer, "abc");
  EXPECT_FALSE(s.CopyTo(nullptr, 4));
  EXPECT_FALSE(s.CopyTo(buffer, 0));
}

TEST(HvString, FormatTruncatesAtTheBufferInsteadOfOverflowing) {
  const std::string longText(5000, 'x');
  HvString s = HvString::Format("%s-%d", longText.c_str(), 7);
  EXPECT_EQ(s.Length(), 1023u);
  HvString target;
  EXPECT_EQ(HvString::FormatInto(&target, "%s", longText.c_str()), 1023);
  EXPECT_EQ(target.Length(), 1023u);
  EXPECT_EQ(HvString::FormatInto(&target, "%04d|%s", 12, "ok"), 7);
  EXPECT_STREQ(target.Text(), "0012|ok");
  EXPECT_EQ(HvString::FormatInto(nullptr, "%d", 1), 0);
}

TEST(HvString, ConcatTreatsNullAndEmptySides) {
  EXPECT_STREQ(HvString::Concat(nullptr, "x").Text(), "x");
  EXPECT_STREQ(HvString::Concat("a", "").Text(), "a");
  EXPECT_STREQ(HvString::Concat("a", nullptr).Text(), "a");
  EXPECT_STREQ(HvString::Concat("", "b").Text(), "b");
  EXPECT_STREQ(HvString::Concat("a", "b").Text(), "ab");
  EXPECT_STREQ(HvString::Concat(HvString(), HvString("y")).Text(), "y");
}

TEST(HvString, EqualsIsExactAndCaseSensitive) {
  EXPECT_TRUE(HvString::Equals(HvString(), ""));
  EXPECT_TRUE(HvString::Equals(HvString(), nullptr));
  EXPECT_TRUE(HvString::Equals(HvString("Abc"), "Abc"));
  EXPECT_FALSE(HvString::Equals(HvString("Abc"), "abc"));
  EXPECT_TRUE(HvString("x") == HvString("x"));
}
