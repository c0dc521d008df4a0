// Without the platform's multimedia services: RIFF and sequencer files
// cannot be opened ("driver not installed").
#include "fileinfo.h"

namespace audioinfo {

bool CollectWave(LPCSTR, MIOFILEINFO*, MioError* error) {
  *error = kWaveOpenFailed;
  return false;
}

bool CollectMidi(LONG, LPCSTR, MIOFILEINFO*, MioError* error) {
  *error = kMidiFailed;
  return false;
}

bool ReadFilePicture(LONG, LPCSTR, std::vector<BYTE>*) { return false; }

}  // namespace audioinfo
