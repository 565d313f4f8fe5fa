#include "core/program/job/download_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/program/job/file_checksum.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

class DownloadListTest : public ::testing::Test {
 protected:
  // A file of that content in the test's directory; returns its path.
  std::string File(const std::string& name, const std::string& content = "123456789") {
    const std::string path = dir_.File(name);
    test::WriteBytes(path, content);
    return path;
  }
  void SetSector(int row, const std::string& text) { ASSERT_TRUE(list_.AcceptSectorEdit(row, kSectorColumn, text)); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& row : list_.Rows()) names.push_back(row.fileName);
    return names;
  }
  std::vector<std::string> Column(std::string DownloadRow::*field) const {
    std::vector<std::string> texts;
    for (const auto& row : list_.Rows()) texts.push_back(row.*field);
    return texts;
  }

  test::TempDir dir_;
  test::ScriptedPrompt prompt_;
  DownloadList list_{prompt_};
};

using Texts = std::vector<std::string>;

// --- adding and removing ---------------------------------------------------

TEST_F(DownloadListTest, AddedRowsAreNumberedEnabledAtSectorZero) {
  const std::string a = File("a.bin");
  const std::string missing = dir_.File("missing.bin");
  list_.AddFiles({a, missing});
  ASSERT_EQ(list_.RowCount(), 2u);
  const DownloadRow& first = list_.Rows()[0];
  EXPECT_EQ(first.number, "1");
  EXPECT_TRUE(first.enabled);
  EXPECT_EQ(first.sector, "0");
  EXPECT_EQ(first.progress, 0);
  EXPECT_EQ(first.fileName, "a.bin");
  EXPECT_EQ(first.checksum, "");
  EXPECT_EQ(first.path, a);
  EXPECT_EQ(first.Background(), 0xFFFFFFu);
  // A file that can't be opened still gets its row, without a name.
  EXPECT_EQ(list_.Rows()[1].number, "2");
  EXPECT_EQ(list_.Rows()[1].fileName, "");
  EXPECT_EQ(list_.Rows()[1].path, missing);
  EXPECT_TRUE(list_.HasFiles());
  EXPECT_FALSE(list_.ChecksumsCurrent());
  EXPECT_TRUE(prompt_.Shown().empty());
}

TEST_F(DownloadListTest, RemovingSelectedRowsKeepsTheOthersNumbers) {
  list_.AddFiles({File("a.bin"), File("b.bin"), File("c.bin"), File("d.bin")});
  list_.ComputeChecksums();
  list_.RemoveSelectedFiles({2, 0, 2, 99});
  EXPECT_EQ(Names(), (Texts{"b.bin", "d.bin"}));
  EXPECT_EQ(Column(&DownloadRow::number), (Texts{"2", "4"}));
  EXPECT_TRUE(list_.HasFiles());
  EXPECT_TRUE(list_.ChecksumsCurrent());
  // A new row is numbered by the row count, as the list stands.
  list_.AddFiles({File("e.bin")});
  EXPECT_EQ(Column(&DownloadRow::number), (Texts{"2", "4", "3"}));
}

TEST_F(DownloadListTest, RemovingTheLastRowsEmptiesTheList) {
  list_.AddFiles({File("a.bin"), File("b.bin")});
  list_.ComputeChecksums();
  list_.RemoveSelectedFiles({0, 1});
  EXPECT_EQ(list_.RowCount(), 0u);
  EXPECT_FALSE(list_.HasFiles());
  EXPECT_FALSE(list_.ChecksumsCurrent());

  list_.AddFiles({File("a.bin")});
  list_.ComputeChecksums();
  list_.RemoveAllFiles();
  EXPECT_EQ(list_.RowCount(), 0u);
  EXPECT_FALSE(list_.HasFiles());
  EXPECT_FALSE(list_.ChecksumsCurrent());
}

// --- sector edits ----------------------------------------------------------

TEST_F(DownloadListTest, SectorEditsNeedADigitAndNothingAfterIt) {
  list_.AddFiles({File("a.bin")});
  for (const char* good : {"", "7", "  12", "+3", "-4", " \t-0", "0012"}) {
    EXPECT_TRUE(list_.AcceptSectorEdit(0, kSectorColumn, good)) << '"' << good << '"';
    EXPECT_EQ(list_.Rows()[0].sector, good);
  }
  EXPECT_TRUE(prompt_.Shown().empty());
  SetSector(0, "5");
  for (const char* bad : {"12a", "-", " ", "12 ", "1 2", "0x10", "+-1", "a1"}) {
    EXPECT_FALSE(list_.AcceptSectorEdit(0, kSectorColumn, bad)) << '"' << bad << '"';
    EXPECT_EQ(list_.Rows()[0].sector, "5");
  }
  ASSERT_EQ(prompt_.Shown().size(), 8u);
  EXPECT_EQ(prompt_.Shown()[0], ApplicationBox("Wrong Number!!!\r\n\r\nCheck Download Address!"));
}

TEST_F(DownloadListTest, EditsOfOtherColumnsAreAcceptedUntouched) {
  list_.AddFiles({File("a.bin")});
  EXPECT_TRUE(list_.AcceptSectorEdit(0, kFileNameColumn, "12a"));
  EXPECT_EQ(list_.Rows()[0].fileName, "a.bin");
  EXPECT_TRUE(prompt_.Shown().empty());
}

TEST(ParseStartSector, DecimalUpToTheFirstOtherCharacter) {
  EXPECT_EQ(ParseStartSector(""), 0);
  EXPECT_EQ(ParseStartSector("12a"), 12);
  EXPECT_EQ(ParseStartSector("  -5"), -5);
  EXPECT_EQ(ParseStartSector("+7"), 7);
  EXPECT_EQ(ParseStartSector("x9"), 0);
  EXPECT_EQ(ParseStartSector("2147483647"), 2147483647);
  EXPECT_EQ(ParseStartSector("99999999999999999999"), 2147483647);
  EXPECT_EQ(ParseStartSector("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseStartSector("-99999999999"), -2147483647 - 1);
}

// --- enable boxes ----------------------------------------------------------

TEST_F(DownloadListTest, ClickedRowFlipsAndGreys) {
  list_.AddFiles({File("a.bin"), File("b.bin")});
  list_.OnEnableClicked(1, kEnableColumn);
  EXPECT_FALSE(list_.Rows()[1].enabled);
  EXPECT_EQ(list_.Rows()[1].Background(), 0xC8C8C8u);
  EXPECT_TRUE(list_.Rows()[0].enabled);
  list_.OnEnableClicked(1, kEnableColumn);
  EXPECT_TRUE(list_.Rows()[1].enabled);
  EXPECT_EQ(list_.Rows()[1].Background(), 0xFFFFFFu);
  // Other columns and rows outside the list do nothing.
  list_.OnEnableClicked(0, kSectorColumn);
  list_.OnEnableClicked(5, kEnableColumn);
  EXPECT_TRUE(list_.AllEnabled());
}

TEST_F(DownloadListTest, HeaderEnablesAllWhenAnyIsOffElseDisablesAll) {
  list_.AddFiles({File("a.bin"), File("b.bin"), File("c.bin")});
  list_.OnEnableClicked(kHeaderRow, kEnableColumn);
  for (const auto& row : list_.Rows()) EXPECT_FALSE(row.enabled);
  list_.OnEnableClicked(1, kEnableColumn);
  list_.OnEnableClicked(kHeaderRow, kEnableColumn);
  for (const auto& row : list_.Rows()) EXPECT_TRUE(row.enabled);
  EXPECT_TRUE(list_.AllEnabled());
}

// --- checksums -------------------------------------------------------------

TEST_F(DownloadListTest, ChecksumsAreComputedForEveryRowOnce) {
  const std::string a = File("a.bin", "123456789");
  list_.AddFiles({a, File("b.bin", "")});
  list_.OnEnableClicked(1, kEnableColumn);
  list_.ComputeChecksums();
  EXPECT_EQ(Column(&DownloadRow::checksum), (Texts{"340BC6D9", "FFFFFFFF"}));
  EXPECT_TRUE(list_.ChecksumsCurrent());
  // A change on disk alone does not make them stale.
  test::WriteBytes(a, std::string("changed"));
  list_.ComputeChecksums();
  EXPECT_EQ(list_.Rows()[0].checksum, "340BC6D9");
}

TEST_F(DownloadListTest, AddingFilesRecomputesEveryChecksum) {
  const std::string a = File("a.bin", "123456789");
  list_.AddFiles({a});
  list_.ComputeChecksums();
  test::WriteBytes(a, std::string());
  list_.AddFiles({File("b.bin", "123456789")});
  EXPECT_FALSE(list_.ChecksumsCurrent());
  list_.ComputeChecksums();
  EXPECT_EQ(Column(&DownloadRow::checksum), (Texts{"FFFFFFFF", "340BC6D9"}));
}

TEST_F(DownloadListTest, UnreadableFileGetsABoxAndNoChecksum) {
  list_.AddFiles({dir_.File("missing.bin"), File("b.bin")});
  list_.ComputeChecksums();
  EXPECT_EQ(Column(&DownloadRow::checksum), (Texts{"", "340BC6D9"}));
  EXPECT_EQ(prompt_.Shown(), std::vector<PromptMessage>{ApplicationBox("Cannot Open File!")});
}

TEST_F(DownloadListTest, AFileLargerThanTheFlashIsNotReadForItsChecksum) {
  list_.AddFiles({File("fits.bin", "123456789"), File("over.bin", "1234567890")});
  list_.ComputeChecksums(9);
  EXPECT_EQ(Column(&DownloadRow::checksum), (Texts{"340BC6D9", ""}));
  EXPECT_TRUE(prompt_.Shown().empty());  // the run's size check says what is wrong
}

// --- sorting and the job ---------------------------------------------------

TEST_F(DownloadListTest, SortIsStableSignedAndPutsDisabledRowsLastInTheirOrder) {
  list_.AddFiles({File("a.bin"), File("b.bin"), File("c.bin"), File("d.bin"), File("e.bin"), File("f.bin")});
  SetSector(0, "  +3");
  SetSector(1, "9");
  SetSector(2, "3");
  SetSector(3, "1");
  SetSector(4, "-2");
  SetSector(5, "");
  list_.OnEnableClicked(1, kEnableColumn);
  list_.OnEnableClicked(3, kEnableColumn);
  list_.SetProgress(0, 80);

  list_.SortByStartSector();

  EXPECT_EQ(Names(), (Texts{"e.bin", "f.bin", "a.bin", "c.bin", "b.bin", "d.bin"}));
  EXPECT_EQ(Column(&DownloadRow::sector), (Texts{"-2", "0", "3", "3", "9", "1"}));
  EXPECT_EQ(Column(&DownloadRow::number), (Texts{"1", "2", "3", "4", "5", "6"}));
  std::vector<bool> enabled;
  for (const auto& row : list_.Rows()) {
    enabled.push_back(row.enabled);
    EXPECT_EQ(row.progress, 0);
  }
  EXPECT_EQ(enabled, (std::vector<bool>{true, true, true, true, false, false}));
  EXPECT_EQ(list_.Rows()[4].Background(), kDisabledRowBackground);
}

TEST_F(DownloadListTest, SortKeepsNamesChecksumsAndPathsWithTheirRow) {
  const std::string a = File("a.bin", "123456789");
  const std::string b = File("b.bin", "");
  list_.AddFiles({a, b});
  SetSector(0, "4");
  list_.ComputeChecksums();
  list_.SortByStartSector();
  EXPECT_EQ(Column(&DownloadRow::path), (Texts{b, a}));
  EXPECT_EQ(Column(&DownloadRow::checksum), (Texts{"FFFFFFFF", "340BC6D9"}));
  EXPECT_TRUE(list_.ChecksumsCurrent());
}

TEST_F(DownloadListTest, JobHoldsTheEnabledRowsOnly) {
  const std::string a = File("a.bin", "123456789");
  const std::string b = File("b.bin");
  const std::string c = File("c.bin", "");
  list_.AddFiles({a, b, c});
  SetSector(0, "6");
  SetSector(1, "0");
  SetSector(2, "");
  list_.OnEnableClicked(1, kEnableColumn);
  list_.ComputeChecksums();
  list_.SortByStartSector();

  DownloadJob job;
  job.paths = {"stale"};
  EXPECT_EQ(list_.BuildDownloadJob(job), 2u);
  EXPECT_EQ(job.paths, (Texts{c, a}));
  EXPECT_EQ(job.sectors, (std::vector<std::int32_t>{0, 6}));
  EXPECT_EQ(job.checksums, (std::vector<std::uint32_t>{0xFFFFFFFF, 0x340BC6D9}));
  // The unchecked row stays in the list, grey, after the checked ones.
  EXPECT_EQ(Names(), (Texts{"c.bin", "a.bin", "b.bin"}));
  EXPECT_FALSE(list_.Rows()[2].enabled);
}

TEST_F(DownloadListTest, UncomputedChecksumGoesIntoTheJobAsZero) {
  list_.AddFiles({File("a.bin")});
  DownloadJob job;
  EXPECT_EQ(list_.BuildDownloadJob(job), 1u);
  EXPECT_EQ(job.checksums, (std::vector<std::uint32_t>{0}));
}

TEST_F(DownloadListTest, AllRowsUncheckedGiveAnEmptyJob) {
  list_.AddFiles({File("a.bin"), File("b.bin")});
  list_.OnEnableClicked(kHeaderRow, kEnableColumn);
  list_.SortByStartSector();
  DownloadJob job;
  EXPECT_EQ(list_.BuildDownloadJob(job), 0u);
  EXPECT_EQ(job.FileCount(), 0u);
  EXPECT_EQ(list_.RowCount(), 2u);
}

}  // namespace
}  // namespace vantrell
