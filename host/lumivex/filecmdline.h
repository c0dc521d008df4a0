// The command lines of the file commands: convert, info and preview.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace lvhost {

struct FileCommandOptions {
  std::string input;   // convert IN, info FILE, preview FILE
  std::string output;  // convert OUT, preview -o OUT
  std::string type;    // convert --type: a data-type name or code
  std::vector<std::pair<std::string, std::string>> options;  // convert --option NAME=VALUE
  bool json = false;        // info --json
  std::string screenshot;   // info --screenshot PNG
  int width = 0;            // preview WIDTHxHEIGHT
  int height = 0;
};

// Parses "convert ...", "info ..." or "preview ..." (args[0] is the command
// name). False with an error text for a missing, extra, repeated or unknown
// argument, and for an output that is the input file.
bool ParseFileCommand(const std::vector<std::string>& args, FileCommandOptions* out,
                      std::string* error);

// True when the two paths name the same file: the same existing file (also
// through links or other spellings), or, when one does not exist yet, the
// same absolute path once "." and ".." are resolved.
bool SameFile(const std::string& a, const std::string& b);

// Parses "WIDTHxHEIGHT" (each 1 .. 65535). False when it is not of that form.
bool ParsePreviewSize(const std::string& text, int* width, int* height);

}  // namespace lvhost
