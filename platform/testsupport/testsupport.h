// Helpers every test program may use.
#pragma once

#include <filesystem>

namespace lvtest {
// The staged host installation (bin/, lib/, modules/) of this build.
std::filesystem::path StageDir();
// The source tree, for test data kept beside the tests.
std::filesystem::path SourceDir();
// This run's own platform prefix.
std::filesystem::path Prefix();
}  // namespace lvtest
