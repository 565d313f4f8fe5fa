#include <gtest/gtest.h>

#include "core/controls/text_cut.h"

namespace vantrell {
namespace {

TEST(CutToCharacters, CountsCharactersNotBytes) {
  EXPECT_EQ(CutToCharacters("abc", 2), "ab");
  EXPECT_EQ(CutToCharacters("가나다", 2), "가나");
  EXPECT_EQ(CutToCharacters("가나다", 10), "가나다");
  EXPECT_EQ(CutToCharacters("abc", 0), "");
  EXPECT_EQ(CutToCharacters("\x80\x80" "a", 1), "\x80\x80");  // stray bytes never split further
}

}  // namespace
}  // namespace vantrell
