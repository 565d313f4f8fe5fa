#pragma once
// The running trace of everything the program does with the writer: one
// CP949 text file beside the executable, created empty at every start.
// Messages carry their own CR LF; nothing is added between them.
//
// Each message reaches the file at once, unless the log is told to buffer:
// an operation logging two lines a packet then costs no write a line, and
// what it logged reaches the file when buffering ends.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "core/text/format.h"

namespace vantrell {

class MessageLog {
 public:
  // Longest message written, in CP949 bytes; longer ones are cut.
  static constexpr size_t kMaxMessageBytes = 1999;

  MessageLog() = default;
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  // Creates (truncates) the file. On failure the log stays closed and every
  // later message is dropped: the program goes on without a log.
  bool Create(const std::string& path);
  void Close();
  bool IsOpen() const;

  // printf-style message, UTF-8 in the sources, CP949 in the file.
  void LogMessage(const char* format, ...) VANTRELL_PRINTF(2, 3);
  // A message taken as it is (no format interpretation).
  void LogText(std::string_view utf8);
  // Each byte as two lower-case hex digits and a space, then CR LF.
  void LogHexDump(const std::uint8_t* bytes, size_t count);

  // Pushes buffered messages to the file (tests, and before reading it).
  void Flush();
  // Buffers messages until called with false, which flushes them.
  void SetBuffered(bool buffered);

  // Hands every message the file takes to mirror as well, as UTF-8 and in
  // file order. The mirror runs under the log's lock and must not log
  // itself. An empty function ends mirroring.
  using Mirror = std::function<void(std::string_view utf8)>;
  void SetMirror(Mirror mirror);

 private:
  void Append(std::string_view utf8);

  mutable std::mutex mutex_;
  std::FILE* file_ = nullptr;
  Mirror mirror_;
  bool buffered_ = false;
};

// The log's path for an executable: its path without the extension, then " Log.txt".
std::string LogPathForExecutable(const std::string& executablePath);

}  // namespace vantrell
