// lumivex text: text (or objects from files) through a text effect, laid on
// a base image, a background or written with alpha; variations as a sheet.
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>

#include "atomicfile.h"
#include "commands.h"
#include "exitcodes.h"
#include "imageio.h"
#include "json.h"
#include "textoptions.h"
#include "textparams.h"
#include "textrender.h"
#include "textrun.h"

namespace lvhost {

namespace fs = std::filesystem;

namespace {

// Prints the error line and hands back the exit status to end with.
int Report(const std::string& error, int status) {
  PrintError(error);
  return status;
}

// One file the command writes, and how.
struct OutputFile {
  std::string path;
  std::function<bool(std::string*)> write;
  int width = 0;
  int height = 0;
};

// Existing writable folder, not a folder itself.
bool CheckWritable(const std::string& path, std::string* error) {
  if (path.empty()) return true;
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

int Margin(const TextOptions& o) { return TextEffectTable()[static_cast<size_t>(o.effect)].margin; }

void WidenToRgb(Image* image) {
  if (image->channels == 3) return;
  std::vector<uint8_t> rgb(image->pixels.size() * 3);
  for (size_t i = 0; i < image->pixels.size(); ++i) rgb[i * 3] = rgb[i * 3 + 1] = rgb[i * 3 + 2] = image->pixels[i];
  image->pixels.swap(rgb);
  image->channels = 3;
}

// The objects of the run at their positions; the status on failure.
int LoadObjects(const TextOptions& o, std::vector<ObjectImage>* objects, std::string* error) {
  if (o.hasText) {
    ObjectImage text;
    std::string font = o.font.empty() ? kDefaultFontFile : o.font;
    TextRenderFault fault = RenderTextObject(o.text, font, o.size, o.colour, &text, error);
    if (fault == TextRenderFault::BadFont) return kExitFileError;
    if (fault != TextRenderFault::None) return kExitUsage;
    text.x = o.atX, text.y = o.atY;
    objects->push_back(std::move(text));
    return kExitOk;
  }
  if (o.objects.size() > kMaxRunObjects) {
    *error = "at most " + std::to_string(kMaxRunObjects) + " objects per run";
    return kExitUsage;
  }
  for (const ObjectPlacement& placement : o.objects) {
    ObjectImage object;
    if (!ReadObjectPng(placement.path, &object, error)) return kExitFileError;
    object.x = placement.hasPosition ? placement.x : o.atX;
    object.y = placement.hasPosition ? placement.y : o.atY;
    objects->push_back(std::move(object));
  }
  return kExitOk;
}

// Without a base the objects are laid on a plain canvas of the background
// colour with the effect's margin around them, as the editor's dialog pads
// its preview, so glows and flames have room instead of being cut at the
// object's edge. Objects and results are moved by `shift` into and out of
// the canvas. False (and no canvas) when the canvas would be too large.
bool MakePlainCanvas(const std::vector<ObjectImage>& objects, int margin, uint32_t background, Image* canvas,
                     int* shiftX, int* shiftY) {
  int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
  for (const ObjectImage& o : objects) {
    left = std::min<int64_t>(left, o.x), top = std::min<int64_t>(top, o.y);
    right = std::max<int64_t>(right, int64_t(o.x) + o.colour.width);
    bottom = std::max<int64_t>(bottom, int64_t(o.y) + o.colour.height);
  }
  const int64_t width = right - left + 2 * int64_t(margin), height = bottom - top + 2 * int64_t(margin);
  ObjectImage plain;
  std::string ignored;
  if (!ImageSizeAcceptable(width, height) ||
      !MakeObject(static_cast<int>(width), static_cast<int>(height), background, &plain, &ignored))
    return false;
  *canvas = std::move(plain.colour);
  *shiftX = static_cast<int>(margin - left), *shiftY = static_cast<int>(margin - top);
  return true;
}

void Shift(std::vector<ObjectImage>* objects, int dx, int dy) {
  for (ObjectImage& o : *objects) o.x += dx, o.y += dy;
}

// Runs the effect; without a base on a plain canvas (results in the
// objects' own coordinates).
int RunOnCanvas(const TextEffectsModule& module, const TextRunInput& input, int margin,
                std::vector<ObjectImage>* results, std::string* error) {
  Image canvas;
  int dx = 0, dy = 0;
  if (input.base || !MakePlainCanvas(*input.objects, margin, input.background, &canvas, &dx, &dy))
    return RunTextEffect(module, input, results, error);
  std::vector<ObjectImage> moved = *input.objects;
  Shift(&moved, dx, dy);
  TextRunInput onCanvas = input;
  onCanvas.objects = &moved;
  onCanvas.base = &canvas;
  int status = RunTextEffect(module, onCanvas, results, error);
  Shift(results, -dx, -dy);
  return status;
}

// The main output: base with results, results on the background, or alpha.
bool ComposeOutput(const TextOptions& o, const Image* base, const std::vector<ObjectImage>& results,
                   OutputFile* out, std::string* error) {
  out->path = o.output;
  if (base) {
    auto image = std::make_shared<Image>(*base);
    for (const ObjectImage& r : results) CompositeOnto(image.get(), r);
    out->width = image->width, out->height = image->height;
    out->write = [path = o.output, image](std::string* e) { return WriteImageFile(path, *image, e); };
    return true;
  }
  auto combined = std::make_shared<ObjectImage>();
  if (!CombineObjects(results, combined.get(), error)) return false;
  out->width = combined->colour.width, out->height = combined->colour.height;
  if (o.hasBackground) {
    auto image = std::make_shared<Image>();
    ObjectImage placed = *combined;
    placed.x = placed.y = 0;
    ObjectImage plain;
    if (!MakeObject(out->width, out->height, o.background, &plain, error)) return false;
    *image = std::move(plain.colour);
    CompositeOnto(image.get(), placed);
    out->write = [path = o.output, image](std::string* e) { return WriteImageFile(path, *image, e); };
    return true;
  }
  out->write = [path = o.output, combined](std::string* e) {
    return WriteFileAtomically(path, [&](const std::string& temp, std::string* why) {
      return WriteObjectPng(temp, *combined, why);
    }, e);
  };
  return true;
}

// --object-out: each resulting object at its own size.
void AddObjectOutputs(const TextOptions& o, const std::vector<ObjectImage>& results, std::vector<OutputFile>* files) {
  for (size_t i = 0; i < results.size(); ++i) {
    std::string path = ObjectOutName(o.objectOut, i, results.size());
    auto object = std::make_shared<ObjectImage>(results[i]);
    OutputFile f{path, nullptr, object->colour.width, object->colour.height};
    f.write = [path, object](std::string* e) {
      return WriteFileAtomically(path, [&](const std::string& temp, std::string* why) {
        return WriteObjectPng(temp, *object, why);
      }, e);
    };
    files->push_back(std::move(f));
  }
}

// Writes every file; on failure the files already written are removed.
bool WriteAll(const std::vector<OutputFile>& files, std::string* error) {
  for (size_t i = 0; i < files.size(); ++i) {
    if (files[i].write(error)) continue;
    for (size_t k = 0; k < i; ++k) std::remove(files[k].path.c_str());
    return false;
  }
  return true;
}

struct SheetFacts {
  int count = 0;
  int current = 0;
};

// Runs every variation of the block on the one object and lays them out.
int MakeVariationSheet(const TextOptions& o, const TextEffectsModule& module, const TextRunInput& input,
                       OutputFile* out, SheetFacts* facts, std::string* error) {
  std::vector<std::vector<uint8_t>> blocks;
  if (!module.Variations(*input.block, &blocks, &facts->current, error)) return kExitFailed;
  facts->count = static_cast<int>(blocks.size());
  std::vector<ObjectImage> shown;
  for (const std::vector<uint8_t>& block : blocks) {
    TextRunInput one = input;
    one.block = &block;
    std::vector<ObjectImage> results;
    int status = RunOnCanvas(module, one, Margin(o), &results, error);
    if (status != kExitOk) return status;
    shown.push_back(std::move(results[0]));
  }
  auto sheet = std::make_shared<Image>();
  if (!MakeContactSheet(shown, 3, facts->current, o.background, sheet.get(), error)) return kExitFailed;
  out->path = o.variations;
  out->width = sheet->width, out->height = sheet->height;
  out->write = [path = o.variations, sheet](std::string* e) { return WriteImageFile(path, *sheet, e); };
  return kExitOk;
}

void PrintReport(const TextOptions& o, const std::vector<ObjectImage>& results, const std::vector<OutputFile>& files,
                 const SheetFacts* sheet) {
  const TextEffect& effect = TextEffectTable()[static_cast<size_t>(o.effect)];
  if (!o.json) {
    for (const OutputFile& f : files) std::printf("wrote %s (%d x %d)\n", f.path.c_str(), f.width, f.height);
    return;
  }
  std::string json = "{\n  \"effect\": " + JsonString(effect.name) + ",\n  \"results\": [";
  for (size_t i = 0; i < results.size(); ++i) {
    const ObjectImage& r = results[i];
    json += std::string(i ? "," : "") + "\n    {\"x\": " + std::to_string(r.x) + ", \"y\": " + std::to_string(r.y) +
            ", \"width\": " + std::to_string(r.colour.width) + ", \"height\": " + std::to_string(r.colour.height) +
            "}";
  }
  json += results.empty() ? "],\n  \"files\": [" : "\n  ],\n  \"files\": [";
  for (size_t i = 0; i < files.size(); ++i)
    json += std::string(i ? "," : "") + "\n    {\"file\": " + JsonString(files[i].path) +
            ", \"width\": " + std::to_string(files[i].width) + ", \"height\": " + std::to_string(files[i].height) + "}";
  json += files.empty() ? "]" : "\n  ]";
  if (sheet)
    json += ",\n  \"variations\": {\"count\": " + std::to_string(sheet->count) +
            ", \"current\": " + std::to_string(sheet->current) + "}";
  std::printf("%s\n}\n", json.c_str());
}

// Everything after the checks: the runs, the images, the files.
int Produce(const TextOptions& o, const TextEffectsModule& module, const TextRunInput& input) {
  std::string error;
  std::vector<ObjectImage> results;
  std::vector<OutputFile> files;
  if (!o.output.empty() || !o.objectOut.empty() || o.json) {
    int status = RunOnCanvas(module, input, Margin(o), &results, &error);
    if (status != kExitOk) return Report(error, status);
    OutputFile main;
    if (!o.output.empty()) {
      if (!ComposeOutput(o, input.base, results, &main, &error)) return Report(error, kExitFailed);
      files.push_back(std::move(main));
    }
    if (!o.objectOut.empty()) AddObjectOutputs(o, results, &files);
  }
  SheetFacts facts;
  if (!o.variations.empty()) {
    OutputFile sheet;
    int status = MakeVariationSheet(o, module, input, &sheet, &facts, &error);
    if (status != kExitOk) return Report(error, status);
    files.push_back(std::move(sheet));
  }
  if (!WriteAll(files, &error)) return Report(error, kExitFileError);
  PrintReport(o, results, files, o.variations.empty() ? nullptr : &facts);
  return kExitOk;
}

}  // namespace

int RunTextCommand(const std::vector<std::string>& args) {
  TextOptions o;
  std::string error;
  std::vector<uint8_t> block;
  if (!ParseTextArgs(args, &o, &error) || !BuildEffectBlock(o.effect, o.sets, &block, &error)) {
    PrintError(error);
    return kExitUsage;
  }
  for (const std::string* path : {&o.output, &o.objectOut, &o.variations}) {
    if (!CheckWritable(*path, &error)) return Report(error, kExitFileError);
  }
  std::vector<ObjectImage> objects;
  int status = LoadObjects(o, &objects, &error);
  if (status != kExitOk) return Report(error, status);
  Image base;
  if (!o.base.empty()) {
    if (!ReadImageFile(o.base, &base, &error)) return Report(error, kExitFileError);
    WidenToRgb(&base);
  }
  TextEffectsModule module;
  if (!module.Load(&error)) return Report(error, kExitFailed);
  TextRunInput input;
  input.block = &block;
  input.objects = &objects;
  input.base = o.base.empty() ? nullptr : &base;
  input.background = o.background;
  return Produce(o, module, input);
}

}  // namespace lvhost
