// The designer's owner-drawn menus. Every item with a command or a popup and
// a text becomes owner-drawn, its record (foundation's MenuItemRecord) the
// item data: the text as the resource holds it (label, a tab, the shortcut)
// and the record of the popup above it. The frame measures and draws each
// item from its record: the label in the interface language and its font,
// the shortcut lined up at the popup's widest shortcut, the check mark
// picture in a column of its own. The item keeps its text, so mnemonics
// still find it.
#pragma once

#include <array>

#include "foundation/window_helpers/menu_helpers.h"
#include "platform/win.h"

// The four menu metrics the drawing reads, taken once.
struct MenuMetrics {
  int checkWidth = 0;   // SM_CXMENUCHECK
  int checkHeight = 0;  // SM_CYMENUCHECK
  int itemWidth = 0;    // SM_CXMENUSIZE
  int itemHeight = 0;   // SM_CYMENUSIZE
  static MenuMetrics Read();
};

class COwnerDrawMenuTable {
 public:
  static constexpr int kCapacity = 512;
  COwnerDrawMenuTable() = default;
  ~COwnerDrawMenuTable();
  COwnerDrawMenuTable(const COwnerDrawMenuTable&) = delete;
  COwnerDrawMenuTable& operator=(const COwnerDrawMenuTable&) = delete;

  // Makes the menu's items owner-drawn with new records (at most kCapacity;
  // later items stay as they are). Items this table made owner-drawn before
  // get their plain text back first; with reset every item is removed and
  // inserted again with its text before it is converted.
  void Prepare(HMENU menu, bool reset);
  bool Built() const { return built_; }
  void Reset() { built_ = false; }
  // Gives the items their plain text back and deletes the records.
  void Free();
  int Count() const { return count_; }
  bool Holds(const MenuItemRecord* record) const;
  MenuItemRecord* Record(int index) const { return index >= 0 && index < count_ ? records_[index] : nullptr; }

 private:
  void Restore(HMENU menu);
  std::array<MenuItemRecord*, kCapacity> records_{};
  int count_ = 0;
  HMENU menu_ = nullptr;
  bool built_ = false;
};

// The font menu labels are measured and drawn in: the Chinese interface
// fonts for those languages, else the stock GUI font.
HFONT MenuLabelFont();
// The label an item shows: the record's text before its tab, translated
// unless the interface is English.
AString MenuItemLabel(const MenuItemRecord& record);

// WM_MEASUREITEM of a record's item: height and width as the look asks, the
// width kept in the record and the shortcut's width raised into the parent's
// widest shortcut. `dc` has nothing selected that must stay.
void MeasureMenuItem(HDC dc, const MenuMetrics& metrics, MenuItemRecord& record, MEASUREITEMSTRUCT& measure);
// WM_DRAWITEM of a record's item; the DC's font, colours and mode come back
// as they were. `check` is the check mark picture (may be null).
void DrawMenuItem(const MenuMetrics& metrics, const MenuItemRecord& record, const DRAWITEMSTRUCT& draw, HBITMAP check);
