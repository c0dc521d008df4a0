// The program's commands; each returns the exit status and prints its own
// messages (results on stdout, problems on stderr as one line each).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "cmdline.h"

namespace lvhost {

int RunModulesCommand(bool json);
int RunParamsCommand(const std::string& module);
int RunApplyCommand(const ApplyOptions& options);
// lumivex audio FILE... [--json] [--thumbnail OUT] [--screenshot PNG]; `args`
// are the arguments after the command name.
int RunAudioCommand(const std::vector<std::string>& args);
int RunConvertCommand(const FileCommandOptions& options);
int RunInfoCommand(const FileCommandOptions& options);
int RunPreviewCommand(const FileCommandOptions& options);
// lumivex text ...: a text effect on text or objects; `args` are the
// arguments after the command name, parsed by the command.
int RunTextCommand(const std::vector<std::string>& args);

// Prints "lumivex: <text>" on stderr.
void PrintError(const std::string& text);

// Data-type bits as names ("RGB", "grey", ...), in bit order.
std::vector<std::string> DataTypeNames(LONG dataTypes);

}  // namespace lvhost
