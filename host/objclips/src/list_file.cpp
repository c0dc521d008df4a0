// Loading and saving lists through the platform's file functions.
#include <string>
#include <vector>

#include "item_list.h"

using namespace objclips;

namespace {

// Larger files are not lists this library wrote (1024 x 1024 x 8 bytes is
// the largest thumbnail; lists hold a few hundred items at most).
constexpr DWORD kMaxFileBytes = 256u << 20;

// The whole file, or false when it is missing, too large or unreadable.
bool ReadWholeFile(LPCSTR name, std::vector<BYTE>* bytes) {
  HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, 0);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  DWORD size = GetFileSize(file, &high);
  bool ok = size != INVALID_FILE_SIZE && high == 0 && size <= kMaxFileBytes;
  if (ok) {
    bytes->resize(size);
    DWORD done = 0;
    while (ok && done < size) {
      DWORD got = 0;
      ok = ReadFile(file, bytes->data() + done, size - done, &got, nullptr) && got > 0;
      done += got;
    }
  }
  CloseHandle(file);
  return ok;
}

bool WriteWholeFile(LPCSTR name, const std::vector<BYTE>& bytes) {
  HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = bytes.size() <= kMaxFileBytes &&
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  ok = CloseHandle(file) && ok;
  return ok;
}

}  // namespace

LVEXPORT HIIO t32LoadIIO(LPCSTR file, IIOLOADPROC itemProc) {
  std::vector<BYTE> bytes;
  if (!file || !ReadWholeFile(file, &bytes)) return 0;
  std::unique_ptr<ItemList> list = DecodeList(bytes, itemProc);
  if (!list) {
    SetLastError(ERROR_INVALID_DATA);
    return 0;
  }
  return RegisterList(std::move(list));
}

LVEXPORT BOOL t32SaveIIO(LPCSTR file, HIIO handle, LONG /*flag*/) {
  ItemList* list = FindList(handle);
  if (!file || !*file || !list) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::vector<BYTE> bytes = EncodeList(*list);
  // Written beside the target and renamed over it: a failure part way
  // leaves the previous file as it was.
  std::string temporary = std::string(file) + ".~new";
  if (!WriteWholeFile(temporary.c_str(), bytes) ||
      !MoveFileExA(temporary.c_str(), file, MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(temporary.c_str());
    return FALSE;
  }
  return TRUE;
}
