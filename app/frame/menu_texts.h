// The menus in the interface language. Each item with a command or a popup
// and a text gets a record holding the text as the resource has it (label,
// a tab, the shortcut) and its parent's record; the item shows the label's
// translation (as UTF-16, so any language's characters draw) and keeps the
// shortcut. Records are the item's data, and the table owns them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win.h"

struct OwnerDrawMenuItem {
  std::string text;                       // as the menu resource holds it
  OwnerDrawMenuItem* parent = nullptr;    // the popup's record; null on the bar
  int widestShortcut = 0;
  int width = 0;
};

class COwnerDrawMenuTable {
 public:
  static constexpr size_t kCapacity = 512;
  // Walks a menu and its popups: records each item once (its first text) and
  // shows it in the current interface language. Items beyond the capacity
  // stay as they are.
  void Prepare(HMENU menu);
  bool Built() const { return built_; }
  void Reset() { built_ = false; }
  void Free();
  size_t Count() const { return records_.size(); }

 private:
  void Walk(HMENU menu, OwnerDrawMenuItem* parent);
  std::vector<std::unique_ptr<OwnerDrawMenuItem>> records_;
  bool built_ = false;
};
