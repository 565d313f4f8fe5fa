#include "cli/app/console.h"

#include <cstdio>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vantrell::cli {
namespace {

#if defined(_WIN32)

bool IsConsole(std::FILE* stream, DWORD standardHandle) {
  DWORD mode = 0;
  return _isatty(_fileno(stream)) != 0 && GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

// A file or pipe: no CR is added before LF, the JSON Lines match Linux's.
void KeepBytes(std::FILE* stream, DWORD standardHandle) {
  if (!IsConsole(stream, standardHandle)) _setmode(_fileno(stream), _O_BINARY);
}

#endif

}  // namespace

#if defined(_WIN32)

bool StandardInputIsTerminal() { return IsConsole(stdin, STD_INPUT_HANDLE); }
bool StandardOutputIsTerminal() { return IsConsole(stdout, STD_OUTPUT_HANDLE); }

ConsoleText::ConsoleText() {
  KeepBytes(stdout, STD_OUTPUT_HANDLE);
  KeepBytes(stderr, STD_ERROR_HANDLE);
  if (IsConsole(stdout, STD_OUTPUT_HANDLE) || IsConsole(stderr, STD_ERROR_HANDLE)) {
    savedCodePage_ = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
  }
}

// The console outlives the program: the shell's own output keeps its code page.
ConsoleText::~ConsoleText() {
  if (savedCodePage_ == 0) return;
  std::fflush(stdout);
  std::fflush(stderr);
  SetConsoleOutputCP(savedCodePage_);
}

#else

bool StandardInputIsTerminal() { return ::isatty(STDIN_FILENO) != 0; }
bool StandardOutputIsTerminal() { return ::isatty(STDOUT_FILENO) != 0; }

// A terminal takes UTF-8 as it comes.
ConsoleText::ConsoleText() = default;
ConsoleText::~ConsoleText() = default;

#endif

}  // namespace vantrell::cli
