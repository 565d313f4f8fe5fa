#pragma once
// Program files carrying companion tools, and waiting for a started tool to
// show that it ran.
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "core/platform/resource_table.h"
#include "fixtures/stand_in_program.h"
#include "support/temp_dir.h"

namespace vantrell::test {

// A tool that, started, leaves marker in its working directory: a shell
// script, or on Windows an executable that reads the marker's name from the
// text after its image.
inline std::string ScriptLeaving(const std::string& marker) {
#if defined(_WIN32)
  return ReadBytes(VANTRELL_BIN_DIR "/marker_tool.exe") + "\nmarker: " + marker + "\n";
#else
  return "#!/bin/sh\necho started > " + marker + "\n";
#endif
}

inline std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A program file carrying these resources (and a device list's worth of
// other bytes before them).
inline std::string WriteProgramFile(const TempDir& dir, const ResourceMap& resources) {
  const std::string path = ProgramFilePath(dir.Path());
  WriteStandInProgram(path, std::vector<std::uint8_t>(64, 'P'));
  WriteProgramResources(path, resources);
  return path;
}

// Whether a started tool has left its marker within a generous time.
inline bool MarkerAppears(const std::string& path) {
  for (int i = 0; i < 1000; ++i) {
    if (std::filesystem::exists(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

}  // namespace vantrell::test
