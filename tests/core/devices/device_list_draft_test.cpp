// The device list editor's draft: every typed value is checked against the
// record's field before it is taken, and the terminator stays last.
#include "core/devices/device_list_draft.h"

#include <gtest/gtest.h>

#include "core/devices/device_list_format.h"

namespace vantrell {
namespace {

std::vector<DeviceRecord> TwoDevices() {
  return {{.number = 0x0001, .name = "ORBELLE-C128", .sectorSizeKb = 4, .flashSizeKb = 128, .chipId = 0x51},
          {.number = 0x1005, .name = "MINI-VELORA-128", .sectorSizeKb = 4, .flashSizeKb = 128},
          TerminatorRecord()};
}

TEST(DeviceListDraftTest, TypedValuesAreTakenOnlyWhenTheyFitTheirField) {
  DeviceListDraft draft(TwoDevices());
  struct Case {
    DeviceField field;
    const char* typed;
    const char* shown;  // nullptr: refused
  };
  const Case cases[] = {
      {DeviceField::Number, "0x2a", "0x002A"},       {DeviceField::Number, " 9 ", "0x0009"},
      {DeviceField::Number, "FFFE", "0xFFFE"},       {DeviceField::Number, "0xFFFF", nullptr},
      {DeviceField::Number, "10000", nullptr},       {DeviceField::Number, "1005", nullptr},  // row 2's
      {DeviceField::Number, "0x", nullptr},          {DeviceField::Number, "-1", nullptr},
      {DeviceField::Name, "VELORA-2048-EXTENDED1", "VELORA-2048-EXTENDED1"},
      {DeviceField::Name, "VELORA-2048-EXTENDED12", nullptr},  // 22 characters
      {DeviceField::Name, "", nullptr},              {DeviceField::Name, "\xEB\xB2\xA8", nullptr},
      {DeviceField::SectorSize, "4294967295", "4294967295"},
      {DeviceField::SectorSize, "4294967296", nullptr}, {DeviceField::SectorSize, "0x10", nullptr},
      {DeviceField::FlashSize, "00512", "512"},      {DeviceField::ChipId, "ff", "0xFF"},
      {DeviceField::ChipId, "0x100", nullptr},       {DeviceField::FlashMakerId, "3A", "0x3A"},
      {DeviceField::FlashDeviceId, "g1", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(FieldCaption(c.field)) + " <- \"" + c.typed + "\"");
    const std::string before = draft.CellText(0, c.field);
    const auto refusal = draft.Edit(0, c.field, c.typed);
    if (c.shown) {
      EXPECT_FALSE(refusal) << *refusal;
      EXPECT_EQ(draft.CellText(0, c.field), c.shown);
    } else {
      ASSERT_TRUE(refusal);
      EXPECT_EQ(refusal->rfind(std::string(FieldCaption(c.field)) + " of row 1: ", 0), 0u) << *refusal;
      EXPECT_EQ(draft.CellText(0, c.field), before);
    }
  }
  EXPECT_TRUE(draft.IsModified());
  EXPECT_TRUE(draft.Problems().empty());
}

TEST(DeviceListDraftTest, TheTerminatorStaysLastAndUntouched) {
  DeviceListDraft draft(TwoDevices());
  EXPECT_TRUE(draft.Edit(2, DeviceField::Name, "MINE"));
  EXPECT_FALSE(draft.RemoveDevice(2));
  const std::size_t added = draft.AddDevice();
  EXPECT_EQ(added, 2u);
  EXPECT_EQ(draft.Records()[added].number, 0x0002) << "the lowest unused number";
  EXPECT_TRUE(draft.Records().back().IsTerminator());
  EXPECT_TRUE(draft.RemoveDevice(0));
  EXPECT_EQ(draft.RowCount(), 3u);
  EXPECT_EQ(draft.Records().back(), TerminatorRecord());
}

TEST(DeviceListDraftTest, ALoadedListEndsAtItsFirstTerminatorAndItsFaultsAreFound) {
  std::vector<DeviceRecord> loaded = TwoDevices();
  loaded.push_back({.number = 0x0007, .name = "AFTER-THE-END"});
  EXPECT_EQ(DeviceListDraft(loaded).RowCount(), 3u);

  loaded = {{.number = 5, .name = std::string(22, 'L')}, {.number = 5, .name = "TWIN"}};
  const DeviceListDraft damaged(loaded);
  EXPECT_TRUE(damaged.Records().back().IsTerminator()) << "a list without one gets a terminator";
  EXPECT_EQ(damaged.Problems(), (std::vector<std::string>{
                                    "Device Name of row 1: the name is longer than 21 characters",
                                    "Device No. of row 2: 0x0005 is also the number of row 1"}));
}

}  // namespace
}  // namespace vantrell
