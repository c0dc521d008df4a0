#include "builtins.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace lvrc {
namespace {

constexpr BuiltinMacro kMacros[] = {
    // Predefined by the compiler for every script.
    {"RC_INVOKED", "1"}, {"_WIN32", "1"},
    // Window styles.
    {"WS_OVERLAPPED", "0x00000000L"}, {"WS_POPUP", "0x80000000L"}, {"WS_CHILD", "0x40000000L"},
    {"WS_MINIMIZE", "0x20000000L"}, {"WS_VISIBLE", "0x10000000L"}, {"WS_DISABLED", "0x08000000L"},
    {"WS_CLIPSIBLINGS", "0x04000000L"}, {"WS_CLIPCHILDREN", "0x02000000L"},
    {"WS_MAXIMIZE", "0x01000000L"}, {"WS_CAPTION", "0x00C00000L"}, {"WS_BORDER", "0x00800000L"},
    {"WS_DLGFRAME", "0x00400000L"}, {"WS_VSCROLL", "0x00200000L"}, {"WS_HSCROLL", "0x00100000L"},
    {"WS_SYSMENU", "0x00080000L"}, {"WS_THICKFRAME", "0x00040000L"}, {"WS_GROUP", "0x00020000L"},
    {"WS_TABSTOP", "0x00010000L"}, {"WS_MINIMIZEBOX", "0x00020000L"},
    {"WS_MAXIMIZEBOX", "0x00010000L"}, {"WS_TILED", "0x00000000L"}, {"WS_ICONIC", "0x20000000L"},
    {"WS_SIZEBOX", "0x00040000L"}, {"WS_OVERLAPPEDWINDOW", "0x00CF0000L"},
    {"WS_TILEDWINDOW", "0x00CF0000L"}, {"WS_POPUPWINDOW", "0x80880000L"},
    {"WS_CHILDWINDOW", "0x40000000L"},
    // Extended window styles.
    {"WS_EX_DLGMODALFRAME", "0x00000001L"}, {"WS_EX_NOPARENTNOTIFY", "0x00000004L"},
    {"WS_EX_TOPMOST", "0x00000008L"}, {"WS_EX_ACCEPTFILES", "0x00000010L"},
    {"WS_EX_TRANSPARENT", "0x00000020L"}, {"WS_EX_MDICHILD", "0x00000040L"},
    {"WS_EX_TOOLWINDOW", "0x00000080L"}, {"WS_EX_WINDOWEDGE", "0x00000100L"},
    {"WS_EX_CLIENTEDGE", "0x00000200L"}, {"WS_EX_CONTEXTHELP", "0x00000400L"},
    {"WS_EX_RIGHT", "0x00001000L"}, {"WS_EX_LEFT", "0x00000000L"},
    {"WS_EX_RTLREADING", "0x00002000L"}, {"WS_EX_LTRREADING", "0x00000000L"},
    {"WS_EX_LEFTSCROLLBAR", "0x00004000L"}, {"WS_EX_RIGHTSCROLLBAR", "0x00000000L"},
    {"WS_EX_CONTROLPARENT", "0x00010000L"}, {"WS_EX_STATICEDGE", "0x00020000L"},
    {"WS_EX_APPWINDOW", "0x00040000L"}, {"WS_EX_OVERLAPPEDWINDOW", "0x00000300L"},
    {"WS_EX_PALETTEWINDOW", "0x00000188L"}, {"WS_EX_LAYERED", "0x00080000L"},
    {"WS_EX_NOINHERITLAYOUT", "0x00100000L"}, {"WS_EX_LAYOUTRTL", "0x00400000L"},
    {"WS_EX_COMPOSITED", "0x02000000L"}, {"WS_EX_NOACTIVATE", "0x08000000L"},
    // Dialog styles.
    {"DS_ABSALIGN", "0x01L"}, {"DS_SYSMODAL", "0x02L"}, {"DS_3DLOOK", "0x04L"},
    {"DS_FIXEDSYS", "0x08L"}, {"DS_NOFAILCREATE", "0x10L"}, {"DS_LOCALEDIT", "0x20L"},
    {"DS_SETFONT", "0x40L"}, {"DS_MODALFRAME", "0x80L"}, {"DS_NOIDLEMSG", "0x100L"},
    {"DS_SETFOREGROUND", "0x200L"}, {"DS_CONTROL", "0x0400L"}, {"DS_CENTER", "0x0800L"},
    {"DS_CENTERMOUSE", "0x1000L"}, {"DS_CONTEXTHELP", "0x2000L"}, {"DS_SHELLFONT", "(0x40L | 0x08L)"},
    // Button styles.
    {"BS_PUSHBUTTON", "0x00000000L"}, {"BS_DEFPUSHBUTTON", "0x00000001L"},
    {"BS_CHECKBOX", "0x00000002L"}, {"BS_AUTOCHECKBOX", "0x00000003L"},
    {"BS_RADIOBUTTON", "0x00000004L"}, {"BS_3STATE", "0x00000005L"},
    {"BS_AUTO3STATE", "0x00000006L"}, {"BS_GROUPBOX", "0x00000007L"},
    {"BS_USERBUTTON", "0x00000008L"}, {"BS_AUTORADIOBUTTON", "0x00000009L"},
    {"BS_PUSHBOX", "0x0000000AL"}, {"BS_OWNERDRAW", "0x0000000BL"}, {"BS_TYPEMASK", "0x0000000FL"},
    {"BS_LEFTTEXT", "0x00000020L"}, {"BS_RIGHTBUTTON", "0x00000020L"}, {"BS_TEXT", "0x00000000L"},
    {"BS_ICON", "0x00000040L"}, {"BS_BITMAP", "0x00000080L"}, {"BS_LEFT", "0x00000100L"},
    {"BS_RIGHT", "0x00000200L"}, {"BS_CENTER", "0x00000300L"}, {"BS_TOP", "0x00000400L"},
    {"BS_BOTTOM", "0x00000800L"}, {"BS_VCENTER", "0x00000C00L"}, {"BS_PUSHLIKE", "0x00001000L"},
    {"BS_MULTILINE", "0x00002000L"}, {"BS_NOTIFY", "0x00004000L"}, {"BS_FLAT", "0x00008000L"},
    // Edit styles.
    {"ES_LEFT", "0x0000L"}, {"ES_CENTER", "0x0001L"}, {"ES_RIGHT", "0x0002L"},
    {"ES_MULTILINE", "0x0004L"}, {"ES_UPPERCASE", "0x0008L"}, {"ES_LOWERCASE", "0x0010L"},
    {"ES_PASSWORD", "0x0020L"}, {"ES_AUTOVSCROLL", "0x0040L"}, {"ES_AUTOHSCROLL", "0x0080L"},
    {"ES_NOHIDESEL", "0x0100L"}, {"ES_OEMCONVERT", "0x0400L"}, {"ES_READONLY", "0x0800L"},
    {"ES_WANTRETURN", "0x1000L"}, {"ES_NUMBER", "0x2000L"},
    // Static styles.
    {"SS_LEFT", "0x00000000L"}, {"SS_CENTER", "0x00000001L"}, {"SS_RIGHT", "0x00000002L"},
    {"SS_ICON", "0x00000003L"}, {"SS_BLACKRECT", "0x00000004L"}, {"SS_GRAYRECT", "0x00000005L"},
    {"SS_WHITERECT", "0x00000006L"}, {"SS_BLACKFRAME", "0x00000007L"},
    {"SS_GRAYFRAME", "0x00000008L"}, {"SS_WHITEFRAME", "0x00000009L"},
    {"SS_USERITEM", "0x0000000AL"}, {"SS_SIMPLE", "0x0000000BL"},
    {"SS_LEFTNOWORDWRAP", "0x0000000CL"}, {"SS_OWNERDRAW", "0x0000000DL"},
    {"SS_BITMAP", "0x0000000EL"}, {"SS_ENHMETAFILE", "0x0000000FL"},
    {"SS_ETCHEDHORZ", "0x00000010L"}, {"SS_ETCHEDVERT", "0x00000011L"},
    {"SS_ETCHEDFRAME", "0x00000012L"}, {"SS_TYPEMASK", "0x0000001FL"},
    {"SS_REALSIZECONTROL", "0x00000040L"}, {"SS_NOPREFIX", "0x00000080L"},
    {"SS_NOTIFY", "0x00000100L"}, {"SS_CENTERIMAGE", "0x00000200L"},
    {"SS_RIGHTJUST", "0x00000400L"}, {"SS_REALSIZEIMAGE", "0x00000800L"},
    {"SS_SUNKEN", "0x00001000L"}, {"SS_EDITCONTROL", "0x00002000L"},
    {"SS_ENDELLIPSIS", "0x00004000L"}, {"SS_PATHELLIPSIS", "0x00008000L"},
    {"SS_WORDELLIPSIS", "0x0000C000L"}, {"SS_ELLIPSISMASK", "0x0000C000L"},
    // List box styles.
    {"LBS_NOTIFY", "0x0001L"}, {"LBS_SORT", "0x0002L"}, {"LBS_NOREDRAW", "0x0004L"},
    {"LBS_MULTIPLESEL", "0x0008L"}, {"LBS_OWNERDRAWFIXED", "0x0010L"},
    {"LBS_OWNERDRAWVARIABLE", "0x0020L"}, {"LBS_HASSTRINGS", "0x0040L"},
    {"LBS_USETABSTOPS", "0x0080L"}, {"LBS_NOINTEGRALHEIGHT", "0x0100L"},
    {"LBS_MULTICOLUMN", "0x0200L"}, {"LBS_WANTKEYBOARDINPUT", "0x0400L"},
    {"LBS_EXTENDEDSEL", "0x0800L"}, {"LBS_DISABLENOSCROLL", "0x1000L"},
    {"LBS_NODATA", "0x2000L"}, {"LBS_NOSEL", "0x4000L"}, {"LBS_COMBOBOX", "0x8000L"},
    {"LBS_STANDARD", "(0x0001L | 0x0002L | 0x00200000L | 0x00800000L)"},
    // Combo box styles.
    {"CBS_SIMPLE", "0x0001L"}, {"CBS_DROPDOWN", "0x0002L"}, {"CBS_DROPDOWNLIST", "0x0003L"},
    {"CBS_OWNERDRAWFIXED", "0x0010L"}, {"CBS_OWNERDRAWVARIABLE", "0x0020L"},
    {"CBS_AUTOHSCROLL", "0x0040L"}, {"CBS_OEMCONVERT", "0x0080L"}, {"CBS_SORT", "0x0100L"},
    {"CBS_HASSTRINGS", "0x0200L"}, {"CBS_NOINTEGRALHEIGHT", "0x0400L"},
    {"CBS_DISABLENOSCROLL", "0x0800L"}, {"CBS_UPPERCASE", "0x2000L"}, {"CBS_LOWERCASE", "0x4000L"},
    // Scroll bar styles.
    {"SBS_HORZ", "0x0000L"}, {"SBS_VERT", "0x0001L"}, {"SBS_TOPALIGN", "0x0002L"},
    {"SBS_LEFTALIGN", "0x0002L"}, {"SBS_BOTTOMALIGN", "0x0004L"}, {"SBS_RIGHTALIGN", "0x0004L"},
    {"SBS_SIZEBOXTOPLEFTALIGN", "0x0002L"}, {"SBS_SIZEBOXBOTTOMRIGHTALIGN", "0x0004L"},
    {"SBS_SIZEBOX", "0x0008L"}, {"SBS_SIZEGRIP", "0x0010L"},
    // Common controls: up-down, track bar, tab, list view, progress, bars.
    {"UDS_WRAP", "0x0001"}, {"UDS_SETBUDDYINT", "0x0002"}, {"UDS_ALIGNRIGHT", "0x0004"},
    {"UDS_ALIGNLEFT", "0x0008"}, {"UDS_AUTOBUDDY", "0x0010"}, {"UDS_ARROWKEYS", "0x0020"},
    {"UDS_HORZ", "0x0040"}, {"UDS_NOTHOUSANDS", "0x0080"}, {"UDS_HOTTRACK", "0x0100"},
    {"TBS_AUTOTICKS", "0x0001"}, {"TBS_VERT", "0x0002"}, {"TBS_HORZ", "0x0000"},
    {"TBS_TOP", "0x0004"}, {"TBS_BOTTOM", "0x0000"}, {"TBS_LEFT", "0x0004"},
    {"TBS_RIGHT", "0x0000"}, {"TBS_BOTH", "0x0008"}, {"TBS_NOTICKS", "0x0010"},
    {"TBS_ENABLESELRANGE", "0x0020"}, {"TBS_FIXEDLENGTH", "0x0040"}, {"TBS_NOTHUMB", "0x0080"},
    {"TBS_TOOLTIPS", "0x0100"}, {"TBS_REVERSED", "0x0200"}, {"TBS_DOWNISLEFT", "0x0400"},
    {"TCS_SCROLLOPPOSITE", "0x0001"}, {"TCS_BOTTOM", "0x0002"}, {"TCS_RIGHT", "0x0002"},
    {"TCS_MULTISELECT", "0x0004"}, {"TCS_FLATBUTTONS", "0x0008"},
    {"TCS_FORCEICONLEFT", "0x0010"}, {"TCS_FORCELABELLEFT", "0x0020"},
    {"TCS_HOTTRACK", "0x0040"}, {"TCS_VERTICAL", "0x0080"}, {"TCS_TABS", "0x0000"},
    {"TCS_BUTTONS", "0x0100"}, {"TCS_SINGLELINE", "0x0000"}, {"TCS_MULTILINE", "0x0200"},
    {"TCS_RIGHTJUSTIFY", "0x0000"}, {"TCS_FIXEDWIDTH", "0x0400"}, {"TCS_RAGGEDRIGHT", "0x0800"},
    {"TCS_FOCUSONBUTTONDOWN", "0x1000"}, {"TCS_OWNERDRAWFIXED", "0x2000"},
    {"TCS_TOOLTIPS", "0x4000"}, {"TCS_FOCUSNEVER", "0x8000"},
    {"LVS_ICON", "0x0000"}, {"LVS_REPORT", "0x0001"}, {"LVS_SMALLICON", "0x0002"},
    {"LVS_LIST", "0x0003"}, {"LVS_SINGLESEL", "0x0004"}, {"LVS_SHOWSELALWAYS", "0x0008"},
    {"LVS_SORTASCENDING", "0x0010"}, {"LVS_SORTDESCENDING", "0x0020"},
    {"LVS_SHAREIMAGELISTS", "0x0040"}, {"LVS_NOLABELWRAP", "0x0080"},
    {"LVS_AUTOARRANGE", "0x0100"}, {"LVS_EDITLABELS", "0x0200"}, {"LVS_OWNERDRAWFIXED", "0x0400"},
    {"LVS_ALIGNTOP", "0x0000"}, {"LVS_ALIGNLEFT", "0x0800"}, {"LVS_OWNERDATA", "0x1000"},
    {"LVS_NOSCROLL", "0x2000"}, {"LVS_NOCOLUMNHEADER", "0x4000"}, {"LVS_NOSORTHEADER", "0x8000"},
    {"PBS_SMOOTH", "0x01"}, {"PBS_VERTICAL", "0x04"},
    {"CCS_TOP", "0x00000001L"}, {"CCS_NOMOVEY", "0x00000002L"}, {"CCS_BOTTOM", "0x00000003L"},
    {"CCS_NORESIZE", "0x00000004L"}, {"CCS_NOPARENTALIGN", "0x00000008L"},
    {"CCS_ADJUSTABLE", "0x00000020L"}, {"CCS_NODIVIDER", "0x00000040L"}, {"CCS_VERT", "0x00000080L"},
    // Window class names.
    {"WC_BUTTON", "\"Button\""}, {"WC_STATIC", "\"Static\""}, {"WC_EDIT", "\"Edit\""},
    {"WC_LISTBOX", "\"ListBox\""}, {"WC_COMBOBOX", "\"ComboBox\""},
    {"WC_SCROLLBAR", "\"ScrollBar\""}, {"TRACKBAR_CLASS", "\"msctls_trackbar32\""},
    {"UPDOWN_CLASS", "\"msctls_updown32\""}, {"PROGRESS_CLASS", "\"msctls_progress32\""},
    {"WC_TABCONTROL", "\"SysTabControl32\""}, {"WC_LISTVIEW", "\"SysListView32\""},
    {"WC_TREEVIEW", "\"SysTreeView32\""}, {"TOOLBARCLASSNAME", "\"ToolbarWindow32\""},
    {"STATUSCLASSNAME", "\"msctls_statusbar32\""}, {"ANIMATE_CLASS", "\"SysAnimate32\""},
    {"HOTKEY_CLASS", "\"msctls_hotkey32\""},
    // Dialog box command identifiers.
    {"IDOK", "1"}, {"IDCANCEL", "2"}, {"IDABORT", "3"}, {"IDRETRY", "4"}, {"IDIGNORE", "5"},
    {"IDYES", "6"}, {"IDNO", "7"}, {"IDCLOSE", "8"}, {"IDHELP", "9"}, {"IDTRYAGAIN", "10"},
    {"IDCONTINUE", "11"}, {"IDC_STATIC", "(-1)"},
    // Application framework command and string identifiers.
    {"ID_FILE_NEW", "0xE100"}, {"ID_FILE_OPEN", "0xE101"}, {"ID_FILE_CLOSE", "0xE102"},
    {"ID_FILE_SAVE", "0xE103"}, {"ID_FILE_SAVE_AS", "0xE104"}, {"ID_EDIT_COPY", "0xE122"},
    {"ID_EDIT_CUT", "0xE123"}, {"ID_EDIT_PASTE", "0xE125"}, {"ID_EDIT_UNDO", "0xE12B"},
    {"ID_APP_ABOUT", "0xE140"}, {"ID_APP_EXIT", "0xE141"}, {"ID_HELP", "0xE146"},
    {"AFX_IDS_APP_TITLE", "0xE000"}, {"AFX_IDS_IDLEMESSAGE", "0xE001"},
    // Languages.
    {"LANG_NEUTRAL", "0x00"}, {"LANG_INVARIANT", "0x7f"}, {"LANG_ENGLISH", "0x09"},
    {"LANG_GERMAN", "0x07"}, {"LANG_FRENCH", "0x0c"}, {"LANG_ITALIAN", "0x10"},
    {"LANG_SPANISH", "0x0a"}, {"LANG_DUTCH", "0x13"}, {"LANG_JAPANESE", "0x11"},
    {"SUBLANG_NEUTRAL", "0x00"}, {"SUBLANG_DEFAULT", "0x01"}, {"SUBLANG_SYS_DEFAULT", "0x02"},
    {"SUBLANG_ENGLISH_US", "0x01"}, {"SUBLANG_ENGLISH_UK", "0x02"}, {"SUBLANG_GERMAN", "0x01"},
    {"SUBLANG_GERMAN_SWISS", "0x02"}, {"SUBLANG_GERMAN_AUSTRIAN", "0x03"},
    {"SUBLANG_FRENCH", "0x01"}, {"SUBLANG_ITALIAN", "0x01"}, {"SUBLANG_DUTCH", "0x01"},
    // Version information.
    {"VS_VERSION_INFO", "1"}, {"VS_USER_DEFINED", "100"}, {"VS_FFI_SIGNATURE", "0xFEEF04BDL"},
    {"VS_FFI_STRUCVERSION", "0x00010000L"}, {"VS_FFI_FILEFLAGSMASK", "0x0000003FL"},
    {"VS_FF_DEBUG", "0x00000001L"}, {"VS_FF_PRERELEASE", "0x00000002L"},
    {"VS_FF_PATCHED", "0x00000004L"}, {"VS_FF_PRIVATEBUILD", "0x00000008L"},
    {"VS_FF_INFOINFERRED", "0x00000010L"}, {"VS_FF_SPECIALBUILD", "0x00000020L"},
    {"VOS_UNKNOWN", "0x00000000L"}, {"VOS_DOS", "0x00010000L"}, {"VOS_NT", "0x00040000L"},
    {"VOS__WINDOWS32", "0x00000004L"}, {"VOS_DOS_WINDOWS32", "0x00010004L"},
    {"VOS_NT_WINDOWS32", "0x00040004L"}, {"VFT_UNKNOWN", "0x00000000L"}, {"VFT_APP", "0x00000001L"},
    {"VFT_DLL", "0x00000002L"}, {"VFT_STATIC_LIB", "0x00000007L"}, {"VFT2_UNKNOWN", "0x00000000L"},
    // Resource types by number.
    {"RT_CURSOR", "1"}, {"RT_BITMAP", "2"}, {"RT_ICON", "3"}, {"RT_MENU", "4"}, {"RT_DIALOG", "5"},
    {"RT_STRING", "6"}, {"RT_FONTDIR", "7"}, {"RT_FONT", "8"}, {"RT_ACCELERATOR", "9"},
    {"RT_RCDATA", "10"}, {"RT_MESSAGETABLE", "11"}, {"RT_GROUP_CURSOR", "12"},
    {"RT_GROUP_ICON", "14"}, {"RT_VERSION", "16"}, {"RT_DLGINCLUDE", "17"}, {"RT_HTML", "23"},
    {"RT_MANIFEST", "24"},
    // Virtual keys used in accelerator tables.
    {"VK_BACK", "0x08"}, {"VK_TAB", "0x09"}, {"VK_RETURN", "0x0D"}, {"VK_SHIFT", "0x10"},
    {"VK_CONTROL", "0x11"}, {"VK_MENU", "0x12"}, {"VK_ESCAPE", "0x1B"}, {"VK_SPACE", "0x20"},
    {"VK_PRIOR", "0x21"}, {"VK_NEXT", "0x22"}, {"VK_END", "0x23"}, {"VK_HOME", "0x24"},
    {"VK_LEFT", "0x25"}, {"VK_UP", "0x26"}, {"VK_RIGHT", "0x27"}, {"VK_DOWN", "0x28"},
    {"VK_INSERT", "0x2D"}, {"VK_DELETE", "0x2E"}, {"VK_ADD", "0x6B"}, {"VK_SUBTRACT", "0x6D"},
    {"VK_F1", "0x70"}, {"VK_F2", "0x71"}, {"VK_F3", "0x72"}, {"VK_F4", "0x73"}, {"VK_F5", "0x74"},
    {"VK_F6", "0x75"}, {"VK_F7", "0x76"}, {"VK_F8", "0x77"}, {"VK_F9", "0x78"}, {"VK_F10", "0x79"},
    {"VK_F11", "0x7A"}, {"VK_F12", "0x7B"},
};

constexpr std::string_view kPlatformHeaders[] = {
    "windows.h", "winres.h",  "winresrc.h", "afxres.h", "commctrl.h", "winuser.h",
    "winuser.rh", "windef.h", "winnt.h",    "winver.h", "verrsrc.h",  "richedit.h",
    "dlgs.h",    "prsht.h",   "commdlg.h",  "winbase.h", "winnls.h",  "ntdef.h",
};

}  // namespace

std::span<const BuiltinMacro> BuiltinMacros() {
  return kMacros;
}

bool IsPlatformHeader(std::string_view header) {
  std::string lower(header);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (char& c : lower)
    if (c == '\\') c = '/';
  size_t slash = lower.rfind('/');
  std::string_view base = slash == std::string::npos ? std::string_view(lower) : std::string_view(lower).substr(slash + 1);
  return std::find(std::begin(kPlatformHeaders), std::end(kPlatformHeaders), base) != std::end(kPlatformHeaders);
}

}  // namespace lvrc
