// lumivex apply: one run of a plug-in on an image file.
#include <dialogscript.h>
#include <hostcommon.h>
#include <lvtext.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "bufconv.h"
#include "commands.h"
#include "escape.h"
#include "exitcodes.h"
#include "hostrequests.h"
#include "imageio.h"
#include "filecmdline.h"
#include "outputs.h"
#include "paramstore.h"
#include "runsetup.h"

namespace lvhost {

namespace fs = std::filesystem;

namespace {

// The user agent of the run: a script, "auto" (press OK), or none.
struct Agent {
  std::unique_ptr<lv::ScriptAgent> script;
  std::unique_ptr<lv::OkAgent> ok;
  lv::UserAgent* Get() const {
    return script ? static_cast<lv::UserAgent*>(script.get()) : ok.get();
  }
};

bool PrepareAgent(const ApplyOptions& options, Agent* agent, std::string* error) {
  std::string dialog = options.dialog.empty() && !options.screenshot.empty() ? "auto" : options.dialog;
  if (dialog.empty()) return true;
  if (dialog == "auto") {
    agent->ok = std::make_unique<lv::OkAgent>();
    agent->ok->SetFirstScreenshot(options.screenshot);
    return true;
  }
  lv::DialogScript script;
  if (!lv::LoadDialogScript(dialog, &script, error)) return false;
  agent->script = std::make_unique<lv::ScriptAgent>(std::move(script));
  agent->script->SetFirstScreenshot(options.screenshot);
  return true;
}

// An output the run could write: known extension, existing writable folder.
bool CheckOutputPath(const std::string& path, std::string* error) {
  if (FormatFromExtension(path) == ImageFormat::Unknown) {
    *error = "cannot write '" + path + "': the name must end in .png or .bmp";
    return false;
  }
  fs::path folder = fs::path(path).parent_path();
  if (folder.empty()) folder = ".";
  std::error_code ec;
  if (!fs::is_directory(folder, ec) || access(folder.c_str(), W_OK) != 0) {
    *error = "cannot write '" + path + "': the folder '" + folder.string() + "' does not exist or is not writable";
    return false;
  }
  if (fs::is_directory(path, ec)) {
    *error = "cannot write '" + path + "': it is a folder";
    return false;
  }
  return true;
}

// The plug-in takes RGB only: grey images are handed over as RGB.
void WidenToRgb(Image* image) {
  std::vector<uint8_t> rgb(image->pixels.size() * 3);
  for (size_t i = 0; i < image->pixels.size(); ++i) rgb[i * 3] = rgb[i * 3 + 1] = rgb[i * 3 + 2] = image->pixels[i];
  image->pixels.swap(rgb);
  image->channels = 3;
}

void PrintNotes(const Agent& agent) {
  const std::vector<std::string>* notes =
      agent.script ? &agent.script->Notes() : agent.ok ? &agent.ok->Notes() : nullptr;
  if (!notes) return;
  for (const std::string& n : *notes) std::fprintf(stderr, "lumivex: note: %s\n", n.c_str());
}

// Why Action returned 0, as the exit status; prints the reason.
int ReportFailure(const Plugin& plugin, const Agent& agent, const RunState& run) {
  if (agent.script && agent.script->Failed()) {
    PrintError(agent.script->Error());
    return kExitFailed;
  }
  if (agent.ok && agent.ok->ScreenshotFailed()) {
    PrintError("cannot write the screenshot");
    return kExitFileError;
  }
  if (!run.cellError.empty()) {
    PrintError(run.cellError);
    return kExitFailed;
  }
  LONG unit = 0, category = 0, detail = 0;
  LONG code = lvGetDLLErrInfoRecord(&unit, &category, &detail);
  if (code == 0 || code == C32ERR_CANCELLED || EscapeRequested()) {
    bool ranOut = agent.script && agent.script->RanOut();
    PrintError(ranOut ? "cancelled: the dialog script ended while the dialog was open" : "cancelled");
    return kExitCancelled;
  }
  char text[512] = {0};
  c32GetDLLErrorInfo(text, sizeof text, 0, 0, 0, 0);
  std::string message = text[0] ? lv::AnsiToUtf8(text) : "no message for this error";
  PrintError(plugin.Name() + " failed: " + message + " (error " + std::to_string(code) + ", unit " +
             std::to_string(unit) + ", category " + std::to_string(category) + ", detail " + std::to_string(detail) +
             ")");
  return kExitFailed;
}

struct Buffers {
  HBUF source = 0;
  HBUF result = 0;
  ~Buffers() {
    if (result && result != source && buf32GetInfo(result, nullptr)) buf32Free(result);
    if (source && buf32GetInfo(source, nullptr)) buf32Free(source);
  }
};

// Runs Action with the host object, the agent and the cancel keys in place.
BOOL RunAction(const Plugin& plugin, LONG mode, ParamBlock& block, LONG dataType, Buffers& buffers,
               const Agent& agent, RunState* run) {
  T32HOSTOBJECT host = {};
  run->source = buffers.source;
  run->result = &buffers.result;
  BeginRun(run, &host);
  c32ResetDLLErrInfo();
  StartEscapeWatch();
  lv::SetUserAgent(agent.Get());
  BOOL ok = plugin.Action(0, mode, block, dataType, buffers.source, &buffers.result, &host);
  lv::SetUserAgent(nullptr);
  StopEscapeWatch();
  EndRun();
  return ok;
}

// Result image, cells, stored parameters.
int Finish(const ApplyOptions& options, const Plugin& plugin, const ParamBlock& block, const RunState& run,
           const Buffers& buffers) {
  std::string error;
  Image result;
  if (!buffers.result) {
    PrintError(plugin.Name() + " reported success but handed over no result image");
    return kExitFailed;
  }
  if (!BufferToImage(buffers.result, &result, &error)) {
    PrintError(error);
    return kExitFailed;
  }
  const std::vector<RECT>* cells = run.hasCells ? &run.cells : nullptr;
  if (!WriteOutputs(options.output, result, cells, &error)) {
    PrintError(error);
    return kExitFileError;
  }
  std::printf("wrote %s (%d x %d)\n", options.output.c_str(), result.width, result.height);
  if (cells)
    std::printf("wrote %zu cells to %s\n", cells->size(), CellsFolderFor(options.output).c_str());
  if (!SaveStoredParams(plugin.Name(), block, &error))
    std::fprintf(stderr, "lumivex: warning: the parameters were not kept: %s\n", error.c_str());
  return kExitOk;
}

}  // namespace

int RunApplyCommand(const ApplyOptions& options) {
  std::string path, error;
  if (!ResolveModule(options.module, &path, &error)) {
    PrintError(error);
    return kExitUsage;
  }
  Agent agent;
  if (!PrepareAgent(options, &agent, &error)) {
    PrintError(error);
    return kExitUsage;
  }
  if (!CheckOutputPath(options.output, &error)) {
    PrintError(error);
    return kExitFileError;
  }
  if (SameFile(options.input, options.output) ||
      (!options.screenshot.empty() && (SameFile(options.screenshot, options.input) ||
                                       SameFile(options.screenshot, options.output)))) {
    PrintError("the outputs must not replace the input or each other");
    return kExitUsage;
  }
  Image image;
  if (!ReadImageFile(options.input, &image, &error)) {
    PrintError(error);
    return kExitFileError;
  }
  Plugin plugin;
  if (!plugin.Load(path, &error)) {
    PrintError(error);
    return kExitFailed;
  }
  if (!(plugin.Info().dataTypes & DataTypeOf(image)) && (plugin.Info().dataTypes & T32_DT_RGB)) WidenToRgb(&image);
  LONG dataType = DataTypeOf(image);
  if (!(plugin.Info().dataTypes & dataType)) {
    PrintError(plugin.Name() + " does not accept " + DataTypeNames(dataType)[0] + " images");
    return kExitUsage;
  }
  ParamBlock block;
  int status = kExitOk;
  if (!ChooseParams(plugin, options.paramsFile, options.sets, &block, &error, &status)) {
    PrintError(error);
    return status;
  }
  Buffers buffers;
  if (!ImageToBuffer(image, &buffers.source, &error)) {
    PrintError(error);
    return kExitFailed;
  }
  RunState run;
  LONG mode = agent.Get() ? T32_MODE_DIALOG : T32_MODE_APPLY;
  BOOL ok = RunAction(plugin, mode, block, dataType, buffers, agent, &run);
  PrintNotes(agent);
  if (!ok || (agent.script && agent.script->Failed())) return ReportFailure(plugin, agent, run);
  if (agent.script && agent.script->Remaining()) {
    // Commands that never ran would hide expectations that were not checked.
    PrintError(agent.script->FileName() + ":" + std::to_string(agent.script->NextLine()) +
               ": the dialog closed before this command ran");
    return kExitFailed;
  }
  return Finish(options, plugin, block, run, buffers);
}

}  // namespace lvhost
