// The resource table appended to the program file: written by the build,
// read by the program, never trusted to be whole.
#include "core/platform/resource_table.h"

#include <filesystem>
#include <iterator>

#include <gtest/gtest.h>

#include "core/platform/program_file_fixture.h"
#include "core/platform/utf8_path.h"
#include "support/temp_dir.h"
#include "support/under_wine.h"

namespace vantrell {
namespace {

using test::Bytes;
using test::ProgramBody;
using test::ReadBytes;
using test::WriteBytes;
using test::WriteAppendedFile;
using test::WriteProgramFile;

// Where the trailer keeps its numbers, counted back from the file's end.
constexpr std::size_t kTrailerLayoutFromEnd = 24;
constexpr std::size_t kTrailerCountFromEnd = 20;

void PutU32At(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

std::uint64_t U64At(const std::string& bytes, std::size_t at) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

// Offset of directory entry i in a file's bytes.
std::size_t EntryAt(const std::string& bytes, std::size_t i) { return U64At(bytes, bytes.size() - 8) + 16 * i; }

class ResourceTableTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  const std::string path = dir.File("Vantrell");
  const std::vector<std::uint8_t> list = Bytes(std::string(576, 'L'));
  const std::vector<std::uint8_t> tool = Bytes("a companion tool");

  std::string WriteBoth() { return WriteAppendedFile(path, {{kIdrDevVer, list}, {kIdrDevUpdate, tool}}); }
  ResourceStep StepAfter(const std::string& damagedBytes) {
    WriteBytes(path, damagedBytes);
    return ReadAppendedResource(path, kIdrDevVer).failedStep;
  }
};

TEST_F(ResourceTableTest, ReadsBackEveryResourceAndLeavesTheProgramAsItWas) {
  WriteBoth();
  const ResourceRead first = ReadAppendedResource(path, kIdrDevVer);
  ASSERT_TRUE(first);
  EXPECT_EQ(first.bytes, list);
  EXPECT_EQ(ReadAppendedResource(path, kIdrDevUpdate).bytes, tool);
  const std::string file = ReadBytes(path);
  const std::vector<std::uint8_t> body = ProgramBody();
  EXPECT_EQ(file.substr(0, body.size()), std::string(body.begin(), body.end()));
}

TEST_F(ResourceTableTest, AppendingAgainReplacesTheTableInsteadOfAddingOne) {
  WriteBoth();
  const std::string once = ReadBytes(path);
  ASSERT_TRUE(AppendResources(path, {{kIdrDevVer, list}, {kIdrDevUpdate, tool}}));
  EXPECT_EQ(ReadBytes(path), once);

  ASSERT_TRUE(AppendResources(path, {{kIdrDevVer, Bytes("new list")}}));
  EXPECT_EQ(ReadAppendedResource(path, kIdrDevVer).bytes, Bytes("new list"));
  EXPECT_EQ(ReadAppendedResource(path, kIdrDevUpdate).failedStep, ResourceStep::FindResource);
  EXPECT_LT(ReadBytes(path).size(), once.size());
}

TEST_F(ResourceTableTest, AnEmptyResourceIsFoundAndEmpty) {
  WriteAppendedFile(path, {{kIdrAutoUpdate, {}}});
  const ResourceRead read = ReadAppendedResource(path, kIdrAutoUpdate);
  EXPECT_TRUE(read);
  EXPECT_TRUE(read.bytes.empty());
}

TEST_F(ResourceTableTest, MissingProgramFileFailsAtLoadLibrary) {
  EXPECT_EQ(ReadAppendedResource(path, kIdrDevVer).failedStep, ResourceStep::LoadLibrary);
  EXPECT_EQ(ReadAppendedResource(dir.Path(), kIdrDevVer).failedStep, ResourceStep::LoadLibrary);
}

TEST_F(ResourceTableTest, FileWithoutTableOrWithoutTheIdFailsAtFindResource) {
  WriteBytes(path, ProgramBody());
  EXPECT_EQ(ReadAppendedResource(path, kIdrDevVer).failedStep, ResourceStep::FindResource);
  WriteBytes(path, std::string());
  EXPECT_EQ(ReadAppendedResource(path, kIdrDevVer).failedStep, ResourceStep::FindResource);
  WriteAppendedFile(path, {{kIdrDevUpdate, tool}});
  EXPECT_EQ(ReadAppendedResource(path, kIdrDevVer).failedStep, ResourceStep::FindResource);
}

// Damaged tables: never a crash, never a read out of the file, never an
// allocation sized by a lying number, never wrong bytes handed out.

TEST_F(ResourceTableTest, LyingEntryCountIsADamagedTable) {
  WriteBoth();
  const std::string bytes = ReadBytes(path);
  for (std::uint32_t count : {0xFFFFFFFFu, kMaxResourceEntries, 3u, 1u}) {
    std::string damaged = bytes;
    PutU32At(damaged, damaged.size() - kTrailerCountFromEnd, count);
    EXPECT_EQ(StepAfter(damaged), ResourceStep::LoadResource) << count;
  }
}

TEST_F(ResourceTableTest, UnknownLayoutIsADamagedTable) {
  WriteBoth();
  std::string damaged = ReadBytes(path);
  PutU32At(damaged, damaged.size() - kTrailerLayoutFromEnd, 2);
  EXPECT_EQ(StepAfter(damaged), ResourceStep::LoadResource);
}

TEST_F(ResourceTableTest, EntryReachingPastItsDataIsADamagedTable) {
  WriteBoth();
  const std::string bytes = ReadBytes(path);
  std::string hugeSize = bytes;
  PutU32At(hugeSize, EntryAt(bytes, 0) + 4, 0xFFFFFFFFu);
  EXPECT_EQ(StepAfter(hugeSize), ResourceStep::LoadResource);
  std::string farOffset = bytes;
  PutU32At(farOffset, EntryAt(bytes, 0) + 12, 0xFFFFFF00u);
  EXPECT_EQ(StepAfter(farOffset), ResourceStep::LoadResource);
}

TEST_F(ResourceTableTest, ChangedResourceBytesFailAtLockResource) {
  WriteBoth();
  std::string damaged = ReadBytes(path);
  damaged[ProgramBody().size() + 100] ^= 0x01;  // inside the list's bytes
  EXPECT_EQ(StepAfter(damaged), ResourceStep::LockResource);
}

TEST_F(ResourceTableTest, EveryCutOfTheFileFailsCleanly) {
  WriteBoth();
  const std::string whole = ReadBytes(path);
  for (std::size_t size = 0; size < whole.size(); ++size) {
    const ResourceRead read = [&] {
      WriteBytes(path, whole.substr(0, size));
      return ReadAppendedResource(path, kIdrDevVer);
    }();
    ASSERT_FALSE(read) << size;
    EXPECT_TRUE(read.failedStep == ResourceStep::FindResource || read.failedStep == ResourceStep::LoadResource);
  }
}

TEST_F(ResourceTableTest, AnyFlippedByteGivesTheTrueBytesOrAFailure) {
  WriteBoth();
  const std::string whole = ReadBytes(path);
  for (std::size_t at = ProgramBody().size(); at < whole.size(); ++at) {
    std::string damaged = whole;
    damaged[at] = static_cast<char>(damaged[at] ^ 0xA5);
    WriteBytes(path, damaged);
    const ResourceRead read = ReadAppendedResource(path, kIdrDevVer);
    if (read) {
      EXPECT_EQ(read.bytes, list) << "byte " << at;
    }
  }
}

TEST_F(ResourceTableTest, WriterRefusesAFileWithADamagedTableAndLeavesItAlone) {
  WriteBoth();
  std::string damaged = ReadBytes(path);
  PutU32At(damaged, damaged.size() - kTrailerCountFromEnd, 0xFFFFFFFFu);
  WriteBytes(path, damaged);
  std::string error;
  EXPECT_FALSE(AppendResources(path, {{kIdrDevVer, list}}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadBytes(path), damaged);
}

TEST_F(ResourceTableTest, WriterRefusesAMissingFile) {
  EXPECT_FALSE(AppendResources(path, {{kIdrDevVer, list}}));
  EXPECT_FALSE(std::filesystem::exists(path));
}

// The program's own resources, as this platform carries them (on Windows
// the executable's RCDATA resources).

class ProgramResourcesTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  const std::string path = ProgramFilePath(dir.Path());

  std::ptrdiff_t FilesInDirectory() const {
    return std::distance(std::filesystem::directory_iterator(Utf8Path(dir.Path())), {});
  }
};

TEST_F(ProgramResourcesTest, WrittenResourcesReplaceTheOldOnesAndNothingIsLeftBeside) {
  WriteProgramFile(path, {{kIdrDevVer, Bytes("list")}, {kIdrDevUpdate, Bytes("editor")}});
  const ResourceMap next = {{kIdrDevVer, Bytes("new list")}, {kIdrAutoUpdate, Bytes("updater")}};
  std::string error;
  ASSERT_TRUE(WriteProgramResources(path, next, &error)) << error;
  const ResourceTableRead read = ReadProgramResources(path);
  ASSERT_TRUE(read);
  if (test::UnderWine()) {
    // Wine's resource update leaves a resource it was told to delete.
    EXPECT_EQ(read.resources.at(kIdrDevVer), next.at(kIdrDevVer));
    EXPECT_EQ(read.resources.at(kIdrAutoUpdate), next.at(kIdrAutoUpdate));
  } else {
    EXPECT_EQ(read.resources, next);
    EXPECT_EQ(ReadProgramResource(path, kIdrDevUpdate).failedStep, ResourceStep::FindResource);
  }
  EXPECT_EQ(FilesInDirectory(), 1);
}

TEST_F(ProgramResourcesTest, AMissingProgramFileFailsAtLoadLibraryAndIsNotCreated) {
  EXPECT_EQ(ReadProgramResource(path, kIdrDevVer).failedStep, ResourceStep::LoadLibrary);
  EXPECT_EQ(ReadProgramResources(path).failedStep, ResourceStep::LoadLibrary);
  EXPECT_FALSE(WriteProgramResources(path, {{kIdrDevVer, Bytes("list")}}));
  EXPECT_EQ(FilesInDirectory(), 0);
}

}  // namespace
}  // namespace vantrell
