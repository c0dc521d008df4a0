// Numbers shared by the resource script and the options dialogs.
#pragma once

#define IDD_CVT_PALETTE 100  // options of a conversion to 256 or 16 colours
#define IDD_CVT_BW 101       // options of a conversion to black and white

#define IDS_RANGE 200        // "value out of range" message, %d..%d
#define IDS_COLOURS_RANGE 201  // range text beside the colour count, %d..%d

#define IDC_PALETTE_OPTIMISED 1001
#define IDC_PALETTE_FIXED 1002
#define IDC_COLOURS 1003
#define IDC_COLOURS_RANGE 1004
#define IDC_METHOD_MEDIANCUT 1005
#define IDC_METHOD_POPULARITY 1006
#define IDC_DITHER 1007
#define IDC_BW_THRESHOLD 1010
#define IDC_THRESHOLD 1011
#define IDC_BW_DITHER 1012
