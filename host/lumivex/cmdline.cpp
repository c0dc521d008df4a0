// Command-line parsing: one small parser per command.
#include "cmdline.h"

namespace lvhost {

namespace {

bool IsHelpFlag(const std::string& a) { return a == "--help" || a == "-h"; }

// Splits "--name=value" into name and value; returns false when there is no '='.
bool SplitInline(const std::string& arg, std::string* name, std::string* value) {
  size_t eq = arg.find('=');
  if (arg.rfind("--", 0) != 0 || eq == std::string::npos) return false;
  *name = arg.substr(0, eq);
  *value = arg.substr(eq + 1);
  return true;
}

// Takes the value of an option, inline (--opt=v) or from the next argument.
bool TakeValue(const std::vector<std::string>& args, size_t* i, const std::string& option,
               const std::string* inlineValue, std::string* value, std::string* error) {
  if (inlineValue) {
    *value = *inlineValue;
  } else {
    if (*i + 1 >= args.size()) {
      *error = "option " + option + " needs a value";
      return false;
    }
    *value = args[++*i];
  }
  if (value->empty()) {
    *error = "option " + option + " needs a value";
    return false;
  }
  return true;
}

bool ParseApplyOption(const std::vector<std::string>& args, size_t* i, ApplyOptions* apply,
                      std::string* error) {
  std::string option = args[*i], inlineValue;
  bool hasInline = SplitInline(args[*i], &option, &inlineValue);
  const std::string* inl = hasInline ? &inlineValue : nullptr;
  std::string value;
  // Options that take one value may be given once.
  std::string* single = option == "-o" || option == "--output" ? &apply->output
                        : option == "--params"                 ? &apply->paramsFile
                        : option == "--dialog"                 ? &apply->dialog
                        : option == "--screenshot"             ? &apply->screenshot
                                                               : nullptr;
  if (single && !single->empty()) {
    *error = "option " + option + " given twice";
    return false;
  }
  if (option == "-o" || option == "--output") {
    if (!TakeValue(args, i, option, inl, &value, error)) return false;
    apply->output = value;
  } else if (option == "--set") {
    if (!TakeValue(args, i, option, inl, &value, error)) return false;
    size_t eq = value.find('=');
    if (eq == std::string::npos || eq == 0) {
      *error = "--set needs NAME=VALUE, got '" + value + "'";
      return false;
    }
    apply->sets.emplace_back(value.substr(0, eq), value.substr(eq + 1));
  } else if (option == "--params") {
    if (!TakeValue(args, i, option, inl, &value, error)) return false;
    apply->paramsFile = value;
  } else if (option == "--dialog") {
    if (!TakeValue(args, i, option, inl, &value, error)) return false;
    apply->dialog = value;
  } else if (option == "--screenshot") {
    if (!TakeValue(args, i, option, inl, &value, error)) return false;
    apply->screenshot = value;
  } else {
    *error = "unknown option '" + args[*i] + "' for apply";
    return false;
  }
  return true;
}

bool ParseApply(const std::vector<std::string>& args, CommandLine* out, std::string* error) {
  std::vector<std::string> positional;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i].size() > 1 && args[i][0] == '-') {
      if (!ParseApplyOption(args, &i, &out->apply, error)) return false;
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) {
    *error = positional.size() < 2 ? "apply needs MODULE and IMAGE"
                                   : "apply takes MODULE and IMAGE only, got '" + positional[2] + "'";
    return false;
  }
  out->apply.module = positional[0];
  out->apply.input = positional[1];
  if (out->apply.output.empty()) {
    *error = "apply needs -o OUT";
    return false;
  }
  return true;
}

bool ParseModules(const std::vector<std::string>& args, CommandLine* out, std::string* error) {
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] != "--json") {
      *error = "unknown argument '" + args[i] + "' for modules";
      return false;
    }
    out->json = true;
  }
  return true;
}

bool ParseParams(const std::vector<std::string>& args, CommandLine* out, std::string* error) {
  if (args.size() != 2 || args[1].empty() || args[1][0] == '-') {
    *error = "params needs exactly one MODULE";
    return false;
  }
  out->module = args[1];
  return true;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* out, std::string* error) {
  *out = CommandLine();
  if (args.empty() || IsHelpFlag(args[0])) return true;  // the manual
  const std::string& name = args[0];
  if (name == "help") {
    if (args.size() > 2) {
      *error = "help takes at most one COMMAND";
      return false;
    }
    out->helpTopic = args.size() == 2 ? args[1] : "";
    if (HelpText(out->helpTopic).empty()) {
      *error = "no such command '" + out->helpTopic + "'";
      return false;
    }
    return true;
  }
  for (size_t i = 1; i < args.size(); ++i) {
    if (IsHelpFlag(args[i]) && !HelpText(name).empty()) {
      out->helpTopic = name;
      return true;
    }
  }
  if (name == "modules") {
    out->command = Command::Modules;
    return ParseModules(args, out, error);
  }
  if (name == "params") {
    out->command = Command::Params;
    return ParseParams(args, out, error);
  }
  if (name == "audio") {
    out->command = Command::Audio;
    out->audioArgs.assign(args.begin() + 1, args.end());
    return true;
  }
  if (name == "text") {
    out->command = Command::Text;
    out->textArgs.assign(args.begin() + 1, args.end());
    return true;
  }
  if (name == "apply") {
    out->command = Command::Apply;
    return ParseApply(args, out, error);
  }
  if (name == "convert" || name == "info" || name == "preview") {
    out->command = name == "convert" ? Command::Convert : name == "info" ? Command::Info : Command::Preview;
    return ParseFileCommand(args, &out->file, error);
  }
  *error = "unknown command '" + name + "' (see lumivex --help)";
  return false;
}

}  // namespace lvhost
