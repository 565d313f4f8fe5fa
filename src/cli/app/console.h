#pragma once
// The standard streams as the operator's terminal sees them. Text inside
// the program is UTF-8; a Windows console shows it as such only once told,
// and a file or pipe gets the very bytes Linux writes.
namespace vantrell::cli {

// Whether standard input / standard output is a terminal (on Windows a
// console: the NUL device is a character device too, but no terminal).
bool StandardInputIsTerminal();
bool StandardOutputIsTerminal();

// While it lives, UTF-8 written to a console comes out as the text it is
// (on Windows the console's output code page is UTF-8, as it was again
// afterwards); standard output and error that are files or pipes get the
// bytes unchanged, line ends included.
class ConsoleText {
 public:
  ConsoleText();
  ~ConsoleText();
  ConsoleText(const ConsoleText&) = delete;
  ConsoleText& operator=(const ConsoleText&) = delete;

 private:
  unsigned int savedCodePage_ = 0;
};

}  // namespace vantrell::cli
