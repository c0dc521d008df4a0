// Writing a run's results: the image, and the cells a plug-in handed over
// as images of their own with their list, all or nothing.
#pragma once

#include <effect/plugin.h>

#include <string>
#include <vector>

#include "image.h"

namespace lvhost {

// The folder the cells of output OUT go to: <OUT without extension>-cells.
std::string CellsFolderFor(const std::string& output);

// The cells folder's list of rectangles as JSON text.
std::string CellsJson(const std::string& imageFile, int width, int height, const std::vector<RECT>& cells,
                      const std::vector<std::string>& files);

// Checks cell rectangles against the image size; false with an error text
// naming the first one that is empty or reaches outside.
bool CheckCells(const std::vector<RECT>& cells, int width, int height, std::string* error);

// File names cell-<row>-<col>.<ext> (from 1), rows counted by changes of
// the top edge in list order, columns within a row.
std::vector<std::string> CellFileNames(const std::vector<RECT>& cells, const std::string& extension);

// Writes the result image to `output` and, when `cells` is given, every cell
// (cut from `result`) and cells.json into the cells folder. Everything is
// first written under temporary names and renamed at the end; on failure
// nothing new is left behind.
bool WriteOutputs(const std::string& output, const Image& result, const std::vector<RECT>* cells,
                  std::string* error);

}  // namespace lvhost
