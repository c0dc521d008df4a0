// File information of the RIFF and sequencer formats: WAV, MIDI and RMI.
#include <mmsystem.h>

#include "fileinfo.h"
#include "midi.h"
#include "riff.h"

namespace audioinfo {

namespace {

const FOURCC kWaveForm = mmioFOURCC('W', 'A', 'V', 'E');
const FOURCC kMidiForm = mmioFOURCC('R', 'M', 'I', 'D');

// Stores the texts and, when there is a picture, its size.
void StoreExtras(const RiffExtras& extras, MIOFILEINFO* info) {
  CopyText(info->subject, sizeof info->subject, extras.subject);
  CopyText(info->displayText, sizeof info->displayText, extras.displayText);
  if (!extras.picture.empty())
    SetThumbnailSize(info, extras.pictureSize.width, extras.pictureSize.height);
}

}  // namespace

bool CollectWave(LPCSTR fileName, MIOFILEINFO* info, MioError* error) {
  RiffFile file;
  if (!file.Open(fileName)) {
    *error = kWaveOpenFailed;
    return false;
  }
  RiffExtras extras;
  ReadRiffExtras(file.handle(), kWaveForm, &extras);
  StoreExtras(extras, info);
  WaveChunks chunks;
  WaveFacts facts;
  if (!ReadWaveChunks(file.handle(), &chunks) || !InterpretWave(chunks, &facts)) {
    *error = kWaveUnreadable;
    return false;
  }
  StoreWaveFacts(facts, info);
  return true;
}

bool CollectMidi(LONG index, LPCSTR fileName, MIOFILEINFO* info, MioError* error) {
  if (index == MIO_FORMAT_RMI) {
    RiffFile file;
    if (file.Open(fileName)) {
      RiffExtras extras;
      ReadRiffExtras(file.handle(), kMidiForm, &extras);
      StoreExtras(extras, info);
    }
  }
  MidiFacts facts;
  if (!ReadMidi(fileName, &facts)) {
    *error = kMidiFailed;
    return false;
  }
  info->u.lengthSeconds = facts.lengthSeconds;
  info->samplesOrTempo = facts.tempo;
  return true;
}

bool ReadFilePicture(LONG index, LPCSTR fileName, std::vector<BYTE>* picture) {
  if ((index != MIO_FORMAT_WAV && index != MIO_FORMAT_RMI) || !fileName) return false;
  RiffFile file;
  if (!file.Open(fileName)) return false;
  RiffExtras extras;
  ReadRiffExtras(file.handle(), index == MIO_FORMAT_WAV ? kWaveForm : kMidiForm, &extras);
  if (extras.picture.empty()) return false;
  *picture = std::move(extras.picture);
  return true;
}

}  // namespace audioinfo
