// The preprocessor of resource scripts: #include, #define (object-like),
// #undef, conditionals with integer expressions and defined(), comments.
// Its result is the list of script lines with macros expanded.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "diagnostics.h"

namespace lvrc {

struct SourceLine {
  Location where;
  std::string text;  // comments removed, macros expanded
};

class Preprocessor {
 public:
  // `includeDirs` are searched after the folder of the including file.
  explicit Preprocessor(std::vector<std::filesystem::path> includeDirs);

  // Preprocesses the script at `path`; throws RcError on the first error.
  std::vector<SourceLine> Run(const std::filesystem::path& path);

  // Every file opened so far, in the order first opened.
  const std::vector<std::filesystem::path>& FilesRead() const { return filesRead_; }

  // Finds a file named in the script (include or resource file): as given
  // when absolute, else beside `relativeTo`, else in the include folders.
  std::filesystem::path Resolve(const std::string& name, const std::filesystem::path& relativeTo) const;

  // Records that a file was read (for the dependency list).
  void NoteFileRead(const std::filesystem::path& path);

  // Expands the macros in one line of text (strings are left alone).
  std::string Expand(const std::string& text, const Location& where) const;

 private:
  struct Macro {
    std::string replacement;
    bool functionLike = false;  // kept for defined(); never expanded
  };
  struct Conditional {
    bool parentActive;  // lines outside this conditional were active
    bool taken;         // some branch has been taken already
    bool active;        // the current branch is active
    bool sawElse;
  };
  struct FileState;

  void ProcessFile(const std::filesystem::path& path, const Location& from);
  void Directive(FileState& f, const std::string& line, const Location& where);
  void Include(FileState& f, const std::string& arg, const Location& where);
  void Define(const std::string& arg, const Location& where);
  bool Evaluate(const std::string& expr, const Location& where) const;
  void LoadBuiltins();
  bool Active() const;
  void ExpandInto(const std::string& text, const Location& where, std::set<std::string>& busy,
                  std::string& out, int depth) const;

  std::vector<std::filesystem::path> includeDirs_;
  std::vector<std::filesystem::path> filesRead_;
  std::set<std::filesystem::path> pragmaOnce_;
  std::map<std::string, Macro> macros_;
  std::vector<Conditional> conditionals_;
  std::vector<SourceLine> out_;
  bool builtinsLoaded_ = false;
  int depth_ = 0;
};

// Reads a whole file; throws RcError naming `where` when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path, const Location& where);

}  // namespace lvrc
