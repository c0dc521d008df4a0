// The host's records for image files: the file-data record that describes
// one file (the first 736 bytes are common to every format, a format module
// may append a private block), and the 112-byte format-information record.
// Both live in movable global memory; offsets are fixed and little-endian.
#pragma once

#include <windows.h>

#include <stddef.h>

// Image data-type codes (single bits) kept at offset 608.
#define TF_DT_RGB 2         // true colour, host bytes red, green, blue
#define TF_DT_INDEXED256 4  // 256 indexed colours, one byte per pixel
#define TF_DT_INDEXED16 8   // 16 indexed colours, one index per byte
#define TF_DT_HICOLOR 16    // 5-5-5 words
#define TF_DT_GREY 32       // 8-bit grey
#define TF_DT_BW 64         // black and white, rows packed, most significant bit first
#define TF_DT_ALL (TF_DT_RGB | TF_DT_INDEXED256 | TF_DT_INDEXED16 | TF_DT_HICOLOR | TF_DT_GREY | TF_DT_BW)

// JPEG colour models (offset 664).
#define TF_JPEG_GREY 1
#define TF_JPEG_RGB 2
#define TF_JPEG_YCBCR 3
#define TF_JPEG_CMYK 4
#define TF_JPEG_YCCK 5

// JPEG flag bits (offset 668): progressive, JFIF marker, Adobe marker.
#define TF_JPEG_FLAG_ADOBE 1
#define TF_JPEG_FLAG_JFIF 2
#define TF_JPEG_FLAG_PROGRESSIVE 4

// Compression codes (offset 672); tfFileGetCompressionText names them.
#define TF_COMPRESS_NONE 0
#define TF_COMPRESS_RLE8 1
#define TF_COMPRESS_RLE4 2
#define TF_COMPRESS_LZW 3
#define TF_COMPRESS_DEFLATE 4
#define TF_COMPRESS_JPEG 5
#define TF_COMPRESS_BITFIELDS 6

// Format numbers (offset 734) and tags (offset 730) of the built-in formats;
// the TPI module uses 400 and "TPIF".
#define TF_FORMAT_NUMBER_BMP 100
#define TF_FORMAT_NUMBER_GIF 200
#define TF_FORMAT_NUMBER_JPEG 300
#define TF_FORMAT_NUMBER_TPI 400
#define TF_FORMAT_NUMBER_PNG 500

#define TF_FILEDATA_SIZE 736   // the common part
#define TF_PATH_SIZE 260

// File-data record, common part. Fields marked "host value" are kept as the
// format modules set them; the dispatcher never interprets them.
typedef struct TFFILEDATA {
  LONG formatIndex;          // 0: the dispatcher's index of the file's format
  CHAR path[TF_PATH_SIZE];   // 4: full path name (set by the dispatcher)
  CHAR hostText264[4];       // 264: host text field
  CHAR hostText268[41];      // 268: host text field
  CHAR hostText309[251];     // 309: host text field
  WORD hostValue560;         // 560
  WORD hostValue562;         // 562
  LONG reserved564;          // 564
  LONG fileSize;             // 568: size of the file in bytes (set by the dispatcher)
  LONG readable;             // 572: 1 when the file can be read
  LONG reserved576;          // 576
  LONG storageKind;          // 580: 2 is refused by the readers
  LONG hostValue584;         // 584
  LONG bitsPerPixel;         // 588: bits per pixel of the host buffer (1, 8, 16, 24)
  LONG width;                // 592
  LONG height;               // 596
  LONG xResolution;          // 600: ten-thousandths of a pixel per inch (720000 = 72 dpi)
  LONG yResolution;          // 604
  LONG dataType;             // 608: TF_DT_*
  DWORD palette;             // 612: HPALETTE of the colour table, or 0 (owned by the record)
  LONG previewAvailable;     // 616
  LONG previewBits;          // 620
  LONG previewWidth;         // 624
  LONG previewHeight;        // 628
  LONG previewXResolution;   // 632
  LONG previewYResolution;   // 636
  LONG previewDataType;      // 640
  DWORD previewPalette;      // 644: HPALETTE, or 0 (owned by the record)
  LONG hostFlag648;          // 648
  LONG hostFlag652;          // 652
  LONG hostValue656;         // 656
  LONG hostValue660;         // 660
  LONG colourModel;          // 664: JPEG colour model TF_JPEG_GREY .. TF_JPEG_YCCK, 0 otherwise
  LONG jpegFlags;            // 668: TF_JPEG_FLAG_* (on writing: progressive wanted)
  LONG compression;          // 672: TF_COMPRESS_*
  LONG transparentIndex;     // 676: GIF/PNG transparent palette index, -1 when none
                             //      (on writing GIF: the index to mark transparent)
  WORD reserved680;          // 680
  WORD hostValue682;         // 682
  LONG privateLength;        // 684: length of the format module's private block after 736
  LONG jpegQuality;          // 688: JPEG quality 1..100 (read: 0; write: the save option)
  LONG hostValue692;         // 692
  LONG hostValue696;         // 696
  LONG interlaced;           // 700: GIF/PNG interlaced (read: the file's; write: the save option)
  LONG hostValue704;         // 704
  LONG hostValue708;         // 708
  COLORREF transparentColour;// 712: colour of the transparent index (0x00BBGGRR)
  BYTE reserved716[14];      // 716
  CHAR formatTag[4];         // 730: "BMPF", "PNGF", "JPGF", "GIFF", "TPIF"
  WORD formatNumber;         // 734: TF_FORMAT_NUMBER_*
} TFFILEDATA;

static_assert(offsetof(TFFILEDATA, path) == 4, "path at 4");
static_assert(offsetof(TFFILEDATA, hostText264) == 264, "text at 264");
static_assert(offsetof(TFFILEDATA, hostText268) == 268, "text at 268");
static_assert(offsetof(TFFILEDATA, hostText309) == 309, "text at 309");
static_assert(offsetof(TFFILEDATA, hostValue560) == 560, "value at 560");
static_assert(offsetof(TFFILEDATA, hostValue562) == 562, "value at 562");
static_assert(offsetof(TFFILEDATA, fileSize) == 568, "file size at 568");
static_assert(offsetof(TFFILEDATA, readable) == 572, "readable at 572");
static_assert(offsetof(TFFILEDATA, storageKind) == 580, "storage kind at 580");
static_assert(offsetof(TFFILEDATA, hostValue584) == 584, "value at 584");
static_assert(offsetof(TFFILEDATA, bitsPerPixel) == 588, "bits at 588");
static_assert(offsetof(TFFILEDATA, width) == 592, "width at 592");
static_assert(offsetof(TFFILEDATA, height) == 596, "height at 596");
static_assert(offsetof(TFFILEDATA, xResolution) == 600, "resolution at 600");
static_assert(offsetof(TFFILEDATA, yResolution) == 604, "resolution at 604");
static_assert(offsetof(TFFILEDATA, dataType) == 608, "data type at 608");
static_assert(offsetof(TFFILEDATA, palette) == 612, "palette at 612");
static_assert(offsetof(TFFILEDATA, previewAvailable) == 616, "preview at 616");
static_assert(offsetof(TFFILEDATA, previewPalette) == 644, "preview palette at 644");
static_assert(offsetof(TFFILEDATA, hostFlag648) == 648, "flag at 648");
static_assert(offsetof(TFFILEDATA, hostFlag652) == 652, "flag at 652");
static_assert(offsetof(TFFILEDATA, hostValue656) == 656, "value at 656");
static_assert(offsetof(TFFILEDATA, hostValue660) == 660, "value at 660");
static_assert(offsetof(TFFILEDATA, colourModel) == 664, "colour model at 664");
static_assert(offsetof(TFFILEDATA, jpegFlags) == 668, "JPEG flags at 668");
static_assert(offsetof(TFFILEDATA, compression) == 672, "compression at 672");
static_assert(offsetof(TFFILEDATA, transparentIndex) == 676, "transparent index at 676");
static_assert(offsetof(TFFILEDATA, hostValue682) == 682, "value at 682");
static_assert(offsetof(TFFILEDATA, privateLength) == 684, "private length at 684");
static_assert(offsetof(TFFILEDATA, jpegQuality) == 688, "JPEG quality at 688");
static_assert(offsetof(TFFILEDATA, hostValue692) == 692, "value at 692");
static_assert(offsetof(TFFILEDATA, hostValue696) == 696, "value at 696");
static_assert(offsetof(TFFILEDATA, interlaced) == 700, "interlaced at 700");
static_assert(offsetof(TFFILEDATA, hostValue704) == 704, "value at 704");
static_assert(offsetof(TFFILEDATA, hostValue708) == 708, "value at 708");
static_assert(offsetof(TFFILEDATA, transparentColour) == 712, "transparent colour at 712");
static_assert(offsetof(TFFILEDATA, formatTag) == 730, "tag at 730");
static_assert(offsetof(TFFILEDATA, formatNumber) == 734, "format number at 734");
static_assert(sizeof(TFFILEDATA) == TF_FILEDATA_SIZE, "the common part is 736 bytes");

#define TF_FORMATINFO_SIZE 112

// Format-information record (112 bytes). A .fio module fills 0..91 from its
// tfBmpGetFormatInfo; the dispatcher keeps one per format and fills the
// host part (92..111) itself, for built-in formats the whole record.
typedef struct TFFORMATINFO {
  WORD value0;            // 0: 63
  WORD value2;            // 2: 63
  LONG formatClass;       // 4: 1 for image formats
  LONG value8;            // 8
  LONG value12;           // 12
  LONG value16;           // 16
  LONG value20;           // 20
  LONG value24;           // 24
  CHAR shortName[4];      // 28: "BMP", "PNG", "JPG", "GIF", "TPI" (terminated when shorter)
  CHAR description[48];   // 32: terminated
  LONG value80;           // 80: 1
  LONG value84;           // 84
  LONG value88;           // 88
  LONG dataTypes;         // 92: host part: TF_DT_* bits the format can store
  LONG capabilities;      // 96: host part: TF_CAN_READ | TF_CAN_WRITE | TF_HAS_SAVE_OPTIONS
  CHAR extensions[12];    // 100: host part: extensions without dots, ';' between, terminated
} TFFORMATINFO;

#define TF_CAN_READ 1
#define TF_CAN_WRITE 2
#define TF_HAS_SAVE_OPTIONS 4

static_assert(offsetof(TFFORMATINFO, formatClass) == 4, "class at 4");
static_assert(offsetof(TFFORMATINFO, shortName) == 28, "short name at 28");
static_assert(offsetof(TFFORMATINFO, description) == 32, "description at 32");
static_assert(offsetof(TFFORMATINFO, value80) == 80, "value at 80");
static_assert(offsetof(TFFORMATINFO, dataTypes) == 92, "data types at 92");
static_assert(offsetof(TFFORMATINFO, capabilities) == 96, "capabilities at 96");
static_assert(offsetof(TFFORMATINFO, extensions) == 100, "extensions at 100");
static_assert(sizeof(TFFORMATINFO) == TF_FORMATINFO_SIZE, "format information is 112 bytes");
