// Label editing: an edit control over the item's label, made before
// LVN_BEGINLABELEDIT (so the parent can reach it and refuse), ended by Enter
// or by losing the focus (the text offered in LVN_ENDLABELEDIT) or by Escape
// (a null text), the item taking the text when the parent answers TRUE.
#include <algorithm>
#include <string>

#include "platform/comctl/list_view_internal.h"
#include "platform/comctl/text_buffers.h"
#include "platform/user/controls/control_support.h"

namespace comctl::lv {
namespace {

constexpr int kEditId = 1;
// The edit control's own procedure, kept with the edit so it outlives the list's state.
constexpr char16_t kBaseProc[] = u"TavListEditBase";

LRESULT EditSubclass(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto base = reinterpret_cast<WNDPROC>(GetPropW(edit, kBaseProc));
  if (!base) return DefWindowProcW(edit, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemovePropW(edit, kBaseProc);
    return CallWindowProcW(base, edit, message, wParam, lParam);
  }
  ListView* lv = StateOf(GetParent(edit));
  if (!lv) return CallWindowProcW(base, edit, message, wParam, lParam);
  switch (message) {
    case WM_GETDLGCODE: return CallWindowProcW(base, edit, message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
        if (lv->edit == edit) EndEdit(*lv, wParam == VK_ESCAPE);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == u'\r' || wParam == 0x1B) return 0;
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = CallWindowProcW(base, edit, message, wParam, lParam);
      if (lv->edit == edit) EndEdit(*lv, false);
      return result;
    }
    default: break;
  }
  return CallWindowProcW(base, edit, message, wParam, lParam);
}

// LVN_BEGINLABELEDIT or LVN_ENDLABELEDIT in the parent's character set;
// `text` null for a cancelled edit.
LRESULT NotifyEdit(ListView& lv, bool begin, int row, const std::u16string* text) {
  const ListRow& r = lv.model.at(row);
  if (lv.unicode) {
    std::u16string copy = text ? *text : u"";
    NMLVDISPINFOW info{};
    info.item = LVITEMW{LVIF_TEXT | LVIF_PARAM | LVIF_STATE, row, 0, r.state, 0xFFFFFFFF,
                        text ? copy.data() : nullptr, static_cast<int>(copy.size()) + 1, 0, r.param, 0};
    return SendNotify(lv.self, begin ? LVN_BEGINLABELEDITW : LVN_ENDLABELEDITW, &info.hdr);
  }
  std::string copy = text ? ToAnsi(*text) : std::string();
  NMLVDISPINFOA info{};
  info.item = LVITEMA{LVIF_TEXT | LVIF_PARAM | LVIF_STATE, row, 0, r.state, 0xFFFFFFFF,
                      text ? copy.data() : nullptr, static_cast<int>(copy.size()) + 1, 0, r.param, 0};
  return SendNotify(lv.self, begin ? LVN_BEGINLABELEDITA : LVN_ENDLABELEDITA, &info.hdr);
}

}  // namespace

HWND BeginEdit(ListView& lv, int row) {
  if (!lv.model.Valid(row) || lv.endingEdit) return nullptr;
  if (lv.edit) EndEdit(lv, false);
  if (!lv.model.Valid(row)) return nullptr;
  EnsureVisible(lv, row, false);
  const std::u16string text = CellText(lv, row, 0);
  RECT r = SubItemRect(lv, row, 0, LVIR_LABEL);
  r.left += kTextPad - 3;
  const int wanted = TextWidth(lv, text) + 2 * kTextPad + 8;
  RECT client;
  GetClientRect(lv.self, &client);
  r.right = std::min(std::max(r.right, r.left + wanted), std::max(r.right, client.right));
  const HWND edit = CreateWindowExW(0, u"Edit", text.c_str(), WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_LEFT, r.left,
                                    r.top, r.right - r.left, r.bottom - r.top, lv.self,
                                    reinterpret_cast<HMENU>(static_cast<uintptr_t>(kEditId)), nullptr, nullptr);
  if (!edit) return nullptr;
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(lv.font), FALSE);
  lv.edit = edit;
  lv.editItem = row;
  if (NotifyEdit(lv, true, row, &text)) {
    lv.edit = nullptr;
    lv.editItem = -1;
    DestroyWindow(edit);
    return nullptr;
  }
  if (lv.edit != edit) return nullptr;  // the parent ended it meanwhile
  SetPropW(edit, kBaseProc, reinterpret_cast<HANDLE>(GetWindowLongPtrW(edit, GWLP_WNDPROC)));
  SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditSubclass));
  ShowWindow(edit, SW_SHOW);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SetFocus(edit);
  Invalidate(lv);
  return edit;
}

void EndEdit(ListView& lv, bool cancel) {
  if (!lv.edit || lv.endingEdit) return;
  lv.endingEdit = true;
  const HWND edit = lv.edit;
  const int row = lv.editItem;
  const std::u16string text = controls::WindowText(edit);
  lv.edit = nullptr;
  lv.editItem = -1;
  if (lv.model.Valid(row)) {
    const LRESULT accept = NotifyEdit(lv, false, row, cancel ? nullptr : &text);
    if (accept && !cancel && lv.model.Valid(row)) SetText(lv, row, 0, text);
  }
  if (GetFocus() == edit) SetFocus(lv.self);
  DestroyWindow(edit);
  lv.endingEdit = false;
  Invalidate(lv);
}

}  // namespace comctl::lv
