// The keyboard, the clipboard, the stacking order, Select All, Refresh,
// the context menu, and the executor of the document's undo steps.
#include <algorithm>

#include "document/core/rvo_doc.h"
#include "document/layout_shell.h"
#include "document/view/design_view.h"
#include "document/view/design_view_ids.h"
#include "document/view/field_sheets.h"
#include "document/file/label_clipboard.h"
#include "document/view/undo_copies.h"
#include "fields/design/design_values.h"
#include "fields/geometry/field_geometry.h"
#include "fields/geometry/field_outline.h"
#include "fields/lifecycle/field_lifecycle.h"
#include "fields/measure/text_measure.h"

namespace {

bool KeyHeld(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

RECT Join(const RECT& a, const RECT& b) {
  RECT r;
  if (::IsRectEmpty(&a)) return b;
  if (::IsRectEmpty(&b)) return a;
  ::UnionRect(&r, &a, &b);
  return r;
}

}  // namespace

// ---- Keys --------------------------------------------------------------------

void CDesignVu::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
  const bool ctrl = KeyHeld(VK_CONTROL);
  const bool shift = KeyHeld(VK_SHIFT) || ch == VK_PRIOR || ch == VK_NEXT;
  GetSelectionRect(m_oldSelection);
  switch (ch) {
    case VK_CONTROL:
    case VK_MBUTTON: return;
    case VK_RETURN:
      if (m_selection.Count() == 1) OpenFieldProperties(*m_selection.Fields().front());
      break;
    case VK_UP:
    case VK_PRIOR:
    case VK_DOWN:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT: KeyArrow(ch, shift || ctrl); break;
    case VK_HOME: KeyHome(ctrl, shift); break;
    case VK_END: KeyEnd(ctrl, shift); break;
    case VK_DELETE: {
      if (m_selection.IsEmpty()) break;
      RECT r = DeleteSelection();
      InvalidateRectNoErase(r);
      const POINT o = GetScrollOrigin();
      ::OffsetRect(&r, o.x, o.y);
      NotifyChanged(&r);
      break;
    }
    default: break;
  }
  CView::OnKeyDown(ch, repeat, flags);
}

void CDesignVu::KeyArrow(UINT key, bool large) {
  if (m_selection.IsEmpty()) return;
  const int step = designview::NudgeStep(GetVisibleLabelExtent().cx, large);
  int dx = 0, dy = 0;
  if (key == VK_UP || key == VK_PRIOR) dy = -step;
  if (key == VK_DOWN || key == VK_NEXT) dy = step;
  if (key == VK_LEFT) dx = -step;
  if (key == VK_RIGHT) dx = step;
  if (m_editMode == kModeResize) {
    POINT cursor;
    ::GetCursorPos(&cursor);
    cursor.x += dx;
    cursor.y += dy;
    ::SetCursorPos(cursor.x, cursor.y);
    ::ScreenToClient(m_hWnd, &cursor);
    const POINT o = GetScrollOrigin();
    WindowDc dc(m_hWnd);
    RedrawDragArea(dc.get(), cursor.x + o.x - m_mouseDown.x, cursor.y + o.y - m_mouseDown.y, m_handleCode);
    return;
  }
  if (m_editMode != kModeIdle) return;
  if (MoveOrResizeSelection(dx, dy, 0)) {
    const SIZE label = GetVisibleLabelExtent();
    const RECT area{0, 0, label.cx + 1, label.cy + 1};
    InvalidateRectNoErase(area);
    NotifyChanged(nullptr);
  }
}

// Home puts the bars at the start; the picture follows them.
void CDesignVu::KeyHome(bool ctrl, bool shift) {
  const POINT o = GetScrollOrigin();
  SetScrollPos(SB_HORZ, 0, TRUE);
  if (ctrl) SetScrollPos(SB_VERT, 0, TRUE);
  const bool moved = o.x != 0 || (ctrl && o.y != 0);
  if (moved || shift) {
    InvalidateClient(ctrl);
    if (IDesignViewHost* host = Host()) host->SyncSplitterViews(this, nullptr);
  }
}

void CDesignVu::KeyEnd(bool ctrl, bool shift) {
  if (!shift) InvalidateRectNoErase(m_oldSelection);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const POINT o = GetScrollOrigin();
  const SIZE label = GetLabelSizePixels();
  if (ctrl && label.cy > client.bottom) SetScrollPos(SB_VERT, label.cy, TRUE);
  if (o.x > 0) {
    SetScrollPos(SB_HORZ, 0, TRUE);
    ::ScrollWindow(m_hWnd, o.x, 0, nullptr, nullptr);
  }
  if (ctrl || GetScrollOrigin().y != o.y) {
    InvalidateClient(false);
    ::UpdateWindow(m_hWnd);
  }
  if (IDesignViewHost* host = Host()) host->SyncSplitterViews(this, nullptr);
}

void CDesignVu::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (ch == VK_ESCAPE && !KeyHeld(VK_CONTROL)) {
    EndMode();
    return;
  }
  if (LayoutShell()->IsReaderMode()) return;
  CView::OnChar(ch, repeat, flags);
}

// ---- Deleting, copying, pasting ------------------------------------------------

RECT CDesignVu::DeleteSelection() {
  RECT affected{0, 0, 0, 0};
  GetSelectionRect(affected);
  UndoRecord step;
  step.kind = UndoKind::kRemoved;
  CFieldList& fields = Fields();
  for (size_t i = 0; i < fields.size();) {
    if (!m_selection.Contains(fields[i].get())) {
      ++i;
      continue;
    }
    UndoFieldEntry entry;
    entry.index = static_cast<int32_t>(i);
    ForgetField(fields[i].get());
    entry.field = fields[i].release();
    fields.erase(fields.begin() + static_cast<std::ptrdiff_t>(i));
    step.entries.push_back(entry);
  }
  m_selection.Clear();
  m_anchor = nullptr;
  ::InflateRect(&affected, 10, 10);
  if (!step.entries.empty()) {
    GetDocument()->RecordUndo(step);
    GetDocument()->SetModifiedFlag(TRUE);
  }
  return affected;
}

bool CDesignVu::CopySelection() {
  CWaitCursor wait;
  CFieldList copies;
  for (const auto& f : Fields())
    if (m_selection.Contains(f.get()))
      if (auto c = CopyFieldForUndo(*f)) copies.push_back(std::move(c));
  return SaveLabelToClipboardFile(Setup(), copies) != 0;
}

void CDesignVu::OnEditCut() {
  if (!CopySelection()) return;
  RECT r = DeleteSelection();
  InvalidateRectNoErase(r);
  UpdateScrollSizes();
  const POINT o = GetScrollOrigin();
  ::OffsetRect(&r, o.x, o.y);
  NotifyChanged(&r);
}

void CDesignVu::OnEditPaste() {
  if (LayoutShell()->IsReaderMode()) return;
  CWaitCursor wait;
  Paste(false, {0, 0});
}

void CDesignVu::OnEditDelete() {
  RECT r = DeleteSelection();
  InvalidateRectNoErase(r);
  const POINT o = GetScrollOrigin();
  ::OffsetRect(&r, o.x, o.y);
  NotifyChanged(&r);
}

bool CDesignVu::Paste(bool atPoint, POINT point) {
  m_anchor = nullptr;
  m_repaintRect = {0, 0, 0, 0};
  CLabelSetup scratch;
  CFieldList pasted;
  if (!LoadLabelFromClipboardFile(scratch, GetDocument(), pasted, nullptr) || pasted.empty()) return false;
  const RECT g = GetFieldListBoundingRect(pasted, 0, 0, 0, 0);
  POINT target;
  if (atPoint) {
    const POINT o = GetScrollOrigin();
    target = {point.x + o.x, point.y + o.y};
    PixelToLayout(target, true);
  } else {
    if (g.left != m_pasteOrigin.x || g.top != m_pasteOrigin.y) {
      m_pasteOrigin = {g.left, g.top};
      m_pasteCount = 1;
    } else {
      ++m_pasteCount;
    }
    target = designview::PasteCascadeTarget(g, m_pasteOrigin, m_pasteCount, Setup().labelWidth, Setup().labelHeight);
  }
  const int dx = target.x - g.left, dy = target.y - g.top;
  RECT oldSelection{0, 0, 0, 0};
  GetSelectionRect(oldSelection);
  InvalidateRectNoErase(oldSelection);
  m_selection.Clear();
  UndoRecord step;
  step.kind = UndoKind::kAdded;
  CFieldList& fields = Fields();
  for (auto& f : pasted) {
    f->offset.x += dx;
    f->offset.y += dy;
    AssignDefaultFieldName(*f, fields);
    UndoFieldEntry entry;
    entry.index = static_cast<int32_t>(fields.size());
    m_selection.Add(f.get());
    m_repaintRect = Join(m_repaintRect, GetFieldBoundingRect(*f, 0, 0, m_zoomX, m_zoomY));
    fields.push_back(std::move(f));
    step.entries.push_back(entry);
  }
  if (!step.entries.empty()) GetDocument()->RecordUndo(step);
  const POINT o = GetScrollOrigin();
  ::OffsetRect(&oldSelection, o.x, o.y);
  m_repaintRect = Join(m_repaintRect, oldSelection);
  ::InflateRect(&m_repaintRect, 30, 30);
  if (atPoint) {
    InvalidateClient(false);
    PostMessage(WM_COMMAND, viewcmd::kRefresh, 0);
  }
  GetDocument()->SetModifiedFlag(TRUE);
  NotifyChanged(&m_repaintRect);
  return true;
}

void CDesignVu::CopyAndDrop() {
  if (m_selection.IsEmpty()) return;
  CopySelection();
  RECT r{0, 0, 0, 0};
  ForEachSelected(nullptr, &r, 0, nullptr);
  m_dropOffset = {(r.right - r.left) / 3, (r.bottom - r.top) / 3};
  const POINT o = GetScrollOrigin();
  m_mouseDown = {r.left + o.x + m_dropOffset.cx, r.top + o.y + m_dropOffset.cy};
  m_editMode = kModeDrop;
  ::SetCursor(::LoadCursorA(nullptr, IDC_SIZEALL));
}

// ---- Stacking order ----------------------------------------------------------

namespace {

// Records a restacking as changed fields: every place of the list that now
// holds another field keeps a copy of the one it held, so that undoing puts
// the same contents back at every index.
void RecordRestack(CRvoDoc& doc, const std::vector<CField*>& before) {
  UndoRecord step;
  step.kind = UndoKind::kChanged;
  for (size_t i = 0; i < before.size(); ++i) {
    if (doc.fieldList[i].get() == before[i]) continue;
    UndoFieldEntry entry;
    entry.index = static_cast<int32_t>(i);
    entry.field = CopyFieldForUndo(*before[i]).release();
    step.entries.push_back(entry);
  }
  if (!step.entries.empty()) {
    doc.RecordUndo(step);
    doc.SetModifiedFlag(TRUE);
  }
}

}  // namespace

void CDesignVu::BringToFront() {
  CFieldList& fields = Fields();
  std::vector<CField*> before;
  for (const auto& f : fields) before.push_back(f.get());
  std::stable_partition(fields.begin(), fields.end(), [&](const auto& f) { return !m_selection.Contains(f.get()); });
  RecordRestack(*GetDocument(), before);
  InvalidateSelection();
}

void CDesignVu::PutToBack() {
  CFieldList& fields = Fields();
  std::vector<CField*> before;
  for (const auto& f : fields) before.push_back(f.get());
  std::stable_partition(fields.begin(), fields.end(), [&](const auto& f) { return m_selection.Contains(f.get()); });
  RecordRestack(*GetDocument(), before);
  InvalidateSelection();
}

// ---- Undo and redo -------------------------------------------------------------

void CDesignVu::OnUpdateEditUndo(CCmdUI* ui) { ui->Enable(GetDocument() && GetDocument()->GetNextUndo() >= 0); }

void CDesignVu::OnUpdateEditRedo(CCmdUI* ui) { ui->Enable(GetDocument() && GetDocument()->GetRedoPosition() >= 0); }

int CDesignVu::ApplyUndoEntries(UndoRecord& step, UndoRecord& inverse) {
  CFieldList& fields = Fields();
  const int zx = m_zoomX, zy = m_zoomY;
  auto area = [&](const CField& f) { return GetFieldBoundingRect(f, 0, 0, zx, zy); };
  int applied = 0;
  for (auto e = step.entries.rbegin(); e != step.entries.rend(); ++e) {
    const auto at = static_cast<size_t>(e->index);
    UndoFieldEntry back;
    back.index = e->index;
    switch (step.kind) {
      case UndoKind::kMoved: {
        inverse.kind = UndoKind::kMoved;
        if (e->index < 0 || at >= fields.size()) continue;
        CField& f = *fields[at];
        back.point = {f.offset.x, f.offset.y};
        back.value = f.rotation;
        m_repaintRect = Join(m_repaintRect, area(f));
        f.offset = {e->point.x, e->point.y};
        f.SetRotation(e->value);
        if (f.IsKind(FieldKind::kText) || f.IsKind(FieldKind::kParagraph)) {
          const SIZE s = MeasureTextField(f, fields, Setup(), 0);
          f.width = s.cx;
          f.height = s.cy;
        }
        m_repaintRect = Join(m_repaintRect, area(f));
        break;
      }
      case UndoKind::kAdded: {
        inverse.kind = UndoKind::kRemoved;
        if (e->index < 0 || at >= fields.size()) continue;
        m_repaintRect = Join(m_repaintRect, area(*fields[at]));
        ForgetField(fields[at].get());
        back.field = fields[at].release();
        fields.erase(fields.begin() + static_cast<std::ptrdiff_t>(at));
        break;
      }
      case UndoKind::kChanged: {
        inverse.kind = UndoKind::kChanged;
        if (e->index < 0 || at >= fields.size() || !e->field) continue;
        m_repaintRect = Join(m_repaintRect, area(*fields[at]));
        ForgetField(fields[at].get());
        back.field = fields[at].release();
        fields[at].reset(e->field);
        e->field = nullptr;
        m_repaintRect = Join(m_repaintRect, area(*fields[at]));
        break;
      }
      case UndoKind::kRemoved: {
        inverse.kind = UndoKind::kAdded;
        if (!e->field) continue;
        const size_t place = e->index < 0 ? fields.size() : std::min(at, fields.size());
        back.index = static_cast<int32_t>(place);
        fields.insert(fields.begin() + static_cast<std::ptrdiff_t>(place), std::unique_ptr<CField>(e->field));
        e->field = nullptr;
        m_repaintRect = Join(m_repaintRect, area(*fields[place]));
        break;
      }
    }
    inverse.entries.push_back(back);
    ++applied;
  }
  return applied;
}

bool CDesignVu::ExecuteUndoStep(bool isUndo) {
  CWaitCursor wait;
  m_anchor = nullptr;
  CRvoDoc* doc = GetDocument();
  UndoList& list = doc->undoList;
  const int index = isUndo ? list.NextUndo() : list.RedoPosition();
  if (index < 0) {
    LayoutShell()->Beep();
    ChooseAnchorField();
    return false;
  }
  InvalidateSelection();
  m_repaintRect = {0, 0, 0, 0};
  UndoRecord& step = list.At(index);
  UndoRecord inverse;
  inverse.kind = step.kind;
  ApplyUndoEntries(step, inverse);
  // Fields that the step owned now live in the list, and the inverse owns
  // what left it: the swap keeps each field in one owner.
  step = std::move(inverse);
  list.SetUndoPosition(isUndo ? index : index + 1);
  doc->SetModifiedFlag(TRUE);
  ::InflateRect(&m_repaintRect, m_handleSize, m_handleSize);
  NotifyChanged(&m_repaintRect);
  return true;
}

void CDesignVu::Refresh() {
  RemeasureFieldList(Fields(), Setup(), this, 0);
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  if (IDesignViewHost* host = Host()) host->SyncSplitterViews(this, nullptr);
}

// ---- Mouse buttons that open things -------------------------------------------

void CDesignVu::OnLButtonDblClk(UINT, CPoint point) {
  const POINT o = GetScrollOrigin();
  CField* field = nullptr;
  if (HitTestFields(point.x + o.x, point.y + o.y, &field) == 1 && field) {
    OpenFieldProperties(*field);
    return;
  }
  PostMessage(WM_COMMAND, viewcmd::kLayoutSetup, 0);
}

void CDesignVu::OnRButtonDown(UINT, CPoint point) {
  const POINT o = GetScrollOrigin();
  if (CFrameWnd* frame = GetParentFrame()) frame->BringWindowToTop();
  CField* field = nullptr;
  if (HitTestFields(point.x + o.x, point.y + o.y, &field) == 1 && field && !m_selection.Contains(field)) {
    RECT before{0, 0, 0, 0};
    ForEachSelected(nullptr, &before, 0, nullptr);
    m_selection.Clear();
    m_selection.Add(field);
    m_anchor = field;
    RECT now = GetFieldBoundingRect(*field, -o.x, -o.y, m_zoomX, m_zoomY);
    ::InflateRect(&now, 30, 30);
    ::InflateRect(&before, 30, 30);
    ::RedrawWindow(m_hWnd, &now, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ::RedrawWindow(m_hWnd, &before, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  ChooseAnchorField();
  ContextMenuAt(point);
}

void CDesignVu::OnContextMenuKey() {
  POINT p;
  ::GetCursorPos(&p);
  ::ScreenToClient(m_hWnd, &p);
  OnRButtonDown(MK_RBUTTON, CPoint(p.x, p.y));
}

void CDesignVu::ContextMenuAt(POINT client) {
  struct Item {
    const char* text;
    UINT command;
  };
  static constexpr Item kNone[] = {{"Barcode Layout Setup...", viewcmd::kLayoutSetup}, {"", 0},
                                   {"Paste", viewcmd::kEditPaste}};
  static constexpr Item kSome[] = {{"Cut", viewcmd::kEditCut},
                                   {"Copy && Drop", viewcmd::kCopyAndDrop},
                                   {"Copy", viewcmd::kEditCopy},
                                   {"Paste", viewcmd::kEditPaste},
                                   {"Delete", viewcmd::kDelete},
                                   {"", 0},
                                   {"Set Position...", viewcmd::kSetPosition},
                                   {"Lock Position", viewcmd::kLockPosition},
                                   {"Bring to Front", viewcmd::kBringToFront},
                                   {"Put to Back", viewcmd::kPutToBack},
                                   {"", 0},
                                   {"Properties...", viewcmd::kProperties},
                                   {"", 0},
                                   {"Barcode Layout Setup...", viewcmd::kLayoutSetup}};
  HMENU menu = ::CreatePopupMenu();
  if (!menu) return;
  CLayoutShell* shell = LayoutShell();
  auto add = [&](const Item& item) {
    if (!*item.text) ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    else {
      const UINT state = item.command == viewcmd::kProperties && !SelectionHasProperties() ? MF_GRAYED : 0;
      ::AppendMenuA(menu, MF_STRING | state, item.command, shell->TranslateUiString(item.text).GetData());
    }
  };
  if (m_selection.IsEmpty())
    for (const Item& item : kNone) add(item);
  else
    for (const Item& item : kSome) add(item);
  POINT screen = client;
  ::ClientToScreen(m_hWnd, &screen);
  m_contextPoint = client;
  HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
  const UINT chosen = static_cast<UINT>(
      ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, m_hWnd, nullptr));
  ::SetCursor(previous);
  ::DestroyMenu(menu);
  if (chosen == viewcmd::kEditPaste) Paste(true, client);
  else if (chosen) PostMessage(WM_COMMAND, chosen, 0);
}

bool CDesignVu::SelectionHasProperties() const {
  if (m_selection.Count() != 1) return false;
  return HasFieldSheetFor(*m_selection.Fields().front());
}

// The kind's dialog on the field; on OK the field as it was becomes an undo
// step, the old and the new area are repainted and the document is modified.
int CDesignVu::EditFieldProperties(CField& field) {
  CRvoDoc* doc = GetDocument();
  const int index = doc->IndexOfField(&field);
  if (index < 0 || !HasFieldSheetFor(field)) return 0;
  std::unique_ptr<CField> before;
  if (!RunFieldSheetFor(field, *doc, &before)) return 0;
  const POINT o = GetScrollOrigin();
  RECT area = GetFieldBoundingRect(field, -o.x, -o.y, m_zoomX, m_zoomY);
  if (before) {
    const RECT old = GetFieldBoundingRect(*before, -o.x, -o.y, m_zoomX, m_zoomY);
    ::UnionRect(&area, &area, &old);
    UndoRecord step;
    step.kind = UndoKind::kChanged;
    UndoFieldEntry entry;
    entry.index = index;
    entry.field = before.release();
    step.entries.push_back(entry);
    doc->RecordUndo(step);
  }
  ::InflateRect(&area, m_handleSize + 12, m_handleSize + 12);
  ::InvalidateRect(m_hWnd, &area, FALSE);
  doc->SetModifiedFlag(TRUE);
  return 1;
}

void CDesignVu::OnProperties() {
  if (m_selection.Count() == 1) OpenFieldProperties(*m_selection.Fields().front());
}

// A field without a dialog only beeps.
void CDesignVu::OpenFieldProperties(CField& field) {
  if (!HasFieldSheetFor(field)) {
    LayoutShell()->Beep();
    return;
  }
  if (EditFieldProperties(field)) NotifyChanged(nullptr);
}

namespace {

FieldSheetRunner SheetRunnerFor(int kind) {
  const FieldSheetRunners& r = GetFieldSheetRunners();
  switch (kind) {
    case 2: return r.runTextSetupSheet;
    case 4: return r.runImageSetupSheet;
    case 6: return r.runParagraphSetupSheet;
    default: return nullptr;
  }
}

int PlaceModeFor(int kind) {
  switch (kind) {
    case 2: return kModePlaceText;
    case 3: return kModePlaceBarcode;
    case 4: return kModePlaceImage;
    default: return kModePlaceParagraph;
  }
}

int KindOfAddCommand(UINT id) {
  switch (id) {
    case viewcmd::kAddText: return 2;
    case viewcmd::kAddParagraph: return 6;
    case viewcmd::kAddImage: return 4;
    default: return 3;
  }
}

}  // namespace

void CDesignVu::OnUpdateAddField(CCmdUI* ui) {
  const int kind = KindOfAddCommand(ui->m_nID);
  const bool installed = kind == 3 ? GetFieldSheetRunners().runBarcodeSetupSheet != nullptr : SheetRunnerFor(kind) != nullptr;
  ui->Enable(installed && !LayoutShell()->IsReaderMode());
}

// The sheet makes the field; it joins the document only where the next click
// places it, so a cancelled sheet leaves nothing behind.
void CDesignVu::AddFieldThroughSheet(int kind, int hibc) {
  if (LayoutShell()->IsReaderMode()) return;
  CRvoDoc* doc = GetDocument();
  CField* made = nullptr;
  int ok = 0;
  if (kind == 3) {
    if (BarcodeSheetRunner run = GetFieldSheetRunners().runBarcodeSetupSheet)
      ok = run(&doc->labelSetup, &made, hibc, doc->fieldList, nullptr);
  } else if (FieldSheetRunner run = SheetRunnerFor(kind)) {
    ok = run(&doc->labelSetup, &made, doc->fieldList, nullptr);
  }
  std::unique_ptr<CField> field(made);
  if (!ok || !field) return;
  StartPlacingField(PlaceModeFor(kind), std::move(field));
}

void CDesignVu::OnUpdateBorderSetup(CCmdUI* ui) {
  ui->Enable(GetFieldSheetRunners().runBorderDialog != nullptr && !LayoutShell()->IsReaderMode());
}

void CDesignVu::OnBorderSetup() {
  if (LayoutShell()->IsReaderMode()) return;
  auto run = GetFieldSheetRunners().runBorderDialog;
  if (!run) return;
  CRvoDoc* doc = GetDocument();
  if (run(doc->labelSetup)) doc->SetModifiedFlag(TRUE);
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
  ::UpdateWindow(m_hWnd);
}
