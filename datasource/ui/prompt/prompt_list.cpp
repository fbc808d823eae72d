#include "datasource/ui/prompt/prompt_list.h"

#include <algorithm>

#include "app/ui/ui_language.h"

namespace {

constexpr COLORREF kCurrentLine = 0xDE0000;
constexpr COLORREF kLine = 0xAAAAAA;
constexpr COLORREF kBoxFill = 0xDBDBD4;
constexpr COLORREF kPromptedFill = 0xEFEFE8;
constexpr int kDragMargin = 10;

// The source menu's commands are the source plus one.
struct SourceChoice {
  const char* text;
  int source;
};
constexpr SourceChoice kSourceChoices[] = {
    {"Fixed Data", kPartSourceFixed},
    {"Prompt Before Print", kPartSourcePrompt},
    {"Linked", kPartSourceLinked},
};

void FillBox(HDC dc, RECT box, COLORREF colour) {
  UniqueBrush brush(::CreateSolidBrush(colour));
  ::FillRect(dc, &box, brush.get());
}

void DrawUnits(HDC dc, const std::u16string& units, RECT box) {
  ::DrawTextW(dc, reinterpret_cast<LPCWSTR>(units.c_str()), static_cast<int>(units.size()), &box,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

std::u16string RowUnits(const AString& text, int codePage) {
  if (text.IsWide() || codePage == 1200)
    return std::u16string(reinterpret_cast<const char16_t*>(text.GetData()), static_cast<size_t>(text.GetLength() / 2));
  return UiTextToWide(text);
}

void MoveIfChanged(HWND window, const RECT& place) {
  RECT now{};
  ::GetWindowRect(window, &now);
  ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&now), 2);
  if (!::EqualRect(&now, &place))
    ::MoveWindow(window, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

}  // namespace

CPromptList::CPromptList() = default;

CPromptList::~CPromptList() {
  // A row window that goes with the focus makes the list look for its row:
  // the rows are out of the list before they go.
  std::vector<std::unique_ptr<CPromptItem>> rows = std::move(rows_);
  rows_.clear();
  rows.clear();
  if (m_hWnd) DestroyWindow();
}

BOOL CPromptList::Create(const RECT& rect, CWnd* parent, UINT id) {
  font_.reset(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"MS Sans Serif"));
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | WS_CLIPCHILDREN | LBS_NOTIFY |
                      LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT;
  if (!CListBox::Create(style, rect, parent, id)) return FALSE;
  RECT client{};
  GetClientRect(&client);
  if (m_itemHeight <= 0) {
    m_itemHeight = m_rowsPerView <= 0 ? std::max<int>(::GetSystemMetrics(SM_CYCAPTION), kMinItemHeight)
                                      : client.bottom / m_rowsPerView;
  }
  SetItemHeight(0, static_cast<UINT>(m_itemHeight));
  m_rowsPerView = std::max(1, static_cast<int>(client.bottom / m_itemHeight));
  RECT frame{};
  GetWindowRect(&frame);
  SetWindowPos(nullptr, 0, 0, frame.right - frame.left, m_rowsPerView * m_itemHeight + 4,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

int CPromptList::AddItem(CPromptItem* item) {
  rows_.emplace_back(item);
  const int row = static_cast<int>(SendMessageW(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item)));
  SetItemData(row, reinterpret_cast<DWORD_PTR>(item));
  return row;
}

CPromptItem* CPromptList::Item(int row) const {
  return row >= 0 && row < RowCount() ? rows_[static_cast<size_t>(row)].get() : nullptr;
}

int CPromptList::CaptionWidth() {
  if (captionWidth_ <= 0) {
    RECT client{};
    GetClientRect(&client);
    captionWidth_ = m_captionFraction > 0 ? static_cast<int>(client.right * m_captionFraction) : client.right / 3;
  }
  return captionWidth_;
}

void CPromptList::SetCaptionWidth(int width) {
  captionWidth_ = width;
  Invalidate();
}

void CPromptList::MeasureItem(LPMEASUREITEMSTRUCT mis) {
  mis->itemHeight = static_cast<UINT>(m_itemHeight > 0 ? m_itemHeight : kMinItemHeight);
}

void CPromptList::PlaceRow(int row, const RECT& item) {
  CPromptItem* p = Item(row);
  const int caption = CaptionWidth();
  const int height = item.bottom - item.top;
  const int buttonWidth = p->HasButton() ? height * 8 / 10 : 0;
  RECT value{caption + 2, item.top + 2, item.right - 2 - buttonWidth, item.bottom - 2};
  if (p->HasButton()) MoveIfChanged(p->Button(), RECT{item.right - buttonWidth - 1, item.top + 1, item.right - 1, item.bottom - 1});
  if (p->m_type == PromptRowType::kChoice) MoveIfChanged(p->Combo(), value);
  if (p->Editor()) {
    const bool shown = p->m_type == PromptRowType::kText ? row == m_current : p->ShowsEditor();
    if (shown) MoveIfChanged(p->Editor(), value);
    ::ShowWindow(p->Editor(), shown ? SW_SHOW : SW_HIDE);
  }
  if (p->Combo()) ::ShowWindow(p->Combo(), p->ShowsCombo() ? SW_SHOW : SW_HIDE);
  // Answering the prompts changes no part's source: no source menu.
  const bool menuOnly = p->m_type == PromptRowType::kPart && m_answerPrompts;
  if (p->Button()) ::ShowWindow(p->Button(), menuOnly ? SW_HIDE : SW_SHOW);
}

void CPromptList::DrawItem(LPDRAWITEMSTRUCT dis) {
  const int row = static_cast<int>(dis->itemID);
  CPromptItem* p = Item(row);
  if (!p) return;
  HDC dc = dis->hDC;
  const RECT item = dis->rcItem;
  const int caption = CaptionWidth();
  FillBox(dc, item, RGB(255, 255, 255));
  {
    UniquePen pen(::CreatePen(PS_SOLID, 1, row == m_current ? kCurrentLine : kLine));
    SelectScope usePen(dc, pen.get());
    ::MoveToEx(dc, item.left, item.bottom - 1, nullptr);
    ::LineTo(dc, item.right, item.bottom - 1);
    ::MoveToEx(dc, caption, item.top, nullptr);
    ::LineTo(dc, caption, item.bottom);
  }
  SelectScope useFont(dc, font_.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, RGB(0, 0, 0));
  DrawUnits(dc, RowUnits(p->m_caption, p->m_captionCodePage), RECT{item.left + 3, item.top + 3, caption - 2, item.bottom - 3});
  const int buttonWidth = p->HasButton() ? (item.bottom - item.top) * 8 / 10 : 0;
  RECT value{caption + 2, item.top + 2, item.right - 2 - buttonWidth, item.bottom - 2};
  switch (p->m_type) {
    case PromptRowType::kNote:
      FillBox(dc, value, kBoxFill);
      DrawUnits(dc, RowUnits(p->m_thirdText, p->m_codePage), RECT{value.left + 2, value.top, value.right, value.bottom});
      break;
    case PromptRowType::kRecords: DrawUnits(dc, RowUnits(p->m_text, p->m_codePage), value); break;
    case PromptRowType::kLongText:
    case PromptRowType::kMaxiCode:
    case PromptRowType::kAi:
      FillBox(dc, value, kBoxFill);
      DrawUnits(dc, RowUnits(p->m_text, p->m_codePage), RECT{value.left + 2, value.top, value.right, value.bottom});
      break;
    case PromptRowType::kPart:
      if (p->m_source == kPartSourcePrompt && !m_answerPrompts) {
        // The piece is asked when printing: a placeholder of its length.
        FillBox(dc, value, kPromptedFill);
        const std::u16string marks(static_cast<size_t>(p->m_maxLength < 1 ? 10 : p->m_maxLength), u'X');
        DrawUnits(dc, marks, RECT{value.left + 2, value.top, value.right, value.bottom});
      }
      break;
    case PromptRowType::kText:
      if (row != m_current) DrawUnits(dc, RowUnits(p->m_text, p->m_codePage), value);
      break;
    default: break;
  }
  PlaceRow(row, item);
}

int CPromptList::RowOfWindow(HWND window) const {
  for (int i = 0; i < RowCount(); ++i) {
    const CPromptItem* p = Item(i);
    if (window && (window == p->Combo() || window == p->Editor() || window == p->Button())) return i;
  }
  return -1;
}

int CPromptList::RowAt(POINT client) const {
  const LRESULT hit = ::SendMessageW(m_hWnd, LB_ITEMFROMPOINT, 0, static_cast<LPARAM>(MAKELONG(client.x, client.y)));
  if (HIWORD(hit)) return -1;
  return static_cast<int>(LOWORD(hit));
}

bool CPromptList::NearDivider(POINT client) { return std::abs(client.x - CaptionWidth()) <= kDividerSlop; }

void CPromptList::LeaveRow(int row) {
  CPromptItem* p = Item(row);
  if (!p) return;
  p->TakeEditorText();
  if (p->m_type == PromptRowType::kPart && p->Combo()) ::ShowWindow(p->Combo(), SW_HIDE);
}

void CPromptList::MakeCurrent(int row, bool focus) {
  CPromptItem* p = Item(row);
  if (!p || !p->m_selectable) return;
  if (row != m_current) LeaveRow(m_current);
  m_current = row;
  SetCurSel(row);
  Invalidate();
  UpdateWindow();
  if (!focus) return;
  if (HWND window = p->FocusWindow()) {
    ::SetFocus(window);
    if (window == p->Editor()) ::SendMessageW(window, EM_SETSEL, 0, -1);
  }
}

void CPromptList::StepRow(int step) {
  for (int row = m_current + step; row >= 0 && row < RowCount(); row += step) {
    if (Item(row)->m_selectable) {
      MakeCurrent(row, true);
      return;
    }
  }
  LeaveRow(m_current);
  CPromptList* chained = step > 0 ? m_next : m_previous;
  if (chained && chained->RowCount() > 0) {
    chained->m_current = step > 0 ? -1 : chained->RowCount();
    chained->StepRow(step);
    return;
  }
  HWND beside = step > 0 ? m_after : m_before;
  if (!beside && GetParent()) beside = ::GetNextDlgTabItem(GetParent()->m_hWnd, m_hWnd, step < 0);
  if (beside) ::SetFocus(beside);
}

int CPromptList::ShowSourceMenu(int row, POINT screen) {
  CPromptItem* p = Item(row);
  if (!p || p->m_type != PromptRowType::kPart || m_answerPrompts) return -1;
  HMENU menu = ::CreatePopupMenu();
  for (const SourceChoice& choice : kSourceChoices) {
    const std::u16string text = UiTextToWide(TranslateUiString(choice.text));
    ::AppendMenuW(menu, MF_STRING | (choice.source == p->m_source ? MF_CHECKED : 0),
                  static_cast<UINT_PTR>(choice.source + 1), reinterpret_cast<LPCWSTR>(text.c_str()));
  }
  const int command = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, m_hWnd, nullptr);
  ::DestroyMenu(menu);
  if (command <= 0) return -1;
  p->SetSource(command - 1);
  MakeCurrent(row, true);
  Invalidate();
  return command - 1;
}

void CPromptList::OnButton(int row) {
  CPromptItem* p = Item(row);
  if (!p) return;
  MakeCurrent(row, false);
  if (p->m_type == PromptRowType::kPart) {
    RECT button{};
    ::GetWindowRect(p->Button(), &button);
    ShowSourceMenu(row, POINT{button.left, button.bottom});
    return;
  }
  if (m_onButton && m_onButton(*p) == IDOK) Invalidate();
}

void CPromptList::DragDivider(int x, bool finish) {
  RECT client{};
  GetClientRect(&client);
  x = std::clamp(x, client.left + kDragMargin, client.right - kDragMargin);
  HDC dc = ::GetDC(m_hWnd);
  // The XOR line: drawn twice, it is gone.
  if (dragX_ >= 0) ::PatBlt(dc, dragX_, 0, 1, client.bottom, DSTINVERT);
  dragX_ = finish ? -1 : x;
  if (!finish) ::PatBlt(dc, dragX_, 0, 1, client.bottom, DSTINVERT);
  ::ReleaseDC(m_hWnd, dc);
  if (finish) SetCaptionWidth(x);
}

BOOL CPromptList::PreTranslateMessage(MSG* msg) {
  if (msg->message != WM_KEYDOWN || (msg->hwnd != m_hWnd && RowOfWindow(msg->hwnd) < 0)) return CListBox::PreTranslateMessage(msg);
  const CPromptItem* p = Item(m_current);
  const bool comboOpen = p && p->Combo() && ::SendMessageW(p->Combo(), CB_GETDROPPEDSTATE, 0, 0);
  switch (msg->wParam) {
    case VK_TAB: StepRow(::GetKeyState(VK_SHIFT) < 0 ? -1 : 1); return TRUE;
    case VK_DOWN:
      if (comboOpen) break;
      StepRow(1);
      return TRUE;
    case VK_UP:
      if (comboOpen) break;
      StepRow(-1);
      return TRUE;
    default: break;
  }
  return CListBox::PreTranslateMessage(msg);
}

LRESULT CPromptList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (message) {
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        ::ScreenToClient(m_hWnd, &cursor);
        if (dragging_ || NearDivider(cursor)) {
          ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_SIZEWE)));
          return TRUE;
        }
      }
      break;
    case WM_LBUTTONDOWN:
      if (NearDivider(at)) {
        dragging_ = true;
        ::SetCapture(m_hWnd);
        DragDivider(at.x, false);
      } else {
        MakeCurrent(RowAt(at), false);
      }
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) DragDivider(at.x, false);
      break;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        ::ReleaseCapture();
        DragDivider(at.x, true);
      } else if (RowAt(at) == m_current) {
        MakeCurrent(m_current, true);
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      if (const CPromptItem* p = Item(RowAt(at)); p && p->HasButton()) OnButton(RowAt(at));
      return 0;
    case WM_RBUTTONDOWN: MakeCurrent(RowAt(at), false); return 0;
    case WM_RBUTTONUP: {
      // The menu opens as the button comes up, as context menus do.
      const int row = RowAt(at);
      POINT screen = at;
      ::ClientToScreen(m_hWnd, &screen);
      ShowSourceMenu(row, screen);
      return 0;
    }
    case WM_COMMAND: {
      const int row = RowOfWindow(reinterpret_cast<HWND>(lParam));
      if (row >= 0 && HIWORD(wParam) == BN_CLICKED) OnButton(row);
      if (row >= 0 && (HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == CBN_SETFOCUS) && row != m_current)
        MakeCurrent(row, false);
      // The data page's insert buttons serve a linked piece's editor only.
      if (row >= 0 && m_insertButtons && HIWORD(wParam) == EN_SETFOCUS) {
        const CPromptItem* p = Item(row);
        const bool linked = p->m_type == PromptRowType::kPart && p->m_source == kPartSourceLinked && p->ShowsEditor();
        ::ShowWindow(m_insertButtons, linked ? SW_SHOW : SW_HIDE);
      }
      if (row >= 0 && m_insertButtons && HIWORD(wParam) == EN_KILLFOCUS) ::ShowWindow(m_insertButtons, SW_HIDE);
      return 0;
    }
    case WM_SETFOCUS:
      // The focus given to the list itself goes to its first selectable row.
      if (m_hasWindows && RowOfWindow(reinterpret_cast<HWND>(wParam)) < 0) {
        if (m_previous && m_previous->m_hasWindows) {
          ::SetFocus(m_previous->m_hWnd);
        } else {
          m_current = -1;
          StepRow(1);
        }
        return 0;
      }
      break;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL: {
      // Windows of rows that scroll away must not stay behind.
      for (int i = 0; i < RowCount(); ++i) {
        for (HWND window : {Item(i)->Combo(), Item(i)->Editor(), Item(i)->Button()})
          if (window) ::ShowWindow(window, SW_HIDE);
      }
      const LRESULT result = CListBox::WindowProc(message, wParam, lParam);
      Invalidate();
      return result;
    }
    default: break;
  }
  return CListBox::WindowProc(message, wParam, lParam);
}
