#include "core/update/version_order.h"

#include <gtest/gtest.h>

namespace vantrell {
namespace {

struct Case {
  const char* installed;
  const char* published;
  bool atLeast;
};

TEST(VersionOrderTest, OrdersInstalledAgainstPublished) {
  const Case cases[] = {
      {"1.0", "1.0", true},
      {"it's 1", "it's 1", true},        // equal texts, apostrophe and all
      {"1.10", "1.9", true},             // numbers, not text
      {"1.9", "1.10", false},
      {"1.2", "1.2.0", true},            // a missing segment counts as 0
      {"1.2.0", "1.2", true},
      {"1.2", "1.2.1", false},
      {"1.02", "1.2", true},             // leading zeros
      {"2.0", "10.0", false},
      {"1.123456789012345678901", "1.99999999999999999999", true},  // longer than any integer type
      {"1.0b", "1.0a", true},            // not numbers: text order
      {"1.0a", "1.0b", false},
      {"1.10a", "1.9", false},           // one side not a number: text order
      {"1..2", "1.1", false},            // an empty segment is no number: text order
      {"", "1.0", false},
      {"o'brien 2", "o'brien 10", true},  // text order, apostrophes harmless
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VersionAtLeast(c.installed, c.published), c.atLeast) << c.installed << " >= " << c.published;
  }
}

}  // namespace
}  // namespace vantrell
