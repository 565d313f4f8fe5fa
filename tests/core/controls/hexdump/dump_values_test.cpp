// Values, their texts and the tooltip of a dump view.
#include <gtest/gtest.h>

#include <vector>

#include "core/controls/hexdump/dump_text.h"
#include "core/controls/hexdump/dump_tooltip.h"
#include "core/controls/hexdump/hex_dump_model.h"

namespace vantrell {
namespace {

TEST(DumpText, EveryFormatInByteAndWordWidth) {
  struct Case {
    DumpFormat format;
    std::uint32_t value;
    int bytes;
    const char* text;
  } cases[] = {
      {DumpFormat::Address, 0x1234, 1, "00001234"}, {DumpFormat::Hexadecimal, 0x0A, 1, "0A"},
      {DumpFormat::Hexadecimal, 0xBEEF, 2, "BEEF"}, {DumpFormat::Hexadecimal, 0x0A, 2, "000A"},
      {DumpFormat::Decimal, 7, 1, "7"},             {DumpFormat::Decimal, 65535, 2, "65535"},
      {DumpFormat::Decimal, 0xFFFFFFFF, 4, "4294967295"},
      {DumpFormat::Binary, 0x41, 1, "01000001"},    {DumpFormat::Binary, 0x8001, 2, "10000000-00000001"},
      {DumpFormat::Octal, 8, 1, "10"},              {DumpFormat::Octal, 0xFFFF, 2, "177777"},
      {DumpFormat::Ascii, 0x4142, 2, "B"},  // the low byte
  };
  for (const Case& c : cases) EXPECT_EQ(DumpValueText(c.format, c.value, c.bytes, '.'), c.text) << c.text;
  EXPECT_EQ(DumpValueText(DumpFormat::Ascii, 0x1F, 1, '.'), ".");
  EXPECT_EQ(DumpValueText(DumpFormat::Ascii, 0x20, 1, '.'), " ");
  EXPECT_EQ(DumpValueText(DumpFormat::Ascii, 0x09, 1, 0), "\t");  // no unprintable character set
  EXPECT_EQ(DumpValueText(DumpFormat::Ascii, 0xE9, 1, '.'), "\u00E9");
}

TEST(DumpModelValues, WordModeCombinesBytesInTheStyleOrderAndNeverReadsPastAnOddEnd) {
  const std::uint8_t bytes[] = {0x12, 0x34, 0x56};
  HexDumpModel model;
  model.SetDisplayStyle(kDumpHexColumn | kDumpWordMode);
  model.SetDumpData(3, bytes, nullptr);
  EXPECT_EQ(model.Count(), 1);
  EXPECT_EQ(model.ItemValue(0), 0x1234u);
  EXPECT_EQ(model.ItemValue(1), 0u);  // the odd byte is no item
  model.SetDisplayStyle(kDumpHexColumn | kDumpWordMode | kDumpLowByteFirst);
  EXPECT_EQ(model.ItemText(DumpFormat::Hexadecimal, 0), "3412");
  EXPECT_EQ(model.ItemText(DumpFormat::Binary, 0), "00110100-00010010");
  model.SetCursorItem(0, false);
  EXPECT_EQ(model.SelectedBytes(), (std::vector<std::uint8_t>{0x12, 0x34}));
}

TEST(DumpModelValues, NullDataReadsAsZerosAndDiffersOnlyFromARealReference) {
  const std::uint8_t data[] = {1, 2, 3, 4};
  const std::uint8_t reference[] = {1, 9, 3, 4};
  HexDumpModel model;
  model.SetDumpData(4, nullptr, nullptr);
  EXPECT_EQ(model.ItemValue(2), 0u);
  EXPECT_EQ(model.SelectedBytes(), (std::vector<std::uint8_t>{0}));
  model.SetDumpData(4, data, reference);
  EXPECT_FALSE(model.ItemDiffers(0));
  EXPECT_TRUE(model.ItemDiffers(1));
  model.SetDumpData(4, data, nullptr);
  EXPECT_FALSE(model.ItemDiffers(1));
}

std::string Tip(const char* format, int item, const std::vector<std::uint8_t>& bytes, std::uint32_t style = 0) {
  return FormatDumpTip(format, DumpBuffer(bytes.data(), nullptr, static_cast<std::int32_t>(bytes.size())), item,
                       style, '.');
}

TEST(DumpTooltip, TheProgramsFormatOnItem0x1234) {
  std::vector<std::uint8_t> bytes(0x2000, 0);
  bytes[0x1234] = 0x41;
  EXPECT_EQ(Tip(kDumpProgramTipFormat, 0x1234, bytes),
            "Address: 0x00001234\r\n"
            "------ Data -------\r\n"
            "Hex:    41\r\n"
            "Dec:    65\r\n"
            "Oct:    101\r\n"
            "Bin:    01000001\r\n"
            "Ascii:  A");
  bytes[0x1234] = 0x0A;
  const std::string tip = Tip(kDumpProgramTipFormat, 0x1234, bytes);
  EXPECT_NE(tip.find("Bin:    00001010\r\n"), std::string::npos);
  EXPECT_EQ(tip.substr(tip.size() - 9), "Ascii:  .");
}

TEST(DumpTooltip, PrefixesSetOrderAndWidthOfTheNextValueOnly) {
  const std::vector<std::uint8_t> bytes = {0x00, 0x12, 0x34, 0x56, 0x78};
  EXPECT_EQ(Tip("%2%H %H", 1, bytes), "1234 12");
  EXPECT_EQ(Tip("%-%2%H|%+%2%H", 1, bytes), "3412|1234");
  EXPECT_EQ(Tip("%4%H", 1, bytes), "12345678");
  EXPECT_EQ(Tip("%3%H", 3, bytes), "567800");  // bytes past the end read as 0
  EXPECT_EQ(Tip("%2%R %0%R %R %4%R", 1, bytes), "0001 01 00000001 00000001");
  EXPECT_EQ(Tip("%0%H %0%R", 1, bytes, kDumpWordMode), "3456 0001");  // 0 is one item
  EXPECT_EQ(Tip("%H", 0, bytes, kDumpWordMode | kDumpLowByteFirst), "1200");
  EXPECT_EQ(Tip("%2%B %2%D %2%O %2%A", 1, bytes), "00010010-00110100 4660 11064 4");
}

TEST(DumpTooltip, TabsNewLinesAndLiterals) {
  const std::vector<std::uint8_t> bytes = {0x7F};
  EXPECT_EQ(Tip("a%tb%t|", 0, bytes), "a   b   |");
  EXPECT_EQ(Tip("abcd%t|%nx%t|", 0, bytes), "abcd    |\r\nx   |");
  EXPECT_EQ(Tip("\xEA\xB0\x92%t|", 0, bytes), "\xEA\xB0\x92   |");  // one character, not three
  EXPECT_EQ(Tip("100%% %q %", 0, bytes), "100% q %");
}

}  // namespace
}  // namespace vantrell
