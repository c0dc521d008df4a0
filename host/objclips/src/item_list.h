// Internal model of an image-item list and its handle table.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "objclips.h"

namespace objclips {

// One item: the list owns its thumbnail buffer and its payload bytes.
struct Item {
  std::string name;
  HBUF thumbnail = 0;
  std::vector<BYTE> data;
  LONG userValue = 0;

  Item() = default;
  Item(const Item&) = delete;
  Item& operator=(const Item&) = delete;
  ~Item();
};

struct ItemList {
  IIOPROPS props{};  // thumbnail box, selection, window, background, names
  std::vector<std::unique_ptr<Item>> items;

  ItemList();
  LONG Count() const { return static_cast<LONG>(items.size()); }
  bool HasIndex(LONG index) const { return index >= 0 && index < Count(); }
  // Removes the item, keeping the selection on the same item (or none).
  void Erase(LONG index);
};

// Handle table of lists; handles are not reused until the counter wraps.
HIIO RegisterList(std::unique_ptr<ItemList> list);
ItemList* FindList(HIIO handle);
std::unique_ptr<ItemList> UnregisterList(HIIO handle);
// The list attached to a window, or nullptr.
ItemList* FindListByWindow(HWND window);
// Detaches every list from a window that goes away.
void DetachWindow(HWND window);

// Window side: repaints a window that shows a list (nothing for 0).
void NotifyWindow(HWND window);
// Registers the window class; true when it is (or already was) registered.
BOOL RegisterListClass();

// A copy of the image fitted into the box (aspect kept, each side at least
// one pixel; images that fit are copied unchanged). 0 on failure.
HBUF MakeThumbnail(HBUF image, LONG boxWidth, LONG boxHeight);
// An item built from a record: thumbnail, name (cut to IIO_NAME_MAX),
// payload copy. nullptr for a bad record or a failed thumbnail.
std::unique_ptr<Item> ItemFromRecord(const IIITEM& record, LONG boxWidth, LONG boxHeight);
// Fills the record with the item: the list's thumbnail and payload.
void RecordFromItem(Item& item, IIITEM* record);
// Copies a name into a record's field, cut to IIO_NAME_MAX characters.
void CopyName(const std::string& name, CHAR* field);

// Serialised list file form (see list_codec.cpp).
std::vector<BYTE> EncodeList(const ItemList& list);
// nullptr for a malformed file or a refused item.
std::unique_ptr<ItemList> DecodeList(const std::vector<BYTE>& bytes, IIOLOADPROC itemProc);

}  // namespace objclips
