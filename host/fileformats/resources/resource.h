// Resource numbers of the format dispatcher's dialogs and texts.
#pragma once

#define IDD_JPEG_OPTIONS 1004
#define IDD_PNG_OPTIONS 1005
#define IDD_GIF_OPTIONS 1006
#define IDD_OPEN_FILE 1010

#define IDC_QUALITY 1101
#define IDC_QUALITY_SPIN 1102
#define IDC_PROGRESSIVE 1103
#define IDC_INTERLACED 1104
#define IDC_TRANSPARENT 1105
#define IDC_TRANSPARENT_INDEX 1106
#define IDC_TRANSPARENT_SPIN 1107
#define IDC_FILE_NAME 1110
#define IDC_FILE_LIST 1111
#define IDC_FOLDER 1112
#define IDC_FILTER 1113

#define IDS_RANGE 100
#define IDS_NO_FILE 101
