// The item list of list boxes and combo boxes.
#include "itemlist.h"

#include <cstring>

namespace lv::ctl {
namespace {

bool StartsWithNoCase(const std::string& text, const char* prefix, bool exact) {
  const size_t length = std::strlen(prefix);
  if (exact ? text.size() != length : text.size() < length) return false;
  std::string head = text.substr(0, length);
  return lstrcmpiA(head.c_str(), prefix) == 0;
}

}  // namespace

int ItemList::Add(const char* text, bool sorted) {
  const std::string value = text ? text : "";
  size_t at = items_.size();
  if (sorted) {
    at = 0;
    while (at < items_.size() && lstrcmpiA(items_[at].text.c_str(), value.c_str()) <= 0) ++at;
  }
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), ListItem{value, 0, false});
  return static_cast<int>(at);
}

int ItemList::Insert(int index, const char* text) {
  if (index == -1) index = Count();
  if (index < 0 || index > Count()) return -1;
  items_.insert(items_.begin() + index, ListItem{text ? text : "", 0, false});
  return index;
}

bool ItemList::Remove(int index) {
  if (!Valid(index)) return false;
  items_.erase(items_.begin() + index);
  return true;
}

int ItemList::Find(int start, const char* prefix, bool exact) const {
  if (!prefix || items_.empty()) return -1;
  const int count = Count();
  const int first = (start < 0 || start >= count) ? 0 : start + 1;
  for (int n = 0; n < count; ++n) {
    const int i = (first + n) % count;
    if (StartsWithNoCase(items_[static_cast<size_t>(i)].text, prefix, exact)) return i;
  }
  return -1;
}

int ItemList::FindByFirstChar(int start, char c) const {
  const char prefix[2] = {c, '\0'};
  return Find(start, prefix, false);
}

LRESULT CopyItemText(const ItemList& list, int index, LPARAM buffer) {
  if (!list.Valid(index) || !buffer) return -1;
  const std::string& text = list.At(index).text;
  std::memcpy(reinterpret_cast<char*>(buffer), text.c_str(), text.size() + 1);
  return static_cast<LRESULT>(text.size());
}

}  // namespace lv::ctl
