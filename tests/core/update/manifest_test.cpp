// Reading manifests, and the rules that keep a published name inside the
// program directory.
#include "core/update/manifest.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "core/update/path_safety.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

TEST(ManifestTest, TakesEveryFileElementAtAnyDepthInDocumentOrder) {
  const auto manifest = ParseManifest(R"(<?xml version="1.0"?>
    <update><file name="a.dll" version="1.0" exec="yes"/>
      <group><file name="sub/b.dll"/><notfile name="x" version="1"/></group>
      <file version="2"/><!-- <file name="comment"/> --></update>)");
  ASSERT_TRUE(manifest);
  ASSERT_EQ(manifest->size(), 3u);
  EXPECT_EQ((*manifest)[0].name, "a.dll");
  EXPECT_EQ((*manifest)[0].exec, "yes");
  EXPECT_EQ((*manifest)[1].name, "sub/b.dll");
  EXPECT_EQ((*manifest)[1].version, "") << "a missing attribute reads as empty";
  EXPECT_FALSE((*manifest)[1].IsUsable());
  EXPECT_FALSE((*manifest)[2].IsUsable());
}

TEST(ManifestTest, DocumentsThatAreNotWellFormedAreRefused) {
  EXPECT_FALSE(ParseManifest(""));
  EXPECT_FALSE(ParseManifest("<update><file name='a'></update>"));
  EXPECT_FALSE(ParseManifest("not xml at all"));
  EXPECT_TRUE(ParseManifest("<update/>")) << "well-formed, just empty";
}

TEST(ManifestTest, ListsAtLeastWantsTheExactNameAndASatisfiedVersion) {
  const Manifest local = {{"sub/tool.dll", "1.10", ""}, {"it's.dll", "1'0", ""}, {"a.dll", "1.0", ""}, {"a.dll", "3.0", ""}};
  EXPECT_TRUE(ListsAtLeast(local, "sub/tool.dll", "1.9"));
  EXPECT_FALSE(ListsAtLeast(local, "sub\\tool.dll", "1.0"));
  EXPECT_FALSE(ListsAtLeast(local, "SUB/tool.dll", "1.0"));
  EXPECT_TRUE(ListsAtLeast(local, "it's.dll", "1'0"));
  EXPECT_TRUE(ListsAtLeast(local, "a.dll", "2.0")) << "any entry of that name may satisfy it";
  EXPECT_FALSE(ListsAtLeast(local, "a.dll", "3.1"));
}

TEST(PathSafetyTest, OnlyNamesThatStayInsideTheDirectoryGetAPath) {
  test::TempDir outside;
  test::TempDir program;
  std::filesystem::create_directory(program.File("sub"));
  // Windows makes a link only for a privileged or developer account.
  std::error_code noLink;
  std::filesystem::create_directory_symlink(outside.Path(), program.File("escape"), noLink);
  const std::filesystem::path base = std::filesystem::canonical(program.Path());
  const auto inside = [&](std::string_view name) {
    const auto path = PathInsideDirectory(program.Path(), name);
    return path ? std::optional(std::filesystem::path(*path)) : std::nullopt;
  };

  EXPECT_EQ(inside("sub/tool.dll"), base / "sub" / "tool.dll");
  EXPECT_EQ(inside("new/file"), base / "new" / "file") << "need not exist";
  for (const std::string& name : std::vector<std::string>{"", "/etc/passwd", "../../etc/passwd", "sub/../../x", "a..b", "sub\\tool.dll",
                                 std::string("tool\0.dll", 9), ".", "./"}) {
    EXPECT_FALSE(PathInsideDirectory(program.Path(), name)) << name;
  }
  if (!noLink) {
    EXPECT_FALSE(PathInsideDirectory(program.Path(), "escape/file")) << "a link leads outside";
  }
}

}  // namespace
}  // namespace vantrell
