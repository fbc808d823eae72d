// Printing the grid over as many pages as it needs, with a header and a
// footer ("Page n of m"). Without WYSIWYG printing the whole width is scaled
// onto the page; a row taller than a page is printed in slices across pages.
#include <algorithm>
#include <cstring>
#include <ctime>

#include "grid/grid_ctrl.h"

namespace {
constexpr const char* kSample = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";

CString DocumentName(CWnd* grid) {
  if (const char* app = AfxGetAppName(); app && *app) return app;
  for (CWnd* w = grid->GetParent(); w; w = w->GetParent()) {
    CString text;
    w->GetWindowText(text);
    if (!text.IsEmpty()) return text;
  }
  return "";
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}
}  // namespace

bool CGridCtrl::Print(CPrintInfo* info, const char* outputFile) {
  HDC dc = info ? info->m_hPrinterDC : nullptr;
  HDC made = nullptr;
  if (!dc) {
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                        this);
    if (dialog.DoModal() != IDOK) return false;
    dc = made = dialog.CreatePrinterDC();
    if (!dc) return false;
  }
  CPrintInfo local;
  CPrintInfo& job = info ? *info : local;
  const CString name = DocumentName(this);
  DOCINFOA doc{sizeof(DOCINFOA), name.GetString(), outputFile, nullptr, 0};
  bool ok = StartDocA(dc, &doc) > 0;
  if (ok) {
    job.m_rectDraw.SetRect(0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES));
    OnBeginPrinting(dc, &job);
    for (UINT page = job.GetMinPage(); ok && page <= job.GetMaxPage(); ++page) {
      ok = StartPage(dc) > 0;
      if (!ok) break;
      job.m_nCurPage = page;
      OnPrint(dc, &job);
      ok = EndPage(dc) > 0;
    }
    OnEndPrinting(dc, &job);
    if (ok)
      ok = EndDoc(dc) > 0;
    else
      AbortDoc(dc);
  }
  if (made) DeleteDC(made);
  return ok;
}

void CGridCtrl::OnBeginPrinting(HDC dc, CPrintInfo* info) {
  LOGFONTA lf{};
  lf.lfHeight = -10;
  lf.lfWeight = FW_NORMAL;
  std::strcpy(lf.lfFaceName, "Arial");
  m_PrinterFont.reset(CreateFontIndirectA(&lf));
  HGDIOBJ old = SelectObject(dc, m_PrinterFont.get());
  SIZE sample{};
  GetTextExtentPoint32A(dc, kSample, 52, &sample);
  m_CharSize = {std::max<LONG>(1, sample.cx / 52), std::max<LONG>(1, sample.cy)};
  const int marginWidth = (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
  m_PaperSize = {GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
  if (m_bWysiwygPrinting) {
    HDC screen = ::GetDC(nullptr);
    m_LogicalPageSize = {
        GetDeviceCaps(screen, LOGPIXELSX) * m_PaperSize.cx / GetDeviceCaps(dc, LOGPIXELSX) * 3 / 4,
        GetDeviceCaps(screen, LOGPIXELSY) * m_PaperSize.cy / GetDeviceCaps(dc, LOGPIXELSY) * 3 / 4};
    ::ReleaseDC(nullptr, screen);
  } else {
    m_LogicalPageSize.cx = static_cast<LONG>(GetVirtualWidth()) + marginWidth;
    m_LogicalPageSize.cy = static_cast<LONG>(static_cast<long long>(m_LogicalPageSize.cx) * m_PaperSize.cy /
                                              std::max(1L, static_cast<long>(m_PaperSize.cx)));
  }
  m_nPageHeight = std::max(1, static_cast<int>(m_LogicalPageSize.cy) - GetFixedRowHeight() -
                                  (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_CharSize.cy);
  m_nPageWidth = std::max(1, static_cast<int>(m_LogicalPageSize.cx) - GetFixedColumnWidth() - marginWidth);
  // Row bands: each page starts at a row and an offset into it; a row taller
  // than the page takes as many bands as it needs.
  m_PrintRowBands.clear();
  m_PrintRowBands.push_back({m_nFixedRows, 0});
  int used = 0;
  for (int row = m_nFixedRows; row < m_nRows; ++row) {
    const int height = GetRowHeight(row);
    if (height <= 0) continue;
    if (used > 0 && used + height > m_nPageHeight) {
      m_PrintRowBands.push_back({row, 0});
      used = 0;
    }
    if (height <= m_nPageHeight) {
      used += height;
      continue;
    }
    int offset = m_nPageHeight;
    for (; offset < height; offset += m_nPageHeight) m_PrintRowBands.push_back({row, offset});
    used = height - (offset - m_nPageHeight);
  }
  m_PrintColBands.assign(1, m_nFixedCols);
  if (m_bWysiwygPrinting) {
    int width = 0;
    for (int col = m_nFixedCols; col < m_nCols; ++col) {
      if (width > 0 && width + GetColumnWidth(col) > m_nPageWidth) {
        m_PrintColBands.push_back(col);
        width = 0;
      }
      width += GetColumnWidth(col);
    }
  }
  m_nPageCount = static_cast<int>(m_PrintRowBands.size() * m_PrintColBands.size());
  info->SetMaxPage(static_cast<UINT>(m_nPageCount));
  info->m_nCurPage = 1;
  SelectObject(dc, old);
}

void CGridCtrl::OnPrint(HDC dc, CPrintInfo* info) {
  const int saved = SaveDC(dc);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, m_LogicalPageSize.cx, m_LogicalPageSize.cy, nullptr);
  SetViewportExtEx(dc, m_PaperSize.cx, m_PaperSize.cy, nullptr);
  SetWindowOrgEx(dc, -m_nLeftMargin * m_CharSize.cx, 0, nullptr);
  SelectObject(dc, m_PrinterFont.get());
  const int width = m_LogicalPageSize.cx - (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
  RECT header{0, 0, width, m_nHeaderHeight * m_CharSize.cy};
  PrintPageHeader(dc, header, info);
  const int page = static_cast<int>(info->m_nCurPage);
  const int across = static_cast<int>(m_PrintColBands.size());
  const int rowBand = (page + across - 1) / across - 1;
  const int colBand = page % across == 0 ? across - 1 : page % across - 1;
  const auto [firstRow, rowOffset] = m_PrintRowBands[static_cast<size_t>(rowBand)];
  const int firstCol = m_PrintColBands[static_cast<size_t>(colBand)];
  const int lastCol =
      colBand + 1 < across ? m_PrintColBands[static_cast<size_t>(colBand + 1)] - 1 : m_nCols - 1;
  const int top = header.bottom + m_nGap * m_CharSize.cy;
  const int bodyTop = top + GetFixedRowHeight();
  const int fixedWidth = GetFixedColumnWidth();
  // Column positions of this band: fixed columns first.
  std::vector<std::pair<int, int>> columns;  // column, left
  int x = 0;
  for (int col = 0; col < m_nFixedCols; ++col) {
    columns.push_back({col, x});
    x += GetColumnWidth(col);
  }
  x = fixedWidth;
  for (int col = firstCol; col <= lastCol; ++col) {
    if (m_bWysiwygPrinting && x - fixedWidth + GetColumnWidth(col) > m_nPageWidth && col != firstCol) break;
    columns.push_back({col, x});
    x += GetColumnWidth(col);
  }
  const int right = x;
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  auto printRow = [&](int row, int y, int height) {
    for (const auto& [col, left] : columns) {
      const int w = GetColumnWidth(col);
      if (w <= 0) continue;
      RECT rect{left, y, left + w - 1, y + height - 1};
      if (CGridCellBase* cell = GetCell(row, col)) cell->PrintCell(dc, row, col, rect);
      if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
        Line(dc, rect.left, rect.bottom, rect.right + 1, rect.bottom);
        if (row == 0) Line(dc, rect.left, rect.top, rect.right + 1, rect.top);
      }
      if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
        Line(dc, rect.right, rect.top, rect.right, rect.bottom + 1);
        if (col == 0) Line(dc, rect.left, rect.top, rect.left, rect.bottom + 1);
      }
    }
  };
  // Headings: the fixed rows over this band's columns.
  int y = top;
  for (int row = 0; row < m_nFixedRows; ++row) {
    if (GetRowHeight(row) <= 0) continue;
    printRow(row, y, GetRowHeight(row));
    y += GetRowHeight(row);
  }
  // The body, clipped to the page: a slice of a tall row shows its part.
  IntersectClipRect(dc, -1, bodyTop, right + 1, bodyTop + m_nPageHeight);
  y = bodyTop - rowOffset;
  for (int row = firstRow; row < m_nRows; ++row) {
    const int height = GetRowHeight(row);
    if (height <= 0) continue;
    if (y + height > bodyTop + m_nPageHeight && row != firstRow) break;
    printRow(row, y, height);
    y += height;
  }
  SelectClipRgn(dc, nullptr);
  RECT footer{0, m_LogicalPageSize.cy - m_nFooterHeight * m_CharSize.cy, width, m_LogicalPageSize.cy};
  PrintPageFooter(dc, footer, info);
  SelectObject(dc, oldPen);
  RestoreDC(dc, saved);
}

void CGridCtrl::PrintPageHeader(HDC dc, RECT rect, CPrintInfo*) {
  LOGFONTA lf{};
  GetObjectA(m_PrinterFont.get(), sizeof(lf), &lf);
  lf.lfWeight = FW_BOLD;
  UniqueFont bold(CreateFontIndirectA(&lf));
  HGDIOBJ old = SelectObject(dc, bold.get());
  SetBkMode(dc, TRANSPARENT);
  const CString title = [&] {
    for (CWnd* w = GetParent(); w; w = w->GetParent()) {
      CString text;
      w->GetWindowText(text);
      if (!text.IsEmpty()) return text;
    }
    return CString();
  }();
  DrawTextA(dc, title.GetString(), title.GetLength(), &rect, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (const char* app = AfxGetAppName(); app && *app)
    DrawTextA(dc, app, -1, &rect, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  Line(dc, rect.left, rect.bottom, rect.right, rect.bottom);
  SelectObject(dc, old);
}

void CGridCtrl::PrintPageFooter(HDC dc, RECT rect, CPrintInfo* info) {
  SelectObject(dc, GetStockObject(BLACK_PEN));
  Line(dc, rect.left, rect.top, rect.right, rect.top);
  LOGFONTA lf{};
  GetObjectA(m_PrinterFont.get(), sizeof(lf), &lf);
  lf.lfWeight = FW_BOLD;
  UniqueFont bold(CreateFontIndirectA(&lf));
  HGDIOBJ old = SelectObject(dc, bold.get());
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  char page[64];
  std::snprintf(page, sizeof page, "Page %u of %d", info->m_nCurPage, m_nPageCount);
  DrawTextA(dc, page, -1, &rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  char when[128];
  const std::time_t now = std::time(nullptr);
  std::strftime(when, sizeof when, "%c", std::localtime(&now));
  DrawTextA(dc, when, -1, &rect, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, old);
}

void CGridCtrl::OnEndPrinting(HDC, CPrintInfo*) { m_PrinterFont.reset(); }
