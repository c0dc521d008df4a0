// lumivex convert: any readable image file to any writable format, through
// the host's format dispatcher.
#include <cstdio>

#include "commands.h"
#include "exitcodes.h"
#include "formatfiles.h"

namespace lvhost {

int RunConvertCommand(const FileCommandOptions& options) {
  std::string error;
  LONG targetType = 0;
  if (!options.type.empty() && !ParseDataType(options.type, &targetType)) {
    PrintError("unknown data type '" + options.type +
               "' (rgb, palette256, palette16, hicolor, grey, bw or 2, 4, 8, 16, 32, 64)");
    return kExitUsage;
  }
  SaveOptions saveOptions;
  LONG formatIndex = -1;
  if (!ParseSaveOptions(options.options, &saveOptions, &error) ||
      !OutputFormatOf(options.output, &formatIndex, &error)) {
    PrintError(error);
    return kExitUsage;
  }
  if (!OutputFolderExists(options.output, &error)) {
    PrintError(error);
    return kExitFileError;
  }
  FileRecord record;
  HostImage image;
  if (!DescribeFile(options.input, &record, &error) || !ReadRecordImage(record, &image, &error)) {
    PrintError(error);
    return kExitFileError;
  }
  if (targetType && !ConvertImage(&image, targetType, &error)) {
    PrintError(error);
    return kExitFailed;
  }
  TFFILEDATA facts = record.Facts();
  if (!WriteImageThroughDispatcher(options.output, formatIndex, image, saveOptions, facts.xResolution,
                                   facts.yResolution, &error)) {
    PrintError(error);
    return kExitFileError;
  }
  return kExitOk;
}

}  // namespace lvhost
