// The file-I/O module tpiformat.fio as its host sees it: the export
// signatures, the file-data record's offsets, the transfer record and the
// row callbacks. A host loads the module by file name and binds the exports
// by name.
#pragma once

#include <windows.h>

// ---------------------------------------------------------------- file-data record
// 777 bytes of movable global memory: the host's common 736-byte layout and
// the module's 41-byte private block. Offsets of the fields the module uses.
#define TFD_RECORD_SIZE 777
#define TFD_COMMON_SIZE 736
#define TFD_PATH 4               // text: full path name (set by the host)
#define TFD_HOST_TEXT1 264
#define TFD_HOST_TEXT2 268
#define TFD_HOST_TEXT3 309
#define TFD_HOST_WORD1 560       // 16-bit
#define TFD_HOST_WORD2 562       // 16-bit
#define TFD_FILE_SIZE 568        // size of the file in bytes (set by the host)
#define TFD_READABLE 572
#define TFD_STORAGE_KIND 580     // 2 is refused by the readers
#define TFD_HOST_VALUE584 584
#define TFD_BITS 588             // host bits per pixel
#define TFD_WIDTH 592
#define TFD_HEIGHT 596
#define TFD_XRES 600             // ten-thousandths of a pixel per inch
#define TFD_YRES 604
#define TFD_DATA_TYPE 608
#define TFD_PALETTE 612          // HPALETTE or 0
#define TFD_PREVIEW 616          // preview available
#define TFD_PREVIEW_BITS 620
#define TFD_PREVIEW_WIDTH 624
#define TFD_PREVIEW_HEIGHT 628
#define TFD_PREVIEW_XRES 632
#define TFD_PREVIEW_YRES 636
#define TFD_PREVIEW_TYPE 640
#define TFD_PREVIEW_PALETTE 644
#define TFD_HOST_FLAG1 648
#define TFD_HOST_FLAG2 652
#define TFD_HOST_VALUE656 656
#define TFD_HOST_VALUE660 660
#define TFD_HOST_WORD682 682     // 16-bit
#define TFD_PRIVATE_LENGTH 684
#define TFD_HOST_VALUE692 692
#define TFD_HOST_VALUE696 696
#define TFD_HOST_VALUE704 704
#define TFD_HOST_VALUE708 708
#define TFD_FORMAT_TAG 730       // the four bytes "TPIF"
#define TFD_FORMAT_NUMBER 734    // 16-bit, 400
// The TPI private block.
#define TFD_TABLE_OFFSET 736     // 54 or 26 when the type has a table, else 0
#define TFD_PIXEL_OFFSET 740
#define TFD_TABLE_ENTRIES 744    // 2, 16, 256 or 0
#define TFD_RESERVED748 748
#define TFD_LAYOUT16 752         // 15 (5-5-5), 16 (5-6-5), 0 for other types
#define TFD_STORES32 756         // 1 when a true-colour file has 32 bits per pixel
#define TFD_LONG_HEADER 760
#define TFD_INVERT_BITS 764      // 1-bit file read with every bit inverted
#define TFD_GREY_RAMP 768        // 8-bit table is the grey ramp

// Data-type codes of the host.
#define TFD_TYPE_RGB 2
#define TFD_TYPE_256 4
#define TFD_TYPE_16 8
#define TFD_TYPE_HICOLOR 16
#define TFD_TYPE_GREY 32
#define TFD_TYPE_BW 64

// ---------------------------------------------------------------- transfer record
// Host-owned; names the rectangle to move (rows counted from the top).
typedef struct TFTRANSFER {
  LONG reserved0;
  LONG left;          // 4
  LONG top;           // 8
  LONG width;         // 12
  LONG rows;          // 16
  LONG reserved20;
  LONG scaled;        // 24: non-zero asks for the whole image scaled
  LONG reserved28;
  LONG reserved32;
  LONG scaledWidth;   // 36
  LONG scaledHeight;  // 40
} TFTRANSFER;

// Row callback of tfBmpFileRead: (transfer, left, image row from the top,
// width, rows delivered, row pointers, flags, -1, 7) for the full-size read,
// (transfer, 0, 0, scaled width, scaled height, row pointers, 0, 0, 0) for
// the scaled read. A positive result goes on; 0 or negative stops the read.
typedef LONG (*TFREADROWS)(TFTRANSFER* transfer, LONG left, LONG row, LONG width, LONG rows,
                           BYTE** rowPointers, LONG flags, LONG minusOne, LONG seven);
// Row callback of tfBmpFileWrite: (transfer, left, image row from the top,
// width, 1, flags, -1, 7). Returns a pointer to a pointer to the row's first
// pixel, 0 for failure, TF_WRITE_CANCELLED when the user cancelled.
typedef BYTE** (*TFWRITEROWS)(TFTRANSFER* transfer, LONG left, LONG row, LONG width, LONG rows,
                              LONG flags, LONG minusOne, LONG seven);
#define TF_WRITE_CANCELLED ((BYTE**)(intptr_t)-1)

// Row flags of both callbacks.
#define TF_ROW_ANY 1
#define TF_ROW_LAST 2
#define TF_ROW_FIRST 4

// ---------------------------------------------------------------- exports
typedef LONG (*TFDLLGETFILEFMTNUM)(void);
typedef HGLOBAL (*TFBMPGETFORMATINFO)(void);
typedef HGLOBAL (*TFBMPGETFILEDATA)(HFILE file, LONG, LONG, LONG);
typedef LONG (*TFBMPFILEREAD)(HFILE file, LONG, HGLOBAL record, TFTRANSFER* transfer,
                              TFREADROWS callback, LONG);
typedef LONG (*TFBMPFILEWRITE)(HFILE file, HGLOBAL record, TFTRANSFER* transfer,
                               TFWRITEROWS callback);
typedef LONG (*TFBMPGETPREVIEW)(HFILE file, HGLOBAL record, LONG width, LONG height, BYTE** rows);
typedef LONG (*TFESCAPE)(HFILE file, HGLOBAL record, LONG code, LONG width, LONG height,
                         BYTE** rows);
typedef LONG (*TFBMPSHOWDLGFILEDATA)(LONG first, HWND parent, HGLOBAL record, LONG,
                                     LONG previousEnabled, LONG nextEnabled);
typedef LONG (*TFBMPSHOWDLGOPTION)(LONG, LONG, LONG, LONG, LONG, LONG);
typedef LONG (*TFBMPFILEREADVECTOR)(LONG, LONG, LONG, LONG, LONG, LONG, LONG, LONG);
typedef LONG (*TFBMPFILEWRITEVECTOR)(LONG, LONG, LONG, LONG, LONG, LONG);
typedef LONG (*TFBMPGETOFFSETTABLE)(LONG, LONG, LONG);
typedef LONG (*TFBMPGETPREVIEWIMAGE)(LONG, LONG, LONG);

// tfEscape's request code for the preview.
#define TF_ESCAPE_PREVIEW 101

// Format-information record (112 bytes of movable memory, owned by the caller).
#define TFI_RECORD_SIZE 112
#define TFI_SHORT_NAME 28        // 4 bytes
#define TFI_DESCRIPTION 32       // 48 bytes
