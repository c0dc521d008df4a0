// The command-string form of the media control interface: mciSendStringA
// turns "open", "set", "status" and "close" texts into mciSendCommandA calls
// and their results into text.
#include <string>
#include <vector>

#include "mci_internal.h"

namespace lvmm {

namespace {

// The words of a command; a double-quoted word may hold blanks.
bool SplitWords(LPCSTR text, std::vector<std::string>& words) {
  for (const char* p = text; *p;) {
    if (*p == ' ' || *p == '\t') {
      ++p;
      continue;
    }
    std::string word;
    if (*p == '"') {
      const char* close = ++p;
      while (*close && *close != '"') ++close;
      if (!*close) return false;
      word.assign(p, close);
      p = close + 1;
    } else {
      while (*p && *p != ' ' && *p != '\t') word += *p++;
    }
    words.push_back(word);
  }
  return true;
}

bool Is(const std::string& word, const char* keyword) { return lstrcmpiA(word.c_str(), keyword) == 0; }

// The command's words after the device name, without "wait" and "notify";
// those set MCI_WAIT and MCI_NOTIFY in `flags`.
std::vector<std::string> Arguments(const std::vector<std::string>& words, DWORD_PTR& flags) {
  std::vector<std::string> rest;
  for (size_t i = 2; i < words.size(); ++i) {
    if (Is(words[i], "wait")) {
      flags |= MCI_WAIT;
    } else if (Is(words[i], "notify")) {
      flags |= MCI_NOTIFY;
    } else {
      rest.push_back(words[i]);
    }
  }
  return rest;
}

MCIERROR Answer(const std::string& text, LPSTR ret, UINT retSize) {
  if (!ret || retSize == 0) return 0;
  lstrcpynA(ret, text.c_str(), static_cast<int>(retSize));
  return text.size() >= retSize ? MCIERR_PARAM_OVERFLOW : 0;
}

MCIERROR OpenCommand(const std::vector<std::string>& words, DWORD_PTR flags, HWND callback, LPSTR ret,
                     UINT retSize) {
  std::vector<std::string> args = Arguments(words, flags);
  std::string name = words[1], type, element, alias;
  size_t bang = name.find('!');
  if (bang != std::string::npos) {
    type = name.substr(0, bang);
    element = name.substr(bang + 1);
  } else if (Is(name, "sequencer")) {
    type = name;
  } else {
    element = name;
  }
  for (size_t i = 0; i < args.size(); ++i) {
    bool hasValue = i + 1 < args.size();
    if (Is(args[i], "type") && hasValue && type.empty()) {
      type = args[++i];
    } else if (Is(args[i], "alias") && hasValue) {
      alias = args[++i];
    } else if (!Is(args[i], "shareable")) {
      return MCIERR_UNRECOGNIZED_KEYWORD;
    }
  }
  MCI_OPEN_PARMSA p{};
  p.dwCallback = callback;
  p.lpstrDeviceType = type.c_str();
  p.lpstrElementName = element.c_str();
  p.lpstrAlias = alias.c_str();
  if (!type.empty()) flags |= MCI_OPEN_TYPE;
  if (!element.empty()) flags |= MCI_OPEN_ELEMENT;
  if (!alias.empty()) flags |= MCI_OPEN_ALIAS;
  if (MCIERROR e = mciSendCommandA(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&p))) return e;
  return Answer(std::to_string(p.wDeviceID), ret, retSize);
}

MCIERROR SetCommand(MCIDEVICEID id, const std::vector<std::string>& args, DWORD_PTR flags, HWND callback) {
  if (args.size() < 3 || !Is(args[0], "time") || !Is(args[1], "format")) return MCIERR_UNRECOGNIZED_KEYWORD;
  MCI_SET_PARMS p{};
  p.dwCallback = callback;
  if (args.size() == 3 && (Is(args[2], "milliseconds") || Is(args[2], "ms"))) {
    p.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
  } else if (args.size() == 4 && Is(args[2], "song") && Is(args[3], "pointer")) {
    p.dwTimeFormat = MCI_SEQ_FORMAT_SONGPTR;
  } else {
    return MCIERR_BAD_TIME_FORMAT;
  }
  return mciSendCommandA(id, MCI_SET, flags | MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&p));
}

struct StatusItem {
  const char* words;
  DWORD item;
};

const StatusItem kStatusItems[] = {
    {"length", MCI_STATUS_LENGTH},
    {"position", MCI_STATUS_POSITION},
    {"number of tracks", MCI_STATUS_NUMBER_OF_TRACKS},
    {"current track", MCI_STATUS_CURRENT_TRACK},
    {"mode", MCI_STATUS_MODE},
    {"ready", MCI_STATUS_READY},
    {"media present", MCI_STATUS_MEDIA_PRESENT},
    {"time format", MCI_STATUS_TIME_FORMAT},
    {"tempo", MCI_SEQ_STATUS_TEMPO},
    {"division type", MCI_SEQ_STATUS_DIVTYPE},
};

std::string DivisionTypeText(DWORD_PTR value) {
  switch (value) {
    case MCI_SEQ_DIV_SMPTE_24: return "SMPTE 24 Frame";
    case MCI_SEQ_DIV_SMPTE_25: return "SMPTE 25 Frame";
    case MCI_SEQ_DIV_SMPTE_30DROP: return "SMPTE 30 Drop Frame";
    case MCI_SEQ_DIV_SMPTE_30: return "SMPTE 30 Frame";
    default: return "PPQN";
  }
}

// The text form of a status value.
std::string StatusText(DWORD item, DWORD_PTR value) {
  switch (item) {
    case MCI_STATUS_MODE: return value == MCI_MODE_STOP ? "stopped" : "not ready";
    case MCI_STATUS_READY:
    case MCI_STATUS_MEDIA_PRESENT: return value ? "true" : "false";
    case MCI_STATUS_TIME_FORMAT: return value == MCI_SEQ_FORMAT_SONGPTR ? "song pointer" : "milliseconds";
    case MCI_SEQ_STATUS_DIVTYPE: return DivisionTypeText(value);
    default: return std::to_string(value);
  }
}

MCIERROR StatusCommand(MCIDEVICEID id, const std::vector<std::string>& args, DWORD_PTR flags, HWND callback,
                       LPSTR ret, UINT retSize) {
  std::string asked;
  for (const std::string& w : args) asked += (asked.empty() ? "" : " ") + w;
  for (const StatusItem& s : kStatusItems) {
    if (!Is(asked, s.words)) continue;
    MCI_STATUS_PARMS p{};
    p.dwCallback = callback;
    p.dwItem = s.item;
    MCIERROR e = mciSendCommandA(id, MCI_STATUS, flags | MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&p));
    return e ? e : Answer(StatusText(s.item, p.dwReturn), ret, retSize);
  }
  return asked.empty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNRECOGNIZED_KEYWORD;
}

bool IsKnownCommand(const std::string& verb) {
  for (const char* v : {"play", "stop", "pause", "resume", "seek", "record", "save", "load", "info", "capability",
                        "cue", "step"}) {
    if (Is(verb, v)) return true;
  }
  return false;
}

MCIERROR DeviceCommand(const std::vector<std::string>& words, HWND callback, LPSTR ret, UINT retSize) {
  DWORD_PTR flags = 0;
  std::vector<std::string> args = Arguments(words, flags);
  const std::string& verb = words[0];
  if (Is(verb, "close") && Is(words[1], "all")) return mciSendCommandA(MCI_ALL_DEVICE_ID, MCI_CLOSE, flags, 0);
  MCIDEVICEID id = DeviceIdByName(words[1]);
  if (!id) return MCIERR_INVALID_DEVICE_NAME;
  MCI_GENERIC_PARMS generic{callback};
  if (Is(verb, "close")) {
    if (!args.empty()) return MCIERR_UNRECOGNIZED_KEYWORD;
    return mciSendCommandA(id, MCI_CLOSE, flags, reinterpret_cast<DWORD_PTR>(&generic));
  }
  if (Is(verb, "set")) return SetCommand(id, args, flags, callback);
  if (Is(verb, "status")) return StatusCommand(id, args, flags, callback, ret, retSize);
  return IsKnownCommand(verb) ? MCIERR_UNSUPPORTED_FUNCTION : MCIERR_UNRECOGNIZED_COMMAND;
}

}  // namespace

}  // namespace lvmm

MCIERROR WINAPI mciSendStringA(LPCSTR command, LPSTR ret, UINT retSize, HWND callback) {
  if (ret && retSize) ret[0] = 0;
  if (!command) return MCIERR_MISSING_COMMAND_STRING;
  std::vector<std::string> words;
  if (!lvmm::SplitWords(command, words)) return MCIERR_NO_CLOSING_QUOTE;
  if (words.empty()) return MCIERR_MISSING_COMMAND_STRING;
  if (words.size() < 2) return MCIERR_MISSING_DEVICE_NAME;
  if (lvmm::Is(words[0], "open")) return lvmm::OpenCommand(words, 0, callback, ret, retSize);
  return lvmm::DeviceCommand(words, callback, ret, retSize);
}
