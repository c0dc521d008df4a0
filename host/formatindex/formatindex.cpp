// The host's format index over the dispatcher's list of formats.
#include <fileformats.h>
#include <formatindex.h>

#include <string>

LONG fmtGetFileFormatIndex(LPCSTR path) {
  if (!path || !*path) return -1;
  std::string text = path;
  size_t dot = text.rfind('.');
  size_t slash = text.find_last_of("\\/");
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
    LONG index = tfFileFindFormat(text.substr(dot + 1).c_str());
    if (index >= 0) return index;
  }
  if (!tfIsFileExist(path)) return -1;
  HGLOBAL record = tfFileGetFileData(path, nullptr);
  if (!record) return -1;
  const TFFILEDATA* data = static_cast<const TFFILEDATA*>(GlobalLock(record));
  LONG index = data ? data->formatIndex : -1;
  GlobalUnlock(record);
  tfFileFreeFileData(record);
  return index;
}

const TFFORMATINFO* fmtGetFileFormatInfoPtr(LONG formatIndex) { return tfFileGetFormatInfo(formatIndex); }

LONG fmtGetFormatCount(LONG formatClass) {
  return formatClass == FMT_CLASS_IMAGE ? tfFileGetFileFmtNum() : 0;
}
