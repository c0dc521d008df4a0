// Dialog templates (DLGTEMPLATE and DLGTEMPLATEEX) read into plain values.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace lvuser {

struct DialogItem {
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD helpId = 0;
  short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  DWORD id = 0;
  std::string className;  // ordinal classes mapped to their names
  std::string title;      // ANSI; an ordinal title becomes "#number"
  std::vector<BYTE> data; // creation data, including its leading size word
};

struct DialogTemplate {
  bool extended = false;
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD helpId = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::string menu;        // menu name or "#number"; empty for none
  std::string className;   // empty for the dialog class
  std::string title;
  bool hasFont = false;
  WORD pointSize = 0;
  WORD weight = 0;
  bool italic = false;
  BYTE charset = 0;
  std::string face;
  std::vector<DialogItem> items;
};

// Reads a template of at most `size` bytes (the template must start on a
// 4-byte boundary relative to `data`). False with a reason when it is
// truncated or malformed; nothing is read beyond size.
bool ParseDialogTemplate(const BYTE* data, size_t size, DialogTemplate* out, std::string* error);

// UTF-16 to Windows-1252 ('?' for what the code page lacks).
std::string Utf16ToAnsi(const WORD* text, size_t count);

}  // namespace lvuser
