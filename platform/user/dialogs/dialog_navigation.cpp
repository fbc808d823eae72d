// The dialog manager's keyboard: Tab and Shift+Tab through the tab stops,
// arrows within a group, mnemonics, Enter for the default button and Esc
// for Cancel, each subject to what the focused control asks for in its
// WM_GETDLGCODE answer.
#include <vector>

#include "platform/user/controls/controls.h"
#include "platform/user/dialogs/dialog_state.h"

namespace dialogs {
namespace {

DWORD StyleOf(HWND w) { return static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)); }
// A control's own styles count, not whether its dialog shows yet: a hidden
// dialog's first tab stop takes the focus when it is made.
bool Usable(HWND w) { return (StyleOf(w) & WS_VISIBLE) && !(StyleOf(w) & WS_DISABLED); }

std::vector<HWND> Children(HWND dialog) {
  std::vector<HWND> out;
  for (HWND w = GetWindow(dialog, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) out.push_back(w);
  return out;
}

long IndexOf(const std::vector<HWND>& list, HWND w) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == w) return static_cast<long>(i);
  return -1;
}

// The direct child of dialog that holds w (w itself, or its ancestor).
HWND ChildOf(HWND dialog, HWND w) {
  while (w && GetParent(w) != dialog) w = GetParent(w);
  return w;
}

LRESULT Code(HWND w, const MSG* msg) {
  return w ? SendMessageW(w, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg)) : 0;
}

void Command(HWND dialog, int id) {
  const HWND button = GetDlgItem(dialog, id);
  if (button && !IsWindowEnabled(button)) {
    MessageBeep(0);
    return;
  }
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// The dialog Enter and Esc act for: a child dialog that is part of another
// (DS_CONTROL or WS_EX_CONTROLPARENT, such as a sheet's page or a panel on
// it) hands them up to the dialog it belongs to, whose buttons they mean.
HWND OwningDialog(HWND dialog) {
  for (HWND parent = GetParent(dialog); parent && StateOf(parent) && (StyleOf(dialog) & WS_CHILD) &&
                                        ((StyleOf(dialog) & DS_CONTROL) ||
                                         (static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)) & WS_EX_CONTROLPARENT));
       parent = GetParent(dialog))
    dialog = parent;
  return dialog;
}

void Enter(HWND dialog, HWND focus, LRESULT code) {
  if (focus && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
    Command(GetParent(focus), GetDlgCtrlID(focus));
    return;
  }
  const HWND owner = OwningDialog(dialog);
  const WORD id = DefaultButtonId(owner);
  Command(owner, id ? id : IDOK);
}

void Arrow(HWND dialog, HWND focus, bool previous) {
  const HWND next = GetNextDlgGroupItem(dialog, focus, previous);
  if (!next || next == focus) return;
  SetDialogFocus(dialog, next);
  if (Code(next, nullptr) & DLGC_RADIOBUTTON) SendMessageW(next, BM_CLICK, 0, 0);
}

WCHAR Upper(WCHAR c) {
  CharUpperBuffW(&c, 1);
  return c;
}

// The control whose text marks ch as its mnemonic, searched after the focus.
bool Mnemonic(HWND dialog, HWND focus, WCHAR ch) {
  const std::vector<HWND> children = Children(dialog);
  const long n = static_cast<long>(children.size());
  const long start = IndexOf(children, ChildOf(dialog, focus));
  for (long k = 1; k <= n; ++k) {
    const HWND w = children[static_cast<size_t>((start + k + n) % n)];
    if (!Usable(w)) continue;
    const LRESULT code = Code(w, nullptr);
    if ((code & DLGC_STATIC) && (StyleOf(w) & SS_NOPREFIX) && !(code & DLGC_BUTTON)) continue;
    WCHAR text[256] = {};
    GetWindowTextW(w, text, 256);
    const WCHAR mark = MnemonicOf(text);
    if (!mark || Upper(mark) != Upper(ch)) continue;
    HWND target = w;
    if (code & DLGC_STATIC) {
      // A label hands its mnemonic to the next control that takes the focus.
      target = nullptr;
      for (long j = 1; j < n; ++j) {
        const HWND c = children[static_cast<size_t>((IndexOf(children, w) + j) % n)];
        if (Usable(c) && !(Code(c, nullptr) & DLGC_STATIC)) {
          target = c;
          break;
        }
      }
      if (!target) return true;
    }
    const LRESULT targetCode = Code(target, nullptr);
    if (targetCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
      SendMessageW(target, BM_CLICK, 0, 0);
    } else if (targetCode & DLGC_BUTTON) {
      SetDialogFocus(dialog, target);
      SendMessageW(target, BM_CLICK, 0, 0);
    } else {
      SetDialogFocus(dialog, target);
    }
    return true;
  }
  return false;
}

bool KeyDown(HWND dialog, MSG* msg) {
  const HWND focus = GetFocus();
  const LRESULT code = Code(msg->hwnd, msg);
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (msg->wParam) {
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      if (const HWND next = GetNextDlgTabItem(dialog, focus, shift)) SetDialogFocus(dialog, next);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (code & DLGC_WANTARROWS) return false;
      Arrow(dialog, ChildOf(dialog, focus), msg->wParam == VK_LEFT || msg->wParam == VK_UP);
      return true;
    case VK_RETURN: Enter(dialog, focus, code); return true;
    case VK_ESCAPE: Command(OwningDialog(dialog), IDCANCEL); return true;
    default: return false;
  }
}

}  // namespace
}  // namespace dialogs

using namespace dialogs;

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) return nullptr;
  const std::vector<HWND> children = Children(dialog);
  const long n = static_cast<long>(children.size());
  if (n == 0) return nullptr;
  long at = IndexOf(children, ChildOf(dialog, control));
  if (at < 0) at = previous ? 0 : n - 1;
  for (long k = 1; k <= n; ++k) {
    const HWND w = children[static_cast<size_t>(((previous ? at - k : at + k) % n + n) % n)];
    if (Usable(w) && (StyleOf(w) & WS_TABSTOP)) return w;
  }
  return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) return nullptr;
  const std::vector<HWND> children = Children(dialog);
  const long n = static_cast<long>(children.size());
  long at = IndexOf(children, ChildOf(dialog, control));
  if (n == 0) return nullptr;
  if (at < 0) at = 0;
  // The group: from the control marked WS_GROUP at or before `at` up to the next one.
  long first = at;
  while (first > 0 && !(StyleOf(children[static_cast<size_t>(first)]) & WS_GROUP)) --first;
  long last = at;
  while (last + 1 < n && !(StyleOf(children[static_cast<size_t>(last + 1)]) & WS_GROUP)) ++last;
  const long size = last - first + 1;
  for (long k = 1; k <= size; ++k) {
    const long i = first + (((at - first) + (previous ? -k : k)) % size + size) % size;
    const HWND w = children[static_cast<size_t>(i)];
    if (Usable(w)) return w;
  }
  return control;
}

BOOL IsDialogMessageW(HWND dialog, LPMSG msg) {
  if (!msg || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  bool handled = false;
  switch (msg->message) {
    case WM_KEYDOWN: handled = KeyDown(dialog, msg); break;
    case WM_CHAR: {
      // Characters reach a control that wants them; others look for a mnemonic.
      const LRESULT code = Code(msg->hwnd, msg);
      if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) break;
      if (msg->wParam == u'\t' || msg->wParam == u'\r' || msg->wParam == 0x1B) {
        handled = true;  // already acted on as keys
        break;
      }
      handled = Mnemonic(dialog, GetFocus(), static_cast<WCHAR>(msg->wParam));
      break;
    }
    case WM_SYSCHAR: handled = Mnemonic(dialog, GetFocus(), static_cast<WCHAR>(msg->wParam)); break;
    default: break;
  }
  if (!handled) {
    TranslateMessage(msg);
    DispatchMessageW(msg);
  }
  return TRUE;
}

BOOL IsDialogMessageA(HWND dialog, LPMSG msg) { return IsDialogMessageW(dialog, msg); }
