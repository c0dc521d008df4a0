// The manual shown by --help; docs/lumivex.md is its long form.
#include "cmdline.h"
#include "textoptions.h"

namespace lvhost {

namespace {

const char kOverview[] =
    "lumivex - the command-line host for Lumivex effect plug-ins\n"
    "\n"
    "Usage:\n"
    "  lumivex modules [--json]\n"
    "  lumivex params MODULE\n"
    "  lumivex apply MODULE IMAGE -o OUT [--set NAME=VALUE]... [--params FILE]\n"
    "                [--dialog SCRIPT|auto] [--screenshot PNG]\n"
    "  lumivex audio FILE... [--json] [--thumbnail OUT.png] [--screenshot PNG]\n"
    "  lumivex convert IN OUT [--type TYPE] [--option NAME=VALUE]...\n"
    "  lumivex info FILE [--json] [--screenshot PNG]\n"
    "  lumivex preview FILE WIDTHxHEIGHT -o OUT\n"
    "  lumivex text TEXT|--object IMAGE... --effect NAME -o OUT.png [--set NAME=VALUE]...\n"
    "               [--on BASE [--at X,Y]] [--background #rrggbb] [--variations SHEET]\n"
    "  lumivex help [COMMAND]      lumivex COMMAND --help\n"
    "\n"
    "Commands:\n"
    "  modules   list the effect plug-ins in the modules folder\n"
    "  params    show a plug-in's named parameters and their stored values\n"
    "  apply     run a plug-in on an image file and write the result\n"
    "  audio     what the audio media module reports about sound files\n"
    "  convert   convert an image file to another format or data type\n"
    "  info      describe an image file as the host's format dispatcher sees it\n"
    "  preview   write a small preview of an image file\n"
    "  text      run a text effect on text or image objects\n"
    "\n"
    "Modules are looked up in $LUMIVEX_MODULES, or else in the folder 'modules'\n"
    "beside the folder of the lumivex program. Parameter blocks are kept between\n"
    "runs in the platform prefix ($LUMIVEX_PREFIX, default ~/.local/share/lumivex),\n"
    "under C/lumivex/params/<module>.prm.\n"
    "\n"
    "Exit status: 0 success; 1 cancelled (dialog or Ctrl-C/Escape); 2 usage error;\n"
    "3 the plug-in or a dialog script failed; 4 an input or output file problem.\n"
    "The full manual is docs/lumivex.md.\n";

const char kModules[] =
    "lumivex modules [--json]\n"
    "\n"
    "Loads every effect plug-in (*.tpi) of the modules folder, asks it for its\n"
    "menu entry and lists: file, identifier (at most 16 characters), menu text,\n"
    "menu group, accepted data types and parameter block size.\n"
    "\n"
    "  --json   print the list as a JSON array of objects with the keys file,\n"
    "           identifier, menuText, menuGroup, dataTypes (list of names),\n"
    "           dataTypeBits and paramSize. Texts are UTF-8.\n"
    "\n"
    "A module that cannot be loaded or queried is reported on stderr and\n"
    "skipped; the exit status is then 3.\n";

const char kParams[] =
    "lumivex params MODULE\n"
    "\n"
    "Lists the named parameters the host knows for MODULE (name, range,\n"
    "meaning) with the values the next run would use: the stored block of the\n"
    "last successful run, or the plug-in's defaults.\n";

const char kApply[] =
    "lumivex apply MODULE IMAGE -o OUT [options]\n"
    "\n"
    "Runs the plug-in MODULE (a name from 'lumivex modules', or the path of a\n"
    ".tpi file) on IMAGE and writes the result to OUT.\n"
    "\n"
    "IMAGE: PNG (8-bit RGB, RGBA, grey, grey with alpha, palette; transparency\n"
    "is composited on white) or BMP (1, 4, 8, 24, 32 bits, uncompressed);\n"
    "JPEG, GIF, TPI and the other formats of the file-I/O modules are read\n"
    "through the host's format dispatcher. Colour images become RGB images,\n"
    "grey images (and grey palettes) grey.\n"
    "OUT: written as PNG or BMP by its extension, through a temporary file\n"
    "renamed into place: a failed or cancelled run leaves nothing behind.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT       the result image (required)\n"
    "  --set NAME=VALUE       set a named parameter (repeatable); see\n"
    "                         'lumivex params MODULE'. Values are checked\n"
    "                         against their ranges before anything runs.\n"
    "  --params FILE          start from a raw parameter block file (its size\n"
    "                         must match the plug-in's block)\n"
    "  --dialog SCRIPT        show the plug-in's dialog and drive it with a\n"
    "                         dialog script (see docs/dialog-script.md)\n"
    "  --dialog auto          show the dialog and just press OK\n"
    "  --screenshot PNG       write a picture of the plug-in's dialog as it first\n"
    "                         appears (implies --dialog auto when no --dialog)\n"
    "\n"
    "Parameters: without --params and --set the last successful run's block is\n"
    "used again; the first run starts from the plug-in's defaults. After a\n"
    "successful run the block used (as edited in the dialog) is stored.\n"
    "\n"
    "Cells: when the plug-in hands over cells (gridsplit with cells=1), every\n"
    "cell is also written as <OUT stem>-cells/cell-<row>-<col>.<ext>, with the\n"
    "rectangles listed in <OUT stem>-cells/cells.json.\n"
    "\n"
    "Progress is drawn on stderr when it is a terminal. Ctrl-C, or Escape on a\n"
    "terminal stdin, cancels a plug-in that polls for it.\n";

const char kAudio[] =
    "lumivex audio FILE... [--json] [--thumbnail OUT.png] [--screenshot PNG]\n"
    "\n"
    "Loads the audio media module audioinfo.mio from the modules folder, prints\n"
    "its formats (index, extension, description, media kind, capability bits)\n"
    "and, for each FILE (WAV, MID, RMI, VOC by extension), the facts the module\n"
    "reports: size, creation date and time, sample rate, bits, channels and\n"
    "samples (WAV, VOC) or length and tempo (MIDI, RMI), subject, display text\n"
    "and thumbnail size.\n"
    "\n"
    "  --json             print {\"formats\": [...], \"files\": [...]} instead\n"
    "  --thumbnail OUT    write the module's thumbnail of the one FILE (.png/.bmp)\n"
    "  --screenshot PNG   show the one FILE's properties box, write its picture\n"
    "                     and close it with OK\n"
    "\n"
    "Exit status: 0 success; 2 usage; 3 the module failed on a file or could\n"
    "not be loaded; 4 a file is missing or not served, or an output could not\n"
    "be written. Every file is reported; the status is that of the worst problem.\n";

const char kConvert[] =
    "lumivex convert IN OUT [--type TYPE] [--option NAME=VALUE]...\n"
    "\n"
    "Reads IN in any format the host reads (BMP, PNG, JPEG, GIF and the formats\n"
    "of the file-I/O modules, such as TPI) and writes OUT in the format named by\n"
    "its extension (.bmp, .png, .jpg/.jpeg, .gif, .tpi, ...). OUT appears only\n"
    "when complete; formats of modules are written band by band.\n"
    "\n"
    "  --type TYPE          convert the image's data type first: rgb (2),\n"
    "                       palette256 (4), palette16 (8), hicolor (16),\n"
    "                       grey (32) or bw (64); colour palettes are optimised\n"
    "  --option NAME=VALUE  a save option (each NAME once): quality=1..100 and\n"
    "                       progressive=0|1 (JPEG), interlace=0|1 (PNG, GIF),\n"
    "                       transparent=-1..255 (GIF, PNG: the transparent index)\n"
    "\n"
    "A format that cannot store the data type gets a converted copy (JPEG: true\n"
    "colour or grey; GIF: indexed with an optimised palette). OUT may not be IN.\n";

const char kInfo[] =
    "lumivex info FILE [--json] [--screenshot PNG]\n"
    "\n"
    "Describes FILE as the host's format dispatcher sees it: format, width,\n"
    "height, data type, bits per pixel, resolution, file size, palette size,\n"
    "compression, and the format's own facts (JPEG: colour model, progressive,\n"
    "JFIF and Adobe markers; GIF and PNG: transparent index and colour,\n"
    "interlacing). For a format served by a file-I/O module (TPI) the module's\n"
    "properties dialog is opened, its texts are listed and it is closed.\n"
    "\n"
    "  --json            print one JSON object (texts UTF-8)\n"
    "  --screenshot PNG  write a picture of the properties dialog (a .png file,\n"
    "                    not FILE; for formats served by a module only)\n";

const char kPreview[] =
    "lumivex preview FILE WIDTHxHEIGHT -o OUT\n"
    "\n"
    "Writes a WIDTH x HEIGHT preview of FILE to OUT (format by extension). A\n"
    "format served by a file-I/O module makes it with the module's preview\n"
    "reader (sampled rows and columns); the built-in formats read the image\n"
    "and scale it. The size may not exceed the image's; OUT may not be FILE.\n";

}  // namespace

std::string HelpText(const std::string& topic) {
  if (topic.empty()) return kOverview;
  if (topic == "modules") return kModules;
  if (topic == "params") return kParams;
  if (topic == "apply") return kApply;
  if (topic == "audio") return kAudio;
  if (topic == "convert") return kConvert;
  if (topic == "info") return kInfo;
  if (topic == "preview") return kPreview;
  if (topic == "text") return TextHelpText();
  return "";
}

}  // namespace lvhost
