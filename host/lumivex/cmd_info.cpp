// lumivex info: what the host knows of an image file (its file-data record)
// and, for a format served by a file-I/O module, the texts of the module's
// properties dialog.
#include <lvtext.h>
#include <useragent.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "atomicfile.h"
#include "commands.h"
#include "exitcodes.h"
#include "formatfiles.h"
#include "json.h"

namespace lvhost {

namespace {

// One control of the properties dialog: id and text (UTF-8).
struct DialogText {
  int id;
  std::string text;
};

// A user agent that reads the texts of the first dialog it sees, takes its
// screenshot when asked, and closes it with OK.
class DialogReader : public lv::UserAgent {
 public:
  // Where the picture of the dialog goes (nothing is taken when empty).
  void SetScreenshot(const std::string& path) { screenshot_ = path; }

  bool Act(HWND modal) override {
    if (done_) return false;
    done_ = true;
    for (HWND child = GetWindow(modal, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char text[512] = {0};
      GetWindowTextA(child, text, sizeof text);
      if (text[0] && IsWindowVisible(child)) texts_.push_back({GetDlgCtrlID(child), lv::AnsiToUtf8(text)});
    }
    if (!screenshot_.empty()) screenshotFailed_ = !lv::Screenshot(modal, screenshot_);
    HWND ok = lv::FindControl(modal, IDOK);
    return ok ? lv::Click(ok) : lv::PressKey(modal, VK_ESCAPE);
  }
  int AnswerMessageBox(HWND, const std::string& text, const std::string&, UINT) override {
    messages_.push_back(lv::AnsiToUtf8(text));
    return IDOK;
  }

  bool Seen() const { return done_; }
  bool ScreenshotFailed() const { return screenshotFailed_; }
  const std::vector<DialogText>& Texts() const { return texts_; }
  const std::vector<std::string>& Messages() const { return messages_; }

 private:
  std::string screenshot_;
  bool done_ = false;
  bool screenshotFailed_ = false;
  std::vector<DialogText> texts_;
  std::vector<std::string> messages_;
};

// Runs the module's properties dialog for the record; false with an error.
bool ReadPropertiesDialog(const FileRecord& record, DialogReader* reader, std::string* error) {
  LONG format = record.Facts().formatIndex;
  HMODULE module = tfFileGetFormatModule(format);
  auto show = module ? reinterpret_cast<TFBMPSHOWDLGFILEDATA>(GetProcAddress(module, "tfBmpShowDlgFileData"))
                     : nullptr;
  if (!show) {
    *error = "the file's format has no properties dialog";
    return false;
  }
  lv::SetUserAgent(reader);
  LONG result = show(1, 0, record.get(), 0, 0, 0);
  lv::SetUserAgent(nullptr);
  if (result == 0 || !reader->Seen()) {
    *error = "the properties dialog failed: " + DispatcherError();
    return false;
  }
  return true;
}

// Runs the properties dialog and, when SCREENSHOT is given, writes its
// picture there through a temporary file, so a failure leaves nothing under
// that name. The exit status; an error text when it is not kExitOk.
int ShowPropertiesDialog(const FileRecord& record, const std::string& screenshot, DialogReader* reader,
                         std::string* error) {
  if (screenshot.empty()) return ReadPropertiesDialog(record, reader, error) ? kExitOk : kExitFailed;
  bool dialogFailed = false;
  bool written = WriteFileAtomically(
      screenshot,
      [&](const std::string& temp, std::string* why) {
        reader->SetScreenshot(temp);
        dialogFailed = !ReadPropertiesDialog(record, reader, why);
        if (!dialogFailed && reader->ScreenshotFailed()) *why = "cannot write the screenshot '" + screenshot + "'";
        return !dialogFailed && !reader->ScreenshotFailed();
      },
      error);
  return written ? kExitOk : dialogFailed ? kExitFailed : kExitFileError;
}

std::string Ansi(const char* text, size_t size) { return lv::AnsiToUtf8(std::string(text, strnlen(text, size))); }

std::string ColourText(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  return text;
}

std::string Dpi(LONG tenThousandths) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", tenThousandths / 10000.0);
  return text;
}

const char* ColourModelName(LONG model) {
  static const char* const kNames[] = {"", "Graustufen", "RGB", "Y/Cb/Cr", "C/M/Y/K", "Y/Cb/Cr/K"};
  return model >= 1 && model <= 5 ? kNames[model] : "unknown";
}

// The facts worth showing, as name and value (values already JSON where
// JSON is wanted).
struct Fact {
  std::string name;
  std::string text;  // for the plain listing
  std::string json;  // the value in JSON
};

std::string Bool(bool value, bool json) { return json ? (value ? "true" : "false") : (value ? "yes" : "no"); }

std::vector<Fact> FactsOf(const TFFILEDATA& r, const std::string& file) {
  const TFFORMATINFO* info = tfFileGetFormatInfo(r.formatIndex);
  std::string shortName = info ? Ansi(info->shortName, sizeof info->shortName) : "?";
  std::string description = info ? Ansi(info->description, sizeof info->description) : "";
  UINT paletteSize = r.palette ? GetPaletteEntries(static_cast<HPALETTE>(r.palette), 0, 0, nullptr) : 0;
  char compression[64] = {0};
  tfFileGetCompressionText(r.compression, compression, sizeof compression);
  std::vector<Fact> facts = {
      {"file", file, JsonString(file)},
      {"format", shortName, JsonString(shortName)},
      {"description", description, JsonString(description)},
      {"width", std::to_string(r.width), std::to_string(r.width)},
      {"height", std::to_string(r.height), std::to_string(r.height)},
      {"dataType", DataTypeName(r.dataType) + " (" + std::to_string(r.dataType) + ")",
       JsonString(DataTypeName(r.dataType))},
      {"dataTypeCode", std::to_string(r.dataType), std::to_string(r.dataType)},
      {"bitsPerPixel", std::to_string(r.bitsPerPixel), std::to_string(r.bitsPerPixel)},
      {"resolution", Dpi(r.xResolution) + " x " + Dpi(r.yResolution) + " dpi",
       "[" + Dpi(r.xResolution) + ", " + Dpi(r.yResolution) + "]"},
      {"fileSize", std::to_string(r.fileSize) + " bytes", std::to_string(r.fileSize)},
      {"paletteSize", std::to_string(paletteSize), std::to_string(paletteSize)},
      {"compression", lv::AnsiToUtf8(compression), JsonString(lv::AnsiToUtf8(compression))},
  };
  if (r.formatNumber == TF_FORMAT_NUMBER_JPEG) {
    facts.push_back({"colourModel", std::to_string(r.colourModel) + " (" + ColourModelName(r.colourModel) + ")",
                     std::to_string(r.colourModel)});
    for (auto [name, bit] : {std::pair{"progressive", TF_JPEG_FLAG_PROGRESSIVE}, std::pair{"jfifMarker", TF_JPEG_FLAG_JFIF},
                             std::pair{"adobeMarker", TF_JPEG_FLAG_ADOBE}}) {
      bool set = (r.jpegFlags & bit) != 0;
      facts.push_back({name, Bool(set, false), Bool(set, true)});
    }
  }
  if (r.formatNumber == TF_FORMAT_NUMBER_GIF || r.formatNumber == TF_FORMAT_NUMBER_PNG) {
    bool transparent = r.transparentIndex >= 0;
    facts.push_back({"transparentIndex",
                     transparent ? std::to_string(r.transparentIndex) + " (" + ColourText(r.transparentColour) + ")"
                                 : "none",
                     std::to_string(transparent ? r.transparentIndex : -1)});
    if (transparent) facts.push_back({"transparentColour", ColourText(r.transparentColour),
                                      JsonString(ColourText(r.transparentColour))});
    facts.push_back({"interlaced", Bool(r.interlaced != 0, false), Bool(r.interlaced != 0, true)});
  }
  return facts;
}

void PrintPlain(const std::vector<Fact>& facts, const DialogReader* dialog) {
  for (const Fact& f : facts) std::printf("%-18s %s\n", (f.name + ":").c_str(), f.text.c_str());
  if (!dialog) return;
  std::printf("properties dialog:\n");
  for (const DialogText& t : dialog->Texts()) std::printf("  %5d  %s\n", t.id, t.text.c_str());
}

void PrintJson(const std::vector<Fact>& facts, const DialogReader* dialog) {
  std::string out = "{";
  for (const Fact& f : facts) out += (out.size() > 1 ? ", " : "") + JsonString(f.name) + ": " + f.json;
  if (dialog) {
    out += ", \"dialog\": [";
    for (size_t i = 0; i < dialog->Texts().size(); ++i) {
      const DialogText& t = dialog->Texts()[i];
      out += (i ? ", " : "") + std::string("{\"id\": ") + std::to_string(t.id) + ", \"text\": " + JsonString(t.text) + "}";
    }
    out += "]";
  }
  std::printf("%s}\n", out.c_str());
}

}  // namespace

int RunInfoCommand(const FileCommandOptions& options) {
  std::string error;
  FileRecord record;
  if (!DescribeFile(options.input, &record, &error)) {
    PrintError(error);
    return kExitFileError;
  }
  TFFILEDATA facts = record.Facts();
  bool hasDialog = tfFileGetFormatModule(facts.formatIndex) != 0;
  if (!options.screenshot.empty() && !hasDialog) {
    PrintError("--screenshot: the format of '" + options.input + "' has no properties dialog");
    return kExitUsage;
  }
  DialogReader reader;
  int status = hasDialog ? ShowPropertiesDialog(record, options.screenshot, &reader, &error) : kExitOk;
  if (status != kExitOk) {
    PrintError(error);
    return status;
  }
  std::vector<Fact> list = FactsOf(facts, options.input);
  if (options.json) {
    PrintJson(list, hasDialog ? &reader : nullptr);
  } else {
    PrintPlain(list, hasDialog ? &reader : nullptr);
  }
  return kExitOk;
}

}  // namespace lvhost
