// Objects of the text effects as the host program holds them (a colour
// image and an 8-bit mask of the same size, at a position), their PNG files
// with the mask as alpha, and how results are laid onto a base image, a
// plain background or a contact sheet.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace lvhost {

struct ObjectImage {
  Image colour;               // RGB, 3 channels
  std::vector<uint8_t> mask;  // colour.width * colour.height coverage values
  int x = 0;                  // position of the top left corner on the base
  int y = 0;
};

// An object of the given size, colour filled with rgb (0xRRGGBB), mask 0.
bool MakeObject(int width, int height, uint32_t rgb, ObjectImage* object, std::string* error);

// Reads a PNG file as an object: its colour, and its alpha as the mask (a
// file without alpha is fully covered). False with an error text.
bool ReadObjectPng(const std::string& path, ObjectImage* object, std::string* error);

// Writes the object as an RGBA PNG (mask as alpha) to `path` directly
// (callers wanting atomic replacement go through WriteFileAtomically).
bool WriteObjectPng(const std::string& path, const ObjectImage& object, std::string* error);

// Lays the object over `canvas` (RGB) at its position, blending by the mask;
// parts outside the canvas are cut off.
void CompositeOnto(Image* canvas, const ObjectImage& object);

// The smallest rectangle holding every object at its position, as an
// object: colour and mask of the objects laid over each other in order
// (mask combined as coverage over coverage). Its x, y is the rectangle's
// top left corner. False with an error text when the rectangle is too large.
bool CombineObjects(const std::vector<ObjectImage>& objects, ObjectImage* combined, std::string* error);

// The contact sheet of variations: `columns` cells per row, each as large
// as the largest result plus kSheetPadding on every side, the results
// centred on `background` (0xRRGGBB), and a frame kSheetFrame pixels wide in
// kSheetFrameColour around the cell of `current`. False with an error text.
constexpr int kSheetPadding = 10;
constexpr int kSheetFrame = 3;
constexpr uint32_t kSheetFrameColour = 0xff0000;
bool MakeContactSheet(const std::vector<ObjectImage>& results, int columns, int current, uint32_t background,
                      Image* sheet, std::string* error);

}  // namespace lvhost
