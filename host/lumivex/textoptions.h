// The command line of `lumivex text` and its manual.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lvhost {

// An --object IMAGE[@X,Y] option.
struct ObjectPlacement {
  std::string path;
  bool hasPosition = false;
  int x = 0;
  int y = 0;
};

struct TextOptions {
  std::string text;                 // TEXT (when no --object)
  bool hasText = false;
  std::string font;                 // --font; empty: the default font
  int size = 72;                    // --size PX
  uint32_t colour = 0x000000;       // --color #rrggbb (0xRRGGBB)
  int effect = -1;                  // --effect NAME, as effect number
  std::vector<std::pair<std::string, std::string>> sets;  // --set NAME=VALUE, in order
  std::string base;                 // --on BASE
  bool hasAt = false;               // --at X,Y
  int atX = 0;
  int atY = 0;
  bool hasBackground = false;       // --background #rrggbb
  uint32_t background = 0xffffff;
  std::vector<ObjectPlacement> objects;  // --object IMAGE[@X,Y]...
  std::string output;               // -o OUT
  std::string objectOut;            // --object-out OBJ.png
  std::string variations;           // --variations SHEET.png
  bool json = false;                // --json
};

// Parses the arguments after "text". False with an error text for unknown
// options, missing or malformed values, an unknown effect, or options that
// do not go together: an option given twice, an output that would replace
// an input (base, object, font) or another output.
bool ParseTextArgs(const std::vector<std::string>& args, TextOptions* options, std::string* error);

// "X,Y" (each may be negative); false for anything else or values beyond
// the image limits.
bool ParsePosition(const std::string& text, int* x, int* y);

// The file --object-out OBJ writes for result INDEX (from 0) of COUNT: OBJ
// itself for one result, else OBJ-1.png, OBJ-2.png, ... beside it.
std::string ObjectOutName(const std::string& objectOut, size_t index, size_t count);

// The manual of the text command, with every effect's parameters.
std::string TextHelpText();

}  // namespace lvhost
