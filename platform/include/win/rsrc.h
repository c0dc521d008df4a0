// Resources of modules: the standard resource types, lookup of a module's
// compiled resources (FindResourceA and friends) and its string tables.
//
// Every function takes the module handle of a loaded module, or 0 for the
// program itself. Resource data lives as long as its module stays loaded;
// LoadResource and LockResource give read-only access to it, FreeResource
// has nothing to release.
#pragma once

#include <win/types.h>

#define RT_CURSOR MAKEINTRESOURCEA(1)
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_MENU MAKEINTRESOURCEA(4)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_FONTDIR MAKEINTRESOURCEA(7)
#define RT_FONT MAKEINTRESOURCEA(8)
#define RT_ACCELERATOR MAKEINTRESOURCEA(9)
#define RT_RCDATA MAKEINTRESOURCEA(10)
#define RT_MESSAGETABLE MAKEINTRESOURCEA(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCEA(12)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)
#define RT_VERSION MAKEINTRESOURCEA(16)
#define RT_DLGINCLUDE MAKEINTRESOURCEA(17)
#define RT_PLUGPLAY MAKEINTRESOURCEA(19)
#define RT_VXD MAKEINTRESOURCEA(20)
#define RT_ANICURSOR MAKEINTRESOURCEA(21)
#define RT_ANIICON MAKEINTRESOURCEA(22)
#define RT_HTML MAKEINTRESOURCEA(23)
#define RT_MANIFEST MAKEINTRESOURCEA(24)

#ifndef MAKELANGID
#define MAKELANGID(p, s) ((WORD)((((WORD)(s)) << 10) | (WORD)(p)))
#define PRIMARYLANGID(lgid) ((WORD)(lgid) & 0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#endif
#ifndef LANG_NEUTRAL
#define LANG_NEUTRAL 0x00
#define LANG_GERMAN 0x07
#define LANG_ENGLISH 0x09
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_GERMAN 0x01
#define SUBLANG_ENGLISH_US 0x01
#endif

#ifndef ERROR_RESOURCE_DATA_NOT_FOUND
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814
#define ERROR_RESOURCE_LANG_NOT_FOUND 1815
#endif

// Called by EnumResourceNamesA once per resource; return FALSE to stop.
typedef BOOL (CALLBACK* ENUMRESNAMEPROCA)(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param);

LV_BEGIN_DECLS

// Finds the resource `name` of type `type` in `module` (0: the program).
// Names and types are MAKEINTRESOURCE ordinals, "#number" strings or names
// compared without case. Returns 0 (last error ERROR_RESOURCE_NAME_NOT_FOUND
// or ERROR_RESOURCE_TYPE_NOT_FOUND) when there is none.
LVEXPORT HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);

// As FindResourceA (note the order: type before name), preferring the given
// language; a resource in another language is found when the module has
// none in that language. Language 0 takes the first resource found.
LVEXPORT HRSRC WINAPI FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language);

// The handle of the data of a found resource (pass it to LockResource), or 0
// when `resource` is not a resource handle.
LVEXPORT HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);

// The read-only address of a loaded resource's data, or NULL.
LVEXPORT LPVOID WINAPI LockResource(HGLOBAL resourceData);

// The size in bytes of a found resource's data, or 0.
LVEXPORT DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);

// Releases a loaded resource: nothing to do, always FALSE (success).
LVEXPORT BOOL WINAPI FreeResource(HGLOBAL resourceData);

// Copies string `id` of the module's string tables into `buffer` as
// Windows-1252 text (characters without a form there become '?'), at most
// `bufferMax` - 1 characters, always terminated. Returns the number of
// characters copied; 0 when the string is missing or empty (buffer set to
// ""), or when `buffer` is NULL or `bufferMax` is not positive (nothing written).
LVEXPORT int WINAPI LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int bufferMax);

// Calls `callback` for every resource of type `type` in `module` with its
// name (an ordinal as MAKEINTRESOURCE, or a pointer to the upper-case name).
// Returns TRUE when at least one resource was enumerated.
LVEXPORT BOOL WINAPI EnumResourceNamesA(HMODULE module, LPCSTR type, ENUMRESNAMEPROCA callback, LONG_PTR param);

LV_END_DECLS

#define FindResource FindResourceA
#define FindResourceEx FindResourceExA
#define LoadString LoadStringA
#define EnumResourceNames EnumResourceNamesA
