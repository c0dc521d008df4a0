// The colour box window class "ClrBox": a sunken field of one colour that
// opens the system colour dialog on a left click and maps the chosen colour
// to the run's image data type. Window values: the colour at 0 and a palette
// index at 4.
#pragma once

#include <windows.h>

#include <effect/plugin.h>

namespace effect {

// What the boxes of one dialog share while the class is registered.
struct ColorBoxSettings {
  COLORREF* customColours;     // 16 custom colours of the system colour dialog
  LONG dataType;               // data type of the current run
  const T32HOSTOBJECT* host;   // asked for the palette (request 1008); may be NULL
};

// Registers "ClrBox" with the module instance (arrow cursor, button-face
// background, 8 bytes of window values). FALSE when registration failed.
BOOL RegisterColorBox(HINSTANCE instance, const ColorBoxSettings& settings);
// Unregisters the class again.
void UnregisterColorBox(HINSTANCE instance);

// Stores colour and palette index in the box and repaints it.
void SetColorBox(HWND box, COLORREF colour, LONG index);
COLORREF ColorBoxColour(HWND box);
LONG ColorBoxIndex(HWND box);

// A colour confirmed in the colour dialog, as the run's data type can show
// it: RGB (2) keeps it with index 0; grey (32) becomes g * 0x010101 with g
// its grey value; any other type with a palette (count > 0) becomes the
// nearest palette entry, whose index goes to *index. Without a palette the
// colour is kept with index 0.
COLORREF MapColourToDataType(COLORREF chosen, LONG dataType, const PALETTEENTRY* palette,
                             int count, LONG* index);

}  // namespace effect
