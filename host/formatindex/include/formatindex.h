// formatindex: finding the host's file format for a path, and the list of
// formats by class. Format indices are those of fileformats.h.
#pragma once

#include <windows.h>

#include <filedata.h>

// Format classes.
#define FMT_CLASS_IMAGE 1

LV_BEGIN_DECLS

// Index of the format that handles path: by the path's extension (the
// formats' extension lists, case-insensitively), or, when the extension is
// unknown and the file exists, by its contents. Below 0 (-1) when none.
LVEXPORT LONG fmtGetFileFormatIndex(LPCSTR path);
// The format's information record (owned by the dispatcher), or NULL.
LVEXPORT const TFFORMATINFO* fmtGetFileFormatInfoPtr(LONG formatIndex);
// Number of formats of the class (FMT_CLASS_IMAGE: every image format, the
// indices 0 .. count - 1); 0 for other classes.
LVEXPORT LONG fmtGetFormatCount(LONG formatClass);

LV_END_DECLS
