// lvrc: the resource compiler.
//
//   lvrc INPUT.rc -o OUT.cpp [--depfile OUT.d] [-I DIR]...
//
// Compiles a resource script into a C++ source holding the compiled
// resources, which registers them with the platform when its module loads.
// Errors are printed as "file:line: message" and give exit status 1.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "compiler.h"
#include "diagnostics.h"

namespace {

struct Options {
  std::string input;
  std::string output;
  std::string depfile;
  std::vector<std::filesystem::path> includeDirs;
};

bool ParseArgs(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    std::string dir;
    if (a == "-o") {
      if (!value(o.output)) return false;
    } else if (a == "--depfile") {
      if (!value(o.depfile)) return false;
    } else if (a == "-I") {
      if (!value(dir)) return false;
      o.includeDirs.emplace_back(dir);
    } else if (a.rfind("-I", 0) == 0 && a.size() > 2) {
      o.includeDirs.emplace_back(a.substr(2));
    } else if (!a.empty() && a[0] != '-' && o.input.empty()) {
      o.input = a;
    } else {
      return false;
    }
  }
  return !o.input.empty() && !o.output.empty();
}

// Writes through a temporary file so that a failed run leaves no partial output.
bool WriteFile(const std::string& path, const std::string& text) {
  std::string tmp = path + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << text;
    if (!out.flush()) return false;
  }
  std::error_code ec;
  std::filesystem::rename(tmp, path, ec);
  return !ec;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseArgs(argc, argv, o)) {
    std::fprintf(stderr, "usage: lvrc INPUT.rc -o OUT.cpp [--depfile OUT.d] [-I DIR]...\n");
    return 1;
  }
  try {
    lvrc::Compilation c = lvrc::CompileScript(o.input, o.includeDirs);
    std::string name = std::filesystem::path(o.input).filename().string();
    if (!WriteFile(o.output, lvrc::GeneratedSource(c.blob, name))) {
      std::fprintf(stderr, "%s: cannot write output\n", o.output.c_str());
      return 1;
    }
    if (!o.depfile.empty() && !WriteFile(o.depfile, lvrc::DepfileText(o.output, c.filesRead))) {
      std::fprintf(stderr, "%s: cannot write dependency file\n", o.depfile.c_str());
      return 1;
    }
  } catch (const lvrc::RcError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", o.input.c_str(), e.what());
    return 1;
  }
  return 0;
}
