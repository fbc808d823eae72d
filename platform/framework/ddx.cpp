// Dialog data exchange: values between members and controls, and their checks.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/framework/dialog.h"
#include "platform/framework/exceptions.h"

HWND CDataExchange::PrepareCtrl(int id) {
  HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
  m_hWndLastControl = control;
  m_idLastControl = id;
  m_bEditLastControl = FALSE;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  HWND control = PrepareCtrl(id);
  m_bEditLastControl = TRUE;
  return control;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_hWndLastControl) {
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  AfxThrowUserException();
}

namespace {

CString ControlText(HWND control) {
  CString text;
  if (control) CWnd::FromHandle(control)->GetWindowText(text);
  return text;
}

void SetControlText(HWND control, const char* text) {
  if (control) ::SetWindowTextA(control, text);
}

[[noreturn]] void FailWith(CDataExchange* dx, const char* message) {
  AfxMessageBox(message, MB_ICONEXCLAMATION | MB_OK);
  dx->Fail();
}

// Whole text parsed as one number, blanks around it allowed.
bool ParseLong(const CString& text, long long& out) {
  const char* s = text.GetString();
  char* end = nullptr;
  errno = 0;
  out = std::strtoll(s, &end, 10);
  if (end == s || errno == ERANGE) return false;
  while (*end == ' ' || *end == '\t') ++end;
  return *end == '\0';
}

bool ParseDouble(const CString& text, double& out) {
  const char* s = text.GetString();
  char* end = nullptr;
  errno = 0;
  out = std::strtod(s, &end);
  if (end == s || errno == ERANGE) return false;
  while (*end == ' ' || *end == '\t') ++end;
  return *end == '\0';
}

template <class T>
void TextInteger(CDataExchange* dx, int id, T& value, long long low, long long high, const char* message) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    long long parsed = 0;
    if (!ParseLong(ControlText(control), parsed) || parsed < low || parsed > high) FailWith(dx, message);
    value = static_cast<T>(parsed);
  } else {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    SetControlText(control, text);
  }
}

}  // namespace

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    value = ControlText(control);
  } else {
    SetControlText(control, value);
  }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
  TextInteger(dx, id, value, INT_MIN, INT_MAX, "Please enter an integer.");
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
  TextInteger(dx, id, value, 0, UINT_MAX, "Please enter a positive integer.");
}

void DDX_Text(CDataExchange* dx, int id, long& value) {
  TextInteger(dx, id, value, LONG_MIN, LONG_MAX, "Please enter an integer.");
}

void DDX_Text(CDataExchange* dx, int id, double& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    double parsed = 0;
    if (!ParseDouble(ControlText(control), parsed)) FailWith(dx, "Please enter a number.");
    value = parsed;
  } else {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    SetControlText(control, text);
  }
}

void DDX_Text(CDataExchange* dx, int id, char* value, int size) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    if (size <= 0) return;
    const CString text = ControlText(control);
    const size_t n = std::min<size_t>(static_cast<size_t>(size) - 1, static_cast<size_t>(text.GetLength()));
    std::memcpy(value, text.GetString(), n);
    value[n] = '\0';
  } else {
    SetControlText(control, value);
  }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
  } else {
    ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value < 0 || value > 2 ? 0 : value), 0);
  }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  // The group starts at the control with the id; the value is the checked
  // button's place in it, -1 for none.
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) value = -1;
  int index = 0;
  for (HWND button = control; button; button = ::GetWindow(button, GW_HWNDNEXT), ++index) {
    if (button != control && (::GetWindowLongA(button, GWL_STYLE) & WS_GROUP)) break;
    if (!(::SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
    if (dx->m_bSaveAndValidate) {
      if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      ::SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
  } else {
    ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

void DDX_CBString(CDataExchange* dx, int id, CString& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    value = ControlText(control);
    return;
  }
  // The first item starting with the text is selected; without one the text is shown as it is.
  if (::SendMessageA(control, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString())) ==
      CB_ERR)
    SetControlText(control, value);
}

void DDX_CBStringExact(CDataExchange* dx, int id, CString& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    value = ControlText(control);
    return;
  }
  const LRESULT index =
      ::SendMessageA(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
  if (index == CB_ERR) {
    SetControlText(control, value);
  } else {
    ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    index = static_cast<int>(::SendMessageA(control, LB_GETCURSEL, 0, 0));
  } else {
    ::SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

void DDX_LBString(CDataExchange* dx, int id, CString& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    const auto index = static_cast<int>(::SendMessageA(control, LB_GETCURSEL, 0, 0));
    value.Empty();
    if (index < 0) return;
    const auto length = static_cast<int>(::SendMessageA(control, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0));
    if (length <= 0) return;
    ::SendMessageA(control, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(value.GetBufferSetLength(length)));
    value.ReleaseBuffer(length);
    return;
  }
  ::SendMessageA(control, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd) return;
  HWND window = dx->PrepareCtrl(id);
  if (!window || !control.SubclassWindow(window)) AfxThrowNotSupportedException();
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
  if (!dx->m_bSaveAndValidate) {
    // Shown: the control takes no more than that.
    if (dx->m_hWndLastControl && dx->m_bEditLastControl)
      ::SendMessageA(dx->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    return;
  }
  if (value.GetLength() > maxChars) {
    char message[128];
    std::snprintf(message, sizeof message, "Enter no more than %d characters.", maxChars);
    FailWith(dx, message);
  }
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
  if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  char message[128];
  std::snprintf(message, sizeof message, "Please enter an integer between %d and %d.", minValue, maxValue);
  FailWith(dx, message);
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue) {
  if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  char message[128];
  std::snprintf(message, sizeof message, "Please enter an integer between %u and %u.", minValue, maxValue);
  FailWith(dx, message);
}

void DDV_MinMaxLong(CDataExchange* dx, long value, long minValue, long maxValue) {
  if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  char message[128];
  std::snprintf(message, sizeof message, "Please enter an integer between %ld and %ld.", minValue, maxValue);
  FailWith(dx, message);
}

void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minValue, double maxValue) {
  if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  char message[128];
  std::snprintf(message, sizeof message, "Please enter a number between %g and %g.", minValue, maxValue);
  FailWith(dx, message);
}
