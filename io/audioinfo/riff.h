// RIFF files (WAV, RMI) read through the platform's multimedia file services.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <string>
#include <vector>

#include "dib.h"
#include "wavefacts.h"

namespace audioinfo {

// A RIFF file opened for reading; closed with the object.
class RiffFile {
 public:
  RiffFile() = default;
  ~RiffFile();
  RiffFile(const RiffFile&) = delete;
  RiffFile& operator=(const RiffFile&) = delete;
  // Opens the named file (a Windows path); false when it cannot be opened.
  bool Open(LPCSTR fileName);
  HMMIO handle() const { return file_; }

 private:
  HMMIO file_ = 0;
};

// The texts and picture a RIFF form carries beside its data.
struct RiffExtras {
  std::string displayText;    // text display chunk, up to 511 characters
  std::string subject;        // INFO list's subject, up to 4095 characters
  std::vector<BYTE> picture;  // bitmap display chunk: a checked packed bitmap, or empty
  DibSize pictureSize;        // its width and height
};

// Reads the display chunks of the RIFF form `formType` (text: the display
// text; bitmap: the picture, when it is a whole packed bitmap; a later
// chunk of the same kind replaces an earlier one) and the INFO list's
// subject. Missing or broken parts are left empty.
void ReadRiffExtras(HMMIO file, FOURCC formType, RiffExtras* extras);

// Reads the "fmt ", "fact" and "data" chunks of the WAVE form, wherever they
// lie in it. False when there is no WAVE form or no format chunk.
bool ReadWaveChunks(HMMIO file, WaveChunks* chunks);

}  // namespace audioinfo
