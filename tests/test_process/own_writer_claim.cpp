// Linked into every test program. Each test drives its own simulated
// writer, and test programs run side by side: were they to share the one
// machine-wide writer claim, they would refuse each other as busy. Each
// test process therefore claims a writer of its own name, which the
// programs it starts (vantrell-cli, Vantrell) inherit, so those still
// contend with each other exactly as on a machine with one writer.
#include <string>

#include "core/platform/writer_claim.h"
#include "support/environment.h"

#if defined(_WIN32)
#include <process.h>
#define VANTRELL_PROCESS_ID _getpid
#else
#include <unistd.h>
#define VANTRELL_PROCESS_ID getpid
#endif

namespace {

[[maybe_unused]] const bool kOwnWriterClaim = [] {
  if (std::getenv(vantrell::kWriterClaimVariable) != nullptr) return false;
  vantrell::test::SetEnvironmentValue(vantrell::kWriterClaimVariable,
                                      "test-" + std::to_string(VANTRELL_PROCESS_ID()));
  return true;
}();

}  // namespace
