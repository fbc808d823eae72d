// Hit tests, the selection and its anchor, the areas to repaint around the
// selected fields, and the cursor over handles.
#include <algorithm>

#include "document/core/rvo_doc.h"
#include "document/view/design_view.h"
#include "fields/geometry/field_geometry.h"
#include "fields/geometry/field_outline.h"

namespace {

RECT Union(const RECT& a, const RECT& b) {
  if (::IsRectEmpty(&a)) return b;
  if (::IsRectEmpty(&b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

bool MayResize(const CField& field, int code) {
  int second = 0;
  const int mode = field.GetResizeMode(&second);
  if (mode == kResizeAny) return true;
  return mode == kResizeCorners && (code == 11 || code == 13 || code == 31 || code == 33);
}

}  // namespace

int CDesignVu::HitTestFields(int x, int y, CField** field) const {
  CField* kept = nullptr;
  double smallest = 999999.0;
  for (const auto& f : Fields()) {
    const int hit = HitTestField(x, y, m_handleSize, *f, this);
    if (hit == 0) continue;
    if (hit != kHandleBody) {
      if (field) *field = f.get();
      return hit;
    }
    const double d = GetFieldCornerDistance(*f, false);
    if (d < smallest) {
      smallest = d;
      kept = f.get();
    }
  }
  if (field) *field = kept;
  return kept ? kHandleBody : 0;
}

int CDesignVu::ForEachSelected(bool* hasEmbedded, RECT* unionRect, int lockMode, int* lockedCount) {
  const POINT o = GetScrollOrigin();
  if (hasEmbedded) *hasEmbedded = false;
  if (unionRect) *unionRect = {0, 0, 0, 0};
  if (lockedCount) *lockedCount = 0;
  for (CField* f : m_selection.Fields()) {
    if (hasEmbedded && f->IsKind(FieldKind::kOle)) *hasEmbedded = true;
    if (lockMode == 1) f->lockPosition = f->lockPosition ? 0 : 1;
    if (lockMode == 2) f->lockPosition = 1;
    if (lockedCount && f->lockPosition) ++*lockedCount;
    if (unionRect) *unionRect = Union(*unionRect, GetFieldBoundingRect(*f, -o.x, -o.y, m_zoomX, m_zoomY));
  }
  return m_selection.Count();
}

bool CDesignVu::GetSelectionRect(RECT& rect) {
  ForEachSelected(nullptr, &rect, 0, nullptr);
  ::InflateRect(&rect, m_handleSize, m_handleSize);
  return !m_selection.IsEmpty();
}

void CDesignVu::InvalidateSelection() {
  RECT r;
  if (GetSelectionRect(r)) InvalidateRectNoErase(r);
}

void CDesignVu::SetResizeCursor(int code, const CField& field) {
  ::SetCursor(::LoadCursorA(nullptr, designview::ResizeCursorFor(code, field.rotation)));
}

int CDesignVu::ChooseAnchorField() {
  if (m_selection.IsEmpty()) {
    m_anchor = nullptr;
    return 1;
  }
  if (m_anchor && m_selection.Contains(m_anchor)) return 0;
  m_anchor = nullptr;
  for (const auto& f : Fields())
    if (m_selection.Contains(f.get())) {
      m_anchor = f.get();
      break;
    }
  return 1;
}

void CDesignVu::SelectOnly(CField* field) {
  InvalidateSelection();
  m_selection.Clear();
  m_anchor = nullptr;
  if (!field) return;
  m_selection.Add(field);
  m_anchor = field;
  InvalidateField(*field, 15);
}

void CDesignVu::SelectAll() {
  m_selection.Clear();
  for (const auto& f : Fields()) m_selection.Add(f.get());
  m_anchor = nullptr;
  SetScrollPos(SB_HORZ, 0, TRUE);
  SetScrollPos(SB_VERT, 0, TRUE);
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CDesignVu::InvalidateField(const CField& field, int margin) {
  const POINT o = GetScrollOrigin();
  RECT r = GetFieldBoundingRect(field, -o.x, -o.y, m_zoomX, m_zoomY);
  ::InflateRect(&r, margin, margin);
  InvalidateRectNoErase(r);
}

void CDesignVu::AddFieldToRegion(HRGN region, const CField& field, int margin) const {
  const POINT o = GetScrollOrigin();
  RECT r = GetFieldBoundingRect(field, -o.x, -o.y, m_zoomX, m_zoomY);
  ::InflateRect(&r, margin, margin);
  UniqueRgn add(::CreateRectRgnIndirect(&r));
  ::CombineRgn(region, region, add.get(), RGN_OR);
}

// The selection part of a left press at an absolute point.
void CDesignVu::PressSelection(POINT absolute, bool shiftOrCtrl) {
  CField* field = nullptr;
  int hit = HitTestFields(absolute.x, absolute.y, &field);
  if (m_editMode >= 1 && m_editMode <= 9) hit = 0;
  if (hit && field) field->SaveGeometry();
  GetSelectionRect(m_oldSelection);
  if (hit > kHandleBody) {
    if (!MayResize(*field, hit)) return;
    m_editMode = kModeResize;
    m_handleCode = hit;
    if (hit == kHandleBoxHorizontal || hit == kHandleBoxVertical) {
      m_selection.Clear();
      m_anchor = nullptr;
    }
    if (!m_selection.Contains(field)) {
      m_selection.Clear();
      m_selection.Add(field);
      m_anchor = field;
      InvalidateRectNoErase(m_oldSelection);
    }
    return;
  }
  if (hit == kHandleBody) {
    if (!m_selection.Contains(field)) {
      if (shiftOrCtrl) {
        m_selection.Add(field);
      } else {
        m_selection.Clear();
        m_selection.Add(field);
        InvalidateRectNoErase(m_oldSelection);
      }
      if (m_selection.Count() == 1) m_anchor = field;
      m_editMode = kModeMove;
    } else if (shiftOrCtrl) {
      m_selection.Remove(field);
      if (m_anchor == field) m_anchor = nullptr;
      ChooseAnchorField();
      m_editMode = kModeToggleClick;
      InvalidateField(*field, 15);
    } else {
      m_editMode = kModeMove;
    }
    return;
  }
  if (!shiftOrCtrl) {
    m_selection.Clear();
    m_anchor = nullptr;
    InvalidateRectNoErase(m_oldSelection);
  }
}
