// The dispatcher's list of formats: the built-in ones and those of the
// loaded file-I/O modules, each served through the module entry types.
#pragma once

#include <fioapi.h>
#include <filedata.h>

#include <string>
#include <vector>

namespace tf {

// Fills the defaults of a new record for writing in the format (save
// options, format tag and number).
using DefaultsFunction = void (*)(TFFILEDATA* record);
// True when the first bytes of a file (size of them given) are the format's.
using SniffFunction = bool (*)(const BYTE* head, DWORD size);

struct FormatEntry {
  TFFORMATINFO info = {};            // the information record handed out
  HMODULE module = 0;                // the .fio module, 0 for built-in formats
  TFBMPGETFILEDATA getFileData = nullptr;
  TFBMPFILEREAD fileRead = nullptr;
  TFBMPFILEWRITE fileWrite = nullptr;          // nullptr: cannot write
  TFBMPSHOWDLGSAVEOPTION showSaveOption = nullptr;
  DefaultsFunction defaults = nullptr;         // built-in formats only
  SniffFunction sniff = nullptr;               // built-in formats only
  bool writesBands = false;                    // writes each band into the file as it comes
  LONG feedTypes = TF_DT_ALL;                  // data types its write takes; others are converted
};

// Every format, loading the modules on first use.
std::vector<FormatEntry>& Formats();
// The entry of an index, or nullptr.
const FormatEntry* FormatAt(LONG index);
// Index of the format whose short name or extension is name; -1 when none.
LONG FindFormatByName(const std::string& name);
// Extension of a path without the dot ("" when none).
std::string ExtensionOf(const std::string& path);
// Frees the loaded modules; the list is made again on next use.
void UnloadModules();
// Chooses the modules folder (nullptr: the default) and unloads the modules.
void ChooseModulesFolder(const char* folder);

}  // namespace tf
