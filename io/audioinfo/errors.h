// The module's failures and how they reach the host's error slot.
#pragma once

#include <windows.h>

#include <audioinfo.h>

namespace audioinfo {

// One failure: the message identifier (10000..10007) and where it happened.
struct MioError {
  LONG message;
  LONG category;
  LONG detail;
};

inline bool operator==(const MioError& a, const MioError& b) {
  return a.message == b.message && a.category == b.category && a.detail == b.detail;
}

// Categories: which entry point failed.
constexpr LONG kCategoryFileInfo = 2;
constexpr LONG kCategoryThumbnail = 5;
constexpr LONG kCategoryInfoBox = 7;
constexpr LONG kCategoryMemory = 9;

// Details of file information failures: which step or format.
constexpr LONG kDetailBadIndex = 1;
constexpr LONG kDetailOpen = 3;
constexpr LONG kDetailWave = 4;
constexpr LONG kDetailMidi = 5;
constexpr LONG kDetailVoc = 6;

constexpr MioError kOpenFailed = {MIO_MSG_CANNOT_OPEN, kCategoryFileInfo, kDetailOpen};
constexpr MioError kWaveOpenFailed = {MIO_MSG_CANNOT_OPEN, kCategoryFileInfo, kDetailWave};
constexpr MioError kWaveUnreadable = {MIO_MSG_CANNOT_READ, kCategoryFileInfo, kDetailWave};
constexpr MioError kMidiFailed = {MIO_MSG_CANNOT_OPEN, kCategoryFileInfo, kDetailMidi};
constexpr MioError kVocOpenFailed = {MIO_MSG_CANNOT_OPEN, kCategoryFileInfo, kDetailVoc};
constexpr MioError kVocUnknown = {MIO_MSG_UNKNOWN_FORMAT, kCategoryFileInfo, kDetailVoc};
constexpr MioError kNoThumbnailResource = {MIO_MSG_NO_THUMBNAIL, kCategoryThumbnail, 3};
constexpr MioError kNoThumbnailMemory = {MIO_MSG_NO_MEMORY, kCategoryMemory, 1};

// The bad-index failure of the entry point with this category.
constexpr MioError BadIndex(LONG category) { return {MIO_MSG_BAD_INDEX, category, kDetailBadIndex}; }

// Records the failure in the host's error slot: error MIO_ERROR, the message
// identifier, unit MIO_UNIT, the category and the detail.
void ReportError(const MioError& error);

}  // namespace audioinfo
