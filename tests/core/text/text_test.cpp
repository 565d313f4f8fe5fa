#include <gtest/gtest.h>

#include "core/text/cp949.h"
#include "core/text/format.h"

namespace vantrell {
namespace {

TEST(Cp949, ConvertsSymbolsAndHangul) {
  EXPECT_EQ(Utf8ToCp949("☆"), "\xA1\xD9");
  EXPECT_EQ(Utf8ToCp949("★"), "\xA1\xDA");
  EXPECT_EQ(Utf8ToCp949("가"), "\xB0\xA1");
  EXPECT_EQ(Utf8ToCp949("abc\r\n"), "abc\r\n");
}

TEST(Cp949, CharactersWithoutACp949FormBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp949("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToCp949("\xFF\xC3"), "??");  // not UTF-8 at all
  EXPECT_EQ(Utf8ToCp949("\xE2\x98"), "??");  // a sequence cut short
}

TEST(Cp949, RoundTripsThroughUtf8) {
  const std::string text = "디바이스 교체? ☞ →";
  EXPECT_EQ(Cp949ToUtf8(Utf8ToCp949(text)), text);
}

TEST(Cp949Truncate, KeepsWholeCharactersOnly) {
  const std::string two = Utf8ToCp949("가나");  // 4 bytes
  EXPECT_EQ(TruncateCp949(two, 3), two.substr(0, 2));
  EXPECT_EQ(TruncateCp949(two, 4), two);
  EXPECT_EQ(TruncateCp949("a" + two, 2), "a");
  EXPECT_EQ(TruncateCp949("abc", 0), "");
}

TEST(FormatText, FormatsAnyLength) {
  EXPECT_EQ(FormatText("%x.%02x", 1, 5), "1.05");
  EXPECT_EQ(FormatText("%s", std::string(10000, 'z').c_str()).size(), 10000u);
  EXPECT_EQ(FormatText("%s", ""), "");
}

}  // namespace
}  // namespace vantrell
