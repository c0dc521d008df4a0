// The sequencer device of the media control interface: mciSendCommandA with
// MCI_OPEN, MCI_SET, MCI_STATUS and MCI_CLOSE on MIDI files. A device reads
// and times its file when it is opened; status questions are answered from
// those facts. Nothing is played: the position stays at the start.
#include <algorithm>
#include <map>
#include <mutex>

#include "mci_internal.h"

namespace lvmm {

namespace {

constexpr size_t kMaxDevices = 256;

// One open sequencer.
struct Device {
  std::string alias;        // MCI_OPEN_ALIAS name, or empty
  std::string element;      // the file name as given to MCI_OPEN, or "sequencer"
  bool hasFile = false;     // false for a sequencer opened without a file
  SmfFacts facts;           // timing of the file
  DWORD timeFormat = MCI_FORMAT_MILLISECONDS;
};

struct DeviceTable {
  std::mutex lock;
  std::map<MCIDEVICEID, Device> devices;
};

DeviceTable& TheDevices() {
  static DeviceTable* table = new DeviceTable;  // lives for the whole process
  return *table;
}

bool SameText(const std::string& a, const std::string& b) {
  return !a.empty() && lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// The lowest free device id, or 0 when the table is full. Caller holds the lock.
MCIDEVICEID FreeId(const DeviceTable& t) {
  if (t.devices.size() >= kMaxDevices) return 0;
  MCIDEVICEID id = 1;
  for (const auto& entry : t.devices) {
    if (entry.first != id) break;
    ++id;
  }
  return id;
}

bool EndsWithExtension(const std::string& name, const char* ext) {
  size_t n = lstrlenA(ext);
  return name.size() > n && lstrcmpiA(name.c_str() + name.size() - n, ext) == 0;
}

// Whether the open request names the sequencer, by type or by the file's extension.
MCIERROR CheckDeviceType(DWORD_PTR flags, const MCI_OPEN_PARMSA& p) {
  if (flags & MCI_OPEN_TYPE_ID) {
    return LOWORD(reinterpret_cast<DWORD_PTR>(p.lpstrDeviceType)) == MCI_DEVTYPE_SEQUENCER
               ? 0 : MCIERR_INVALID_DEVICE_NAME;
  }
  if (flags & MCI_OPEN_TYPE) {
    if (!p.lpstrDeviceType) return MCIERR_MISSING_STRING_ARGUMENT;
    return lstrcmpiA(p.lpstrDeviceType, "sequencer") == 0 ? 0 : MCIERR_INVALID_DEVICE_NAME;
  }
  if (!(flags & MCI_OPEN_ELEMENT)) return MCIERR_MISSING_PARAMETER;
  std::string name = p.lpstrElementName ? p.lpstrElementName : "";
  for (const char* ext : {".mid", ".midi", ".rmi", ".smf"}) {
    if (EndsWithExtension(name, ext)) return 0;
  }
  return MCIERR_EXTENSION_NOT_FOUND;
}

MCIERROR Open(DWORD_PTR flags, MCI_OPEN_PARMSA* p) {
  if (!p) return MCIERR_NULL_PARAMETER_BLOCK;
  if (flags & MCI_OPEN_ELEMENT_ID) return MCIERR_UNSUPPORTED_FUNCTION;
  if (MCIERROR e = CheckDeviceType(flags, *p)) return e;
  Device device;
  if (flags & MCI_OPEN_ALIAS) {
    if (!p->lpstrAlias || !*p->lpstrAlias) return MCIERR_MISSING_STRING_ARGUMENT;
    device.alias = p->lpstrAlias;
  }
  if (flags & MCI_OPEN_ELEMENT) {
    if (!p->lpstrElementName || !*p->lpstrElementName) return MCIERR_FILENAME_REQUIRED;
    device.element = p->lpstrElementName;
    if (MCIERROR e = LoadMidiFile(p->lpstrElementName, device.facts)) return e;
    device.hasFile = true;
  } else {
    device.element = "sequencer";  // named by its type in command strings
  }
  DeviceTable& t = TheDevices();
  std::lock_guard<std::mutex> guard(t.lock);
  for (const auto& entry : t.devices) {
    if (SameText(device.alias, entry.second.alias)) return MCIERR_DUPLICATE_ALIAS;
  }
  MCIDEVICEID id = FreeId(t);
  if (!id) return MCIERR_OUT_OF_MEMORY;
  t.devices.emplace(id, std::move(device));
  p->wDeviceID = id;
  return 0;
}

MCIERROR Close(MCIDEVICEID id) {
  DeviceTable& t = TheDevices();
  std::lock_guard<std::mutex> guard(t.lock);
  if (id == MCI_ALL_DEVICE_ID) {
    t.devices.clear();
    return 0;
  }
  return t.devices.erase(id) ? 0 : MCIERR_INVALID_DEVICE_ID;
}

MCIERROR SetTimeFormat(Device& d, DWORD format) {
  if (format == MCI_FORMAT_MILLISECONDS) {
    d.timeFormat = format;
    return 0;
  }
  if (format == MCI_SEQ_FORMAT_SONGPTR) {
    if (d.hasFile && d.facts.smpteFrames) return MCIERR_SEQ_DIV_INCOMPATIBLE;
    d.timeFormat = format;
    return 0;
  }
  return MCIERR_BAD_TIME_FORMAT;
}

MCIERROR Set(Device& d, DWORD_PTR flags, const MCI_SET_PARMS* p) {
  const DWORD_PTR allowed = MCI_NOTIFY | MCI_WAIT | MCI_SET_TIME_FORMAT;
  if (flags & ~allowed) return MCIERR_UNSUPPORTED_FUNCTION;
  if (!(flags & MCI_SET_TIME_FORMAT)) return MCIERR_MISSING_PARAMETER;
  if (!p) return MCIERR_NULL_PARAMETER_BLOCK;
  return SetTimeFormat(d, p->dwTimeFormat);
}

DWORD Saturate(uint64_t value) { return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<DWORD>(value); }

// Beats per minute (PPQN files, rounded) or frames per second (SMPTE files;
// drop-frame time code reports 30).
DWORD TempoOf(const SmfFacts& f) {
  if (f.smpteFrames) return f.smpteFrames == 29 ? 30 : static_cast<DWORD>(f.smpteFrames);
  return (60000000u + f.firstTempo / 2) / f.firstTempo;
}

DWORD DivisionTypeOf(const SmfFacts& f) {
  switch (f.smpteFrames) {
    case 24: return MCI_SEQ_DIV_SMPTE_24;
    case 25: return MCI_SEQ_DIV_SMPTE_25;
    case 29: return MCI_SEQ_DIV_SMPTE_30DROP;
    case 30: return MCI_SEQ_DIV_SMPTE_30;
    default: return MCI_SEQ_DIV_PPQN;
  }
}

DWORD LengthOf(const Device& d) {
  if (d.timeFormat == MCI_SEQ_FORMAT_SONGPTR) return Saturate(d.facts.lengthTicks * 4 / d.facts.division);
  return Saturate(d.facts.lengthMillis);
}

// Items that need the file's facts.
MCIERROR FileStatus(const Device& d, DWORD item, DWORD_PTR& out) {
  if (!d.hasFile) return MCIERR_NONAPPLICABLE_FUNCTION;
  switch (item) {
    case MCI_STATUS_LENGTH: out = LengthOf(d); return 0;
    case MCI_SEQ_STATUS_TEMPO: out = TempoOf(d.facts); return 0;
    case MCI_SEQ_STATUS_DIVTYPE: out = DivisionTypeOf(d.facts); return 0;
    default: return MCIERR_UNSUPPORTED_FUNCTION;
  }
}

MCIERROR Status(const Device& d, DWORD_PTR flags, MCI_STATUS_PARMS* p) {
  if (!p) return MCIERR_NULL_PARAMETER_BLOCK;
  if (!(flags & MCI_STATUS_ITEM)) return MCIERR_MISSING_PARAMETER;
  if ((flags & MCI_TRACK) && p->dwTrack != 1) return MCIERR_OUTOFRANGE;
  switch (p->dwItem) {
    case MCI_STATUS_POSITION: p->dwReturn = 0; return 0;
    case MCI_STATUS_NUMBER_OF_TRACKS:
    case MCI_STATUS_CURRENT_TRACK: p->dwReturn = 1; return 0;
    case MCI_STATUS_MODE: p->dwReturn = MCI_MODE_STOP; return 0;
    case MCI_STATUS_MEDIA_PRESENT:
    case MCI_STATUS_READY: p->dwReturn = TRUE; return 0;
    case MCI_STATUS_TIME_FORMAT: p->dwReturn = d.timeFormat; return 0;
    case MCI_SEQ_STATUS_PORT: p->dwReturn = MCI_SEQ_NONE; return 0;
    default: return FileStatus(d, p->dwItem, p->dwReturn);
  }
}

// Runs a command on an open device.
MCIERROR OnDevice(MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD_PTR param) {
  DeviceTable& t = TheDevices();
  std::lock_guard<std::mutex> guard(t.lock);
  auto it = t.devices.find(id);
  if (it == t.devices.end()) return MCIERR_INVALID_DEVICE_ID;
  switch (message) {
    case MCI_SET: return Set(it->second, flags, reinterpret_cast<const MCI_SET_PARMS*>(param));
    case MCI_STATUS: return Status(it->second, flags, reinterpret_cast<MCI_STATUS_PARMS*>(param));
    case MCI_PLAY:
    case MCI_SEEK:
    case MCI_STOP:
    case MCI_PAUSE:
    case MCI_RECORD:
    case MCI_SAVE:
    case MCI_LOAD:
    case MCI_INFO:
    case MCI_GETDEVCAPS:
    case MCI_RESUME: return MCIERR_UNSUPPORTED_FUNCTION;
    default: return MCIERR_UNRECOGNIZED_COMMAND;
  }
}

void Notify(DWORD_PTR flags, DWORD_PTR param, MCIDEVICEID id) {
  if (!(flags & MCI_NOTIFY) || !param) return;
  // The whole callback value is the window handle (handles are 32 bits wide).
  HWND window = static_cast<HWND>(reinterpret_cast<const MCI_GENERIC_PARMS*>(param)->dwCallback);
  if (window) PostMessageA(window, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, static_cast<LPARAM>(id));
}

}  // namespace

MCIDEVICEID DeviceIdByName(const std::string& name) {
  DeviceTable& t = TheDevices();
  std::lock_guard<std::mutex> guard(t.lock);
  for (const auto& entry : t.devices) {
    if (SameText(entry.second.alias, name)) return entry.first;
  }
  for (const auto& entry : t.devices) {
    if (entry.second.alias.empty() && SameText(entry.second.element, name)) return entry.first;
  }
  return 0;
}

}  // namespace lvmm

MCIERROR WINAPI mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR param) {
  MCIERROR error;
  MCIDEVICEID notified = device;
  if (message == MCI_OPEN) {
    auto* p = reinterpret_cast<MCI_OPEN_PARMSA*>(param);
    error = lvmm::Open(flags, p);
    if (!error) notified = p->wDeviceID;
  } else if (message == MCI_CLOSE) {
    error = lvmm::Close(device);
  } else {
    error = lvmm::OnDevice(device, message, flags, param);
  }
  if (!error) lvmm::Notify(flags, param, notified);
  return error;
}
