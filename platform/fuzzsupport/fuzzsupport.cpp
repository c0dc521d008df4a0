// Fuzz runs share one temporary platform prefix per process; every input is
// written to the same file, so a long run does not fill the disk.
#include "fuzzsupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace lvfuzz {
namespace {

std::string g_prefix;

void RemovePrefix() {
  std::error_code ec;
  if (!g_prefix.empty()) std::filesystem::remove_all(g_prefix, ec);
}

}  // namespace

const std::string& Prefix() {
  if (g_prefix.empty()) {
    std::string templ = (std::filesystem::temp_directory_path() / "lvfuzz-XXXXXX").string();
    if (!mkdtemp(templ.data())) {
      std::fprintf(stderr, "cannot create a temporary prefix\n");
      std::abort();
    }
    g_prefix = templ;
    setenv("LUMIVEX_PREFIX", g_prefix.c_str(), 1);
    std::filesystem::create_directories(g_prefix + "/C/temp");
    std::atexit(RemovePrefix);
  }
  return g_prefix;
}

std::string WriteInput(const uint8_t* data, size_t size) {
  std::ofstream out(Prefix() + "/C/temp/fuzz-input.bin", std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) {
    std::fprintf(stderr, "cannot write the fuzz input\n");
    std::abort();
  }
  return "C:\\temp\\fuzz-input.bin";
}

}  // namespace lvfuzz
