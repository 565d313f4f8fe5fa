#pragma once
// A message log written to a temporary file, read back as raw bytes.
#include <string>

#include "core/link/message_log.h"
#include "support/temp_dir.h"

namespace vantrell::test {

class LogCapture {
 public:
  LogCapture() { log.Create(dir_.File("Vantrell Log.txt")); }
  // The file's bytes so far (CP949).
  std::string Bytes() {
    log.Flush();
    return ReadBytes(dir_.File("Vantrell Log.txt"));
  }
  MessageLog log;

 private:
  TempDir dir_;
};

// UTF-8 text as the log stores it.
std::string Cp949(const std::string& utf8);

}  // namespace vantrell::test
