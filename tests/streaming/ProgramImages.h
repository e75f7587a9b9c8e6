// Builds small Windows programs (PE32 and PE32+) and 32-bit resource files
// in memory, for the tests of the resource walk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestResource {
  uint32_t type = 10;   // RT_RCDATA
  std::u16string name;  // empty: use id
  uint16_t id = 0;
  uint16_t language = 0;
  std::string data;
};

// A binary form stream with a root of that class and name and nothing else.
std::string TestFormStream(const std::string& className, const std::string& name);

// The bytes of the resource section for resources at section RVA `rva`:
// directory, data entries, names, data, in that order.
std::string TestResourceSection(const std::vector<TestResource>& resources, uint32_t rva);

struct TestProgramOptions {
  bool pe64 = false;
  std::string resourceSectionName = ".rsrc";
  std::vector<std::string> extraSections;  // empty sections before the resources ("UPX0" ...)
  bool withResources = true;
};
std::string TestProgram(const std::vector<TestResource>& resources, const TestProgramOptions& options = {});
// File offset and RVA of the resource section in a TestProgram.
inline constexpr uint32_t kTestResourceOffset = 0x400, kTestResourceRva = 0x2000;

std::string TestResourceFile(const std::vector<TestResource>& resources);
