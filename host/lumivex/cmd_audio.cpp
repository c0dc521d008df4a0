// lumivex audio: the audio media module's formats and what it reports about
// sound files, their thumbnails and the properties box.
#include <audioinfo.h>
#include <dialogscript.h>
#include <hostcommon.h>
#include <lvtext.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "atomicfile.h"
#include "commands.h"
#include "exitcodes.h"
#include "imageio.h"
#include "json.h"
#include "plugin.h"

namespace lvhost {

namespace fs = std::filesystem;

namespace {

struct AudioOptions {
  std::vector<std::string> files;
  bool json = false;
  std::string thumbnail;   // --thumbnail OUT.png
  std::string screenshot;  // --screenshot PNG
};

bool ParseAudioArgs(const std::vector<std::string>& args, AudioOptions* o, std::string* error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    size_t eq = a.rfind("--", 0) == 0 ? a.find('=') : std::string::npos;
    const std::string name = a.substr(0, eq);
    std::string* target = name == "--thumbnail" ? &o->thumbnail : name == "--screenshot" ? &o->screenshot : nullptr;
    if (a == "--json") {
      o->json = true;
    } else if (target) {
      if (!target->empty()) {
        *error = "option " + name + " given twice";
        return false;
      }
      if (eq != std::string::npos) {
        *target = a.substr(eq + 1);
      } else if (i + 1 < args.size()) {
        *target = args[++i];
      }
      if (target->empty()) {
        *error = "option " + name + " needs a value";
        return false;
      }
    } else if (a.size() > 1 && a[0] == '-') {
      *error = "unknown option '" + a + "' for audio";
      return false;
    } else {
      o->files.push_back(a);
    }
  }
  if (o->files.empty()) {
    *error = "audio needs at least one FILE";
  } else if (o->files.size() > 1 && (!o->thumbnail.empty() || !o->screenshot.empty())) {
    *error = "--thumbnail and --screenshot take exactly one FILE";
  } else if (!o->thumbnail.empty() && FormatFromExtension(o->thumbnail) == ImageFormat::Unknown) {
    *error = "cannot write '" + o->thumbnail + "': the name must end in .png or .bmp";
  } else if (!o->screenshot.empty() && FormatFromExtension(o->screenshot) != ImageFormat::Png) {
    *error = "cannot write '" + o->screenshot + "': a screenshot is a .png file";
  }
  return error->empty();
}

// The loaded audioinfo.mio and its entry points.
class AudioModule {
 public:
  ~AudioModule() {
    if (module_) FreeLibrary(module_);
  }
  bool Load(std::string* error) {
    std::string path = (fs::path(ModulesFolder()) / "audioinfo.mio").string();
    module_ = LoadLibraryA(path.c_str());
    if (!module_) {
      *error = "cannot load the audio module '" + path + "' (error " + std::to_string(GetLastError()) + ")";
      return false;
    }
    enumFormats = Bind<MIOENUMFORMATS>("mioEnumFormats");
    getFileInfo = Bind<MIOGETFILEINFO>("mioGetFileInfo");
    readThumbnail = Bind<MIOREADTHUMBNAIL>("mioReadThumbnail");
    showInfoBox = Bind<MIOSHOWINFOBOX>("mioShowInfoBox");
    if (enumFormats && getFileInfo && readThumbnail && showInfoBox) return true;
    *error = "'" + path + "' is not an audio media module (entry points missing)";
    return false;
  }
  MIOENUMFORMATS enumFormats = nullptr;
  MIOGETFILEINFO getFileInfo = nullptr;
  MIOREADTHUMBNAIL readThumbnail = nullptr;
  MIOSHOWINFOBOX showInfoBox = nullptr;

 private:
  template <typename F>
  F Bind(const char* name) {
    return reinterpret_cast<F>(GetProcAddress(module_, name));
  }
  HMODULE module_ = 0;
};

// One row of the module's formats table, texts in UTF-8.
struct Format {
  LONG index;
  WORD kind;
  std::string extension;
  std::string description;
  WORD capabilities;
};

std::string Field(const char* field, size_t size) { return lv::AnsiToUtf8(std::string(field, strnlen(field, size))); }

std::vector<Format> EnumFormats(const AudioModule& m) {
  std::vector<Format> formats;
  for (LONG i = 0; i < 64; ++i) {  // the module answers 0 after its last format
    MIOFORMATRECORD r{};
    if (!m.enumFormats(i, &r)) break;
    formats.push_back({i, r.kind, Field(r.extension, sizeof r.extension),
                       Field(r.description, sizeof r.description), r.capabilities});
  }
  return formats;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The format whose extension the file name carries, or nullptr.
const Format* FormatOf(const std::vector<Format>& formats, const std::string& file) {
  std::string ext = Lower(fs::path(file).extension().string());
  for (const Format& f : formats) {
    if (!ext.empty() && ext.substr(1) == Lower(f.extension)) return &f;
  }
  return nullptr;
}

// What the module left in the host's error slot, as one line.
std::string SlotText() {
  LONG unit = 0, category = 0, detail = 0;
  LONG code = lvGetDLLErrInfoRecord(&unit, &category, &detail);
  char text[512] = {0};
  c32GetDLLErrorInfo(text, sizeof text, 0, 0, 0, 0);
  std::string message = text[0] ? lv::AnsiToUtf8(text) : "no message for this error";
  return message + " (error " + std::to_string(code) + ", unit " + std::to_string(unit) + ", category " +
         std::to_string(category) + ", detail " + std::to_string(detail) + ")";
}

// The facts of one file as printed.
struct FileReport {
  std::string file;
  const Format* format = nullptr;
  MIOFILEINFO info{};
  std::string error;  // empty on success
  int status = kExitOk;
};

bool IsMidi(const Format& f) { return f.kind == MIO_KIND_MIDI; }

std::string DosDateTime(WORD date, WORD time) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", 1980 + (date >> 9), (date >> 5) & 15, date & 31,
                time >> 11, (time >> 5) & 63, (time & 31) * 2);
  return text;
}

std::string Length(DWORD seconds) {
  if (seconds >= 3600) return "**:**";
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u", seconds / 60, seconds % 60);
  return text;
}

// The file name as the module sees it: a Windows path on drive Z: or C:.
bool WindowsName(const std::string& file, std::string* win) {
  char buffer[MAX_PATH];
  std::error_code ec;
  std::string absolute = fs::absolute(file, ec).string();
  if (ec || !lvUnixPathToWin(absolute.c_str(), buffer, sizeof buffer)) return false;
  *win = buffer;
  return true;
}

// Checks the file on the host's side, then asks the module.
FileReport Inspect(const AudioModule& m, const std::vector<Format>& formats, const std::string& file) {
  FileReport r;
  r.file = file;
  r.format = FormatOf(formats, file);
  std::error_code ec;
  std::string win;
  if (!r.format) {
    r.error = "not a sound file the audio module serves (by its extension)";
  } else if (fs::is_directory(file, ec)) {
    r.error = "it is a folder, not a file";
  } else if (!fs::is_regular_file(file, ec)) {
    r.error = "no such file";
  } else if (!WindowsName(file, &win)) {
    r.error = "the name cannot be given to the module";
  }
  if (!r.error.empty()) {
    r.status = kExitFileError;
    return r;
  }
  c32ResetDLLErrInfo();
  if (!m.getFileInfo(r.format->index, win.c_str(), 0, &r.info)) {
    r.error = "the audio module failed: " + SlotText();
    r.status = kExitFailed;
  }
  return r;
}

void PrintFormatsText(const std::vector<Format>& formats) {
  std::printf("formats of audioinfo.mio:\n");
  for (const Format& f : formats)
    std::printf("  %ld  %-4s  %-14s  kind %u, capabilities 0x%04x\n", static_cast<long>(f.index),
                f.extension.c_str(), f.description.c_str(), f.kind, f.capabilities);
}

void PrintReportText(const FileReport& r) {
  std::printf("%s\n", r.file.c_str());
  const MIOFILEINFO& i = r.info;
  std::printf("  format:     %s (%s)\n", r.format->description.c_str(), r.format->extension.c_str());
  std::printf("  size:       %lu bytes\n", static_cast<unsigned long>(i.fileSize));
  std::printf("  created:    %s\n", DosDateTime(i.creationDate, i.creationTime).c_str());
  if (IsMidi(*r.format)) {
    std::printf("  length:     %s (%lu s)\n", Length(i.u.lengthSeconds).c_str(),
                static_cast<unsigned long>(i.u.lengthSeconds));
    std::printf("  tempo:      %lu\n", static_cast<unsigned long>(i.samplesOrTempo));
  } else {
    std::printf("  rate:       %u samples per second\n", i.u.wave.sampleRate);
    std::printf("  bits:       %u\n", i.u.wave.bits);
    std::printf("  channels:   %u\n", i.u.wave.channels);
    std::printf("  samples:    %lu\n", static_cast<unsigned long>(i.samplesOrTempo));
  }
  std::printf("  subject:    %s\n", Field(i.subject, sizeof i.subject).c_str());
  std::printf("  display:    %s\n", Field(i.displayText, sizeof i.displayText).c_str());
  std::printf("  thumbnail:  %u x %u\n", i.thumbnailWidth, i.thumbnailHeight);
}

std::string FormatsJson(const std::vector<Format>& formats) {
  std::string out;
  for (const Format& f : formats) {
    out += std::string(out.empty() ? "" : ",") + "\n    {\"index\": " + std::to_string(f.index) +
           ", \"kind\": " + std::to_string(f.kind) + ", \"extension\": " + JsonString(f.extension) +
           ", \"description\": " + JsonString(f.description) + ", \"capabilities\": " +
           std::to_string(f.capabilities) + "}";
  }
  return "[" + out + "\n  ]";
}

std::string ReportJson(const FileReport& r) {
  std::string out = "{\"file\": " + JsonString(r.file);
  if (!r.error.empty()) return out + ", \"error\": " + JsonString(r.error) + "}";
  const MIOFILEINFO& i = r.info;
  auto num = [](unsigned long v) { return std::to_string(v); };
  out += ", \"format\": " + JsonString(r.format->extension) + ", \"size\": " + num(i.fileSize) +
         ", \"created\": " + JsonString(DosDateTime(i.creationDate, i.creationTime));
  if (IsMidi(*r.format)) {
    out += ", \"lengthSeconds\": " + num(i.u.lengthSeconds) + ", \"tempo\": " + num(i.samplesOrTempo);
  } else {
    out += ", \"sampleRate\": " + num(i.u.wave.sampleRate) + ", \"bits\": " + num(i.u.wave.bits) +
           ", \"channels\": " + num(i.u.wave.channels) + ", \"samples\": " + num(i.samplesOrTempo);
  }
  return out + ", \"subject\": " + JsonString(Field(i.subject, sizeof i.subject)) +
         ", \"displayText\": " + JsonString(Field(i.displayText, sizeof i.displayText)) +
         ", \"thumbnailWidth\": " + num(i.thumbnailWidth) + ", \"thumbnailHeight\": " + num(i.thumbnailHeight) + "}";
}

// A packed bitmap (header, colours, pixels) as a bitmap file's bytes.
bool PackedDibToBmpFile(const uint8_t* dib, size_t size, std::vector<uint8_t>* file) {
  auto get32 = [&](size_t at) {
    return static_cast<uint32_t>(dib[at] | (dib[at + 1] << 8) | (dib[at + 2] << 16) |
                                 (static_cast<uint32_t>(dib[at + 3]) << 24));
  };
  if (size < 40 || size > (size_t(1) << 30)) return false;
  uint32_t headerSize = get32(0), compression = get32(16), used = get32(32);
  unsigned bits = static_cast<unsigned>(dib[14] | (dib[15] << 8));
  if (headerSize < 40 || headerSize > size) return false;
  uint64_t colours = bits <= 8 ? (used ? used : (1u << bits)) : used;
  uint64_t offset = 14 + uint64_t(headerSize) + colours * 4 + (compression == 3 && headerSize == 40 ? 12 : 0);
  if (offset > 14 + uint64_t(size)) return false;
  uint32_t total = static_cast<uint32_t>(14 + size);
  const uint8_t header[14] = {'B', 'M', static_cast<uint8_t>(total), static_cast<uint8_t>(total >> 8),
                              static_cast<uint8_t>(total >> 16), static_cast<uint8_t>(total >> 24), 0, 0, 0, 0,
                              static_cast<uint8_t>(offset), static_cast<uint8_t>(offset >> 8),
                              static_cast<uint8_t>(offset >> 16), static_cast<uint8_t>(offset >> 24)};
  file->assign(header, header + 14);
  file->insert(file->end(), dib, dib + size);
  return true;
}

// Writes the module's thumbnail of the file as an image file.
int WriteThumbnail(const AudioModule& m, const FileReport& r, const std::string& out, bool quiet) {
  std::string win;
  WindowsName(r.file, &win);
  c32ResetDLLErrInfo();
  HGLOBAL memory = m.readThumbnail(r.format->index, win.c_str(), 0, 0);
  if (!memory) {
    PrintError(r.file + ": no thumbnail: " + SlotText());
    return kExitFailed;
  }
  std::vector<uint8_t> bmp;
  const void* dib = GlobalLock(memory);
  bool packed = dib && PackedDibToBmpFile(static_cast<const uint8_t*>(dib), GlobalSize(memory), &bmp);
  GlobalUnlock(memory);
  GlobalFree(memory);
  Image image;
  std::string error;
  if (!packed || !DecodeBmp(bmp.data(), bmp.size(), &image, &error)) {
    PrintError(r.file + ": the module's thumbnail is not a bitmap the host reads" +
               (error.empty() ? std::string() : ": " + error));
    return kExitFailed;
  }
  if (!WriteImageFile(out, image, &error)) {
    PrintError(error);
    return kExitFileError;
  }
  if (!quiet) std::printf("wrote %s (%d x %d)\n", out.c_str(), image.width, image.height);
  return kExitOk;
}

// Shows the properties box, takes its picture as it first appears and closes it with OK.
int ShowInfoBox(const AudioModule& m, const FileReport& r, const std::string& png, bool quiet) {
  std::string win;
  WindowsName(r.file, &win);
  bool called = false, shown = false, pictured = false;
  std::string error;
  bool written = WriteFileAtomically(
      png,
      [&](const std::string& temp, std::string* why) {
        called = true;
        lv::OkAgent agent;
        agent.SetFirstScreenshot(temp);
        c32ResetDLLErrInfo();
        lv::SetUserAgent(&agent);
        shown = m.showInfoBox(r.format->index, 0, win.c_str()) != 0;
        lv::SetUserAgent(nullptr);
        std::error_code ec;
        pictured = shown && !agent.ScreenshotFailed() && fs::file_size(temp, ec) > 0 && !ec;
        if (!pictured) *why = "cannot write '" + png + "'";
        return pictured;
      },
      &error);
  if (called && !shown) {
    PrintError(r.file + ": the properties box was not shown: " + SlotText());
    return kExitFailed;
  }
  if (!written) {
    PrintError(error);
    return kExitFileError;
  }
  if (!quiet) std::printf("wrote %s\n", png.c_str());
  return kExitOk;
}

}  // namespace

int RunAudioCommand(const std::vector<std::string>& args) {
  AudioOptions options;
  std::string error;
  if (!ParseAudioArgs(args, &options, &error)) {
    PrintError(error);
    std::fprintf(stderr, "Try 'lumivex audio --help'.\n");
    return kExitUsage;
  }
  AudioModule module;
  if (!module.Load(&error)) {
    PrintError(error);
    return kExitFailed;
  }
  std::vector<Format> formats = EnumFormats(module);
  std::vector<FileReport> reports;
  int status = kExitOk;
  for (const std::string& file : options.files) {
    reports.push_back(Inspect(module, formats, file));
    const FileReport& r = reports.back();
    if (!r.error.empty()) PrintError(r.file + ": " + r.error);
    status = std::max(status, r.status);
  }
  if (options.json) {
    std::string files;
    for (const FileReport& r : reports) files += std::string(files.empty() ? "" : ",") + "\n    " + ReportJson(r);
    std::printf("{\n  \"formats\": %s,\n  \"files\": [%s\n  ]\n}\n", FormatsJson(formats).c_str(), files.c_str());
  } else {
    PrintFormatsText(formats);
    for (const FileReport& r : reports)
      if (r.error.empty()) PrintReportText(r);
  }
  // The pictures are of a file the module read: a run that failed writes
  // nothing.
  const FileReport& first = reports.front();
  if (first.format && first.status == kExitOk) {
    if (!options.thumbnail.empty())
      status = std::max(status, WriteThumbnail(module, first, options.thumbnail, options.json));
    if (!options.screenshot.empty())
      status = std::max(status, ShowInfoBox(module, first, options.screenshot, options.json));
  }
  return status;
}

}  // namespace lvhost
