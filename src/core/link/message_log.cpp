#include "core/link/message_log.h"

#include <cstdarg>

#include "core/platform/utf8_file.h"
#include "core/text/cp949.h"

namespace vantrell {

namespace {

// Room for a few thousand lines between writes to the file.
constexpr size_t kFileBufferBytes = 256 * 1024;

}  // namespace

MessageLog::~MessageLog() { Close(); }

bool MessageLog::Create(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (file_) std::fclose(file_);
  file_ = OpenUtf8File(path, "wb");
  if (file_) std::setvbuf(file_, nullptr, _IOFBF, kFileBufferBytes);
  return file_ != nullptr;
}

void MessageLog::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

bool MessageLog::IsOpen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return file_ != nullptr;
}

void MessageLog::Flush() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (file_) std::fflush(file_);
}

void MessageLog::SetBuffered(bool buffered) {
  std::lock_guard<std::mutex> lock(mutex_);
  buffered_ = buffered;
  if (!buffered_ && file_) std::fflush(file_);
}

void MessageLog::LogMessage(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = FormatTextV(format, args);
  va_end(args);
  Append(text);
}

void MessageLog::LogText(std::string_view utf8) { Append(utf8); }

void MessageLog::LogHexDump(const std::uint8_t* bytes, size_t count) {
  static const char kDigits[] = "0123456789abcdef";
  std::string line;
  line.reserve(count * 3 + 2);
  for (size_t i = 0; i < count; ++i) {
    line.push_back(kDigits[bytes[i] >> 4]);
    line.push_back(kDigits[bytes[i] & 0x0F]);
    line.push_back(' ');
  }
  line += "\r\n";
  Append(line);
}

void MessageLog::SetMirror(Mirror mirror) {
  std::lock_guard<std::mutex> lock(mutex_);
  mirror_ = std::move(mirror);
}

void MessageLog::Append(std::string_view utf8) {
  const std::string bytes = TruncateCp949(Utf8ToCp949(utf8), kMaxMessageBytes);
  std::lock_guard<std::mutex> lock(mutex_);
  if (!file_) return;
  if (mirror_) mirror_(utf8);
  // A failed append (a full disk) is dropped like a missing log.
  std::fwrite(bytes.data(), 1, bytes.size(), file_);
  if (!buffered_) std::fflush(file_);
}

std::string LogPathForExecutable(const std::string& executablePath) {
  // Drop the extension with its dot; a name without one loses nothing.
  const size_t slash = executablePath.find_last_of("/\\");
  const size_t dot = executablePath.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::string stem = hasExtension ? executablePath.substr(0, dot) : executablePath;
  return stem + " Log.txt";
}

}  // namespace vantrell
