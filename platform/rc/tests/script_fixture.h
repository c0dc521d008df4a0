// Compiles scripts written into a scratch folder and finds what they made.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <string>
#include <vector>

#include "compiler.h"
#include "testsupport.h"

namespace lvrctest {

class ScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    dir_ = lvtest::Prefix() / ("rc" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
  }

  // Writes a file (script, header or data) into the scratch folder.
  void Write(const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories((dir_ / name).parent_path());
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }

  // Compiles `script` as t.rc.
  lvrc::Compilation Compile(const std::string& script, std::vector<std::filesystem::path> includeDirs = {}) {
    Write("t.rc", script);
    return lvrc::CompileScript(dir_ / "t.rc", includeDirs);
  }

  // The error message compiling `script` gives, with the folder removed.
  std::string ErrorOf(const std::string& script) {
    try {
      Compile(script);
    } catch (const lvrc::RcError& e) {
      std::string m = e.what();
      std::string prefix = dir_.string() + "/";
      if (m.rfind(prefix, 0) == 0) m = m.substr(prefix.size());
      return m;
    }
    return "(no error)";
  }

  std::filesystem::path dir_;
};

// The data of the resource with the given type and name (ordinals).
inline const std::vector<uint8_t>* FindData(const lvrc::Compilation& c, uint16_t type, uint16_t name) {
  for (const auto& r : c.resources)
    if (!r.type.isName && r.type.ordinal == type && !r.name.isName && r.name.ordinal == name) return &r.data;
  return nullptr;
}

// Little-endian byte assembly for expected resource data.
struct Bytes {
  std::vector<uint8_t> b;
  Bytes& u8(uint8_t v) { b.push_back(v); return *this; }
  Bytes& u16(uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
  Bytes& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  Bytes& wstr(const std::u16string& s) {
    for (char16_t c : s) u16(c);
    return u16(0);
  }
  Bytes& pad4() {
    while (b.size() % 4) b.push_back(0);
    return *this;
  }
};

}  // namespace lvrctest
