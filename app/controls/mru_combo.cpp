#include "app/controls/mru_combo.h"

#include <sys/stat.h>

#include <algorithm>

#include "app/controls/input_helpers.h"
#include "app/controls/mru_history.h"
#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"
#include "foundation/uifonts/mbcs_text.h"
#include "platform/gdi/gdi_owners.h"

namespace {

constexpr int kItemHeight = 19;
// The kind of colour request the framework passes with WM_CTLCOLOREDIT.
constexpr UINT kCtlColorEdit = WM_CTLCOLOREDIT - WM_CTLCOLORMSGBOX;

HFONT StockGuiFont() {
  HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  if (!font) font = GetStockObject(ANSI_VAR_FONT);
  return static_cast<HFONT>(font);
}

bool FileExists(const char* path) {
  struct stat st {};
  return path && *path && ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

// A path of the history that is gone: the user is told once, the entry then
// leaves the history.
void ReportMissingHistoryFile(CWnd* owner) { UiMessageBoxText(owner, "File does not exist.", kMsgBoxOk, false); }

}  // namespace

BEGIN_MESSAGE_MAP(CMruComboBox, CComboBox)
  ON_WM_CTLCOLOR()
  ON_CONTROL_REFLECT_EX(CBN_DROPDOWN, OnDropDown)
  ON_CONTROL_REFLECT_EX(CBN_CLOSEUP, OnCloseUp)
  ON_MESSAGE(CB_RESETCONTENT, OnResetContent)
END_MESSAGE_MAP()

CMruComboBox::CMruComboBox()
    : m_codePage(fdn_app::CodePageFromLanguage(fdn_app::UiLanguageKind(), true)), m_folder(DefaultHistoryFolder()) {}

std::string CMruComboBox::HistoryPath() const { return HistoryFilePath(m_folder, m_key.GetData()); }

void CMruComboBox::Init(const char* key, int itemHeight) {
  SendMessage(CB_SETITEMHEIGHT, 0, static_cast<LPARAM>(itemHeight));
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(StockGuiFont()), TRUE);
  SendMessage(CB_LIMITTEXT, kHistoryEntryLimit);
  m_key = key && *key ? key : "temp";
  m_historyOff = m_key.CompareNoCase("NoMRU") == 0;
  if (!m_historyOff) LoadHistory();
}

void CMruComboBox::LoadHistory() {
  const std::string path = HistoryPath();
  if (::access(path.c_str(), F_OK) != 0) return;  // no history yet: nothing selected
  for (const AString& entry : ReadHistoryFile(path, m_maxEntries, m_codePage)) AddString(entry.GetData());
  SetCurSel(0);
}

bool CMruComboBox::WriteHistory() const {
  std::vector<AString> entries;
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    const int length = GetLBTextLen(i);
    if (length <= 0) continue;  // unreadable or empty
    AString text;
    char* buffer = text.GetBuffer(length + 1);
    const int got = GetLBText(i, buffer);
    text.ReleaseBuffer(std::max(got, 0));
    entries.push_back(text);
  }
  return WriteHistoryFile(HistoryPath(), entries);
}

int CMruComboBox::AddToHistory(const AString& given) {
  if (given.IsEmpty()) return 0;
  const AString text = CutHistoryEntry(given, m_codePage);
  const int found = FindStringExact(-1, text.GetData());
  if (found >= 0) DeleteString(static_cast<UINT>(found));
  InsertString(0, text.GetData());
  SetWindowText(text.GetData());
  if (GetCount() > m_maxEntries) DeleteString(static_cast<UINT>(m_maxEntries));
  if (!m_historyOff) WriteHistory();
  UpdateDropWidth(m_hWnd);
  return 1;
}

int CMruComboBox::AddCurrentText() {
  AString text;
  GetText(text);
  return AddToHistory(text);
}

int CMruComboBox::AddTranslatedString(const char* text, bool raw) {
  if (raw || IsEnglishUi()) return AddString(text);
  return AddString(TranslateUiString(text).GetData());
}

int CMruComboBox::AddListString(const AString& text) {
  m_items.push_back(text);
  if (m_codePage == 1200) {
    ::SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DecodeEditText(
                                                 std::string_view(text.GetData(), static_cast<size_t>(text.GetLength())),
                                                 1200).c_str()));
  } else {
    AddString(text.GetData());
  }
  return static_cast<int>(m_items.size()) - 1;
}

void CMruComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }

LRESULT CMruComboBox::OnResetContent(WPARAM, LPARAM) {
  m_dropWidth = 0;
  m_items.clear();
  return Default();
}

int CMruComboBox::FindItemData(DWORD_PTR data) const {
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    if (GetItemData(i) == data) return i;
  }
  return -1;
}

int CMruComboBox::SelectText(const AString& text, int defaultIndex) {
  int found = -1;
  if (m_codePage == 1200) {
    for (size_t i = 0; i < m_items.size() && found < 0; ++i) {
      const AString& item = m_items[i];
      if (item.GetLength() >= text.GetLength() &&
          std::equal(text.GetData(), text.GetData() + text.GetLength(), item.GetData()))
        found = static_cast<int>(i);
    }
  } else {
    found = FindStringExact(-1, text.GetData());
  }
  const int index = found >= 0 ? found : defaultIndex;
  SetCurSel(index);
  return index;
}

void CMruComboBox::GetItemText(int index, AString& text) const {
  if (index < 0) index = GetCurSel();
  if (index < 0) return;
  if (m_codePage == 1200) {
    if (static_cast<size_t>(index) >= m_items.size()) return;
    text = m_items[static_cast<size_t>(index)];
    text.SetWide(true);
    return;
  }
  const int length = GetLBTextLen(index);
  if (length < 0) return;
  AString result;
  char* buffer = result.GetBuffer(length + 1);
  const int got = GetLBText(index, buffer);
  result.ReleaseBuffer(std::max(got, 0));
  result.SetWide(false);
  text = result;
}

void CMruComboBox::GetText(AString& text) const {
  if (m_codePage == 1200) {
    const int at = GetCurSel();
    text = at >= 0 && static_cast<size_t>(at) < m_items.size() ? m_items[static_cast<size_t>(at)] : AString();
    return;
  }
  GetWindowString(GetSafeHwnd(), &text);
}

void CMruComboBox::UpdateDropWidth(HWND measureOn) {
  WindowDc window(measureOn);
  if (!window) return;
  SelectScope font(window.get(), StockGuiFont());
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    AString text;
    GetItemText(i, text);
    SIZE size{0, 0};
    if (text.IsWide())
      GetTextExtentPoint32W(window.get(), reinterpret_cast<LPCWSTR>(text.GetData()), text.GetLength() / 2, &size);
    else
      GetTextExtentPoint32A(window.get(), text.GetData(), text.GetLength(), &size);
    m_dropWidth = std::max<int>(m_dropWidth, size.cx * 8 / 9);
  }
}

BOOL CMruComboBox::OnDropDown() {
  // The list opens at least as wide as its widest entry.
  if (m_dropWidth == 0) UpdateDropWidth(m_hWnd);
  RECT window{};
  GetWindowRect(&window);
  if (window.right - window.left < m_dropWidth) SendMessage(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(m_dropWidth));
  return FALSE;
}

BOOL CMruComboBox::OnCloseUp() {
  if (m_checkFiles && GetCurSel() >= 0) CheckSelectedFile();
  return FALSE;
}

void CMruComboBox::CheckSelectedFile() {
  AString path;
  GetItemText(-1, path);
  if (!path.IsEmpty() && FileExists(path.GetData())) return;
  ReportMissingHistoryFile(GetParent());
  DeleteString(static_cast<UINT>(GetCurSel()));
  SetCurSel(0);
  if (!m_historyOff) WriteHistory();
}

HBRUSH CMruComboBox::OnCtlColor(CDC* dc, CWnd* window, UINT ctlColor) {
  // The base answers first: taking the edit over replaces the temporary
  // object the framework made for it.
  const HWND edit = ctlColor == kCtlColorEdit && window ? window->m_hWnd : nullptr;
  HBRUSH brush = CComboBox::OnCtlColor(dc, window, ctlColor);
  if (edit) TakeOverEdit(edit);
  return brush;
}

void CMruComboBox::TakeOverEdit(HWND edit) {
  const LONG_PTR exStyle = GetWindowLongPtrA(edit, GWL_EXSTYLE);
  if (!(exStyle & WS_EX_STATICEDGE)) SetWindowLongPtrA(edit, GWL_EXSTYLE, exStyle | WS_EX_STATICEDGE);
  if (m_editTakenOver) return;
  m_editTakenOver = 1;
  m_edit.m_inCombo = 1;
  m_edit.m_codePage = m_codePage;
  m_edit.SubclassWindow(edit);
  ::InvalidateRect(edit, nullptr, TRUE);
}

void CMruComboBox::MeasureItem(LPMEASUREITEMSTRUCT mis) { mis->itemHeight = kItemHeight; }

void CMruComboBox::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (dis->itemID == static_cast<UINT>(-1)) return;
  HDC dc = dis->hDC;
  const int saved = SaveDC(dc);
  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, StockGuiFont());
  {
    UniqueBrush brush(CreateSolidBrush(back));
    FillRect(dc, &dis->rcItem, brush.get());
  }
  RECT r = dis->rcItem;
  AString text;
  const int index = static_cast<int>(dis->itemID);
  if (index >= 0 && index < GetCount()) {
    GetItemText(index, text);
    InflateRect(&r, -2, -2);
  } else {
    text = m_displayText;
  }
  if (m_codePage == 1200) {
    TextOutW(dc, r.left, r.top, reinterpret_cast<LPCWSTR>(text.GetData()), text.GetLength() / 2);
  } else if (m_codePage == 936 || m_codePage == 950) {
    fdn_app::DrawTextMbcs(dc, r.left, r.top, text.GetData(), 0, r.bottom - r.top, &r, true, fdn_app::kFontFollowUi,
                          m_codePage == 936, false);
  } else {
    ExtTextOutA(dc, r.left, r.top, ETO_CLIPPED, &r, text.GetData(), static_cast<UINT>(text.GetLength()), nullptr);
  }
  if (dis->itemState & ODS_FOCUS) DrawFocusRect(dc, &dis->rcItem);
  RestoreDC(dc, saved);
}
