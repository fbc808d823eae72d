// The list view's keys and mouse: selection and focus as a person changes
// them (click, Ctrl+click, Shift+click, arrows, Home/End, pages), check
// boxes by click and Space, label editing by F2 or a slow second click, and
// the NM_* and LVN_* notifications of those actions.
#include <algorithm>

#include "platform/comctl/list_view_internal.h"
#include "platform/user/message_crack.h"

namespace comctl::lv {
namespace {

bool Multiple(const ListView& lv) { return !(StyleOf(lv.self) & LVS_SINGLESEL); }

UINT KeyFlags() {
  UINT flags = 0;
  if (GetKeyState(VK_MENU) < 0) flags |= LVKF_ALT;
  if (GetKeyState(VK_CONTROL) < 0) flags |= LVKF_CONTROL;
  if (GetKeyState(VK_SHIFT) < 0) flags |= LVKF_SHIFT;
  return flags;
}

void ToggleCheck(ListView& lv, int row) {
  if (!lv.model.Valid(row)) return;
  const bool checked = ((lv.model.at(row).state & LVIS_STATEIMAGEMASK) >> 12) == 2;
  SetState(lv, row, INDEXTOSTATEIMAGEMASK(checked ? 1 : 2), LVIS_STATEIMAGEMASK);
}

void DeselectAllBut(ListView& lv, int keep) {
  for (int row = lv.model.Next(-1, LVIS_SELECTED); row >= 0; row = lv.model.Next(row, LVIS_SELECTED))
    if (row != keep) SetState(lv, row, 0, LVIS_SELECTED);
}

void ButtonDown(ListView& lv, WPARAM keys, POINT p) {
  if (lv.edit) EndEdit(lv, false);
  if (GetFocus() != lv.self) SetFocus(lv.self);
  KillTimer(lv.self, kEditTimer);
  const LVHITTESTINFO hit = HitTest(lv, p);
  lv.press = Press{hit.iItem, hit.iSubItem, p, true};
  if (hit.iItem < 0) {
    if (!(keys & (MK_SHIFT | MK_CONTROL))) DeselectAllBut(lv, -1);
    return;
  }
  if (hit.flags == LVHT_ONITEMSTATEICON) {
    ToggleCheck(lv, hit.iItem);
    return;
  }
  const UINT state = lv.model.at(hit.iItem).state;
  const bool alreadyCurrent = (state & LVIS_SELECTED) && (state & LVIS_FOCUSED) && lv.model.Count(LVIS_SELECTED) == 1;
  if (alreadyCurrent && !(keys & (MK_SHIFT | MK_CONTROL)) && (StyleOf(lv.self) & LVS_EDITLABELS) &&
      hit.iSubItem == 0) {
    // A second, slow click on the current item edits its label.
    lv.pendingEdit = hit.iItem;
    SetTimer(lv.self, kEditTimer, GetDoubleClickTime(), nullptr);
    return;
  }
  SelectByUser(lv, hit.iItem, (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0);
}

int KeyTarget(const ListView& lv, int key, int focus) {
  const int last = lv.model.rows() - 1;
  const int page = std::max(RowsPerPage(lv) - 1, 1);
  switch (key) {
    case VK_UP: return focus < 0 ? 0 : std::max(0, focus - 1);
    case VK_DOWN: return focus < 0 ? 0 : std::min(last, focus + 1);
    case VK_HOME: return 0;
    case VK_END: return last;
    case VK_PRIOR: return std::max(0, (focus < 0 ? 0 : focus) - page);
    case VK_NEXT: return std::min(last, (focus < 0 ? 0 : focus) + page);
    default: return -2;
  }
}

bool KeyDown(ListView& lv, int key) {
  NMLVKEYDOWN nm{};
  nm.wVKey = static_cast<WORD>(key);
  SendNotify(lv.self, LVN_KEYDOWN, &nm.hdr);
  const int focus = lv.model.Next(-1, LVIS_FOCUSED);
  const bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
  if (key == VK_SPACE) {
    const int row = focus >= 0 ? focus : lv.mark;
    if (control && Multiple(lv) && lv.model.Valid(row)) {
      const bool selected = (lv.model.at(row).state & LVIS_SELECTED) != 0;
      SetState(lv, row, selected ? 0 : LVIS_SELECTED, LVIS_SELECTED);
    } else if (lv.exStyle & LVS_EX_CHECKBOXES) {
      ToggleCheck(lv, row);
    }
    return true;
  }
  if (key == VK_F2) {
    if ((StyleOf(lv.self) & LVS_EDITLABELS) && focus >= 0) BeginEdit(lv, focus);
    return true;
  }
  if (key == VK_RETURN) {
    NMHDR hdr{};
    SendNotify(lv.self, NM_RETURN, &hdr);
    if (focus >= 0) NotifyActivate(lv, LVN_ITEMACTIVATE, focus, 0, POINT{}, KeyFlags());
    return true;
  }
  const int target = KeyTarget(lv, key, focus);
  if (target == -2) return false;
  if (target < 0) return true;
  if (control && !shift && Multiple(lv)) {
    SetState(lv, target, LVIS_FOCUSED, LVIS_FOCUSED);
    EnsureVisible(lv, target, false);
  } else {
    SelectByUser(lv, target, shift, false);
  }
  return true;
}

}  // namespace

void SelectByUser(ListView& lv, int row, bool shift, bool control) {
  if (!lv.model.Valid(row)) return;
  if (!Multiple(lv) || (!shift && !control)) {
    DeselectAllBut(lv, row);
    SetState(lv, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    lv.mark = row;
  } else if (shift) {
    const int anchor = lv.model.Valid(lv.mark) ? lv.mark : row;
    const int first = std::min(anchor, row), last = std::max(anchor, row);
    for (int i = 0; i < lv.model.rows(); ++i)
      if (i < first || i > last) SetState(lv, i, 0, LVIS_SELECTED);
    for (int i = first; i <= last; ++i) SetState(lv, i, LVIS_SELECTED, LVIS_SELECTED);
    SetState(lv, row, LVIS_FOCUSED, LVIS_FOCUSED);
  } else {
    const bool selected = (lv.model.at(row).state & LVIS_SELECTED) != 0;
    SetState(lv, row, (selected ? 0 : LVIS_SELECTED) | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    lv.mark = row;
  }
  EnsureVisible(lv, row, false);
}

LRESULT Input(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  const HWND w = lv.self;
  const crack::Mouse m = crack::MouseOf(wParam, lParam);
  switch (message) {
    case WM_LBUTTONDOWN: ButtonDown(lv, m.keys, m.pt); return 0;
    case WM_LBUTTONUP:
      if (lv.press.pending) {
        lv.press.pending = false;
        NotifyActivate(lv, NM_CLICK, lv.press.row, lv.press.column, lv.press.at, KeyFlags());
      }
      return 0;
    case WM_LBUTTONDBLCLK: {
      KillTimer(w, kEditTimer);
      lv.pendingEdit = -1;
      const LVHITTESTINFO hit = HitTest(lv, m.pt);
      if (hit.flags == LVHT_ONITEMSTATEICON) ToggleCheck(lv, hit.iItem);
      NotifyActivate(lv, NM_DBLCLK, hit.iItem, hit.iSubItem, m.pt, KeyFlags());
      if (hit.iItem >= 0 && hit.flags != LVHT_ONITEMSTATEICON)
        NotifyActivate(lv, LVN_ITEMACTIVATE, hit.iItem, hit.iSubItem, m.pt, KeyFlags());
      return 0;
    }
    case WM_RBUTTONDOWN: {
      if (lv.edit) EndEdit(lv, false);
      if (GetFocus() != w) SetFocus(w);
      const LVHITTESTINFO hit = HitTest(lv, m.pt);
      if (hit.iItem >= 0 && !(lv.model.at(hit.iItem).state & LVIS_SELECTED)) SelectByUser(lv, hit.iItem, false, false);
      return 0;
    }
    case WM_RBUTTONUP: {
      const LVHITTESTINFO hit = HitTest(lv, m.pt);
      NotifyActivate(lv, NM_RCLICK, hit.iItem, hit.iSubItem, m.pt, KeyFlags());
      return DefWindowProcW(w, message, wParam, lParam);
    }
    case WM_TIMER:
      if (wParam != kEditTimer) return DefWindowProcW(w, message, wParam, lParam);
      KillTimer(w, kEditTimer);
      if (lv.model.Valid(lv.pendingEdit)) BeginEdit(lv, lv.pendingEdit);
      lv.pendingEdit = -1;
      return 0;
    case WM_SETFOCUS: {
      lv.focused = true;
      NMHDR hdr{};
      SendNotify(w, NM_SETFOCUS, &hdr);
      Invalidate(lv);
      return 0;
    }
    case WM_KILLFOCUS: {
      lv.focused = false;
      NMHDR hdr{};
      SendNotify(w, NM_KILLFOCUS, &hdr);
      Invalidate(lv);
      return 0;
    }
    case WM_KEYDOWN: return KeyDown(lv, static_cast<int>(wParam)) ? 0 : DefWindowProcW(w, message, wParam, lParam);
    case WM_CHAR: {
      // Typing selects the next item whose text starts with the character.
      const char16_t text[2] = {static_cast<char16_t>(wParam), 0};
      if (wParam < 0x20) return 0;
      const int focus = lv.model.Next(-1, LVIS_FOCUSED);
      const int found = lv.model.FindText(focus + 1, text, true, true);
      if (found >= 0) SelectByUser(lv, found, false, false);
      return 0;
    }
    default: handled = false; return 0;
  }
}

}  // namespace comctl::lv
