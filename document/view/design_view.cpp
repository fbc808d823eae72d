// The view's frame: construction, creation, the message map, coordinates,
// the selection set and the notifications to the frame around it.
#include "document/view/design_view.h"

#include <algorithm>
#include <unordered_set>

#include "document/core/rvo_doc.h"
#include "document/layout_shell.h"
#include "document/view/design_view_ids.h"

IMPLEMENT_DYNCREATE(CDesignVu, CView)

BEGIN_MESSAGE_MAP(CDesignVu, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_SETCURSOR()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_CHAR()
  ON_COMMAND(viewcmd::kEditUndo, OnEditUndo)
  ON_UPDATE_COMMAND_UI(viewcmd::kEditUndo, OnUpdateEditUndo)
  ON_COMMAND(viewcmd::kEditRedo, OnEditRedo)
  ON_UPDATE_COMMAND_UI(viewcmd::kEditRedo, OnUpdateEditRedo)
  ON_COMMAND(viewcmd::kEditCopy, OnEditCopy)
  ON_UPDATE_COMMAND_UI(viewcmd::kEditCopy, OnUpdateAlways)
  ON_COMMAND(viewcmd::kEditCut, OnEditCut)
  ON_UPDATE_COMMAND_UI(viewcmd::kEditCut, OnUpdateAlways)
  ON_COMMAND(viewcmd::kEditPaste, OnEditPaste)
  ON_UPDATE_COMMAND_UI(viewcmd::kEditPaste, OnUpdateAlways)
  ON_COMMAND(viewcmd::kEditSelectAll, OnEditSelectAll)
  ON_UPDATE_COMMAND_UI(viewcmd::kEditSelectAll, OnUpdateAlways)
  ON_COMMAND(viewcmd::kCopyAndDrop, OnCopyAndDrop)
  ON_COMMAND(viewcmd::kBringToFront, OnBringToFront)
  ON_UPDATE_COMMAND_UI(viewcmd::kBringToFront, OnUpdateNeedsSelection)
  ON_COMMAND(viewcmd::kPutToBack, OnPutToBack)
  ON_UPDATE_COMMAND_UI(viewcmd::kPutToBack, OnUpdateNeedsSelection)
  ON_COMMAND(viewcmd::kSetPosition, OnSetPosition)
  ON_COMMAND(viewcmd::kLockPosition, OnLockPosition)
  ON_UPDATE_COMMAND_UI(viewcmd::kLockPosition, OnUpdateNeedsSelection)
  ON_UPDATE_COMMAND_UI(viewcmd::kSetPosition, OnUpdateAlways)
  ON_COMMAND(viewcmd::kProperties, OnProperties)
  ON_UPDATE_COMMAND_UI(viewcmd::kProperties, OnUpdateProperties)
  ON_COMMAND(viewcmd::kRefresh, OnRefresh)
  ON_UPDATE_COMMAND_UI(viewcmd::kRefresh, OnUpdateAlways)
  ON_COMMAND(viewcmd::kDelete, OnEditDelete)
  ON_UPDATE_COMMAND_UI(viewcmd::kDelete, OnUpdateNeedsSelection)
  ON_COMMAND(viewcmd::kAddLine, OnAddLine)
  ON_UPDATE_COMMAND_UI(viewcmd::kAddLine, OnUpdateAlways)
  ON_COMMAND(viewcmd::kAddBox, OnAddBox)
  ON_UPDATE_COMMAND_UI(viewcmd::kAddBox, OnUpdateAlways)
  ON_COMMAND(viewcmd::kAddEllipse, OnAddEllipse)
  ON_UPDATE_COMMAND_UI(viewcmd::kAddEllipse, OnUpdateAlways)
  ON_COMMAND(viewcmd::kAddRoundRect, OnAddRoundRect)
  ON_UPDATE_COMMAND_UI(viewcmd::kAddRoundRect, OnUpdateAlways)
  // The field setup sheets and the border dialog, on while the program has
  // them installed.
  ON_COMMAND(viewcmd::kAddText, OnAddText)
  ON_UPDATE_COMMAND_UI(viewcmd::kAddText, OnUpdateAddField)
  ON_COMMAND(viewcmd::kAddParagraph, OnAddParagraph)
  ON_UPDATE_COMMAND_UI(viewcmd::kAddParagraph, OnUpdateAddField)
  ON_COMMAND(viewcmd::kAddBarcode, OnAddBarcode)
  ON_UPDATE_COMMAND_UI(viewcmd::kAddBarcode, OnUpdateAddField)
  ON_COMMAND(viewcmd::kAddHibcBarcode, OnAddHibcBarcode)
  ON_UPDATE_COMMAND_UI(viewcmd::kAddHibcBarcode, OnUpdateAddField)
  ON_COMMAND(viewcmd::kAddImage, OnAddImage)
  ON_UPDATE_COMMAND_UI(viewcmd::kAddImage, OnUpdateAddField)
  ON_COMMAND(viewcmd::kBorderSetup, OnBorderSetup)
  ON_UPDATE_COMMAND_UI(viewcmd::kBorderSetup, OnUpdateBorderSetup)
  // The printer dialogs and printing come with their own subsystem, which
  // the program installs; until it does, their commands stay off.
  ON_COMMAND(viewcmd::kTargetDpi, OnTargetDpi)
  ON_UPDATE_COMMAND_UI(viewcmd::kTargetDpi, OnUpdateTargetDpi)
  ON_COMMAND(viewcmd::kPrint, OnPrintLayout)
  ON_UPDATE_COMMAND_UI(viewcmd::kPrint, OnUpdatePrintLayout)
  ON_COMMAND(viewcmd::kPrintDirect, OnPrintLayout)
  ON_UPDATE_COMMAND_UI(viewcmd::kPrintDirect, OnUpdatePrintLayout)
  // The framework's preview command asks the view to prepare printing,
  // where the program's print preview takes over.
  ON_COMMAND(viewcmd::kPrintPreview, OnFilePrintPreview)
  ON_UPDATE_COMMAND_UI(viewcmd::kPrintPreview, OnUpdatePrintLayout)
  ON_COMMAND_RANGE(viewcmd::kAlignHCenter, viewcmd::kAlignVCenter, OnAlign)
  ON_UPDATE_COMMAND_UI_RANGE(viewcmd::kAlignHCenter, viewcmd::kAlignVCenter, OnUpdateAlign)
  ON_COMMAND_RANGE(viewcmd::kAlignLeft, viewcmd::kRotateTo0, OnAlign)
  ON_UPDATE_COMMAND_UI_RANGE(viewcmd::kAlignLeft, viewcmd::kRotateTo0, OnUpdateAlign)
  ON_COMMAND(viewcmd::kZoomIn, OnZoomIn)
  ON_COMMAND(viewcmd::kZoomOut, OnZoomOut)
  ON_COMMAND(viewcmd::kFitInFrame, OnFitInFrame)
  ON_COMMAND(viewcmd::kOpaqueView, OnOpaqueView)
  ON_UPDATE_COMMAND_UI(viewcmd::kOpaqueView, OnUpdateOpaque)
  ON_COMMAND(viewcmd::kSeeThroughView, OnSeeThroughView)
  ON_UPDATE_COMMAND_UI(viewcmd::kSeeThroughView, OnUpdateSeeThrough)
  ON_COMMAND(viewcmd::kUnitInch, OnUnitInch)
  ON_UPDATE_COMMAND_UI(viewcmd::kUnitInch, OnUpdateUnitInch)
  ON_COMMAND(viewcmd::kUnitMm, OnUnitMm)
  ON_UPDATE_COMMAND_UI(viewcmd::kUnitMm, OnUpdateUnitMm)
  ON_COMMAND(viewcmd::kContextMenuKey, OnContextMenuKey)
  ON_COMMAND(viewcmd::kAutoArrange, OnAutoArrange)
  ON_COMMAND(viewcmd::kOutputToImageFile, OnOutputToImageFile)
  ON_COMMAND(viewcmd::kCopyToClipboard, OnCopyToClipboard)
END_MESSAGE_MAP()

namespace {

// The main frame's desk colour around the label.
constexpr COLORREF kDeskColour = RGB(145, 155, 195);
// The printer name's colour in the status bar.
constexpr COLORREF kPrinterPaneColour = RGB(44, 33, 80);

HCURSOR g_designCursors[4] = {};  // cross, I-beam, arrow, size-all

}  // namespace

void LoadDesignCursors() {
  const LPCSTR ids[4] = {IDC_CROSS, IDC_IBEAM, IDC_ARROW, IDC_SIZEALL};
  for (int i = 0; i < 4; ++i) g_designCursors[i] = ::LoadCursorA(nullptr, ids[i]);
}

bool DesignCursorsLoaded() {
  for (HCURSOR c : g_designCursors)
    if (!c) return false;
  return true;
}

// Shared system cursors need no release.
void FreeDesignCursors() {}

bool CFieldSelection::Contains(const CField* f) const {
  void* value = nullptr;
  return map_.Lookup(const_cast<CField*>(f), value) != 0;
}

std::vector<CField*> CFieldSelection::Fields() const {
  std::vector<CField*> out;
  out.reserve(static_cast<size_t>(map_.GetCount()));
  MapPosition pos = map_.GetCount() ? kMapStart : MapPosition{};
  while (pos) {
    void* key = nullptr;
    void* value = nullptr;
    map_.GetNextAssoc(pos, key, value);
    if (key) out.push_back(static_cast<CField*>(key));
  }
  return out;
}

CDesignVu::CDesignVu() = default;

// The drag copies belong to the drag and are gone by now; the pending
// fields are the view's until placed.
CDesignVu::~CDesignVu() = default;

CRvoDoc* CDesignVu::GetDocument() const { return static_cast<CRvoDoc*>(m_pDocument); }
CFieldList& CDesignVu::Fields() const { return GetDocument()->fieldList; }
CLabelSetup& CDesignVu::Setup() const { return GetDocument()->labelSetup; }
const CLabelSetup* CDesignVu::LabelSetup() const { return GetDocument() ? &GetDocument()->labelSetup : nullptr; }

IDesignViewHost* CDesignVu::Host() const { return dynamic_cast<IDesignViewHost*>(GetParentFrame()); }

int CDesignVu::OnCreate(LPCREATESTRUCT cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  m_deskBrush.reset(::CreateSolidBrush(kDeskColour));
  if (CFrameWnd* frame = GetParentFrame()) {
    auto* active = dynamic_cast<CDesignVu*>(frame->GetActiveView());
    if (active && active != this) {
      m_clonePane = true;
      m_clonePosition = active->GetScrollOrigin();
    }
  }
  WindowDc screen;
  m_handleSize = 3 * ::GetDeviceCaps(screen.get(), LOGPIXELSX) / 72;
  return 0;
}

void CDesignVu::OnInitialUpdate() {
  CView::OnInitialUpdate();
  if (!GetDocument()) return;
  ShowLayoutPanes();
  UpdateScrollSizes();
  if (m_clonePane) {
    SetScrollPos(SB_HORZ, m_clonePosition.x, TRUE);
    SetScrollPos(SB_VERT, m_clonePosition.y, TRUE);
    m_clonePane = false;
  }
}

void CDesignVu::OnUpdate(CView*, LPARAM, CObject*) {
  if (!GetDocument()) return;
  ForgetStaleFields();
  if (m_hWnd) RefreshFromSettings();
}

// ---- Coordinates -------------------------------------------------------------

POINT CDesignVu::GetScrollOrigin() const {
  if (!m_hWnd) return {0, 0};
  // Through the window's own bars, or the splitter's that the pane shares.
  return {GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT)};
}

SIZE CDesignVu::GetLabelSizePixels() const {
  return {designview::MilsToPixels(Setup().labelWidth, m_zoomX), designview::MilsToPixels(Setup().labelHeight, m_zoomY)};
}

int CDesignVu::LayoutToPixel(POINT& p, bool absolute) const {
  p.x = designview::MilsToPixels(p.x, m_zoomX);
  p.y = designview::MilsToPixels(p.y, m_zoomY);
  if (!absolute) {
    const POINT o = GetScrollOrigin();
    p.x -= o.x;
    p.y -= o.y;
  }
  return 1;
}

int CDesignVu::LayoutRectToPixel(RECT& r) const {
  auto conv = [](int64_t c, int zoom) { return static_cast<LONG>(static_cast<double>(c) * zoom / 1000.0 + 0.5); };
  const POINT o = GetScrollOrigin();
  r = {conv(r.left, m_zoomX) - o.x, conv(r.top, m_zoomY) - o.y, conv(r.right, m_zoomX) - o.x,
       conv(r.bottom, m_zoomY) - o.y};
  return 1;
}

double CDesignVu::LayoutToPixelReal(double value) const { return designview::LayoutToPixelReal(m_zoomX, value); }

void CDesignVu::ClampToClient(POINT& p) const {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const SIZE extent = GetVisibleLabelExtent();
  const int marginX = extent.cx < client.right ? 12 : 2;
  const int marginY = extent.cy < client.bottom ? 12 : 2;
  p.x = std::max<LONG>(std::min<LONG>(p.x, client.right - marginX), 2);
  p.y = std::max<LONG>(std::min<LONG>(p.y, client.bottom - marginY), 2);
}

SIZE CDesignVu::GetVisibleLabelExtent() const {
  const SIZE label = GetLabelSizePixels();
  const POINT o = GetScrollOrigin();
  return {label.cx - o.x, label.cy - o.y};
}

bool CDesignVu::IsWithinVisibleLabel(int x, int y) const {
  if (x < 0 || y < 0) return false;
  const SIZE extent = GetVisibleLabelExtent();
  return extent.cx >= x || extent.cy >= y;
}

void CDesignVu::InvalidateRectNoErase(const RECT& r) {
  if (m_hWnd) ::InvalidateRect(m_hWnd, &r, FALSE);
}

void CDesignVu::InvalidateClient(bool erase) {
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE);
}

void CDesignVu::NotifyChanged(const RECT* absoluteRect) {
  RECT r = absoluteRect ? *absoluteRect : m_repaintRect;
  const POINT o = GetScrollOrigin();
  ::OffsetRect(&r, -o.x, -o.y);
  ::InvalidateRect(m_hWnd, &r, FALSE);
  ::UpdateWindow(m_hWnd);
  if (IDesignViewHost* host = Host()) {
    host->UpdateTitleModifiedMark(GetDocument()->IsModified() != FALSE);
    host->SyncSplitterViews(this, &r);
  }
}

void CDesignVu::RefreshFromSettings() {
  UpdateScrollSizes();
  SetScrollPos(SB_HORZ, 0, TRUE);
  SetScrollPos(SB_VERT, 0, TRUE);
  InvalidateClient(false);
  ::UpdateWindow(m_hWnd);
}

// ---- Focus, size and cursor --------------------------------------------------

void CDesignVu::OnSetFocus(CWnd* old) {
  CView::OnSetFocus(old);
  if (IDesignViewHost* host = Host()) host->HideOtherSelections(this);
  if (!GetDocument()) return;
  LayoutShell()->SetReadOnlyPane(GetDocument()->locked != 0);
  ShowLayoutPanes();
}

// The status bar shows the layout whose view has the focus: its resolution,
// printer and label size. The size is shown here too, not only as the mouse
// moves, so that a layout opened or switched to never shows another's.
void CDesignVu::ShowLayoutPanes() {
  CLayoutShell* shell = LayoutShell();
  const CLabelSetup& setup = Setup();
  shell->SetDpiPane(setup.dpiX);
  shell->SetPrinterPane(setup.lastPrinter.GetData(), kPrinterPaneColour);
  shell->SetLabelSizePane(setup.labelWidth, setup.labelHeight, setup.DefaultUnits);
}

void CDesignVu::OnKillFocus(CWnd* next) {
  m_pasteCount = 0;
  if (m_editMode != kModeIdle) {
    EndMode();
    return;
  }
  CView::OnKillFocus(next);
  LayoutShell()->SetReadOnlyPane(false);
}

void CDesignVu::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  if (GetDocument()) UpdateScrollSizes();
}

// The view sets its cursors itself as the mouse moves.
BOOL CDesignVu::OnSetCursor(CWnd*, UINT, UINT) { return TRUE; }

// Every pixel is painted from the off-screen bitmap.
BOOL CDesignVu::OnEraseBkgnd(CDC*) { return TRUE; }

void CDesignVu::EndMode() {
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  // A field waiting to be placed is given up with its mode.
  if (CField* pending = PendingField()) {
    InvalidateField(*pending, 15);
    ForgetField(pending);
    for (auto& p : m_pending)
      if (p.get() == pending) p.reset();
  }
  m_editMode = kModeIdle;
  m_handleCode = 0;
  ClearDragList();
  ::SetCursor(g_designCursors[2] ? g_designCursors[2] : ::LoadCursorA(nullptr, IDC_ARROW));
}

bool CDesignVu::IsShiftOrCtrl() const {
  return (::GetAsyncKeyState(VK_SHIFT) & 0x8000) || (::GetAsyncKeyState(VK_CONTROL) & 0x8000);
}

void CDesignVu::ForgetField(const CField* field) {
  m_selection.Remove(field);
  if (m_anchor == field) m_anchor = nullptr;
  if (m_hover == field) {
    m_hover = nullptr;
    m_trackPolygon.clear();
  }
}

void CDesignVu::ForgetStaleFields() {
  if (!GetDocument()) return;
  std::unordered_set<const CField*> present;
  for (const auto& f : Fields()) present.insert(f.get());
  for (const auto& p : m_pending)
    if (p) present.insert(p.get());
  for (CField* f : m_selection.Fields())
    if (!present.count(f)) m_selection.Remove(f);
  if (m_anchor && !present.count(m_anchor)) m_anchor = nullptr;
  if (m_hover && !present.count(m_hover)) {
    m_hover = nullptr;
    m_trackPolygon.clear();
  }
}

// Lock/Unlock Position turns each selected field's lock over. The lock is
// stored with the layout.
void CDesignVu::OnLockPosition() {
  if (m_selection.IsEmpty()) return;
  ForEachSelected(nullptr, nullptr, 1, nullptr);
  GetDocument()->SetModifiedFlag(TRUE);
  InvalidateSelection();
}
