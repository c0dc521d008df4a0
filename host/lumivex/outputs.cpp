// The result image and its cells, written all or nothing.
#include "outputs.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "atomicfile.h"
#include "imageio.h"
#include "json.h"

namespace lvhost {

namespace fs = std::filesystem;

namespace {

Image Crop(const Image& image, const RECT& r) {
  Image out;
  out.width = r.right - r.left;
  out.height = r.bottom - r.top;
  out.channels = image.channels;
  size_t rowBytes = static_cast<size_t>(out.width) * image.channels;
  out.pixels.resize(rowBytes * out.height);
  for (int y = 0; y < out.height; ++y) {
    const uint8_t* from = image.pixels.data() +
                          (static_cast<size_t>(r.top + y) * image.width + r.left) * image.channels;
    std::copy(from, from + rowBytes, out.pixels.begin() + y * rowBytes);
  }
  return out;
}

// A fresh, empty temporary folder beside `folder`.
bool MakeTempFolder(const std::string& folder, std::string* temp, std::string* error) {
  fs::path p(folder);
  std::string templ = (p.parent_path() / ("." + p.filename().string() + ".tmp-XXXXXX")).string();
  std::vector<char> buffer(templ.begin(), templ.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) {
    *error = "cannot create the folder '" + folder + "'";
    return false;
  }
  *temp = buffer.data();
  return true;
}

bool WriteCellsFolder(const std::string& folder, const std::string& imageFile, const Image& result,
                      const std::vector<RECT>& cells, std::string* error) {
  std::string ext = fs::path(imageFile).extension().string();
  std::vector<std::string> names = CellFileNames(cells, ext);
  for (size_t i = 0; i < cells.size(); ++i) {
    std::string why;
    if (!WriteImageFile((fs::path(folder) / names[i]).string(), Crop(result, cells[i]), &why)) {
      *error = "cannot write cell " + names[i] + ": " + why;
      return false;
    }
  }
  std::string json = CellsJson(fs::path(imageFile).filename().string(), result.width, result.height, cells, names);
  return WriteBytesAtomically((fs::path(folder) / "cells.json").string(), json.data(), json.size(), error);
}

}  // namespace

std::string CellsFolderFor(const std::string& output) {
  fs::path p(output);
  return (p.parent_path() / (p.stem().string() + "-cells")).string();
}

bool CheckCells(const std::vector<RECT>& cells, int width, int height, std::string* error) {
  for (size_t i = 0; i < cells.size(); ++i) {
    const RECT& r = cells[i];
    if (r.left < 0 || r.top < 0 || r.right > width || r.bottom > height || r.left >= r.right || r.top >= r.bottom) {
      *error = "the plug-in handed over cell " + std::to_string(i + 1) + " (" + std::to_string(r.left) + ", " +
               std::to_string(r.top) + ", " + std::to_string(r.right) + ", " + std::to_string(r.bottom) +
               ") that is empty or outside the " + std::to_string(width) + " x " + std::to_string(height) + " image";
      return false;
    }
  }
  return true;
}

std::vector<std::string> CellFileNames(const std::vector<RECT>& cells, const std::string& extension) {
  std::vector<std::string> names;
  int row = 0, column = 0;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i == 0 || cells[i].top != cells[i - 1].top) {
      ++row;
      column = 0;
    }
    ++column;
    names.push_back("cell-" + std::to_string(row) + "-" + std::to_string(column) + extension);
  }
  return names;
}

std::string CellsJson(const std::string& imageFile, int width, int height, const std::vector<RECT>& cells,
                      const std::vector<std::string>& files) {
  std::string json = "{\n  \"image\": " + JsonString(imageFile) + ",\n  \"width\": " + std::to_string(width) +
                     ",\n  \"height\": " + std::to_string(height) + ",\n  \"cells\": [";
  for (size_t i = 0; i < cells.size(); ++i) {
    const RECT& r = cells[i];
    json += std::string(i ? "," : "") + "\n    {\"file\": " + JsonString(files[i]) +
            ", \"left\": " + std::to_string(r.left) + ", \"top\": " + std::to_string(r.top) +
            ", \"right\": " + std::to_string(r.right) + ", \"bottom\": " + std::to_string(r.bottom) + "}";
  }
  return json + (cells.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

bool WriteOutputs(const std::string& output, const Image& result, const std::vector<RECT>* cells,
                  std::string* error) {
  if (!cells) return WriteImageFile(output, result, error);
  if (!CheckCells(*cells, result.width, result.height, error)) return false;
  std::string folder = CellsFolderFor(output), temp;
  if (!MakeTempFolder(folder, &temp, error)) return false;
  std::error_code ec;
  if (!WriteCellsFolder(temp, output, result, *cells, error) || !WriteImageFile(output, result, error)) {
    fs::remove_all(temp, ec);
    return false;
  }
  // The new cells replace those of an earlier run of the same output.
  fs::remove_all(folder, ec);
  fs::rename(temp, folder, ec);
  if (ec) {
    *error = "cannot create the folder '" + folder + "': " + ec.message();
    fs::remove_all(temp, ec);
    return false;
  }
  return true;
}

}  // namespace lvhost
