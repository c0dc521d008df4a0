// Query record filling for both plug-in families.
#include <effect/common.h>

#include <cstddef>
#include <cstring>

namespace effect {

namespace {

constexpr LONG kFamilyALoadLimit = 128;
constexpr LONG kFamilyBScratch = 64;

// Loads string id straight into the record at offset with the family A
// limit, cut at the end of the record.
void LoadIntoRecord(HINSTANCE instance, UINT id, T32QUERYRECORD* record, size_t offset) {
  char* field = reinterpret_cast<char*>(record) + offset;
  LONG room = static_cast<LONG>(sizeof(T32QUERYRECORD) - offset);
  LONG limit = room < kFamilyALoadLimit ? room : kFamilyALoadLimit;
  if (id == 0 || LoadStringA(instance, id, field, limit) <= 0) field[0] = '\0';
}

void LoadThroughScratch(HINSTANCE instance, UINT id, char* field, size_t fieldSize) {
  char scratch[kFamilyBScratch] = {};
  if (id == 0 || LoadStringA(instance, id, scratch, kFamilyBScratch) <= 0) scratch[0] = '\0';
  size_t length = std::strlen(scratch);
  if (length >= fieldSize) length = fieldSize - 1;
  std::memcpy(field, scratch, length);
  field[length] = '\0';
}

}  // namespace

T32QUERYRECORD* EnsureQueryRecord(T32QUERYRECORD** slot) {
  if (!slot) return nullptr;
  if (!*slot) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(T32QUERYRECORD));
    if (!memory) return nullptr;
    // The host keeps the record locked for its life; it owns it from now on.
    *slot = static_cast<T32QUERYRECORD*>(GlobalLock(memory));
    if (!*slot) {
      GlobalFree(memory);
      return nullptr;
    }
  }
  return *slot;
}

void LoadQueryTextsFamilyA(HINSTANCE instance, const QueryTexts& texts, T32QUERYRECORD* record) {
  LoadIntoRecord(instance, texts.identifier, record, offsetof(T32QUERYRECORD, identifier));
  LoadIntoRecord(instance, texts.menuText, record, offsetof(T32QUERYRECORD, menuText));
  LoadIntoRecord(instance, texts.menuGroup, record, offsetof(T32QUERYRECORD, menuGroup));
}

void LoadQueryTextsFamilyB(HINSTANCE instance, const QueryTexts& texts, T32QUERYRECORD* record) {
  LoadThroughScratch(instance, texts.identifier, record->identifier, sizeof record->identifier);
  LoadThroughScratch(instance, texts.menuText, record->menuText, sizeof record->menuText);
  LoadThroughScratch(instance, texts.menuGroup, record->menuGroup, sizeof record->menuGroup);
}

void WriteQueryValues(const QueryValues& values, T32QUERYRECORD* record) {
  record->hostValue1 = values.hostValue1;
  record->paramSize = values.paramSize;
  record->dataTypes = values.dataTypes;
  record->hostValue4 = values.hostValue4;
  record->hostValue5 = values.hostValue5;
  record->hostValue6 = values.hostValue6;
  record->hostValue7 = values.hostValue7;
  record->hostValue8 = values.hostValue8;
  record->hostValue9 = values.hostValue9;
}

}  // namespace effect
