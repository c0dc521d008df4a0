// The end-to-end tests' way of running the staged lumivex program as a user
// would: in a folder of the test's own, with a prefix of its own, stdin from
// /dev/null, and its status and both outputs captured.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lvhosttest {

struct ProgramResult {
  int status = -1;  // exit status, -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// The whole content of a file ("" when it cannot be read).
std::string Slurp(const std::filesystem::path& path);

// The text quoted for the shell, whatever it holds.
std::string ShellQuote(const std::string& text);

// A fresh, empty folder for the current test below the test prefix:
// <prefix>/<group>/<suite>_<test>.
std::filesystem::path FreshTestFolder(const std::string& group);

// Runs "lumivex ARGS" in FOLDER with LUMIVEX_PREFIX=PREFIX, after the shell
// assignments in ENV. The outputs are captured beside FOLDER, so the folder
// holds only what the program wrote.
ProgramResult RunLumivex(const std::filesystem::path& folder, const std::filesystem::path& prefix,
                         const std::string& args, const std::string& env = "");

// The names of FOLDER's entries except those in LEAVE OUT, sorted.
std::vector<std::string> FilesIn(const std::filesystem::path& folder, const std::vector<std::string>& leaveOut);

}  // namespace lvhosttest
