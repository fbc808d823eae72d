// Painting the view: the desk, the label with its shape, corners, hole and
// border, the fields, the grid, and the selection handles on top. Every
// screen paint goes through one off-screen bitmap of the client size.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "document/core/rvo_doc.h"
#include "document/layout_shell.h"
#include "document/view/design_view.h"
#include "document/view/print_commands.h"
#include "fields/draw/field_draw.h"
#include "fields/geometry/field_geometry.h"
#include "fields/geometry/field_outline.h"
#include "foundation/gdi_helpers/shapes.h"

namespace {

constexpr COLORREF kAnchorHandleFill = RGB(220, 220, 255);
constexpr COLORREF kOriginHandle = RGB(255, 0, 0);
constexpr COLORREF kBoxHandle = RGB(0, 122, 255);
constexpr COLORREF kPrintPageFill = RGB(155, 155, 255);

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r;
  if (!::IntersectRect(&r, &a, &b)) return {0, 0, 0, 0};
  return r;
}

}  // namespace

void CDesignVu::OnDraw(CDC* dc) {
  if (dc->IsPrinting()) {
    if (m_printInfo) {
      UniqueBrush fill(::CreateSolidBrush(kPrintPageFill));
      ::FillRect(dc->m_hDC, &m_printInfo->m_rectDraw, fill.get());
    }
    return;
  }
  DrawView(dc->m_hDC, nullptr, 0);
}

void CDesignVu::DrawLabelBackground(HDC dc, const RECT& paint) const {
  const CLabelSetup& setup = Setup();
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const POINT o = GetScrollOrigin();
  const SIZE label = GetLabelSizePixels();
  const LONG R = label.cx - o.x, B = label.cy - o.y;
  const bool elliptical = setup.deflt_shape >= 2;
  // The desk around the label.
  if (elliptical) {
    ::FillRect(dc, &paint, m_deskBrush.get());
  } else {
    if (R < client.right) {
      const RECT right = Intersect(paint, {R - 4, paint.top, paint.right, paint.bottom});
      ::FillRect(dc, &right, m_deskBrush.get());
    }
    if (B < client.bottom) {
      const RECT below = Intersect(paint, {paint.left, B - 4, paint.right, paint.bottom});
      ::FillRect(dc, &below, m_deskBrush.get());
    }
  }
  // The label itself.
  const RECT labelRect{-o.x, -o.y, R, B};
  UniqueBrush labelBrush(::CreateSolidBrush(setup.deflt_bkclr));
  UniquePen labelPen(::CreatePen(PS_SOLID, 1, setup.deflt_bkclr));
  {
    SelectScope brush(dc, labelBrush.get());
    SelectScope pen(dc, labelPen.get());
    if (!elliptical) {
      const RECT fill = Intersect(paint, {0, 0, R, B});
      ::FillRect(dc, &fill, labelBrush.get());
    } else {
      ::Ellipse(dc, labelRect.left, labelRect.top, labelRect.right, labelRect.bottom);
    }
  }
  // Rounded corners of a round-rectangle label.
  int radius = 0;
  if (setup.deflt_shape == 0) {
    GetDocument()->labelSetup.cornerSize = GetLabelCornerSize(setup.labelWidth, setup.labelHeight);
    radius = std::max(designview::MilsToPixels(setup.cornerSize, m_zoomX), 8);
    const bool corners[4] = {o.x == 0 && o.y == 0, o.x == 0 && B <= client.bottom, o.y == 0 && R <= client.right,
                             B <= client.bottom && R <= client.right};
    const POINT at[4] = {{0, 0}, {0, B - radius}, {R - radius, 0}, {R - radius, B - radius}};
    const POINT circle[4] = {{0, 0}, {0, B - 2 * radius}, {R - 2 * radius, 0}, {R - 2 * radius, B - 2 * radius}};
    for (int i = 0; i < 4; ++i) {
      if (!corners[i]) continue;
      const RECT square = Intersect(paint, {at[i].x, at[i].y, at[i].x + radius, at[i].y + radius});
      ::FillRect(dc, &square, m_deskBrush.get());
      const RECT clip = Intersect(paint, {circle[i].x, circle[i].y, circle[i].x + 2 * radius, circle[i].y + 2 * radius});
      if (::IsRectEmpty(&clip)) continue;
      const int saved = ::SaveDC(dc);
      ::IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
      SelectScope brush(dc, labelBrush.get());
      SelectScope pen(dc, labelPen.get());
      ::Ellipse(dc, circle[i].x, circle[i].y, circle[i].x + 2 * radius, circle[i].y + 2 * radius);
      ::RestoreDC(dc, saved);
    }
  }
  // The hole in the middle.
  if (setup.deflt_hasHoleDiameter) {
    const int r = static_cast<int>(LayoutToPixelReal(setup.deflt_holeDiameter) / 2);
    const int cx = (labelRect.left + labelRect.right) / 2, cy = (labelRect.top + labelRect.bottom) / 2;
    UniquePen deskPen(::CreatePen(PS_SOLID, 1, RGB(145, 155, 195)));
    SelectScope brush(dc, m_deskBrush.get());
    SelectScope pen(dc, deskPen.get());
    ::Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
  }
  // The border.
  if (setup.deflt_hasBorder) {
    const int width = designview::BorderPenWidth(setup.border.width, m_zoomX);
    const COLORREF colour = static_cast<COLORREF>(setup.border.color);
    if (setup.deflt_shape == 2)
      StrokeEllipsePath(dc, labelRect, width, setup.border.style, colour, setup.border.roundEnds != 0);
    else
      StrokeRoundRectPath(dc, labelRect, setup.deflt_shape == 0 ? 2 * radius : 0, width, setup.border.style, colour,
                          setup.border.roundEnds != 0);
  }
}

void CDesignVu::DrawGrid(HDC dc) const {
  CLayoutShell* shell = LayoutShell();
  const double spacing = shell->GridSpacing();
  if (!shell->GridShown() || spacing <= 0.001) return;
  if (designview::GridStep(m_zoomX, spacing) <= 4) return;
  const POINT o = GetScrollOrigin();
  const CLabelSetup& setup = Setup();
  // Both axes step at zoom x.
  const double startX = o.x * 1000.0 / m_zoomX + spacing, startY = o.y * 1000.0 / m_zoomX + spacing;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  for (double y = startY; setup.labelHeight > y; y += spacing) {
    const int py = static_cast<int>(LayoutToPixelReal(y) - o.y);
    if (py >= client.bottom) break;
    for (double x = startX; setup.labelWidth > x; x += spacing) {
      const int px = static_cast<int>(LayoutToPixelReal(x) - o.x);
      if (px >= client.right) break;
      if (px > 0 && py > 0) ::SetPixel(dc, px, py, RGB(0, 0, 0));
    }
  }
}

void CDesignVu::DrawView(HDC windowDc, HRGN region, int flag) {
  if (!GetDocument()) return;
  if (m_fitPending) FitToClient();
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  UniqueDc memory(::CreateCompatibleDC(windowDc));
  UniqueBitmap bitmap(::CreateCompatibleBitmap(windowDc, client.right, client.bottom));
  if (!memory || !bitmap) return;
  SelectScope selectBitmap(memory.get(), bitmap.get());
  HDC dc = memory.get();

  RECT clip{}, update{};
  ::GetClipBox(windowDc, &clip);
  if (!::GetUpdateRect(m_hWnd, &update, FALSE)) update = client;
  m_paintRect = Intersect(clip, update);
  ::ValidateRect(m_hWnd, nullptr);
  if (m_paintRect.right <= m_paintRect.left || m_paintRect.bottom <= m_paintRect.top) m_paintRect = client;
  if (region) {
    RECT box;
    if (::GetRgnBox(region, &box) != NULLREGION && !::IsRectEmpty(&box)) {
      m_paintRect = Intersect(m_paintRect, box);
      ::InflateRect(&m_paintRect, 19, 19);
      ::SetRectRgn(region, m_paintRect.left, m_paintRect.top, m_paintRect.right, m_paintRect.bottom);
      ::ExtSelectClipRgn(dc, region, RGN_AND);
    }
  }
  DrawLabelBackground(dc, m_paintRect);
  m_windowColour = ::GetSysColor(COLOR_WINDOW);
  const POINT o = GetScrollOrigin();
  DrawFieldList(dc, Fields(), Setup(), m_handleSize, -o.x, -o.y, m_zoomX, m_zoomY, flag ? 0x82u : 0x2u, m_editMode);
  if (flag) DrawFieldList(dc, m_dragList, Setup(), m_handleSize, -o.x, -o.y, m_zoomX, m_zoomY, 0x3u, m_editMode);
  if (const CField* pending = PendingField()) DrawPendingOutline(dc, *pending);
  DrawGrid(dc);
  ::BitBlt(windowDc, m_paintRect.left, m_paintRect.top, m_paintRect.right - m_paintRect.left,
           m_paintRect.bottom - m_paintRect.top, dc, m_paintRect.left, m_paintRect.top, SRCCOPY);
  if (m_editMode <= 0) DrawSelectionHandles(windowDc);
}

// A field waiting to be placed shows where it would land: its turned
// outline, dotted.
void CDesignVu::DrawPendingOutline(HDC dc, const CField& field) const {
  const POINT o = GetScrollOrigin();
  const auto corners = GetFieldCorners(field, -o.x, -o.y, m_zoomX, m_zoomY);
  UniquePen pen(::CreatePen(PS_DOT, 1, RGB(0, 0, 255)));
  SelectScope selectPen(dc, pen.get());
  SelectScope selectBrush(dc, ::GetStockObject(NULL_BRUSH));
  ::Polygon(dc, corners.data(), 4);
}

// kind 0 the origin (a red dot), 1 a plain frame, 2 an anchor's filled
// square, 3 a box's border handle.
void CDesignVu::DrawHandle(HDC dc, POINT p, int kind) const {
  const int s = m_handleSize;
  const RECT r{p.x - s, p.y - s, p.x + s, p.y + s};
  if (kind == 0) {
    UniqueBrush red(::CreateSolidBrush(kOriginHandle));
    UniquePen pen(::CreatePen(PS_SOLID, 1, kOriginHandle));
    SelectScope b(dc, red.get());
    SelectScope q(dc, pen.get());
    ::Ellipse(dc, r.left, r.top, r.right, r.bottom);
    return;
  }
  if (kind == 2) {
    UniqueBrush fill(::CreateSolidBrush(kAnchorHandleFill));
    ::FillRect(dc, &r, fill.get());
  }
  UniqueBrush frame(::CreateSolidBrush(kind == 3 ? kBoxHandle : RGB(0, 0, 0)));
  ::FrameRect(dc, &r, frame.get());
}

void CDesignVu::DrawSelectionHandles(HDC dc) {
  ForgetStaleFields();
  ChooseAnchorField();
  const POINT o = GetScrollOrigin();
  for (CField* f : m_selection.Fields()) {
    POINT p[15];
    GetFieldOutline(p, 15, *f, m_handleSize, -o.x, -o.y, m_zoomX, m_zoomY, 0);
    for (int i = 0; i < 8; ++i) DrawHandle(dc, p[i], i == 0 ? 0 : f == m_anchor ? 2 : 1);
    if (f->IsKind(FieldKind::kBox)) {
      DrawHandle(dc, p[8], 3);
      DrawHandle(dc, p[9], 3);
    }
  }
}

// ---- Printing: the preview's page ------------------------------------------

BOOL CDesignVu::OnPreparePrinting(CPrintInfo* info) {
  // The pages come from the print dialog, not from the view: the program's
  // print preview lays them out and shows them itself, so the framework's
  // own preview of the view never starts.
  (void)info;
  const PrintCommands* commands = GetPrintCommands();
  if (commands && commands->preview && GetDocument() && !commands->preview(*this))
    LayoutShell()->UiMessageBox(LayoutShell()->TranslateUiString("Command failed.").GetData(), MB_OK);
  return FALSE;
}

void CDesignVu::OnBeginPrinting(CDC*, CPrintInfo* info) {
  if (info && info->m_bPreview) ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
}

void CDesignVu::OnPrint(CDC* dc, CPrintInfo* info) {
  m_printInfo = info;
  m_currentPage = info->m_nCurPage;
  const RECT& page = info->m_rectDraw;
  ::Rectangle(dc->m_hDC, page.left, page.top, page.right, page.bottom);
  ::Ellipse(dc->m_hDC, page.left, page.top, page.right, page.bottom);
  char text[64];
  std::snprintf(text, sizeof text, "PAGE %1d of %1d", static_cast<int>(info->m_nCurPage),
                static_cast<int>(info->GetMaxPage()));
  SIZE extent{};
  ::GetTextExtentPoint32A(dc->m_hDC, text, static_cast<int>(std::strlen(text)), &extent);
  ::TextOutA(dc->m_hDC, page.left + (page.right - page.left - extent.cx) / 2, 100, text,
             static_cast<int>(std::strlen(text)));
}

void CDesignVu::OnEndPrinting(CDC*, CPrintInfo*) {}
