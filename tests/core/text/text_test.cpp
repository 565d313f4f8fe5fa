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

// Each symbol and syllable the program's texts use, with the bytes glibc's
// CP949 gives them: Windows' code page 949 must write the very same log.
TEST(Cp949, EveryCharacterOfTheProgramsTextsHasTheSameBytesOnEverySystem) {
  const std::string used =
      "…→≠▶★☆☞겠교그기까너는니다데동되된든등디딩램로록를름릅리모바버번보상선설스습시실십않야어업오와용으은을의이인일입있"
      "작재전정지째체크택트파패프하함현확";
  const std::string expected =
      "\xA1\xA6\xA1\xE6\xA1\xC1\xA2\xBA\xA1\xDA\xA1\xD9\xA2\xD1\xB0\xDA\xB1\xB3\xB1\xD7\xB1\xE2\xB1\xEE\xB3\xCA\xB4\xC2"
      "\xB4\xCF\xB4\xD9\xB5\xA5\xB5\xBF\xB5\xC7\xB5\xC8\xB5\xE7\xB5\xEE\xB5\xF0\xB5\xF9\xB7\xA5\xB7\xCE\xB7\xCF\xB8\xA6"
      "\xB8\xA7\xB8\xA8\xB8\xAE\xB8\xF0\xB9\xD9\xB9\xF6\xB9\xF8\xBA\xB8\xBB\xF3\xBC\xB1\xBC\xB3\xBD\xBA\xBD\xC0\xBD\xC3"
      "\xBD\xC7\xBD\xCA\xBE\xCA\xBE\xDF\xBE\xEE\xBE\xF7\xBF\xC0\xBF\xCD\xBF\xEB\xC0\xB8\xC0\xBA\xC0\xBB\xC0\xC7\xC0\xCC"
      "\xC0\xCE\xC0\xCF\xC0\xD4\xC0\xD6\xC0\xDB\xC0\xE7\xC0\xFC\xC1\xA4\xC1\xF6\xC2\xB0\xC3\xBC\xC5\xA9\xC5\xC3\xC6\xAE"
      "\xC6\xC4\xC6\xD0\xC7\xC1\xC7\xCF\xC7\xD4\xC7\xF6\xC8\xAE";
  EXPECT_EQ(Utf8ToCp949(used), expected);
  EXPECT_EQ(Cp949ToUtf8(expected), used);
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
