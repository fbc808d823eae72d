// The message box: lines translated, wrapped and laid out, the dialog sized
// to them and its buttons placed under them.
#include "app/ui/msg_box.h"

#include <algorithm>
#include <cstdio>

#include "app/ui/ui_language.h"
#include "app/ui/ui_text_draw.h"
#include "foundation/codepage/codepage.h"

namespace {

// The code page of the interface's texts when it is a double-byte one, else 0.
int CjkTextCodePage() {
  if (UiLanguage() == kUiChineseSimplified) return 936;
  if (UiLanguage() == kUiChineseTraditional) return 950;
  return IsCjkCodePage(UiCodePage()) ? UiCodePage() : 0;
}

SIZE WindowSizeOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace

BEGIN_MESSAGE_MAP(CMsgBoxDlg, CSkinDialog)
ON_WM_PAINT()
ON_COMMAND(IDOK, OnOkButton)
ON_COMMAND(IDYES, OnYes)
ON_COMMAND(IDNO, OnNo)
END_MESSAGE_MAP()

CMsgBoxDlg::CMsgBoxDlg(CWnd* parent) : CSkinDialog(IDD_MSGBOX, parent) {}

void CMsgBoxDlg::LayOutLines(HDC dc, int* widest, int* total, int* lineHeight) {
  const int codePage = CjkTextCodePage();
  const AString text = m_text;
  int start = 0;
  std::vector<AString> rawLines;
  while (static_cast<int>(rawLines.size()) < kMsgBoxMaxLines) {
    const int end = text.Find('\n', start);
    rawLines.push_back(end < 0 ? text.Mid(start) : text.Mid(start, end - start));
    if (end < 0) break;
    start = end + 1;
  }
  for (AString& raw : rawLines) {
    Line line;
    AString shown = raw;
    if (shown.GetLength() > 0 && shown.GetLastChar() == '\r') shown.Truncate(shown.GetLength() - 1);
    if (m_alreadyTranslated) {
      line.mode = codePage ? codePage : 1;
    } else {
      const AString translated = TranslateUiString(shown.GetData());
      line.mode = codePage ? codePage : (AStringNotEqualSz(shown.GetData(), translated) ? 1 : 0);
      shown = translated;
    }
    line.wrapped = WrapTextToWidth(dc, kMsgBoxWrapWidth, UiTextToWide(shown), 0.2);
    *lineHeight = line.wrapped.lineHeight;
    *total += line.wrapped.size.cy;
    *widest = std::max<int>(*widest, line.wrapped.size.cx);
    lines_.push_back(std::move(line));
  }
}

BOOL CMsgBoxDlg::OnInitDialog() {
  if (!m_caption.IsEmpty()) {
    // In another language the caption is already translated and in its code
    // page: the skin takes it as it stands and draws it.
    if (IsEnglishUi()) {
      SetWindowText(m_caption.GetData());
    } else {
      skin_.SetCaptionKey(m_caption.GetData());
    }
  }
  CSkinDialog::OnInitDialog();

  lines_.clear();
  int lineHeight = 16;
  int widest = 0;
  int total = 0;
  {
    CClientDC dc(this);
    UiTextScope scope(dc, UiMessageFont());
    LayOutLines(dc, &widest, &total, &lineHeight);
  }

  const int reference = m_buttons == kMsgBoxYesNo || m_buttons == kMsgBoxYesNoCancel ? IDYES : IDOK;
  SIZE button{12, 12};
  if (HWND b = ::GetDlgItem(m_hWnd, reference)) button = WindowSizeOf(b);
  const int bw = button.cx;
  const int bh = button.cy;
  const int minimumWidth = m_buttons == kMsgBoxOk ? 2 * bw : m_buttons == kMsgBoxYesNoCancel ? 9 * bw / 2 : 3 * bw;

  int y = lineHeight * 5 / 4;
  for (Line& line : lines_) {
    line.origin = POINT{bh, y};
    y += line.wrapped.size.cy;
  }

  // The sizes are those of the client area; the frame is added around them.
  const int clientWidth = std::max(widest + 2 * bh, minimumWidth);
  const int clientHeight = total + lineHeight * 5 / 2 + bh * 5 / 2;
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, GetStyle(), FALSE, GetExStyle());
  const int w = frame.right - frame.left;
  const int h = frame.bottom - frame.top;
  SetWindowPos(nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h,
               SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(&client);
  PlaceButtons(client.right, client.bottom, bw, bh);
  return FALSE;
}

void CMsgBoxDlg::PlaceButtons(int clientWidth, int clientHeight, int bw, int bh) {
  const int y = clientHeight - bh * 3 / 2;
  // The buttons shown, left to right.
  std::vector<int> row;
  if (m_buttons == kMsgBoxYesNo) row = {IDYES, IDNO};
  else if (m_buttons == kMsgBoxYesNoCancel) row = {IDYES, IDNO, IDCANCEL};
  else if (m_buttons == kMsgBoxOk) row = {IDOK};
  else row = {IDOK, IDCANCEL};
  for (const int id : {IDOK, IDYES, IDNO, IDCANCEL}) {
    const bool shown = std::find(row.begin(), row.end(), id) != row.end();
    if (HWND b = ::GetDlgItem(m_hWnd, id)) ::ShowWindow(b, shown ? SW_SHOW : SW_HIDE);
  }
  auto place = [this, y](int id, int x) {
    if (HWND b = ::GetDlgItem(m_hWnd, id)) {
      ::SetWindowPos(b, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  };
  // Buttons a third of their width apart, the row centred.
  const int count = static_cast<int>(row.size());
  int x = (clientWidth - (bw * count + bw / 3 * (count - 1))) / 2;
  for (const int id : row) {
    place(id, x);
    x += bw * 4 / 3;
  }
  int defaultId = row.front();
  if (std::find(row.begin(), row.end(), m_defaultChoice) != row.end()) defaultId = m_defaultChoice;
  else if (count == 1 && m_defaultChoice == IDCANCEL) defaultId = IDCANCEL;
  SetDefID(static_cast<UINT>(defaultId));
  // The default button takes the keyboard, so Enter chooses it.
  // A hidden default (Cancel of an OK box) leaves the keyboard with the box
  // itself, where Enter still means the default.
  HWND b = ::GetDlgItem(m_hWnd, defaultId);
  ::SetFocus(b && (::GetWindowLongA(b, GWL_STYLE) & WS_VISIBLE) ? b : m_hWnd);
}

void CMsgBoxDlg::OnPaint() {
  CPaintDC dc(this);
  skin_.Paint(dc);
  UiTextScope scope(dc, UiMessageFont());
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  for (const Line& line : lines_) {
    for (size_t i = 0; i < line.wrapped.pieces.size(); ++i) {
      const std::u16string& piece = line.wrapped.pieces[i];
      TextOutW(dc, line.origin.x + line.wrapped.positions[i].x, line.origin.y + line.wrapped.positions[i].y,
               reinterpret_cast<LPCWSTR>(piece.c_str()), static_cast<int>(piece.size()));
    }
  }
}

void CMsgBoxDlg::OnOkButton() {
  m_result = IDOK;
  EndDialog(IDOK);
}

void CMsgBoxDlg::OnYes() {
  m_result = IDYES;
  EndDialog(IDYES);
}

void CMsgBoxDlg::OnNo() {
  m_result = IDNO;
  EndDialog(IDNO);
}

void CMsgBoxDlg::OnCancel() { EndDialog(IDCANCEL); }

int ShowMsgBoxDlg(CWnd* parent, const AString& text, int buttons, int alreadyTranslated, int defaultChoice,
                  const AString& caption) {
  CMsgBoxDlg box(parent ? parent : AfxGetMainWnd());
  box.m_text = text;
  box.m_buttons = buttons;
  box.m_alreadyTranslated = alreadyTranslated;
  box.m_defaultChoice = defaultChoice;
  box.m_caption = caption;
  box.DoModal();
  return box.m_result;
}

int UiMessageBoxArgs(CWnd* parent, int n, int buttons, bool raw, const UiArg* args, size_t count) {
  AString text;
  if (raw) {
    char number[16];
    std::snprintf(number, sizeof number, "%d", n);
    text = FormatWithArgs(number, args, count);
  } else {
    text = FormatUiMessageArgs(n, args, count);
  }
  return ShowMsgBoxDlg(parent, text, buttons, 1, -1, UiMessageCaption(n));
}

int UiMessageBoxTextArgs(CWnd* parent, const char* format, int buttons, bool raw, const UiArg* args, size_t count) {
  return ShowMsgBoxDlg(parent, FormatUiTextArgs(format, raw, args, count), buttons, 1, -1);
}

int UiMessageBoxEx(CWnd* parent, int n, int buttons, int, int defaultChoice, const AString& caption) {
  char key[16];
  std::snprintf(key, sizeof key, "%d", n);
  const AString text = TranslateUiString(key, true);
  return ShowMsgBoxDlg(parent, text, buttons, 1, defaultChoice, caption.IsEmpty() ? UiMessageCaption(n) : caption);
}
