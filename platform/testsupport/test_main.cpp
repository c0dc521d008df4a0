// Test programs start with an empty platform prefix of their own (drive C:,
// win.ini, the temporary folder), removed again when the run ends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "testsupport.h"

namespace lvtest {

std::filesystem::path StageDir() {
  const char* stage = std::getenv("LUMIVEX_STAGE_DIR");
  return stage ? std::filesystem::path(stage) : std::filesystem::path();
}

std::filesystem::path SourceDir() {
  const char* src = std::getenv("LUMIVEX_SOURCE_DIR");
  return src ? std::filesystem::path(src) : std::filesystem::path();
}

std::filesystem::path Prefix() {
  const char* prefix = std::getenv("LUMIVEX_PREFIX");
  return prefix ? std::filesystem::path(prefix) : std::filesystem::path();
}

}  // namespace lvtest

int main(int argc, char** argv) {
  std::string templ = (std::filesystem::temp_directory_path() / "lvtest-XXXXXX").string();
  char* dir = mkdtemp(templ.data());
  if (!dir) {
    fprintf(stderr, "cannot create a temporary prefix\n");
    return 2;
  }
  setenv("LUMIVEX_PREFIX", dir, 1);
  testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return rc;
}
