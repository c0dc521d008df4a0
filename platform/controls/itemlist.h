// The item list shared by the list box and the combo box: strings with
// their item data, sorted insertion and prefix search as the LB_/CB_
// messages define them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace lv::ctl {

struct ListItem {
  std::string text;     // ANSI text
  ULONG_PTR data = 0;   // LB_SETITEMDATA / CB_SETITEMDATA
  bool selected = false;// selected in a multiple-selection list box
};

class ItemList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  ListItem& At(int index) { return items_[static_cast<size_t>(index)]; }
  const ListItem& At(int index) const { return items_[static_cast<size_t>(index)]; }
  // Adds text at its sorted place (sorted) or at the end; returns the index.
  int Add(const char* text, bool sorted);
  // Inserts at index (-1: the end); returns the index or -1 when out of range.
  int Insert(int index, const char* text);
  // Removes the item; false when out of range.
  bool Remove(int index);
  void Clear() { items_.clear(); }
  // The first item after `start` (-1: from the beginning) whose text begins
  // with prefix (exact: equals it), ignoring case, searching round; -1 if none.
  int Find(int start, const char* prefix, bool exact) const;
  // The first item after `start` whose text begins with the character c.
  int FindByFirstChar(int start, char c) const;

 private:
  std::vector<ListItem> items_;
};

// Copies an item's text into a caller's buffer (as LB_GETTEXT/CB_GETLBTEXT:
// no size given, the caller sized it with the *_GETTEXTLEN message).
LRESULT CopyItemText(const ItemList& list, int index, LPARAM buffer);

}  // namespace lv::ctl
