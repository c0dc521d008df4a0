// Resource numbers shared by gridsplit.rc and the code.
#pragma once

#define IDS_RANGE 100
#define IDS_MENU_TEXT 101
#define IDS_MENU_GROUP 102
#define IDS_IDENTIFIER 103
#define IDS_CELLS_TOO_SMALL 104
#define IDS_TOO_MANY_OBJECTS 105

#define IDD_GRID 202

#define IDC_BORDER 51
#define IDC_CELLS_TO_OBJECTS 52
#define IDC_ROWS 71
#define IDC_COLUMNS 72
#define IDC_LINE_WIDTH 73
#define IDC_ROWS_SPIN 181
#define IDC_COLUMNS_SPIN 182
#define IDC_LINE_WIDTH_SPIN 183
#define IDC_HELP_BUTTON 200
#define IDC_COLOUR_BOX 221
