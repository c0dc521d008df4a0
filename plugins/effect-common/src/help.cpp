// Help record and help file path of a plug-in.
#include <effect/common.h>

#include <hostcommon.h>

#include <cstring>

namespace effect {

BOOL HelpFilePath(HINSTANCE instance, LPCSTR fileAndSuffix, LPSTR path) {
  if (!path || !fileAndSuffix) return FALSE;
  path[0] = '\0';
  char module[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(instance, module, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return FALSE;
  char folder[MAX_PATH] = {};
  if (!tfdSplitPathname(module, 0, folder)) return FALSE;
  size_t folderLength = std::strlen(folder);
  size_t nameLength = std::strlen(fileAndSuffix);
  if (folderLength + nameLength + 1 > MAX_PATH) return FALSE;
  std::memcpy(path, folder, folderLength);
  std::memcpy(path + folderLength, fileAndSuffix, nameLength + 1);
  return TRUE;
}

BOOL BuildHelpRecord(HINSTANCE instance, LPCSTR fileAndSuffix, LONG context, T32HELPRECORD* out) {
  if (!out) return FALSE;
  T32HELPRECORD record = {};
  if (!HelpFilePath(instance, fileAndSuffix, record.path)) {
    std::memset(out, 0, sizeof *out);
    return FALSE;
  }
  record.context = context;
  std::memcpy(out, &record, sizeof record);
  return TRUE;
}

}  // namespace effect
