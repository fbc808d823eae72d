// Mouse editing: placing new fields, moving and resizing the selection by
// dragging, the rubber band, the hover outline, and the undo steps of moves
// and resizes.
#include <algorithm>

#include "document/core/rvo_doc.h"
#include "document/layout_shell.h"
#include "document/view/design_view.h"
#include "document/view/undo_copies.h"
#include "fields/geometry/field_geometry.h"
#include "fields/geometry/field_outline.h"
#include "fields/lifecycle/field_lifecycle.h"
#include "foundation/geometry/grid.h"

namespace {

// Outline thickness (mils) of an ellipse or rounded rectangle drawn anew.
constexpr int32_t kNewShapeLineWidth = 13;

bool IsPlacingMode(int mode) {
  return mode == kModePlaceText || mode == kModePlaceBarcode || mode == kModePlaceImage ||
         mode == kModePlaceParagraph;
}

int PendingSlot(int mode) {
  switch (mode) {
    case kModePlaceText: return 0;
    case kModePlaceBarcode: return 1;
    case kModePlaceImage: return 2;
    case kModePlaceParagraph: return 3;
    default: return -1;
  }
}

RECT NormalRect(POINT a, POINT b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

HCURSOR SystemCursor(LPCSTR id) { return ::LoadCursorA(nullptr, id); }

}  // namespace

int CDesignVu::SnapPoint(POINT& p, bool isLayout, bool isAbsolute) const {
  CLayoutShell* shell = LayoutShell();
  const double spacing = shell->GridSpacing();
  if (!shell->GridShown() || spacing <= 0.001) return 0;
  POINT q = p;
  if (!isLayout) PixelToLayout(q, isAbsolute);
  q.x = static_cast<LONG>(SnapToGrid(q.x, spacing));
  q.y = static_cast<LONG>(SnapToGrid(q.y, spacing));
  if (!isLayout) LayoutToPixel(q, isAbsolute);
  if (q.x == p.x && q.y == p.y) return 0;
  p = q;
  return 1;
}

CField* CDesignVu::PendingField() const {
  const int slot = PendingSlot(m_editMode);
  return slot >= 0 ? m_pending[slot].get() : nullptr;
}

void CDesignVu::StartDrawingLine() {
  if (LayoutShell()->IsReaderMode()) return;
  m_editMode = kModeDrawLine;
  const SIZE extent = GetVisibleLabelExtent();
  POINT p{extent.cx / 2, std::min<LONG>(extent.cy / 2, 13)};
  ::ClientToScreen(m_hWnd, &p);
  ::SetCursorPos(p.x, p.y);
  ::SetCursor(SystemCursor(IDC_CROSS));
}

void CDesignVu::StartDrawingShape(int shape) {
  if (LayoutShell()->IsReaderMode()) return;
  m_shapeKind = shape;
  StartDrawingLine();
  m_editMode = kModeDrawShape;
}

void CDesignVu::StartPlacingField(int mode, std::unique_ptr<CField> field) {
  const int slot = PendingSlot(mode);
  if (slot < 0 || !field) return;
  m_editMode = mode;
  const SIZE extent = GetVisibleLabelExtent();
  const int r = field->rotation;
  POINT p{extent.cx / 2, extent.cy / 2};
  if ((r >= 0 && r <= 20000) || (r > 279999 && r <= 360000))
    p = {std::min<LONG>(extent.cx / 2, 52), std::min<LONG>(extent.cy / 2, 40)};
  ::ClientToScreen(m_hWnd, &p);
  ::SetCursorPos(p.x, p.y);
  m_lastDrag = {-99, -99};
  ::SetCursor(SystemCursor(IDC_CROSS));
  ClearDragList();
  m_pending[slot] = std::move(field);
  InvalidateSelection();
  m_selection.Clear();
  m_selection.Add(m_pending[slot].get());
  m_anchor = m_pending[slot].get();
  InvalidateField(*m_anchor, 15);
  ::UpdateWindow(m_hWnd);
}

void CDesignVu::PlacePendingField(POINT client) {
  const int slot = PendingSlot(m_editMode);
  POINT p = client;
  const POINT o = GetScrollOrigin();
  p.x += o.x;
  p.y += o.y;
  SnapPoint(p, false, true);
  ClearDragList();
  PixelToLayout(p, true);
  std::unique_ptr<CField> field = std::move(m_pending[slot]);
  m_selection.Clear();
  m_anchor = nullptr;
  if (field) {
    field->offset = {p.x, p.y};
    CField* placed = field.release();
    CRvoDoc* doc = GetDocument();
    switch (m_editMode) {
      case kModePlaceText: doc->AddTextField(placed); break;
      case kModePlaceBarcode: doc->AddBarcodeField(placed); break;
      case kModePlaceImage: doc->AddImageField(placed); break;
      default: doc->AddParagraphField(placed); break;
    }
    SelectOnly(placed);
    RECT area = GetFieldBoundingRect(*placed, 0, 0, m_zoomX, m_zoomY);
    ::InflateRect(&area, 15, 15);
    NotifyChanged(&area);
  }
  m_editMode = kModeIdle;
  m_handleCode = 0;
  ::SetCursor(SystemCursor(IDC_ARROW));
}

void CDesignVu::OnLButtonDown(UINT flags, CPoint point) {
  m_pressMode = m_editMode;
  if (m_editMode == kModeDrop) {
    ClearDragList();
    Paste(true, {point.x - m_dropOffset.cx, point.y - m_dropOffset.cy});
    m_editMode = kModeIdle;
    if (IsShiftOrCtrl() || (::GetAsyncKeyState(VK_MENU) & 0x8000)) CopyAndDrop();
    return;
  }
  if (IsPlacingMode(m_editMode)) {
    PlacePendingField(point);
    return;
  }
  SetCapture();
  POINT down = point;
  SnapPoint(down, false, false);
  const POINT o = GetScrollOrigin();
  m_mouseDown = {down.x + o.x, down.y + o.y};
  m_lastDrag = {-99, -99};
  m_trackPolygon.clear();
  m_rubberBand = {-1, -1, -1, -1};
  PressSelection({point.x + o.x, point.y + o.y}, IsShiftOrCtrl());
  CView::OnLButtonDown(flags, point);
}

void CDesignVu::HoverAt(POINT client) {
  const POINT o = GetScrollOrigin();
  CField* field = nullptr;
  const int hit = HitTestFields(client.x + o.x, client.y + o.y, &field);
  if (hit > kHandleBody) {
    int second = 0;
    const int mode = field->GetResizeMode(&second);
    if (mode == kResizeAny || (mode == kResizeCorners && (hit == 11 || hit == 13 || hit == 31 || hit == 33)))
      SetResizeCursor(hit, *field);
    return;
  }
  if (hit == kHandleBody) {
    ::SetCursor(SystemCursor(IDC_SIZEALL));
    if (!m_selection.Contains(field) && field != m_hover) {
      POINT p[4];
      const auto corners = GetFieldCorners(*field, -o.x, -o.y, m_zoomX, m_zoomY);
      std::copy(corners.begin(), corners.end(), p);
      TrackOutlinePolygon(nullptr, 0);
      TrackOutlinePolygon(p, 4);
      m_hover = field;
    }
    return;
  }
  if (m_editMode == kModeIdle) {
    ::SetCursor(SystemCursor(IDC_ARROW));
    TrackOutlinePolygon(nullptr, 0);
    m_hover = nullptr;
  }
}

void CDesignVu::OnMouseMove(UINT flags, CPoint point) {
  POINT p = point;
  if (m_editMode == kModeMove || m_editMode == kModeDrop) ClampToClient(p);
  if (m_editMode == kModePlaceText || m_editMode == kModePlaceParagraph) SnapPoint(p, false, false);
  if (GetDocument()) {
    CLayoutShell* shell = LayoutShell();
    shell->SetLabelSizePane(Setup().labelWidth, Setup().labelHeight, Setup().DefaultUnits);
    POINT layout = p;
    PixelToLayout(layout, false);
    shell->SetCursorPane(layout.x, layout.y, Setup().DefaultUnits);
  }
  if (IDesignViewHost* host = Host()) host->MoveRulerMarks(this, p);
  if (!(flags & MK_LBUTTON) && m_editMode <= 0) {
    HoverAt(p);
    return;
  }
  if (p.x == m_lastDrag.x && p.y == m_lastDrag.y) return;
  const bool placing = IsPlacingMode(m_editMode);
  if (::GetCapture() != m_hWnd && !placing && m_editMode != kModeDrop) return;
  if (m_lastDrag.x > -99 || m_editMode == kModeDrop) {
    const POINT o = GetScrollOrigin();
    const int dx = p.x + o.x - m_mouseDown.x, dy = p.y + o.y - m_mouseDown.y;
    if (m_editMode == kModeMove || m_editMode == kModeDrop || m_editMode == kModeResize) {
      WindowDc dc(m_hWnd);
      RedrawDragArea(dc.get(), dx, dy, m_editMode == kModeResize ? m_handleCode : 0);
    } else if (!placing) {
      POINT down{m_mouseDown.x - o.x, m_mouseDown.y - o.y};
      RECT band = NormalRect(down, p);
      TrackRubberBand(&band);
      if (AutoScrollAtEdge(p)) {
        const POINT now = GetScrollOrigin();
        down = {m_mouseDown.x - now.x, m_mouseDown.y - now.y};
        band = NormalRect(down, p);
        m_rubberBand = {-1, -1, -1, -1};
        TrackRubberBand(&band);
      }
    }
  }
  if (placing) {
    if (CField* pending = PendingField()) {
      InvalidateField(*pending, 15);
      POINT at = p;
      PixelToLayout(at, false);
      pending->offset = {at.x, at.y};
      InvalidateField(*pending, 15);
      ::UpdateWindow(m_hWnd);
    }
  }
  m_lastDrag = p;
  ::SetCursor(SystemCursor(IDC_CROSS));
}

void CDesignVu::OnLButtonUp(UINT flags, CPoint point) {
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (m_editMode == kModeDrop) return;
  POINT p = point;
  if (m_editMode == kModeMove || m_editMode == kModeResize) ClampToClient(p);
  TrackRubberBand(nullptr);
  ::ClipCursor(nullptr);
  if (m_pressMode >= 3) {
    m_editMode = kModeIdle;
    return;
  }
  ReleaseAt(p, flags);
  CView::OnLButtonUp(flags, point);
}

void CDesignVu::ReleaseAt(POINT client, UINT) {
  const POINT o = GetScrollOrigin();
  const POINT up{client.x + o.x, client.y + o.y};
  POINT a = m_mouseDown, b = up;
  PixelToLayout(a, true);
  PixelToLayout(b, true);
  RECT r = NormalRect(a, b);
  bool recorded = false;
  CRvoDoc* doc = GetDocument();
  switch (m_editMode) {
    case kModeDrawLine:
    case kModeDrawShape:
    case kModeMove:
    case kModeResize: {
      if (r.right == r.left) r.right = r.left + 1;
      if (r.bottom == r.top) r.bottom = r.top + 1;
      CField* added = nullptr;
      if (m_editMode == kModeDrawLine) {
        // A line runs from where the drag began to where it ended, as thick
        // as a new box's sides.
        const designview::LineGeometry line = designview::LineBetween(a, b, LayoutShell()->DefaultBoxWidth());
        added = doc->AddLineField(line.rect);
        if (added) added->SetRotation(line.rotation);
      } else if (m_editMode == kModeDrawShape) {
        if (m_shapeKind == kShapeEllipse || m_shapeKind == kShapeRoundRect)
          // The corner radius a fifth of the shorter side.
          added = doc->AddEllipseField(r, m_shapeKind == kShapeEllipse ? 1 : 0, kNewShapeLineWidth,
                                       std::min(r.right - r.left, r.bottom - r.top) / 5 + 1);
        else
          added = doc->AddBoxField(r, nullptr);
      } else {
        InvalidateRectNoErase(m_oldSelection);
        const int code = m_editMode == kModeResize ? m_handleCode : 0;
        recorded = MoveOrResizeSelection(up.x - m_mouseDown.x, up.y - m_mouseDown.y, code);
        ClearDragList();
        RECT area;
        if (code) {
          area = NormalRect({m_mouseDown.x - o.x, m_mouseDown.y - o.y}, client);
          ::InflateRect(&area, 8, 8);
          ::UnionRect(&area, &area, &m_oldSelection);
        } else {
          GetSelectionRect(area);
        }
        InvalidateRectNoErase(area);
      }
      if (added) {
        SelectOnly(added);
        RECT area = GetFieldBoundingRect(*added, 0, 0, m_zoomX, m_zoomY);
        ::InflateRect(&area, 15, 15);
        NotifyChanged(&area);
      }
      ::SetCursor(SystemCursor(IDC_ARROW));
      break;
    }
    case kModeToggleClick: InvalidateRectNoErase(m_oldSelection); break;
    case kModeIdle: {
      if (!IsShiftOrCtrl()) {
        InvalidateSelection();
        m_selection.Clear();
      }
      for (const auto& f : Fields()) {
        const RECT fr = GetFieldBoundingRect(*f, 0, 0, 0, 0);
        const bool inside = fr.left >= r.left && fr.top >= r.top && fr.left < r.right && fr.top < r.bottom &&
                            fr.right >= r.left && fr.bottom >= r.top && fr.right < r.right && fr.bottom < r.bottom;
        if (inside) m_selection.Add(f.get());
      }
      ChooseAnchorField();
      InvalidateSelection();
      break;
    }
    default: break;
  }
  m_editMode = kModeIdle;
  m_handleCode = 0;
  if (recorded) NotifyChanged(nullptr);
}

bool CDesignVu::MoveOrResizeSelection(int dx, int dy, int handleCode) {
  POINT delta{dx, dy};
  PixelToLayout(delta, true);
  if (handleCode == 0) {
    CLayoutShell* shell = LayoutShell();
    if (shell->GridShown()) {
      delta.x = designview::SnapDelta(delta.x, shell->GridSpacing());
      delta.y = designview::SnapDelta(delta.y, shell->GridSpacing());
    }
  }
  UndoRecord step;
  step.kind = handleCode ? UndoKind::kChanged : UndoKind::kMoved;
  UniqueRgn region(::CreateRectRgn(0, 0, 0, 0));
  CFieldList& fields = Fields();
  for (size_t i = 0; i < fields.size(); ++i) {
    CField& f = *fields[i];
    if (!m_selection.Contains(&f) || f.lockPosition) continue;
    AddFieldToRegion(region.get(), f, 24);
    UndoFieldEntry entry;
    entry.index = static_cast<int32_t>(i);
    std::unique_ptr<CField> before;
    if (handleCode) {
      before = CopyFieldForUndo(f);
      f.SaveGeometry();
      ResizeFieldByHandle(f, handleCode, delta.x, delta.y, this, 1, nullptr);
    } else {
      entry.point = {f.offset.x, f.offset.y};
      entry.value = f.rotation;
      f.offset.x += delta.x;
      f.offset.y += delta.y;
    }
    AddFieldToRegion(region.get(), f, 24);
    if (delta.x == 0 && delta.y == 0) continue;
    entry.field = before.release();
    step.entries.push_back(entry);
  }
  const bool recorded = !step.entries.empty();
  if (recorded) {
    GetDocument()->RecordUndo(step);
    GetDocument()->SetModifiedFlag(TRUE);
  }
  ::InvalidateRgn(m_hWnd, region.get(), FALSE);
  return recorded;
}

void CDesignVu::ClearDragList() { m_dragList.clear(); }

void CDesignVu::BuildDragList() {
  m_dragList.clear();
  for (const auto& f : Fields())
    if (m_selection.Contains(f.get()))
      if (auto copy = CloneField(f.get(), 1, 0)) m_dragList.push_back(std::move(copy));
}

// The drag copies: each selected field moved by the drag, or resized by the
// active handle, from where the field stands now.
void CDesignVu::UpdateDragCopies(int dx, int dy, int handleCode, HRGN region) {
  if (m_dragList.empty()) BuildDragList();
  POINT delta{dx, dy};
  PixelToLayout(delta, true);
  size_t at = 0;
  for (const auto& f : Fields()) {
    if (!m_selection.Contains(f.get())) continue;
    if (at >= m_dragList.size()) break;
    CField& copy = *m_dragList[at++];
    if (region) AddFieldToRegion(region, copy, 24);
    copy.offset = f->offset;
    copy.width = f->width;
    copy.height = f->height;
    if (f->lockPosition) continue;
    if (handleCode) {
      copy.savedWidth = f->width;
      copy.savedHeight = f->height;
      copy.savedOffset = f->offset;
      copy.savedRotation = f->rotation;
      ResizeFieldByHandle(copy, handleCode, delta.x, delta.y, this, 1, nullptr);
    } else {
      copy.offset.x += delta.x;
      copy.offset.y += delta.y;
    }
    if (region) AddFieldToRegion(region, copy, 24);
  }
}

void CDesignVu::RedrawDragArea(HDC dc, int dx, int dy, int handleCode) {
  UniqueRgn region(::CreateRectRgn(0, 0, 0, 0));
  UpdateDragCopies(dx, dy, handleCode, region.get());
  DrawView(dc, region.get(), 1);
}

void CDesignVu::TrackRubberBand(const RECT* rect) {
  WindowDc dc(m_hWnd);
  if (m_rubberBand.left != -1 || m_rubberBand.right != -1) ::DrawFocusRect(dc.get(), &m_rubberBand);
  m_rubberBand = {-1, -1, -1, -1};
  if (!rect) return;
  m_rubberBand = *rect;
  ::DrawFocusRect(dc.get(), &m_rubberBand);
}

void CDesignVu::TrackOutlinePolygon(const POINT* points, int count) {
  WindowDc dc(m_hWnd);
  UniquePen pen(::CreatePen(PS_DOT, 1, RGB(0, 0, 255)));
  SelectScope selectPen(dc.get(), pen.get());
  SelectScope selectBrush(dc.get(), ::GetStockObject(NULL_BRUSH));
  const int oldRop = ::SetROP2(dc.get(), R2_NOTXORPEN);
  // Drawing the last outline again erases it.
  if (!m_trackPolygon.empty())
    ::Polygon(dc.get(), m_trackPolygon.data(), static_cast<int>(m_trackPolygon.size()));
  m_trackPolygon.clear();
  if (points && count > 0) {
    m_trackPolygon.assign(points, points + count);
    ::Polygon(dc.get(), points, count);
  }
  ::SetROP2(dc.get(), oldRop);
}
