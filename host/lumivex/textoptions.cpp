// Command-line parsing and the manual of `lumivex text`.
#include "textoptions.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <set>

#include "filecmdline.h"
#include "image.h"
#include "imageio.h"
#include "textparams.h"
#include "textrender.h"

namespace lvhost {

namespace {

bool ParseNumber(const std::string& text, int64_t low, int64_t high, int* value) {
  const char* first = text.data();
  const char* last = first + text.size();
  int64_t v = 0;
  auto [end, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || end != last || first == last || v < low || v > high) return false;
  *value = static_cast<int>(v);
  return true;
}

// IMAGE or IMAGE@X,Y.
ObjectPlacement ParseObjectPlacement(const std::string& text) {
  ObjectPlacement placement;
  placement.path = text;
  size_t at = text.rfind('@');
  if (at != std::string::npos && at > 0 && ParsePosition(text.substr(at + 1), &placement.x, &placement.y)) {
    placement.path = text.substr(0, at);
    placement.hasPosition = true;
  }
  return placement;
}

// Takes one option with its value; false with an error text.
bool TakeOption(const std::string& option, const std::string& value, TextOptions* o, std::string* error) {
  if (option == "--font") {
    o->font = value;
  } else if (option == "--size") {
    if (!ParseNumber(value, kMinTextSize, kMaxTextSize, &o->size))
      *error = "--size takes a pixel size " + std::to_string(kMinTextSize) + ".." + std::to_string(kMaxTextSize) +
               ", got '" + value + "'";
  } else if (option == "--color" || option == "--colour") {
    if (!ParseHexColour(value, &o->colour)) *error = option + " takes #rrggbb, got '" + value + "'";
  } else if (option == "--background") {
    o->hasBackground = ParseHexColour(value, &o->background);
    if (!o->hasBackground) *error = "--background takes #rrggbb, got '" + value + "'";
  } else if (option == "--effect") {
    o->effect = FindTextEffect(value);
    if (o->effect < 0) *error = "unknown effect '" + value + "' (see lumivex text --help)";
  } else if (option == "--set") {
    size_t eq = value.find('=');
    if (eq == std::string::npos || eq == 0) *error = "--set needs NAME=VALUE, got '" + value + "'";
    else o->sets.emplace_back(value.substr(0, eq), value.substr(eq + 1));
  } else if (option == "--at") {
    o->hasAt = ParsePosition(value, &o->atX, &o->atY);
    if (!o->hasAt) *error = "--at takes X,Y, got '" + value + "'";
  } else if (option == "--object") {
    o->objects.push_back(ParseObjectPlacement(value));
  } else {
    std::string* target = option == "-o" || option == "--output" ? &o->output
                          : option == "--on"                      ? &o->base
                          : option == "--object-out"              ? &o->objectOut
                          : option == "--variations"              ? &o->variations
                                                                  : nullptr;
    if (!target) {
      *error = "unknown option '" + option + "' for text";
      return false;
    }
    *target = value;
  }
  return error->empty();
}

// Options that take one value and may be given once, under one spelling.
std::string SingleValuedName(const std::string& option) {
  if (option == "-o" || option == "--output") return "-o";
  if (option == "--color" || option == "--colour") return "--color";
  for (const char* name : {"--font", "--size", "--background", "--effect", "--at", "--on", "--object-out",
                           "--variations"}) {
    if (option == name) return name;
  }
  return "";
}

// The files the run writes: OUT, the sheet and the objects (numbered when
// there are several).
std::vector<std::string> OutputNames(const TextOptions& o) {
  std::vector<std::string> names;
  for (const std::string* path : {&o.output, &o.variations}) {
    if (!path->empty()) names.push_back(*path);
  }
  if (o.objectOut.empty()) return names;
  size_t count = std::max<size_t>(o.objects.size(), 1);
  for (size_t i = 0; i < count; ++i) names.push_back(ObjectOutName(o.objectOut, i, count));
  return names;
}

// No output may replace an input (base, object, font) or another output.
bool CheckOutputsApart(const TextOptions& o, std::string* error) {
  std::vector<std::string> inputs;
  if (!o.base.empty()) inputs.push_back(o.base);
  if (!o.font.empty()) inputs.push_back(o.font);
  for (const ObjectPlacement& object : o.objects) inputs.push_back(object.path);
  std::vector<std::string> outputs = OutputNames(o);
  for (size_t i = 0; i < outputs.size(); ++i) {
    for (const std::string& input : inputs) {
      if (SameFile(outputs[i], input)) {
        *error = "the output '" + outputs[i] + "' is the input file '" + input + "'; give another name";
        return false;
      }
    }
    for (size_t j = 0; j < i; ++j) {
      if (SameFile(outputs[i], outputs[j])) {
        *error = "'" + outputs[i] + "' is named for two outputs; give each its own name";
        return false;
      }
    }
  }
  return true;
}

bool IsPng(const std::string& path) { return FormatFromExtension(path) == ImageFormat::Png; }

// Rules between options.
bool CheckCombination(const TextOptions& o, std::string* error) {
  const bool textStyle = !o.font.empty() || o.size != 72 || o.colour != 0;
  if (o.effect < 0) *error = "text needs --effect NAME";
  else if (o.hasText == !o.objects.empty()) *error = "text needs either TEXT or --object IMAGE (not both)";
  else if (!o.objects.empty() && textStyle) *error = "--font, --size and --color apply to TEXT only";
  else if (o.output.empty() && o.variations.empty()) *error = "text needs -o OUT or --variations SHEET";
  else if (!o.variations.empty() && o.objects.size() > 1) *error = "--variations takes one object";
  else if (!o.output.empty() && FormatFromExtension(o.output) == ImageFormat::Unknown)
    *error = "cannot write '" + o.output + "': the name must end in .png or .bmp";
  else if (!o.output.empty() && o.base.empty() && !o.hasBackground && !IsPng(o.output))
    *error = "cannot write '" + o.output + "': a result with transparency is a .png file (or give --background)";
  else if (!o.objectOut.empty() && !IsPng(o.objectOut))
    *error = "cannot write '" + o.objectOut + "': --object-out writes a .png file";
  else if (!o.variations.empty() && FormatFromExtension(o.variations) == ImageFormat::Unknown)
    *error = "cannot write '" + o.variations + "': the name must end in .png or .bmp";
  return error->empty() && CheckOutputsApart(o, error);
}

}  // namespace

std::string ObjectOutName(const std::string& objectOut, size_t index, size_t count) {
  if (count == 1) return objectOut;
  std::filesystem::path p(objectOut);
  return (p.parent_path() / (p.stem().string() + "-" + std::to_string(index + 1) + p.extension().string())).string();
}

bool ParsePosition(const std::string& text, int* x, int* y) {
  size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  return ParseNumber(text.substr(0, comma), -kMaxImageSide, kMaxImageSide, x) &&
         ParseNumber(text.substr(comma + 1), -kMaxImageSide, kMaxImageSide, y);
}

bool ParseTextArgs(const std::vector<std::string>& args, TextOptions* o, std::string* error) {
  *o = TextOptions();
  error->clear();
  bool optionsEnded = false;
  std::set<std::string> given;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!optionsEnded && a == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && a == "--json") {
      o->json = true;
    } else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
      std::string option = a, value;
      size_t eq = a.find('=');
      if (a.rfind("--", 0) == 0 && eq != std::string::npos) {
        option = a.substr(0, eq), value = a.substr(eq + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      }
      if (value.empty()) {
        *error = "option " + option + " needs a value";
        return false;
      }
      std::string single = SingleValuedName(option);
      if (!single.empty() && !given.insert(single).second) {
        *error = "option " + option + " given twice";
        return false;
      }
      if (!TakeOption(option, value, o, error)) return false;
    } else if (o->hasText) {
      *error = "text takes one TEXT, got also '" + a + "' (quote text with spaces)";
      return false;
    } else {
      o->text = a;
      o->hasText = true;
    }
  }
  return CheckCombination(*o, error);
}

std::string TextHelpText() {
  return "lumivex text TEXT --effect NAME -o OUT.png [options]\n"
         "lumivex text --object IMAGE.png[@X,Y]... --effect NAME -o OUT.png [options]\n"
         "\n"
         "Draws TEXT on one line with FreeType into an object (its colour image\n"
         "filled with --color, its mask the glyphs' coverage, the tight box of the\n"
         "ink plus " + std::to_string(kTextBorder) + " pixels on every side), or takes "
         "objects from PNG files (colour\n"
         "plus alpha as the mask), runs a text effect of texteffects.tpi on them\n"
         "without its dialog, and writes the result.\n"
         "\n"
         "Options:\n"
         "  --effect NAME          the effect (required): its German name, its ASCII\n"
         "                         form or the English alias listed below\n"
         "  --set NAME=VALUE       an effect parameter (repeatable; listed below);\n"
         "                         checked against its range before anything runs\n"
         "  -o, --output OUT       the result: with --on the base image with the\n"
         "                         results laid on it (.png or .bmp); with\n"
         "                         --background the results on that colour; else\n"
         "                         the results with their mask as alpha (.png)\n"
         "  --font FILE            the font file (default\n"
         "                         " + std::string(kDefaultFontFile) + ")\n"
         "  --size PX              font size in pixels, " + std::to_string(kMinTextSize) + ".." +
         std::to_string(kMaxTextSize) + " (default 72)\n"
         "  --color #rrggbb        colour of the text (default #000000)\n"
         "  --object IMAGE[@X,Y]   an object from a PNG file at X,Y instead of TEXT;\n"
         "                         several make one run over several objects\n"
         "  --on BASE              the image the objects lie on (any format lumivex\n"
         "                         reads); the effect sees it around the object\n"
         "  --at X,Y               where TEXT (or an --object without @X,Y) lies on\n"
         "                         the base before the effect (default 0,0); the\n"
         "                         effect may move it by its padding\n"
         "  --background #rrggbb   lay the results on this colour instead of writing\n"
         "                         alpha; also the colour of padding outside BASE,\n"
         "                         of the plain canvas the objects lie on without\n"
         "                         --on, and of the contact sheet (default #ffffff)\n"
         "  --object-out OBJ.png   also write each resulting object at its own size\n"
         "                         with its mask as alpha (several objects:\n"
         "                         OBJ-1.png, OBJ-2.png, ...)\n"
         "  --variations SHEET     ask the module for the variations of the settings\n"
         "                         and write them side by side, three to a row, the\n"
         "                         current one framed in red (.png or .bmp)\n"
         "  --json                 print each result's new position and size as JSON\n"
         "\n"
         "Without --on the objects lie on a plain canvas with the effect's margin\n"
         "around them, so glows and flames have room; the output covers the\n"
         "results' box, and positions (--json) are in the coordinates of --at and\n"
         "@X,Y.\n"
         "\n"
         "Effects and their parameters (colours #rrggbb; radio values by name):\n" +
         DescribeTextEffects() +
         "\n"
         "Exit status: 0 success; 1 cancelled (Ctrl-C or Escape); 2 usage: unknown\n"
         "effect or parameter, value out of range, empty text; 3 the module failed\n"
         "(effects without a renderer in this build fail here with its message);\n"
         "4 a font, object or base file is missing or unreadable, or an output\n"
         "cannot be written. Nothing is written unless the run succeeds. Options\n"
         "other than --set and --object are given once, and no output may be an\n"
         "input (base, object, font) or share its name with another output.\n";
}

}  // namespace lvhost
