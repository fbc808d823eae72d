// What the controls of a page showed when it was filled, so that leaving
// the page writes back only what the user changed: a check box or radio
// button by its state, a drop-down list by its selection, anything else by
// its text.
#pragma once

#include <map>
#include <string>

#include "platform/kernel/types.h"

class CControlSnapshot {
 public:
  void Remember(HWND dialog, int id) { shown_[id] = State(dialog, id); }
  template <class Ids>
  void RememberAll(HWND dialog, const Ids& ids) {
    for (int id : ids) Remember(dialog, id);
  }
  // Remembers a state of the member's own rather than what the control
  // shows (a proposal shown in its place is then written back).
  void RememberAs(int id, std::string state) { shown_[id] = std::move(state); }
  bool Changed(HWND dialog, int id) const;
  static std::string State(HWND dialog, int id);
  static std::string Text(HWND dialog, int id);

 private:
  std::map<int, std::string> shown_;
};
