#pragma once
// A stand-in program file for the resource tests: some bytes standing for
// the linked program, then the resource table the build appends; or, for
// tests of the program's own resources, a program file of this platform.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/platform/resource_table.h"
#include "fixtures/stand_in_program.h"
#include "support/temp_dir.h"

namespace vantrell::test {

inline std::vector<std::uint8_t> ProgramBody() {
  std::vector<std::uint8_t> body = {0x7F, 'E', 'L', 'F'};
  for (int i = 0; i < 300; ++i) body.push_back(static_cast<std::uint8_t>(i * 7));
  return body;
}

// Writes the body and the appended table to path; returns path.
inline std::string WriteAppendedFile(const std::string& path, const ResourceMap& resources) {
  WriteBytes(path, ProgramBody());
  std::string error;
  EXPECT_TRUE(AppendResources(path, resources, &error)) << error;
  return path;
}

// Writes a program file carrying these resources as this platform carries
// them; returns path.
inline std::string WriteProgramFile(const std::string& path, const ResourceMap& resources) {
  WriteStandInProgram(path, ProgramBody());
  std::string error;
  EXPECT_TRUE(WriteProgramResources(path, resources, &error)) << error;
  return path;
}

inline std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace vantrell::test
