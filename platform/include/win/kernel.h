// The kernel part of the Win32 subset: modules, movable memory, ANSI strings
// and code pages, files and drives, profile files, time and process facts.
//
// Handles are 32-bit values. Every kernel handle is an index tagged with its
// kind (module, memory block, file, search); a handle is never reused while
// it is in use, and a stale or foreign handle fails with ERROR_INVALID_HANDLE.
//
// Paths: drive Z: is the Unix root, drive C: is the folder "C" inside the
// platform prefix ($LUMIVEX_PREFIX, default ~/.local/share/lumivex), which
// holds C:\windows (win.ini) and C:\temp. Both '\' and '/' separate names;
// names resolve case-insensitively against what exists on disk. Text is
// Windows-1252 (ANSI); file names on disk are UTF-8.
#pragma once

#include <stdarg.h>
#include <string.h>
#include <win/types.h>

// ---------------------------------------------------------------- errors
#define ERROR_SUCCESS 0
#define NO_ERROR 0
#define ERROR_INVALID_FUNCTION 1
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_TOO_MANY_OPEN_FILES 4
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_INVALID_DATA 13
#define ERROR_OUTOFMEMORY 14
#define ERROR_INVALID_DRIVE 15
#define ERROR_NOT_SAME_DEVICE 17
#define ERROR_NO_MORE_FILES 18
#define ERROR_WRITE_FAULT 29
#define ERROR_READ_FAULT 30
#define ERROR_SHARING_VIOLATION 32
#define ERROR_HANDLE_EOF 38
#define ERROR_HANDLE_DISK_FULL 39
#define ERROR_NOT_SUPPORTED 50
#define ERROR_FILE_EXISTS 80
#define ERROR_INVALID_PARAMETER 87
#define ERROR_BUFFER_OVERFLOW 111
#define ERROR_DISK_FULL 112
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_INVALID_NAME 123
#define ERROR_MOD_NOT_FOUND 126
#define ERROR_PROC_NOT_FOUND 127
#define ERROR_NEGATIVE_SEEK 131
#define ERROR_DIR_NOT_EMPTY 145
#define ERROR_NOT_LOCKED 158
#define ERROR_BAD_PATHNAME 161
#define ERROR_ALREADY_EXISTS 183
#define ERROR_BAD_EXE_FORMAT 193
#define ERROR_ENVVAR_NOT_FOUND 203
#define ERROR_FILENAME_EXCED_RANGE 206
#define ERROR_MORE_DATA 234
#define ERROR_DIRECTORY 267
#define ERROR_INVALID_FLAGS 1004
#define ERROR_NO_UNICODE_TRANSLATION 1113
#define ERROR_DLL_INIT_FAILED 1114
#define ERROR_CANCELLED 1223

LV_BEGIN_DECLS
// The calling thread's last error code (one per thread, as on the real platform).
LVEXPORT DWORD WINAPI GetLastError(void);
LVEXPORT void WINAPI SetLastError(DWORD code);
LV_END_DECLS

// ---------------------------------------------------------------- memory helpers
#define MoveMemory(d, s, n) memmove((d), (s), (n))
#define CopyMemory(d, s, n) memcpy((d), (s), (n))
#define FillMemory(d, n, v) memset((d), (v), (n))
#define ZeroMemory(d, n) memset((d), 0, (n))

// ---------------------------------------------------------------- modules
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

#define GET_MODULE_HANDLE_EX_FLAG_PIN 0x00000001
#define GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT 0x00000002
#define GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS 0x00000004

LV_BEGIN_DECLS
// The entry point a module may export; declared here with C linkage so that
// a module's definition is found under its plain name.
LVEXPORT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

// Loads the shared object named by a Windows (or Unix) path. A bare name is
// searched among the loaded modules, then in the program's folder, its
// ../lib and ../modules folders, the current folder, C:\windows\system and
// C:\windows; "name.dll" is also tried as "libname.so". On first load calls
// the module's DllMain(DLL_PROCESS_ATTACH); if it returns FALSE the module is
// detached and unloaded and the call fails with ERROR_DLL_INIT_FAILED.
// Every successful call counts one reference. Returns 0 on failure
// (ERROR_MOD_NOT_FOUND, ERROR_BAD_EXE_FORMAT, ...).
LVEXPORT HMODULE WINAPI LoadLibraryA(LPCSTR fileName);
// Drops one reference; at the last one calls DllMain(DLL_PROCESS_DETACH) and
// unloads the module. Modules that were linked in (not loaded by
// LoadLibraryA) are never unloaded.
LVEXPORT BOOL WINAPI FreeLibrary(HMODULE module);
// The exported function or variable by name, or by ordinal when `procName`
// is MAKEINTRESOURCE(ordinal) (through the module's registered export list).
// Returns NULL with ERROR_PROC_NOT_FOUND when the module has no such export.
LVEXPORT FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName);
// NULL: the program. Otherwise a loaded module whose file name matches
// (case-insensitive; without extension ".dll" is assumed, and "name.dll"
// also matches "libname.so"). Does not count a reference.
LVEXPORT HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName);
// As GetModuleHandleA; with GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS `name` is
// any address inside the shared object (program, library, module), which
// gets its own HMODULE. Without GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT
// a reference is counted (release it with FreeLibrary).
LVEXPORT BOOL WINAPI GetModuleHandleExA(DWORD flags, LPCSTR name, HMODULE* module);
// The module's file as a Windows path (Z:\...\gridsplit.tpi); module 0 is
// the program. Copies at most size-1 characters and a terminating zero;
// returns the characters copied (size and ERROR_INSUFFICIENT_BUFFER when the
// path was cut), 0 on failure.
LVEXPORT DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);
LV_END_DECLS

// ---------------------------------------------------------------- global and local memory
// GlobalAlloc always returns a handle, also for GMEM_FIXED: GlobalLock gives
// the block's address. A block keeps its address while it is locked.
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_NOCOMPACT 0x0010
#define GMEM_NODISCARD 0x0020
#define GMEM_ZEROINIT 0x0040
#define GMEM_MODIFY 0x0080
#define GMEM_DISCARDABLE 0x0100
#define GMEM_NOT_BANKED 0x1000
#define GMEM_SHARE 0x2000
#define GMEM_DDESHARE 0x2000
#define GMEM_LOCKCOUNT 0x00FF
#define GMEM_DISCARDED 0x4000
#define GMEM_INVALID_HANDLE 0x8000
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

#define LMEM_FIXED 0x0000
#define LMEM_MOVEABLE 0x0002
#define LMEM_NOCOMPACT 0x0010
#define LMEM_NODISCARD 0x0020
#define LMEM_ZEROINIT 0x0040
#define LMEM_MODIFY 0x0080
#define LMEM_DISCARDABLE 0x0F00
#define LMEM_LOCKCOUNT 0x00FF
#define LMEM_DISCARDED 0x4000
#define LMEM_INVALID_HANDLE 0x8000
#define LHND (LMEM_MOVEABLE | LMEM_ZEROINIT)
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)

LV_BEGIN_DECLS
// A new block of `bytes` bytes (0 is allowed), zero-filled with
// GMEM_ZEROINIT. Returns its handle, or 0 with ERROR_NOT_ENOUGH_MEMORY.
LVEXPORT HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes);
// Resizes the block, keeping its content up to the smaller size (new bytes
// are zero with GMEM_ZEROINIT) and its handle. A locked block only moves
// when GMEM_MOVEABLE is given; otherwise growing it fails. With GMEM_MODIFY
// only the flags change. Returns the handle or 0.
LVEXPORT HGLOBAL WINAPI GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags);
// Frees the block (also when locked). Returns 0 on success, `mem` on failure.
LVEXPORT HGLOBAL WINAPI GlobalFree(HGLOBAL mem);
// Counts one lock and returns the block's address; NULL for a bad handle.
LVEXPORT LPVOID WINAPI GlobalLock(HGLOBAL mem);
// Releases one lock. TRUE while still locked; FALSE when the count reached
// zero (last error NO_ERROR) or the block was not locked (ERROR_NOT_LOCKED).
LVEXPORT BOOL WINAPI GlobalUnlock(HGLOBAL mem);
// The block's size in bytes as allocated; 0 for a bad handle.
LVEXPORT SIZE_T WINAPI GlobalSize(HGLOBAL mem);
// The handle of the block that starts at `address` (from GlobalLock), or 0.
LVEXPORT HGLOBAL WINAPI GlobalHandle(LPCVOID address);
// The lock count in the low byte plus GMEM_DISCARDABLE; GMEM_INVALID_HANDLE
// for a bad handle.
LVEXPORT UINT WINAPI GlobalFlags(HGLOBAL mem);

// The local heap is the same heap as the global one.
LVEXPORT HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes);
LVEXPORT HLOCAL WINAPI LocalReAlloc(HLOCAL mem, SIZE_T bytes, UINT flags);
LVEXPORT HLOCAL WINAPI LocalFree(HLOCAL mem);
LVEXPORT LPVOID WINAPI LocalLock(HLOCAL mem);
LVEXPORT BOOL WINAPI LocalUnlock(HLOCAL mem);
LVEXPORT SIZE_T WINAPI LocalSize(HLOCAL mem);
LVEXPORT HLOCAL WINAPI LocalHandle(LPCVOID address);
LVEXPORT UINT WINAPI LocalFlags(HLOCAL mem);
LV_END_DECLS

// ---------------------------------------------------------------- ANSI strings
LV_BEGIN_DECLS
// Length of a zero-terminated string; 0 for NULL.
LVEXPORT int WINAPI lstrlenA(LPCSTR s);
// Copies `src` with its terminator into `dst`; returns dst (NULL if either is NULL).
LVEXPORT LPSTR WINAPI lstrcpyA(LPSTR dst, LPCSTR src);
// Copies at most max-1 characters and always terminates (max >= 1); returns dst.
LVEXPORT LPSTR WINAPI lstrcpynA(LPSTR dst, LPCSTR src, int max);
// Appends `src` to `dst`; returns dst.
LVEXPORT LPSTR WINAPI lstrcatA(LPSTR dst, LPCSTR src);
// Compares in dictionary order of Windows-1252: letters by their base letter
// first, then accents, then case (lower before upper). Returns -1, 0 or 1;
// NULL compares as the empty string.
LVEXPORT int WINAPI lstrcmpA(LPCSTR a, LPCSTR b);
// As lstrcmpA, ignoring case (Windows-1252 case pairs).
LVEXPORT int WINAPI lstrcmpiA(LPCSTR a, LPCSTR b);
// Upper/lower case in place; a value below 0x10000 in place of the pointer is
// a single character, converted and returned the same way.
LVEXPORT LPSTR WINAPI CharUpperA(LPSTR s);
LVEXPORT LPSTR WINAPI CharLowerA(LPSTR s);
// Converts `length` bytes in place; returns length.
LVEXPORT DWORD WINAPI CharUpperBuffA(LPSTR s, DWORD length);
LVEXPORT DWORD WINAPI CharLowerBuffA(LPSTR s, DWORD length);
// The next character (stays on the terminator) and the previous one (stays on start).
LVEXPORT LPSTR WINAPI CharNextA(LPCSTR s);
LVEXPORT LPSTR WINAPI CharPrevA(LPCSTR start, LPCSTR s);
// Letter and letter-or-digit tests in Windows-1252.
LVEXPORT BOOL WINAPI IsCharAlphaA(CHAR c);
LVEXPORT BOOL WINAPI IsCharAlphaNumericA(CHAR c);
LVEXPORT BOOL WINAPI IsCharUpperA(CHAR c);
LVEXPORT BOOL WINAPI IsCharLowerA(CHAR c);
// Formats into `out` (which must hold 1024 bytes): %d %i %u %x %X %s %c %%
// with the size prefixes l and h, the flags '-', '0' and '#', a width and a
// precision (minimum digits for numbers, maximum characters for %s). No
// floating point and no '*'. An unknown conversion writes its letter. The
// output is cut at 1023 characters; returns the number written.
LVEXPORT int CDECL wsprintfA(LPSTR out, LPCSTR format, ...);
LVEXPORT int WINAPI wvsprintfA(LPSTR out, LPCSTR format, va_list args);
LV_END_DECLS

// ---------------------------------------------------------------- code pages
#define CP_ACP 0
#define CP_OEMCP 1
#define CP_UTF8 65001
#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_NO_BEST_FIT_CHARS 0x00000400
#define WC_COMPOSITECHECK 0x00000200
#define WC_DEFAULTCHAR 0x00000040
#define WC_ERR_INVALID_CHARS 0x00000080

LV_BEGIN_DECLS
// Converts from code page CP_ACP (1252), 1252 or CP_UTF8 to UTF-16.
// srcLength -1: up to and including the terminator. dstLength 0: returns the
// length needed. Invalid UTF-8 becomes U+FFFD (fails with
// MB_ERR_INVALID_CHARS: ERROR_NO_UNICODE_TRANSLATION). Returns the number of
// UTF-16 units written, 0 on failure (ERROR_INSUFFICIENT_BUFFER,
// ERROR_INVALID_PARAMETER).
LVEXPORT int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int srcLength,
                                        LPWSTR dst, int dstLength);
// Converts UTF-16 to CP_ACP, 1252 or CP_UTF8. Characters that 1252 cannot
// show become `defaultChar` (or '?') and set *usedDefault. Lone surrogates
// become U+FFFD in UTF-8. Same length conventions as MultiByteToWideChar.
LVEXPORT int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR src, int srcLength,
                                        LPSTR dst, int dstLength, LPCSTR defaultChar,
                                        LPBOOL usedDefault);
// The ANSI code page of the system: 1252.
LVEXPORT UINT WINAPI GetACP(void);
LV_END_DECLS

// ---------------------------------------------------------------- files
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_FLAG_WRITE_THROUGH 0x80000000u
#define FILE_FLAG_RANDOM_ACCESS 0x10000000
#define FILE_FLAG_SEQUENTIAL_SCAN 0x08000000

#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_SET_FILE_POINTER ((DWORD)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)

#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_COPY_ALLOWED 0x00000002
#define MOVEFILE_WRITE_THROUGH 0x00000008

#define OF_READ 0x00000000
#define OF_WRITE 0x00000001
#define OF_READWRITE 0x00000002
#define OF_SHARE_COMPAT 0x00000000
#define OF_SHARE_EXCLUSIVE 0x00000010
#define OF_SHARE_DENY_WRITE 0x00000020
#define OF_SHARE_DENY_READ 0x00000030
#define OF_SHARE_DENY_NONE 0x00000040
#define HFILE_ERROR ((HFILE)-1)

typedef struct _FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

typedef struct _SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

typedef struct _SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

// Asynchronous access is not offered: every call taking one requires NULL.
typedef struct _OVERLAPPED {
  ULONG_PTR Internal;
  ULONG_PTR InternalHigh;
  DWORD Offset;
  DWORD OffsetHigh;
  HANDLE hEvent;
} OVERLAPPED, *LPOVERLAPPED;

typedef struct _WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];
} WIN32_FIND_DATAA, *PWIN32_FIND_DATAA, *LPWIN32_FIND_DATAA;

typedef enum _GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard, GetFileExMaxInfoLevel } GET_FILEEX_INFO_LEVELS;

typedef struct _WIN32_FILE_ATTRIBUTE_DATA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
} WIN32_FILE_ATTRIBUTE_DATA, *LPWIN32_FILE_ATTRIBUTE_DATA;

LV_BEGIN_DECLS
// Maps a Windows path (drive letter, '\' or '/', relative to the current
// folder) to the Unix path of what exists, matching each name
// case-insensitively; names that do not exist are kept as written (so a file
// can be created). ANSI names become UTF-8. FALSE when the path names no
// drive the platform has (ERROR_PATH_NOT_FOUND) or `size` is too small
// (ERROR_INSUFFICIENT_BUFFER).
LVEXPORT BOOL lvWinPathToUnix(LPCSTR win, LPSTR unixOut, DWORD size);
// Maps a Unix path (absolute, or relative to the current folder) to its
// Windows path: C:\... inside the platform's drive C:, Z:\... otherwise.
// UTF-8 names become ANSI. FALSE when `size` is too small.
LVEXPORT BOOL lvUnixPathToWin(LPCSTR unixPath, LPSTR winOut, DWORD size);

// Opens or creates a file. Access GENERIC_READ and/or GENERIC_WRITE;
// creation CREATE_NEW, CREATE_ALWAYS, OPEN_EXISTING, OPEN_ALWAYS,
// TRUNCATE_EXISTING. CREATE_ALWAYS and OPEN_ALWAYS on an existing file
// succeed with last error ERROR_ALREADY_EXISTS. Returns INVALID_HANDLE_VALUE
// on failure (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_FILE_EXISTS,
// ERROR_ACCESS_DENIED, ...).
LVEXPORT HANDLE WINAPI CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                                   LPSECURITY_ATTRIBUTES security, DWORD creation, DWORD flags,
                                   HANDLE templateFile);
// Reads up to `toRead` bytes at the file pointer; *read gets the count (0 at
// the end). `overlapped` must be NULL.
LVEXPORT BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read,
                              LPOVERLAPPED overlapped);
// Writes all `toWrite` bytes at the file pointer; *written gets the count.
LVEXPORT BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written,
                               LPOVERLAPPED overlapped);
// Moves the file pointer; returns its new low 32 bits (high ones in *high
// when given), INVALID_SET_FILE_POINTER on failure (ERROR_NEGATIVE_SEEK).
LVEXPORT DWORD WINAPI SetFilePointer(HANDLE file, LONG distance, LPLONG distanceHigh, DWORD method);
// The file size's low 32 bits (high ones in *high); INVALID_FILE_SIZE on failure.
LVEXPORT DWORD WINAPI GetFileSize(HANDLE file, LPDWORD high);
// Cuts or extends the file at the file pointer.
LVEXPORT BOOL WINAPI SetEndOfFile(HANDLE file);
LVEXPORT BOOL WINAPI FlushFileBuffers(HANDLE file);
// Closes a file handle (also one from _lopen/_lcreat).
LVEXPORT BOOL WINAPI CloseHandle(HANDLE object);
// Creation, last access and last write time of an open file (UTC).
LVEXPORT BOOL WINAPI GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME lastAccess,
                                 LPFILETIME lastWrite);

// The old file functions; HFILE is a file handle, HFILE_ERROR the failure.
LVEXPORT HFILE WINAPI _lopen(LPCSTR path, int mode);
LVEXPORT HFILE WINAPI _lcreat(LPCSTR path, int attributes);
LVEXPORT UINT WINAPI _lread(HFILE file, LPVOID buffer, UINT bytes);
LVEXPORT UINT WINAPI _lwrite(HFILE file, LPCSTR buffer, UINT bytes);
LVEXPORT LONG WINAPI _llseek(HFILE file, LONG offset, int origin);
LVEXPORT HFILE WINAPI _lclose(HFILE file);

LVEXPORT BOOL WINAPI DeleteFileA(LPCSTR fileName);
// Renames a file or folder; fails with ERROR_ALREADY_EXISTS when the target exists.
LVEXPORT BOOL WINAPI MoveFileA(LPCSTR existing, LPCSTR target);
// MOVEFILE_REPLACE_EXISTING replaces a target file; MOVEFILE_COPY_ALLOWED
// copies and deletes across file systems.
LVEXPORT BOOL WINAPI MoveFileExA(LPCSTR existing, LPCSTR target, DWORD flags);
// Copies a file's content; with failIfExists an existing target is an error
// (ERROR_FILE_EXISTS).
LVEXPORT BOOL WINAPI CopyFileA(LPCSTR existing, LPCSTR target, BOOL failIfExists);
// FILE_ATTRIBUTE_DIRECTORY, _ARCHIVE, _READONLY, _HIDDEN (names starting
// with '.'); INVALID_FILE_ATTRIBUTES when missing.
LVEXPORT DWORD WINAPI GetFileAttributesA(LPCSTR fileName);
// Accepted for an existing file or folder (FILE_ATTRIBUTE_READONLY changes
// the write permission); other attributes are not kept.
LVEXPORT BOOL WINAPI SetFileAttributesA(LPCSTR fileName, DWORD attributes);
LVEXPORT BOOL WINAPI GetFileAttributesExA(LPCSTR fileName, GET_FILEEX_INFO_LEVELS level, LPVOID info);
LVEXPORT BOOL WINAPI CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES security);
LVEXPORT BOOL WINAPI RemoveDirectoryA(LPCSTR path);

// Lists the names in a folder matching the last path component (wildcards
// '*' and '?', case-insensitive; "*.*" matches every name), sorted
// case-insensitively. Returns INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND
// when nothing matches, ERROR_PATH_NOT_FOUND when the folder is missing.
LVEXPORT HANDLE WINAPI FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data);
// The next match; FALSE with ERROR_NO_MORE_FILES at the end.
LVEXPORT BOOL WINAPI FindNextFileA(HANDLE find, LPWIN32_FIND_DATAA data);
LVEXPORT BOOL WINAPI FindClose(HANDLE find);

// The absolute Windows form of `fileName` (joined with the current folder,
// "." and ".." removed, '/' turned to '\'). Returns its length, or the size
// needed including the terminator when `size` is too small. *filePart points
// at the last component in `buffer`.
LVEXPORT DWORD WINAPI GetFullPathNameA(LPCSTR fileName, DWORD size, LPSTR buffer, LPSTR* filePart);
// Current folder as a Windows path (no trailing '\' except at a drive root).
// Returns its length, or the size needed including the terminator.
LVEXPORT DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer);
LVEXPORT BOOL WINAPI SetCurrentDirectoryA(LPCSTR path);
// "C:\temp\" (created on first use). Returns the length or the size needed.
LVEXPORT DWORD WINAPI GetTempPathA(DWORD size, LPSTR buffer);
// Makes "<path>\<first 3 of prefix><hex>.TMP". With unique 0 a number is
// chosen and an empty file is created so the name is taken; otherwise the
// name is only formed. `out` must hold MAX_PATH. Returns the number used, 0
// on failure.
LVEXPORT UINT WINAPI GetTempFileNameA(LPCSTR path, LPCSTR prefix, UINT unique, LPSTR out);
// "C:\windows" and "C:\windows\system". Return the length or the size needed.
LVEXPORT UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size);
LVEXPORT UINT WINAPI GetSystemDirectoryA(LPSTR buffer, UINT size);
LV_END_DECLS

// ---------------------------------------------------------------- time
LV_BEGIN_DECLS
LVEXPORT BOOL WINAPI FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime);
// Validates the fields (month 1..12, day within the month, ...).
LVEXPORT BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime);
LVEXPORT BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* utc, LPFILETIME local);
LVEXPORT BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* local, LPFILETIME utc);
// MS-DOS date (bits 9-15 year-1980, 5-8 month, 0-4 day) and time (bits 11-15
// hour, 5-10 minute, 0-4 second/2); years outside 1980..2107 fail.
LVEXPORT BOOL WINAPI FileTimeToDosDateTime(const FILETIME* fileTime, LPWORD dosDate, LPWORD dosTime);
LVEXPORT BOOL WINAPI DosDateTimeToFileTime(WORD dosDate, WORD dosTime, LPFILETIME fileTime);
LVEXPORT void WINAPI GetSystemTime(LPSYSTEMTIME systemTime);
LVEXPORT void WINAPI GetLocalTime(LPSYSTEMTIME systemTime);
LVEXPORT void WINAPI GetSystemTimeAsFileTime(LPFILETIME fileTime);
// Milliseconds of the monotonic clock, or of the virtual clock while it is in use.
LVEXPORT DWORD WINAPI GetTickCount(void);
// Waits; with the virtual clock in use advances it instead of waiting.
LVEXPORT void WINAPI Sleep(DWORD milliseconds);
// Switches the virtual clock on (it starts at the current tick count) or off.
LVEXPORT void lvUseVirtualClock(BOOL on);
// Advances the virtual clock (no effect while it is off).
LVEXPORT void lvAdvanceVirtualClock(DWORD milliseconds);
LVEXPORT BOOL lvVirtualClockInUse(void);
LV_END_DECLS

// ---------------------------------------------------------------- profile files
LV_BEGIN_DECLS
// Reads a value of a profile file (a bare file name lives in C:\windows).
// Section and key match case-insensitively; surrounding blanks and one pair
// of matching quotes are removed from the value. section NULL lists the
// section names, key NULL the keys of a section, each zero-terminated with
// a final extra zero. Returns the characters copied without the terminator
// (size-1, or size-2 for a list, when cut).
LVEXPORT DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                                               LPSTR out, DWORD size, LPCSTR fileName);
// The value as a decimal integer (leading sign and digits), `defaultValue`
// when the key is missing.
LVEXPORT UINT WINAPI GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
// Sets a value (creating the file, section and key as needed); key NULL
// deletes the section, value NULL deletes the key. The new file is written
// under a temporary name and renamed over the old one, so a failure leaves
// the old file intact.
LVEXPORT BOOL WINAPI WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
// The same on C:\windows\win.ini, created on first use for a German system.
LVEXPORT DWORD WINAPI GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, DWORD size);
LVEXPORT UINT WINAPI GetProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue);
LVEXPORT BOOL WINAPI WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value);
LV_END_DECLS

// ---------------------------------------------------------------- process
typedef struct _OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
} OSVERSIONINFOA, *POSVERSIONINFOA, *LPOSVERSIONINFOA;
#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

LV_BEGIN_DECLS
// number * numerator / denominator in 64 bits, rounded half away from zero;
// -1 when denominator is 0 or the result does not fit.
LVEXPORT int WINAPI MulDiv(int number, int numerator, int denominator);
// The variable's value in ANSI. Returns its length, or the size needed
// including the terminator; 0 with ERROR_ENVVAR_NOT_FOUND when unset.
LVEXPORT DWORD WINAPI GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);
// A Windows 95-like version: major 4, minor 0, high bit set (not NT).
LVEXPORT DWORD WINAPI GetVersion(void);
LVEXPORT BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info);
// The program's command line, arguments quoted where they hold blanks.
LVEXPORT LPSTR WINAPI GetCommandLineA(void);
LVEXPORT DWORD WINAPI GetCurrentProcessId(void);
// Writes the text to the standard error stream.
LVEXPORT void WINAPI OutputDebugStringA(LPCSTR text);
LV_END_DECLS

// The ANSI names without suffix, as a program built without UNICODE sees them.
#ifndef UNICODE
#define LoadLibrary LoadLibraryA
#define GetModuleHandle GetModuleHandleA
#define GetModuleHandleEx GetModuleHandleExA
#define GetModuleFileName GetModuleFileNameA
#define lstrlen lstrlenA
#define lstrcpy lstrcpyA
#define lstrcpyn lstrcpynA
#define lstrcat lstrcatA
#define lstrcmp lstrcmpA
#define lstrcmpi lstrcmpiA
#define CharUpper CharUpperA
#define CharLower CharLowerA
#define CharUpperBuff CharUpperBuffA
#define CharLowerBuff CharLowerBuffA
#define CharNext CharNextA
#define CharPrev CharPrevA
#define IsCharAlpha IsCharAlphaA
#define IsCharAlphaNumeric IsCharAlphaNumericA
#define IsCharUpper IsCharUpperA
#define IsCharLower IsCharLowerA
#define wsprintf wsprintfA
#define wvsprintf wvsprintfA
#define CreateFile CreateFileA
#define DeleteFile DeleteFileA
#define MoveFile MoveFileA
#define MoveFileEx MoveFileExA
#define CopyFile CopyFileA
#define GetFileAttributes GetFileAttributesA
#define SetFileAttributes SetFileAttributesA
#define GetFileAttributesEx GetFileAttributesExA
#define CreateDirectory CreateDirectoryA
#define RemoveDirectory RemoveDirectoryA
#define WIN32_FIND_DATA WIN32_FIND_DATAA
#define LPWIN32_FIND_DATA LPWIN32_FIND_DATAA
#define FindFirstFile FindFirstFileA
#define FindNextFile FindNextFileA
#define GetFullPathName GetFullPathNameA
#define GetCurrentDirectory GetCurrentDirectoryA
#define SetCurrentDirectory SetCurrentDirectoryA
#define GetTempPath GetTempPathA
#define GetTempFileName GetTempFileNameA
#define GetWindowsDirectory GetWindowsDirectoryA
#define GetSystemDirectory GetSystemDirectoryA
#define GetPrivateProfileString GetPrivateProfileStringA
#define GetPrivateProfileInt GetPrivateProfileIntA
#define WritePrivateProfileString WritePrivateProfileStringA
#define GetProfileString GetProfileStringA
#define GetProfileInt GetProfileIntA
#define WriteProfileString WriteProfileStringA
#define GetEnvironmentVariable GetEnvironmentVariableA
#define OSVERSIONINFO OSVERSIONINFOA
#define GetVersionEx GetVersionExA
#define GetCommandLine GetCommandLineA
#define OutputDebugString OutputDebugStringA
#endif
