#include "dialogs/setup/font_sample_button.h"

#include <algorithm>
#include <cstdio>

#include "foundation/system/font_helpers.h"

namespace {

constexpr COLORREF kSampleBack = 0xFFE9E9;
constexpr COLORREF kNumberColour = 0xFF0C0C;
constexpr COLORREF kGridFrame = 0x4B4B4B;
constexpr char kSampleText[] = "AaMmXxZz123";

}  // namespace

BEGIN_MESSAGE_MAP(CFontSampleButton, CButton)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

bool CFontSampleButton::IsBeforeStart(int column, int row) const {
  return row < m_sheet.startRow || (row == m_sheet.startRow && column < m_sheet.startColumn);
}

// The sheet scaled into the client area less a margin (6 on the left, 5
// elsewhere), centred; the numbers' font fits a cell.
void CFontSampleButton::LayOutGrid(const RECT& client) {
  const RECT inner{client.left + 6, client.top + 5, client.right - 5, client.bottom - 5};
  const double innerW = std::max<LONG>(inner.right - inner.left, 1), innerH = std::max<LONG>(inner.bottom - inner.top, 1);
  const double sheetW = std::max(m_sheet.width, 1), sheetH = std::max(m_sheet.height, 1);
  const double scale = innerH / innerW > sheetH / sheetW ? innerW / sheetW : innerH / sheetH;
  cellW_ = static_cast<int>(sheetW / std::max(m_sheet.columns, 1) * scale);
  cellH_ = static_cast<int>(sheetH / std::max(m_sheet.rows, 1) * scale);
  const int totalW = static_cast<int>(sheetW * scale), totalH = static_cast<int>(sheetH * scale);
  origin_ = {inner.left + (static_cast<int>(innerW) - totalW) / 2, inner.top + (static_cast<int>(innerH) - totalH) / 2};
  const int smaller = std::min(cellW_, cellH_) / 8;
  corner_ = smaller > 1 ? smaller : 2;
  int height = std::max(std::min(3 * ::GetSystemMetrics(SM_CYCAPTION), cellH_ / 4), 10);
  int width = std::min(height * 3 / 5, cellW_ / 5);
  numbering_.reset(NewFont(height, width, "Arial", true, 300, DEFAULT_CHARSET, 0));
  laidOut_ = true;
}

POINT CFontSampleButton::HitTest(POINT point) const {
  if (!laidOut_ || cellW_ <= 0 || cellH_ <= 0) return {-1, -1};
  const int stepX = cellW_ + m_sheet.gapX, stepY = cellH_ + m_sheet.gapY;
  const int dx = point.x - origin_.x, dy = point.y - origin_.y;
  if (dx < 0 || dy < 0) return {-1, -1};
  const int column = dx / stepX, row = dy / stepY;
  if (column >= m_sheet.columns || row >= m_sheet.rows || dx % stepX >= cellW_ || dy % stepY >= cellH_)
    return {-1, -1};
  return {column, row};
}

void CFontSampleButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (!(dis->itemAction & ODA_DRAWENTIRE) || dis->CtlType == ODT_COMBOBOX) return;
  if (m_mode == Mode::kLabelGrid && !laidOut_) {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    LayOutGrid(client);
  }
  RECT r = dis->rcItem;
  ::DrawFrameControl(dis->hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  ::InflateRect(&r, -3, -3);
  if (m_mode == Mode::kLabelGrid) {
    DrawGrid(dis->hDC, r);
    UniqueBrush frame(::CreateSolidBrush(kGridFrame));
    ::FrameRect(dis->hDC, &dis->rcItem, frame.get());
  } else {
    DrawFontSample(dis->hDC, r);
  }
}

void CFontSampleButton::DrawFontSample(HDC dc, RECT r) const {
  UniqueBrush back(::CreateSolidBrush(kSampleBack));
  ::FillRect(dc, &r, back.get());
  if (!m_hasFont) return;
  // The face and styles at a size that fills the button, not the field's.
  LOGFONTA shown = m_font;
  shown.lfHeight = (r.bottom - r.top) * 4 / 5;
  shown.lfWidth = 0;
  shown.lfEscapement = shown.lfOrientation = 0;
  UniqueFont font(::CreateFontIndirectA(&shown));
  SelectScope select(dc, font.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, RGB(0, 0, 0));
  ::DrawTextA(dc, kSampleText, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CFontSampleButton::DrawGrid(HDC dc, RECT r) const {
  UniqueBrush back(::CreateSolidBrush(kSampleBack));
  ::FillRect(dc, &r, back.get());
  SelectScope font(dc, numbering_.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kNumberColour);
  for (int row = 0; row < m_sheet.rows; ++row)
    for (int column = 0; column < m_sheet.columns; ++column) {
      const int x = origin_.x + column * (cellW_ + m_sheet.gapX), y = origin_.y + row * (cellH_ + m_sheet.gapY);
      const bool before = IsBeforeStart(column, row);
      SelectScope brush(dc, before ? ::GetSysColorBrush(COLOR_HIGHLIGHT) : ::GetStockObject(WHITE_BRUSH));
      switch (m_sheet.shape) {
        case LabelShape::kRounded: ::RoundRect(dc, x, y, x + cellW_, y + cellH_, corner_, corner_); break;
        case LabelShape::kEllipse: ::Ellipse(dc, x, y, x + cellW_, y + cellH_); break;
        case LabelShape::kRectangle: ::Rectangle(dc, x, y, x + cellW_, y + cellH_); break;
      }
      if (before) continue;
      char number[24];
      std::snprintf(number, sizeof number, "%d,%d", row + 1, column + 1);
      RECT cell{x, y, x + cellW_, y + cellH_};
      ::DrawTextA(dc, number, -1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

// In the grid a press chooses nothing; a double click is OK.
void CFontSampleButton::OnLButtonDown(UINT flags, CPoint point) {
  if (m_mode != Mode::kLabelGrid) CButton::OnLButtonDown(flags, point);
}

void CFontSampleButton::OnLButtonDblClk(UINT flags, CPoint point) {
  if (m_mode != Mode::kLabelGrid) {
    CButton::OnLButtonDblClk(flags, point);
    return;
  }
  if (CWnd* parent = GetParent()) parent->SendMessage(WM_COMMAND, IDOK, 0);
}
