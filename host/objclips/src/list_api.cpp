// The list entry points: creation, list-wide and per-item actions.
#include <cstring>

#include "item_list.h"

using namespace objclips;

static_assert(sizeof(IIOPROPS) == 64, "the properties record is 64 bytes");

namespace {

bool SetProps(ItemList& list, const IIOPROPS* props) {
  if (!props) return false;
  if (props->thumbWidth < 1 || props->thumbWidth > IIO_MAX_THUMB || props->thumbHeight < 1 ||
      props->thumbHeight > IIO_MAX_THUMB) {
    return false;
  }
  if (props->selected < -1 || props->selected >= list.Count()) return false;
  list.props.thumbWidth = props->thumbWidth;
  list.props.thumbHeight = props->thumbHeight;
  list.props.selected = props->selected;
  list.props.background = props->background;
  list.props.showNames = props->showNames;
  return true;
}

void GetProps(const ItemList& list, IIOPROPS* props) {
  *props = list.props;
  props->itemCount = list.Count();
}

// A window shows one list: attaching takes the window from any other list.
bool Attach(ItemList& list, LPARAM on, LPARAM window) {
  if (on && (window <= 0 || window > static_cast<LPARAM>(UINT32_MAX))) return false;
  HWND old = list.props.window;
  HWND now = on ? static_cast<HWND>(window) : 0;
  if (now) DetachWindow(now);
  list.props.window = now;
  if (old != now) NotifyWindow(old);
  NotifyWindow(now);
  return true;
}

LONG Select(ItemList& list, LPARAM value) {
  LPARAM index = value - 65536;
  if (index < -1 || index >= list.Count()) return FALSE;
  list.props.selected = static_cast<LONG>(index);
  return TRUE;
}

}  // namespace

LVEXPORT HIIO t32CreateIIO(LONG /*reserved*/) { return RegisterList(std::make_unique<ItemList>()); }

LVEXPORT BOOL t32DestroyIIO(HIIO list) {
  std::unique_ptr<ItemList> doomed = UnregisterList(list);
  if (!doomed) return FALSE;
  NotifyWindow(doomed->props.window);  // the window now shows nothing
  return TRUE;
}

LVEXPORT LONG t32IIOAction(HIIO handle, LONG action, LPARAM value1, LPARAM value2) {
  ItemList* list = FindList(handle);
  if (!list) return 0;
  switch (action) {
    case IIO_SETPROPS:
      if (!SetProps(*list, reinterpret_cast<const IIOPROPS*>(value2))) return FALSE;
      NotifyWindow(list->props.window);
      return TRUE;
    case IIO_GETPROPS:
      if (!value2) return FALSE;
      GetProps(*list, reinterpret_cast<IIOPROPS*>(value2));
      return TRUE;
    case IIO_GETCOUNT:
      return list->Count();
    case IIO_ATTACH:
      return Attach(*list, value1, value2);
    case IIO_SELECT:
      if (!Select(*list, value2)) return FALSE;
      NotifyWindow(list->props.window);
      return TRUE;
    case IIO_GETSEL:
      return list->props.selected + 1;
    default:
      return FALSE;
  }
}

LVEXPORT LONG t32IIAction(HIIO handle, LONG action, LONG index, IIITEM* record) {
  ItemList* list = FindList(handle);
  if (!list || (action != II_DELETE && !record)) return FALSE;
  switch (action) {
    case II_ADD: {
      std::unique_ptr<Item> item =
          ItemFromRecord(*record, list->props.thumbWidth, list->props.thumbHeight);
      if (!item) return FALSE;
      list->items.push_back(std::move(item));
      break;
    }
    case II_DELETE:
      if (!list->HasIndex(index)) return FALSE;
      list->Erase(index);
      break;
    case II_REPLACE: {
      if (!list->HasIndex(index)) return FALSE;
      std::unique_ptr<Item> item =
          ItemFromRecord(*record, list->props.thumbWidth, list->props.thumbHeight);
      if (!item) return FALSE;
      list->items[index] = std::move(item);
      break;
    }
    case II_GET:
      if (!list->HasIndex(index)) return FALSE;
      RecordFromItem(*list->items[index], record);
      return TRUE;
    default:
      return FALSE;
  }
  NotifyWindow(list->props.window);
  return TRUE;
}
