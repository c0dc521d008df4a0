// Items, lists and the list handle table.
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "item_list.h"

namespace objclips {

Item::~Item() {
  if (thumbnail) buf32Free(thumbnail);
}

ItemList::ItemList() {
  props.thumbWidth = IIO_DEFAULT_THUMB;
  props.thumbHeight = IIO_DEFAULT_THUMB;
  props.selected = -1;
  props.background = RGB(255, 255, 255);
  props.showNames = 1;
}

void ItemList::Erase(LONG index) {
  items.erase(items.begin() + index);
  if (props.selected == index) {
    props.selected = -1;
  } else if (props.selected > index) {
    --props.selected;
  }
}

namespace {

struct Table {
  std::mutex lock;
  std::unordered_map<HIIO, std::unique_ptr<ItemList>> lists;
  HIIO next = 1;
};

Table& TheTable() {
  static Table table;
  return table;
}

}  // namespace

HIIO RegisterList(std::unique_ptr<ItemList> list) {
  if (!list) return 0;
  Table& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  while (t.next == 0 || t.lists.count(t.next)) ++t.next;
  HIIO handle = t.next++;
  t.lists.emplace(handle, std::move(list));
  return handle;
}

ItemList* FindList(HIIO handle) {
  Table& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  auto it = t.lists.find(handle);
  return handle == 0 || it == t.lists.end() ? nullptr : it->second.get();
}

std::unique_ptr<ItemList> UnregisterList(HIIO handle) {
  Table& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  auto it = t.lists.find(handle);
  if (handle == 0 || it == t.lists.end()) return nullptr;
  std::unique_ptr<ItemList> list = std::move(it->second);
  t.lists.erase(it);
  return list;
}

ItemList* FindListByWindow(HWND window) {
  if (!window) return nullptr;
  Table& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  for (auto& [handle, list] : t.lists) {
    if (list->props.window == window) return list.get();
  }
  return nullptr;
}

void DetachWindow(HWND window) {
  if (!window) return;
  Table& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  for (auto& [handle, list] : t.lists) {
    if (list->props.window == window) list->props.window = 0;
  }
}

HBUF MakeThumbnail(HBUF image, LONG boxWidth, LONG boxHeight) {
  LONG width = 0, height = 0;
  if (!buf32GetWHU(image, &width, &height, nullptr)) return 0;
  HBUF out = 0;
  if (width <= boxWidth && height <= boxHeight) return buf32DupBuf(image, &out) ? out : 0;
  // Scale by the tighter of the two ratios: width/boxWidth vs height/boxHeight.
  SIZE size;
  if (static_cast<int64_t>(width) * boxHeight >= static_cast<int64_t>(height) * boxWidth) {
    size.cx = boxWidth;
    size.cy = static_cast<LONG>(static_cast<int64_t>(height) * boxWidth / width);
  } else {
    size.cy = boxHeight;
    size.cx = static_cast<LONG>(static_cast<int64_t>(width) * boxHeight / height);
  }
  if (size.cx < 1) size.cx = 1;
  if (size.cy < 1) size.cy = 1;
  return t32BufferResample(&out, image, &size, 0) ? out : 0;
}

void CopyName(const std::string& name, CHAR* field) {
  size_t n = name.size() < IIO_NAME_MAX ? name.size() : IIO_NAME_MAX;
  std::memcpy(field, name.data(), n);
  field[n] = '\0';
}

std::unique_ptr<Item> ItemFromRecord(const IIITEM& record, LONG boxWidth, LONG boxHeight) {
  if (record.dataSize < 0 || (record.dataSize > 0 && !record.data)) return nullptr;
  auto item = std::make_unique<Item>();
  // The record's name field may lack a terminator: never read past it.
  item->name.assign(record.name, strnlen(record.name, IIO_NAME_MAX));
  const BYTE* data = static_cast<const BYTE*>(record.data);
  item->data.assign(data, data + record.dataSize);
  item->userValue = record.userValue;
  if (record.image) {
    item->thumbnail = MakeThumbnail(record.image, boxWidth, boxHeight);
    if (!item->thumbnail) return nullptr;
  }
  return item;
}

void RecordFromItem(Item& item, IIITEM* record) {
  record->image = item.thumbnail;
  CopyName(item.name, record->name);
  record->data = item.data.empty() ? nullptr : item.data.data();
  record->dataSize = static_cast<LONG>(item.data.size());
  record->userValue = item.userValue;
}

}  // namespace objclips
