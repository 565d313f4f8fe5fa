#include "support/log_capture.h"

#include "core/text/cp949.h"

namespace vantrell::test {

std::string Cp949(const std::string& utf8) { return Utf8ToCp949(utf8); }

}  // namespace vantrell::test
