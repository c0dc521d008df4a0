// Command-line parsing of the file commands.
#include "filecmdline.h"

#include <cstdlib>
#include <filesystem>

#include "imageio.h"

namespace lvhost {

namespace {

// Takes an option's value, inline ("--type=rgb") or from the next argument.
bool OptionValue(const std::vector<std::string>& args, size_t* i, const std::string& name,
                 std::string* value, std::string* error) {
  const std::string& arg = args[*i];
  if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 && arg[name.size()] == '=') {
    *value = arg.substr(name.size() + 1);
  } else if (*i + 1 < args.size()) {
    *value = args[++*i];
  } else {
    value->clear();
  }
  if (value->empty()) {
    *error = "option " + name + " needs a value";
    return false;
  }
  return true;
}

// Takes a value for an option that may be given once: TARGET must still be
// empty.
bool SingleValue(const std::vector<std::string>& args, size_t* i, const std::string& name, std::string* target,
                 std::string* error) {
  if (!target->empty()) {
    *error = "option " + name + " given twice";
    return false;
  }
  return OptionValue(args, i, name, target, error);
}

// True when ARG is the option NAME, alone or with "=value".
bool IsOption(const std::string& arg, const std::string& name) {
  return arg == name || arg.rfind(name + "=", 0) == 0;
}

bool ParseConvertOption(const std::vector<std::string>& args, size_t* i, FileCommandOptions* out,
                        std::string* error) {
  std::string value;
  if (IsOption(args[*i], "--type")) {
    return SingleValue(args, i, "--type", &out->type, error);
  }
  if (IsOption(args[*i], "--option")) {
    if (!OptionValue(args, i, "--option", &value, error)) return false;
    size_t eq = value.find('=');
    if (eq == std::string::npos || eq == 0) {
      *error = "--option needs NAME=VALUE, got '" + value + "'";
      return false;
    }
    out->options.emplace_back(value.substr(0, eq), value.substr(eq + 1));
    return true;
  }
  *error = "unknown option '" + args[*i] + "' for convert";
  return false;
}

bool ParseInfoOption(const std::vector<std::string>& args, size_t* i, FileCommandOptions* out,
                     std::string* error) {
  if (args[*i] == "--json") {
    out->json = true;
    return true;
  }
  if (IsOption(args[*i], "--screenshot")) return SingleValue(args, i, "--screenshot", &out->screenshot, error);
  *error = "unknown option '" + args[*i] + "' for info";
  return false;
}

bool ParsePreviewOption(const std::vector<std::string>& args, size_t* i, FileCommandOptions* out,
                        std::string* error) {
  if (IsOption(args[*i], "-o")) return SingleValue(args, i, "-o", &out->output, error);
  if (IsOption(args[*i], "--output")) return SingleValue(args, i, "--output", &out->output, error);
  *error = "unknown option '" + args[*i] + "' for preview";
  return false;
}

// Sorts the arguments after the command name into options and positionals.
bool SplitArguments(const std::vector<std::string>& args, FileCommandOptions* out,
                    std::vector<std::string>* positional, std::string* error) {
  const std::string& command = args[0];
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i].size() < 2 || args[i][0] != '-') {
      positional->push_back(args[i]);
      continue;
    }
    bool ok = command == "convert" ? ParseConvertOption(args, &i, out, error)
              : command == "info"  ? ParseInfoOption(args, &i, out, error)
                                   : ParsePreviewOption(args, &i, out, error);
    if (!ok) return false;
  }
  return true;
}

bool CheckCount(const std::vector<std::string>& positional, size_t wanted, const std::string& usage,
                std::string* error) {
  if (positional.size() == wanted) return true;
  *error = positional.size() < wanted ? usage
                                      : usage + ", got the extra argument '" + positional[wanted] + "'";
  return false;
}

// Refuses an output that would replace the input.
bool CheckNotInput(const FileCommandOptions& options, std::string* error) {
  if (!SameFile(options.input, options.output)) return true;
  *error = "the output '" + options.output + "' is the input file; give another name";
  return false;
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec) && !ec;
  fs::path left = fs::absolute(a, ec).lexically_normal(), right = fs::absolute(b, ec).lexically_normal();
  return left == right;
}

bool ParsePreviewSize(const std::string& text, int* width, int* height) {
  size_t x = text.find_first_of("xX");
  if (x == std::string::npos || x == 0 || x + 1 >= text.size()) return false;
  std::string w = text.substr(0, x), h = text.substr(x + 1);
  if (w.find_first_not_of("0123456789") != std::string::npos ||
      h.find_first_not_of("0123456789") != std::string::npos || w.size() > 5 || h.size() > 5) {
    return false;
  }
  *width = std::atoi(w.c_str());
  *height = std::atoi(h.c_str());
  return *width >= 1 && *width <= 65535 && *height >= 1 && *height <= 65535;
}

bool ParseFileCommand(const std::vector<std::string>& args, FileCommandOptions* out,
                      std::string* error) {
  std::vector<std::string> positional;
  if (!SplitArguments(args, out, &positional, error)) return false;
  const std::string& command = args[0];
  if (command == "convert") {
    if (!CheckCount(positional, 2, "convert needs IN and OUT", error)) return false;
    out->input = positional[0];
    out->output = positional[1];
    return CheckNotInput(*out, error);
  }
  if (command == "info") {
    if (!CheckCount(positional, 1, "info needs one FILE", error)) return false;
    out->input = positional[0];
    if (out->screenshot.empty()) return true;
    if (FormatFromExtension(out->screenshot) != ImageFormat::Png) {
      *error = "cannot write '" + out->screenshot + "': a screenshot is a .png file";
      return false;
    }
    if (SameFile(out->input, out->screenshot)) {
      *error = "the screenshot '" + out->screenshot + "' is the input file; give another name";
      return false;
    }
    return true;
  }
  if (!CheckCount(positional, 2, "preview needs FILE and WIDTHxHEIGHT", error)) return false;
  out->input = positional[0];
  if (!ParsePreviewSize(positional[1], &out->width, &out->height)) {
    *error = "preview size '" + positional[1] + "' is not WIDTHxHEIGHT (1 .. 65535 each)";
    return false;
  }
  if (out->output.empty()) {
    *error = "preview needs -o OUT";
    return false;
  }
  return CheckNotInput(*out, error);
}

}  // namespace lvhost
