// The lumivex command line, parsed into what each command needs.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "filecmdline.h"

namespace lvhost {

enum class Command { Help, Modules, Params, Apply, Audio, Convert, Info, Preview, Text };

struct ApplyOptions {
  std::string module;                                     // name or path of a .tpi
  std::string input;                                      // image file
  std::string output;                                     // -o
  std::vector<std::pair<std::string, std::string>> sets;  // --set NAME=VALUE, in order
  std::string paramsFile;                                 // --params, raw parameter block
  std::string dialog;                                     // --dialog: script path or "auto"
  std::string screenshot;                                 // --screenshot PNG
  bool json = false;                                      // (unused by apply)
};

struct CommandLine {
  Command command = Command::Help;
  std::string helpTopic;  // for Help: "" (the whole program) or a command name
  bool json = false;      // modules --json
  std::string module;     // params MODULE
  ApplyOptions apply;
  std::vector<std::string> audioArgs;  // audio: the arguments after the command, parsed by the command
  FileCommandOptions file;  // convert, info, preview
  std::vector<std::string> textArgs;  // text: the arguments after the command, parsed by the command
};

// Parses the arguments after the program name. False with an error text for
// an unknown command or option, a missing or extra argument.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* out, std::string* error);

// The manual text: the whole program's (topic "") or one command's; empty
// for an unknown topic.
std::string HelpText(const std::string& topic);

}  // namespace lvhost
