// Objects, their PNG files, and laying results over images.
#include "textcompose.h"

#include <png.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace lvhost {

namespace {

// a * b / 255, rounded.
inline uint8_t Scale(unsigned a, unsigned b) {
  unsigned t = a * b + 128;
  return static_cast<uint8_t>((t + (t >> 8)) >> 8);
}

// One row of the object over one row of the canvas: count pixels.
void BlendRow(uint8_t* canvas, const uint8_t* colour, const uint8_t* mask, int count) {
  for (int i = 0; i < count; ++i) {
    unsigned a = mask[i];
    for (int c = 0; c < 3; ++c)
      canvas[i * 3 + c] = static_cast<uint8_t>(Scale(colour[i * 3 + c], a) + Scale(canvas[i * 3 + c], 255 - a));
  }
}

void FillRect(Image* image, int left, int top, int right, int bottom, uint32_t rgb) {
  left = std::max(left, 0), top = std::max(top, 0);
  right = std::min(right, image->width), bottom = std::min(bottom, image->height);
  const uint8_t c[3] = {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)};
  for (int y = top; y < bottom; ++y) {
    uint8_t* row = image->pixels.data() + (static_cast<size_t>(y) * image->width + left) * 3;
    for (int x = left; x < right; ++x, row += 3) std::memcpy(row, c, 3);
  }
}

}  // namespace

bool MakeObject(int width, int height, uint32_t rgb, ObjectImage* object, std::string* error) {
  if (!MakeImage(width, height, 3, &object->colour, error)) return false;
  FillRect(&object->colour, 0, 0, width, height, rgb);
  object->mask.assign(static_cast<size_t>(width) * height, 0);
  return true;
}

bool ReadObjectPng(const std::string& path, ObjectImage* object, std::string* error) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    *error = "'" + path + "' is not a readable PNG image (" + png.message + ")";
    return false;
  }
  if (!ImageSizeAcceptable(png.width, png.height)) {
    png_image_free(&png);
    *error = "'" + path + "': image size " + std::to_string(png.width) + " x " + std::to_string(png.height) +
             " is not supported";
    return false;
  }
  const int width = static_cast<int>(png.width), height = static_cast<int>(png.height);
  png.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  if (!png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr)) {
    *error = "'" + path + "' is a broken PNG image (" + png.message + ")";
    png_image_free(&png);
    return false;
  }
  if (!MakeObject(width, height, 0, object, error)) return false;
  const size_t pixels = static_cast<size_t>(width) * height;
  uint8_t* colour = object->colour.pixels.data();
  for (size_t i = 0; i < pixels; ++i) {
    std::memcpy(colour + i * 3, &rgba[i * 4], 3);
    object->mask[i] = rgba[i * 4 + 3];
  }
  return true;
}

bool WriteObjectPng(const std::string& path, const ObjectImage& object, std::string* error) {
  const size_t pixels = static_cast<size_t>(object.colour.width) * object.colour.height;
  if (pixels == 0 || object.mask.size() != pixels || object.colour.pixels.size() != pixels * 3) {
    *error = "cannot write '" + path + "': empty or inconsistent object";
    return false;
  }
  std::vector<uint8_t> rgba(pixels * 4);
  for (size_t i = 0; i < pixels; ++i) {
    std::memcpy(&rgba[i * 4], &object.colour.pixels[i * 3], 3);
    rgba[i * 4 + 3] = object.mask[i];
  }
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(object.colour.width);
  png.height = static_cast<png_uint_32>(object.colour.height);
  png.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&png, path.c_str(), 0, rgba.data(), 0, nullptr)) {
    *error = "cannot write PNG '" + path + "' (" + png.message + ")";
    return false;
  }
  return true;
}

void CompositeOnto(Image* canvas, const ObjectImage& object) {
  const Image& colour = object.colour;
  const int64_t left = std::max<int64_t>(object.x, 0);
  const int64_t top = std::max<int64_t>(object.y, 0);
  const int64_t right = std::min<int64_t>(int64_t(object.x) + colour.width, canvas->width);
  const int64_t bottom = std::min<int64_t>(int64_t(object.y) + colour.height, canvas->height);
  if (left >= right || top >= bottom || canvas->channels != 3) return;
  const int count = static_cast<int>(right - left);
  for (int64_t y = top; y < bottom; ++y) {
    const size_t source = static_cast<size_t>((y - object.y) * colour.width + (left - object.x));
    uint8_t* row = canvas->pixels.data() + static_cast<size_t>(y * canvas->width + left) * 3;
    BlendRow(row, colour.pixels.data() + source * 3, object.mask.data() + source, count);
  }
}

bool CombineObjects(const std::vector<ObjectImage>& objects, ObjectImage* combined, std::string* error) {
  if (objects.empty()) {
    *error = "no objects to combine";
    return false;
  }
  int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
  for (const ObjectImage& o : objects) {
    left = std::min<int64_t>(left, o.x), top = std::min<int64_t>(top, o.y);
    right = std::max<int64_t>(right, int64_t(o.x) + o.colour.width);
    bottom = std::max<int64_t>(bottom, int64_t(o.y) + o.colour.height);
  }
  if (!ImageSizeAcceptable(right - left, bottom - top)) {
    *error = "the results together span " + std::to_string(right - left) + " x " + std::to_string(bottom - top) +
             " pixels, more than an image may hold";
    return false;
  }
  if (!MakeObject(static_cast<int>(right - left), static_cast<int>(bottom - top), 0, combined, error)) return false;
  combined->x = static_cast<int>(left);
  combined->y = static_cast<int>(top);
  const int width = combined->colour.width;
  for (const ObjectImage& o : objects) {
    const int dx = static_cast<int>(o.x - left), dy = static_cast<int>(o.y - top);
    for (int y = 0; y < o.colour.height; ++y) {
      const size_t source = static_cast<size_t>(y) * o.colour.width;
      const size_t target = static_cast<size_t>(y + dy) * width + dx;
      BlendRow(combined->colour.pixels.data() + target * 3, o.colour.pixels.data() + source * 3,
               o.mask.data() + source, o.colour.width);
      uint8_t* mask = combined->mask.data() + target;
      const uint8_t* add = o.mask.data() + source;
      for (int x = 0; x < o.colour.width; ++x) mask[x] = static_cast<uint8_t>(add[x] + Scale(mask[x], 255 - add[x]));
    }
  }
  // Colours were blended over black; undo that where coverage is partial so
  // the alpha file shows the objects' own colours.
  for (size_t i = 0; i < combined->mask.size(); ++i) {
    unsigned a = combined->mask[i];
    if (a == 0 || a == 255) continue;
    for (int c = 0; c < 3; ++c) {
      unsigned v = (combined->colour.pixels[i * 3 + c] * 255u + a / 2) / a;
      combined->colour.pixels[i * 3 + c] = static_cast<uint8_t>(std::min(v, 255u));
    }
  }
  return true;
}

bool MakeContactSheet(const std::vector<ObjectImage>& results, int columns, int current, uint32_t background,
                      Image* sheet, std::string* error) {
  if (results.empty() || columns <= 0) {
    *error = "no variations to lay out";
    return false;
  }
  int cellWidth = 0, cellHeight = 0;
  for (const ObjectImage& r : results) {
    cellWidth = std::max(cellWidth, r.colour.width);
    cellHeight = std::max(cellHeight, r.colour.height);
  }
  cellWidth += 2 * kSheetPadding, cellHeight += 2 * kSheetPadding;
  const int count = static_cast<int>(results.size());
  const int cols = std::min(columns, count), rows = (count + columns - 1) / columns;
  if (!ImageSizeAcceptable(int64_t(cellWidth) * cols, int64_t(cellHeight) * rows)) {
    *error = "the contact sheet would be too large";
    return false;
  }
  if (!MakeImage(cellWidth * cols, cellHeight * rows, 3, sheet, error)) return false;
  FillRect(sheet, 0, 0, sheet->width, sheet->height, background);
  for (int i = 0; i < count; ++i) {
    const int cellX = (i % columns) * cellWidth, cellY = (i / columns) * cellHeight;
    ObjectImage placed = results[static_cast<size_t>(i)];
    placed.x = cellX + (cellWidth - placed.colour.width) / 2;
    placed.y = cellY + (cellHeight - placed.colour.height) / 2;
    CompositeOnto(sheet, placed);
    if (i != current) continue;
    const int f = kSheetFrame, right = cellX + cellWidth, bottom = cellY + cellHeight;
    FillRect(sheet, cellX, cellY, right, cellY + f, kSheetFrameColour);
    FillRect(sheet, cellX, bottom - f, right, bottom, kSheetFrameColour);
    FillRect(sheet, cellX, cellY, cellX + f, bottom, kSheetFrameColour);
    FillRect(sheet, right - f, cellY, right, bottom, kSheetFrameColour);
  }
  return true;
}

}  // namespace lvhost
