#pragma once
// Which stages a download run performs, named after their saved settings.
namespace vantrell {

struct RunOptions {
  bool eraseAll = false;  // CheckEraseAll: every sector before the files
  bool erase = false;     // CheckErase: per file, the sectors it covers
  bool blank = false;     // CheckBlank: after each per-file erase; alone, the whole flash
  bool program = false;   // CheckProgram: program each file (and count the run)
  bool verify = false;    // CheckVerify: verify each file

  static RunOptions BlankCheckOnly() { return {.blank = true}; }
  static RunOptions ProgramOnly() { return {.program = true}; }
  static RunOptions VerifyOnly() { return {.verify = true}; }

  // Nothing but a blank check (or nothing at all) was asked for.
  bool IsBlankCheckOnly() const { return !eraseAll && !erase && !program && !verify; }
  bool operator==(const RunOptions&) const = default;
};

}  // namespace vantrell
