#include "app/controls/input_helpers.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "foundation/window_helpers/length_spin.h"
#include "platform/gdi/gdi_owners.h"

namespace {

CString DialogItemText(CWnd* dialog, int id) {
  CString text;
  dialog->GetDlgItemText(id, text);
  return text;
}

}  // namespace

// The foundation's rule, on the framework's dialog object.
int SpinUnitEdit(int direction, int editId, double minimum, double maximum, int unit, CWnd* dialog, int steps) {
  return SpinUnitEdit(direction, editId, minimum, maximum, unit, dialog ? dialog->m_hWnd : nullptr, steps);
}

int SpinIntEdit(int direction, int editId, int minimum, int maximum, CWnd* dialog) {
  const long long value = std::atoi(DialogItemText(dialog, editId));
  long long result;
  if (direction == 0) {
    result = std::min<long long>(value + 1, maximum);
  } else if (direction == 1) {
    result = std::max<long long>(value - 1, minimum);
  } else {
    return 1;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%lld", result);
  dialog->SetDlgItemText(editId, text);
  return 1;
}

LRESULT SelectItemByData(HWND dialog, int controlId, DWORD_PTR value, bool combo) {
  const UINT count = combo ? CB_GETCOUNT : LB_GETCOUNT;
  const UINT getData = combo ? CB_GETITEMDATA : LB_GETITEMDATA;
  const UINT select = combo ? CB_SETCURSEL : LB_SETCURSEL;
  const int n = static_cast<int>(SendDlgItemMessageA(dialog, controlId, count, 0, 0));
  int found = 0;
  for (int i = 0; i < n; ++i) {
    if (static_cast<DWORD_PTR>(SendDlgItemMessageA(dialog, controlId, getData, static_cast<WPARAM>(i), 0)) == value) {
      found = i;
      break;
    }
  }
  return SendDlgItemMessageA(dialog, controlId, select, static_cast<WPARAM>(found), 0);
}

void GetWindowString(HWND window, AString* text) {
  const int length = GetWindowTextLengthA(window);
  AString result;
  if (length > 0) {
    char* buffer = result.GetBuffer(length + 1);
    const int got = GetWindowTextA(window, buffer, length + 1);
    result.ReleaseBuffer(std::max(got, 0));
  }
  *text = result;
}

int ScreenPixelsPerInch() {
  static const int dpi = [] {
    WindowDc screen(nullptr);
    const int value = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return value > 0 ? value : 96;
  }();
  return dpi;
}

int PointsToPixels(int points, int pixelsPerInch) { return MulDiv(points, pixelsPerInch, 72); }

int PointsToScreenPixels(int points) { return PointsToPixels(points, ScreenPixelsPerInch()); }

BEGIN_MESSAGE_MAP(CFocusReportEdit, CEdit)
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CFocusReportEdit::OnSetFocus(CWnd* old) {
  CEdit::OnSetFocus(old);
  Report(kMsgEditFocusGained);
}

void CFocusReportEdit::OnKillFocus(CWnd* next) {
  CEdit::OnKillFocus(next);
  Report(kMsgEditFocusLost);
}

void CFocusReportEdit::Report(UINT message) {
  HWND parent = ::GetParent(m_hWnd);
  if (!parent) return;
  ::SendMessageA(parent, message, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(m_hWnd));
}
