#include "run_program.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "testsupport.h"

namespace fs = std::filesystem;

namespace lvhosttest {

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

fs::path FreshTestFolder(const std::string& group) {
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "_" + info->name();
  for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  fs::path folder = lvtest::Prefix() / group / name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

ProgramResult RunLumivex(const fs::path& folder, const fs::path& prefix, const std::string& args,
                         const std::string& env) {
  const fs::path program = lvtest::StageDir() / "bin" / "lumivex";
  const fs::path out = folder.parent_path() / (folder.filename().string() + ".out");
  const fs::path err = folder.parent_path() / (folder.filename().string() + ".err");
  std::string command = "cd " + ShellQuote(folder.string()) + " && " + env + " LUMIVEX_PREFIX=" +
                        ShellQuote(prefix.string()) + " " + ShellQuote(program.string()) + " " + args +
                        " </dev/null >" + ShellQuote(out.string()) + " 2>" + ShellQuote(err.string());
  int raw = std::system(command.c_str());
  ProgramResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = Slurp(out);
  result.err = Slurp(err);
  fs::remove(out);
  fs::remove(err);
  return result;
}

std::vector<std::string> FilesIn(const fs::path& folder, const std::vector<std::string>& leaveOut) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (std::find(leaveOut.begin(), leaveOut.end(), name) == leaveOut.end()) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace lvhosttest
