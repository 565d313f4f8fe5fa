#include "core/link/driver_library.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vantrell {
namespace {

TEST(DriverLibrary, BindsTheSimulatorsFourExports) {
  DriverBinding binding = BindDriverLibraryAt(VANTRELL_SIM_LIBRARY);
  ASSERT_TRUE(binding) << binding.error;
  binding.driver->Close();  // harmless with nothing open
}

TEST(DriverLibrary, APresentLibraryInTheProgramDirectoryIsTheOneUsed) {
  DriverBinding binding = BindDriverLibrary(VANTRELL_BIN_DIR);
  EXPECT_TRUE(binding) << binding.error;
}

TEST(DriverLibrary, AMissingLibraryIsAFailureValue) {
  DriverBinding binding = BindDriverLibraryAt("/nonexistent/libOrbBulkUSB.so");
  EXPECT_FALSE(binding);
  EXPECT_FALSE(binding.error.empty());
}

TEST(DriverLibrary, AMissingExportIsAFailureValueNamingIt) {
  test::TempDir dir;
  std::filesystem::copy_file(VANTRELL_INCOMPLETE_DRIVER, dir.File(kDriverLibraryName));
  DriverBinding binding = BindDriverLibrary(dir.Path());
  EXPECT_FALSE(binding);
  EXPECT_EQ(binding.error, "missing export Close");
}

}  // namespace
}  // namespace vantrell
