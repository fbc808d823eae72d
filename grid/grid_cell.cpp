#include "grid/grid_cell.h"

#include <algorithm>
#include <cstring>

#include "grid/grid_ctrl.h"
#include "grid/grid_edit.h"

IMPLEMENT_DYNAMIC(CGridCellBase, CObject)
IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)
IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)

namespace {

// One font object for every cell with a font of its own: re-made per call.
UniqueFont& SharedCellFont() {
  static UniqueFont font;
  return font;
}

COLORREF Resolve(COLORREF colour, COLORREF fallback) { return colour == CLR_DEFAULT_GRID ? fallback : colour; }

void FillWith(HDC dc, RECT rect, COLORREF colour) {
  UniqueBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.get());
}

void DrawLine(HDC dc, HPEN pen, std::initializer_list<POINT> points) {
  SelectScope use(dc, pen);
  auto it = points.begin();
  MoveToEx(dc, it->x, it->y, nullptr);
  for (++it; it != points.end(); ++it) LineTo(dc, it->x, it->y);
}

}  // namespace

// ---- CGridCellBase --------------------------------------------------------

CGridCellBase* CGridCellBase::GetDefaultCell() const {
  CGridCtrl* grid = GetGrid();
  return grid ? grid->GetDefaultCell(IsFixedRow(), IsFixedCol()) : nullptr;
}

void CGridCellBase::CopyFrom(const CGridCellBase& other) {
  if (&other == this) return;
  SetGrid(other.GetGrid());
  SetText(other.GetText());
  SetImage(other.GetImage());
  SetData(other.GetData());
  SetState(other.GetState());
  SetFormat(other.GetFormat());
  SetTextClr(other.GetTextClr());
  SetBackClr(other.GetBackClr());
  SetFont(other.IsDefaultFont() ? nullptr : other.GetFont());
  SetMargin(other.GetMargin());
}

void CGridCellBase::Reset() {
  m_nState = 0;
  m_overrideTextColour = FALSE;
  m_overrideColour = 0xFFFFFF;
}

BOOL CGridCellBase::OnSetCursor() {
  ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  return TRUE;
}

BOOL CGridCellBase::Edit(int, int, RECT, POINT, UINT, UINT) { return FALSE; }

BOOL CGridCellBase::Draw(HDC dc, int row, int col, RECT rect, bool eraseBkgnd) {
  CGridCtrl* grid = GetGrid();
  CGridCellBase* def = GetDefaultCell();
  if (!grid || !dc || rect.right - rect.left <= 0 || rect.bottom - rect.top <= 0 || !def) return FALSE;
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);

  COLORREF text = m_overrideTextColour ? m_overrideColour : Resolve(GetTextClr(), def->GetTextClr());
  COLORREF back;
  if ((grid->RowPickMode && row > 0 && col > 0) || GetBackClr() != CLR_DEFAULT_GRID) {
    eraseBkgnd = true;
    back = GetBackClr() == CLR_DEFAULT_GRID ? def->GetBackClr() : GetBackClr();
    if (grid->RowPickMode || grid->m_bRowTracking) {
      // Painting reads the row's quantity; it never writes it: an empty
      // quantity is taken as 0.
      const AString quantity = grid->GetItemText(row, 0);
      if (!grid->m_bKeepCellColours && atol(quantity.IsEmpty() ? "0" : quantity.GetData()) > 0) back = 0xFFDCDC;
    }
  } else {
    back = def->GetBackClr();
  }

  const bool lines = grid->GetGridLines() != GVL_NONE;
  if (IsFocused()) {
    if (IsSelected() && !grid->m_bRowTracking) {
      back = GetSysColor(COLOR_HIGHLIGHT);
      text = GetSysColor(COLOR_HIGHLIGHTTEXT);
      eraseBkgnd = true;
    }
    rect.right++;
    rect.bottom++;
    if (eraseBkgnd) FillWith(dc, rect, back);
    if (lines) {
      rect.right--;
      rect.bottom--;
    }
    if (grid->GetFrameFocusCell() && !grid->m_bRowTracking) {
      UniqueBrush frame(CreateSolidBrush(text));
      FrameRect(dc, &rect, frame.get());
    }
    SetTextColor(dc, text);
    if (!lines) {
      rect.right--;
      rect.bottom--;
    }
  } else if (IsSelected()) {
    RECT wide{rect.left, rect.top, rect.right + 1, rect.bottom + 1};
    FillWith(dc, wide, GetSysColor(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    if (m_highlight) {
      back = m_highlightColour;
      eraseBkgnd = true;
    }
    if (eraseBkgnd) FillWith(dc, {rect.left, rect.top, rect.right + 1, rect.bottom + 1}, back);
    SetTextColor(dc, text);
  }

  if (IsFixed() && lines) {
    const CGridCellId focus = grid->GetFocusCell();
    const bool hilited =
        grid->GetTrackFocusCell() && grid->IsValid(focus) && (focus.row == row || focus.col == col);
    if (!hilited || (IsFixedRow() && !grid->m_bHeaderHilite)) {
      UniquePen light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
      UniquePen dark(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW)));
      DrawLine(dc, light.get(), {{rect.right, rect.top}, {rect.left, rect.top}, {rect.left, rect.bottom}});
      DrawLine(dc, dark.get(), {{rect.right, rect.top}, {rect.right, rect.bottom}, {rect.left, rect.bottom}});
      InflateRect(&rect, -1, -1);
    } else {
      rect.right++;
      rect.bottom++;
      DrawEdge(dc, &rect, BDR_SUNKENINNER, BF_RECT);
      InflateRect(&rect, -1, -1);
    }
  }

  if (HFONT font = GetFontObject()) SelectObject(dc, font);
  const int margin = static_cast<int>(GetMargin());
  InflateRect(&rect, -margin, -margin);
  rect.right++;
  rect.bottom++;

  HIMAGELIST images = grid->GetImageList();
  if (images && GetImage() >= 0 && GetImage() < ImageList_GetImageCount(images)) {
    int w = 0, h = 0;
    ImageList_GetIconSize(images, &w, &h);
    if (w <= rect.right - rect.left && h <= rect.bottom - rect.top)
      ImageList_Draw(images, GetImage(), dc, rect.left, rect.top, ILD_NORMAL);
  }

  if (row == 0 && col == grid->GetSortColumn()) {
    SIZE m{};
    GetTextExtentPoint32A(dc, "M", 1, &m);
    int size = m.cy - 4;
    if (size >= rect.bottom - rect.top) size = rect.bottom - rect.top - 4;
    const LOGFONTA* lf = GetFont();
    const bool vertical = lf && lf->lfEscapement == 900;
    if (size > 0 && rect.right - rect.left > size) {
      const int top = rect.bottom - 2 - size;
      const int left = vertical ? (rect.left + rect.right) / 2 - size / 2 : rect.right - size;
      UniquePen shadow(CreatePen(PS_SOLID, 0, GetSysColor(COLOR_BTNSHADOW)));
      UniquePen light(CreatePen(PS_SOLID, 0, GetSysColor(COLOR_BTNHIGHLIGHT)));
      const int mid = left + size / 2;
      for (int pass = 0; pass < 2; ++pass) {
        const int d = pass == 0 ? 1 : 0;
        HPEN pen = pass == 0 ? light.get() : shadow.get();
        if (grid->GetSortAscending())
          DrawLine(dc, pen, {{mid + d, top + d}, {left + size + d, top + size + d}, {left + d, top + size + d},
                             {mid + d, top + d}});
        else
          DrawLine(dc, pen, {{left + d, top + d}, {left + size + d, top + d}, {mid + d, top + size + d},
                             {left + d, top + d}});
      }
      if (!vertical) rect.right -= size;
    }
  }

  GetTextRect(&rect);
  rect.right++;
  rect.bottom++;
  const AString& shown = GetText();
  if (!shown.IsEmpty()) DrawTextA(dc, shown.GetData(), shown.GetLength(), &rect, GetFormat() | DT_NOPREFIX);
  RestoreDC(dc, saved);
  return TRUE;
}

BOOL CGridCellBase::GetTextRect(LPRECT rect) {
  CGridCtrl* grid = GetGrid();
  HIMAGELIST images = grid ? grid->GetImageList() : nullptr;
  if (images && GetImage() >= 0 && GetImage() < ImageList_GetImageCount(images)) {
    int w = 0, h = 0;
    ImageList_GetIconSize(images, &w, &h);
    rect->left += w + 1 + static_cast<int>(GetMargin());
  }
  return TRUE;
}

SIZE CGridCellBase::GetTextExtent(const AString& text, HDC dc) {
  CGridCtrl* grid = GetGrid();
  auto* def = static_cast<CGridDefaultCell*>(GetDefaultCell());
  HDC taken = nullptr;
  if (!dc && !text.IsEmpty() && grid && grid->GetSafeHwnd()) dc = taken = ::GetDC(grid->GetSafeHwnd());
  if (!dc || text.IsEmpty()) {
    if (taken) ::ReleaseDC(grid->GetSafeHwnd(), taken);
    return def ? SIZE{def->GetWidth(), def->GetHeight()} : SIZE{0, 0};
  }
  HGDIOBJ oldFont = nullptr;
  if (HFONT font = GetFontObject()) oldFont = SelectObject(dc, font);
  SIZE size{};
  const UINT format = GetFormat();
  if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE)) {
    GetTextExtentPoint32A(dc, text.GetData(), text.GetLength(), &size);
  } else {
    std::string_view all(text.GetData(), static_cast<size_t>(text.GetLength()));
    int widest = 0;
    for (size_t start = 0; start <= all.size();) {
      size_t end = all.find('\n', start);
      if (end == std::string_view::npos) end = all.size();
      SIZE line{};
      GetTextExtentPoint32A(dc, all.data() + start, static_cast<int>(end - start), &line);
      widest = std::max(widest, static_cast<int>(line.cx));
      start = end + 1;
    }
    RECT calc{0, 0, widest + 1, 0};
    DrawTextA(dc, text.GetData(), text.GetLength(), &calc, format | DT_CALCRECT);
    size = {calc.right - calc.left, calc.bottom - calc.top};
  }
  if (oldFont) SelectObject(dc, oldFont);
  const int margin = static_cast<int>(GetMargin());
  size.cx += 2 * margin;
  size.cy += 2 * margin;
  if (const LOGFONTA* lf = GetFont(); lf && (lf->lfEscapement == 900 || lf->lfEscapement == -900)) {
    std::swap(size.cx, size.cy);
    size.cy += 4 * margin;
  }
  if (taken) ::ReleaseDC(grid->GetSafeHwnd(), taken);
  return size;
}

SIZE CGridCellBase::GetCellExtent(HDC dc) {
  SIZE text = GetTextExtent(GetText(), dc);
  SIZE image{0, 0};
  CGridCtrl* grid = GetGrid();
  HIMAGELIST images = grid ? grid->GetImageList() : nullptr;
  if (images && GetImage() >= 0 && GetImage() < ImageList_GetImageCount(images)) {
    int w = 0, h = 0;
    ImageList_GetIconSize(images, &w, &h);
    const int margin = static_cast<int>(GetMargin());
    image = {w, h};
    if (2 * margin < text.cx) image.cx += margin;
    image.cy += 2 * margin;
  }
  SIZE size{text.cx + image.cx + 1, std::max(text.cy, image.cy) + 1};
  if (IsFixed()) {
    size.cx++;
    size.cy++;
  }
  return size;
}

BOOL CGridCellBase::PrintCell(HDC dc, int, int, RECT rect) {
  CGridCtrl* grid = GetGrid();
  CGridCellBase* def = GetDefaultCell();
  if (!grid || !dc || !def || rect.right - rect.left < 1 || rect.bottom - rect.top < 1) return FALSE;
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  COLORREF text = RGB(0, 0, 0);
  if (grid->GetShadedPrintOut()) {
    bool hasBack = true;
    COLORREF back = 0;
    if (IsFixed()) {
      back = Resolve(GetBackClr(), def->GetBackClr());
    } else if (GetBackClr() == CLR_DEFAULT_GRID || GetBackClr() == def->GetBackClr()) {
      hasBack = false;
    } else {
      back = GetBackClr();
    }
    text = Resolve(GetTextClr(), def->GetTextClr());
    if (GetDeviceCaps(dc, NUMCOLORS) == 2 && !hasBack)
      text = RGB(static_cast<int>(GetRValue(text) * 0.30), static_cast<int>(GetGValue(text) * 0.59),
                 static_cast<int>(GetBValue(text) * 0.11));
    if (hasBack) FillWith(dc, {rect.left, rect.top, rect.right + 1, rect.bottom + 1}, back);
  }
  SetTextColor(dc, text);
  if (HFONT font = GetFontObject()) SelectObject(dc, font);
  if (IsFixed() && grid->GetGridLines() != GVL_NONE) {
    UniquePen light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
    UniquePen dark(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW)));
    DrawLine(dc, light.get(), {{rect.right, rect.top}, {rect.left, rect.top}, {rect.left, rect.bottom}});
    DrawLine(dc, dark.get(), {{rect.right, rect.top}, {rect.right, rect.bottom}, {rect.left, rect.bottom}});
    InflateRect(&rect, -1, -1);
  }
  const int margin = static_cast<int>(GetMargin());
  rect.left += margin;
  rect.right -= margin;
  const AString& shown = GetText();
  if (!shown.IsEmpty()) DrawTextA(dc, shown.GetData(), shown.GetLength(), &rect, GetFormat() | DT_NOPREFIX);
  RestoreDC(dc, saved);
  return TRUE;
}

// ---- CGridCell ------------------------------------------------------------

CGridCell::CGridCell() { CGridCell::Reset(); }

void CGridCell::Reset() {
  CGridCellBase::Reset();
  m_strText.Empty();
  m_strSecondText.Empty();
  m_lParam = 0;
  m_nImage = -1;
  m_nFormat = 0xFFFFFFFF;
  m_nLengthLimit = m_nSavedLengthLimit = -1;
  m_bDigitsOnly = m_bSavedDigitsOnly = FALSE;
  m_crFgClr = m_crBkClr = CLR_DEFAULT_GRID;
  m_plfFont.reset();
  m_nMargin = -1;
  m_bEditing = false;
  m_pGrid = nullptr;
  m_hEditWnd = nullptr;
}

void CGridCell::SetFont(const LOGFONTA* font) {
  if (!font) {
    m_plfFont.reset();
    return;
  }
  if (!m_plfFont) m_plfFont = std::make_unique<LOGFONTA>();
  *m_plfFont = *font;
}

UINT CGridCell::GetFormat() const {
  if (m_nFormat != 0xFFFFFFFF) return m_nFormat;
  const CGridCellBase* def = GetDefaultCell();
  return def ? def->GetFormat() : 0;
}

const LOGFONTA* CGridCell::GetFont() const {
  if (m_plfFont) return m_plfFont.get();
  const CGridCellBase* def = GetDefaultCell();
  return def ? def->GetFont() : nullptr;
}

HFONT CGridCell::GetFontObject() const {
  if (m_plfFont) {
    UniqueFont& shared = SharedCellFont();
    shared.reset(CreateFontIndirectA(m_plfFont.get()));
    return shared.get();
  }
  const CGridCellBase* def = GetDefaultCell();
  return def ? def->GetFontObject() : nullptr;
}

UINT CGridCell::GetMargin() const {
  if (m_nMargin != -1) return static_cast<UINT>(m_nMargin);
  const CGridCellBase* def = GetDefaultCell();
  return def ? def->GetMargin() : 0;
}

int CGridCell::SetReadOnly(bool readOnly) {
  const int was = (m_nState & GVIS_READONLY) ? 1 : 0;
  if (readOnly) {
    m_crBkClr = 0xEFEFEF;
    m_nState |= GVIS_READONLY;
  } else {
    m_crBkClr = GetSysColor(COLOR_WINDOW);
    m_nState &= ~GVIS_READONLY;
  }
  return was;
}

BOOL CGridCell::Edit(int row, int col, RECT rect, POINT, UINT id, UINT firstKey) {
  if (!m_bEditing) {
    DWORD style = 0;
    const UINT format = GetFormat();
    if (format & DT_RIGHT)
      style = ES_RIGHT;
    else if (format & DT_CENTER)
      style = ES_CENTER;
    if (m_bDigitsOnly) style |= ES_NUMBER;
    m_bEditing = true;
    auto* editor = new CGridEditBox(m_pGrid, rect, style, id, row, col, GetText(), firstKey);
    m_hEditWnd = editor->GetSafeHwnd();
    if (m_hEditWnd && m_nLengthLimit > 0) ::SendMessageA(m_hEditWnd, EM_LIMITTEXT, m_nLengthLimit, 0);
  } else if (m_hEditWnd) {
    ::SendMessageA(m_hEditWnd, WM_CHAR, firstKey, 0);
  }
  return TRUE;
}

void CGridCell::EndEdit() {
  if (m_hEditWnd && ::IsWindow(m_hEditWnd)) {
    if (auto* editor = dynamic_cast<CGridEditBox*>(CWnd::FromHandlePermanent(m_hEditWnd))) editor->EndEdit();
  }
}

void CGridCell::OnEndEdit() {
  m_bEditing = false;
  m_hEditWnd = nullptr;
}

// ---- CGridDefaultCell -----------------------------------------------------

CGridDefaultCell::CGridDefaultCell() {
  m_nFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    CGridDefaultCell::SetFont(&metrics.lfMessageFont);
}

void CGridDefaultCell::SetFont(const LOGFONTA* font) {
  if (!font) return;
  m_font.reset(CreateFontIndirectA(font));
  CGridCell::SetFont(font);
  HDC screen = ::GetDC(nullptr);
  if (!screen) {
    m_nMargin = 3;
    m_size = {40, 16};
    return;
  }
  HGDIOBJ old = SelectObject(screen, m_font.get());
  SIZE blank{}, sample{};
  GetTextExtentPoint32A(screen, " ", 1, &blank);
  GetTextExtentPoint32A(screen, " XXXXXXXXXXXX ", 14, &sample);
  SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  m_nMargin = blank.cx;
  m_size = {sample.cx, sample.cy * 3 / 2};
}
