// Control bars: docking strips, tool bars and status bars over the common
// controls, and the command-update objects of their items.
#include "platform/framework/control_bars.h"

#include <algorithm>

#include "platform/framework/dock_bar.h"
#include "platform/framework/resources.h"
#include "platform/framework/wnd_messages.h"
#include "platform/kernel/byte_reader.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)
IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_WM_CREATE()
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

void CWnd::RepositionBars(UINT idFirst, UINT idLast, UINT idLeftOver, UINT, LPRECT clientRect, LPCRECT boundsRect,
                          BOOL stretch) {
  AFX_SIZEPARENTPARAMS layout{};
  if (boundsRect) {
    layout.rect = *boundsRect;
  } else {
    ::GetClientRect(m_hWnd, &layout.rect);
  }
  layout.bStretch = stretch;
  HWND leftOver = nullptr;
  // Bars in Z order (the order they were made) each take their strip.
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const auto id = static_cast<UINT>(::GetDlgCtrlID(child));
    if (id == idLeftOver) {
      leftOver = child;
    } else if (id >= idFirst && id <= idLast && FromHandlePermanent(child)) {
      ::SendMessageA(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
  }
  if (clientRect) *clientRect = layout.rect;
  if (leftOver)
    ::MoveWindow(leftOver, layout.rect.left, layout.rect.top, std::max(0, static_cast<int>(layout.rect.right - layout.rect.left)),
                 std::max(0, static_cast<int>(layout.rect.bottom - layout.rect.top)), TRUE);
}

CControlBar::~CControlBar() {
  if (m_pDockBar) m_pDockBar->RemoveControlBar(this);
  if (m_pDockSite && m_pDockSite->m_hWnd) m_pDockSite->RemoveControlBar(this);
}

int CControlBar::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  return 0;
}

BOOL CControlBar::CreateBar(const char* className, DWORD windowStyle, DWORD barStyle, CWnd* parent, UINT id) {
  m_dwStyle = barStyle & CBRS_ALIGN_ANY ? barStyle : (barStyle | CBRS_TOP);
  // The bar's own styles never reach the window.
  const DWORD style = (windowStyle & ~0xFFFFu) | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (!CWnd::CreateEx(0, className, nullptr, style, 0, 0, 0, 0, parent ? parent->m_hWnd : nullptr,
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
    return FALSE;
  if (parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    m_pDockSite = static_cast<CFrameWnd*>(parent);
    m_pDockSite->AddControlBar(this);
  }
  return TRUE;
}

CSize CControlBar::CalcFixedLayout(BOOL, BOOL horizontal) {
  RECT r;
  ::GetWindowRect(m_hWnd, &r);
  return horizontal ? CSize(32767, r.bottom - r.top) : CSize(r.right - r.left, 32767);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  // The bar's own visibility: a frame not yet shown still lays out its bars.
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  const bool horizontal = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
  CSize size = CalcFixedLayout(layout->bStretch, horizontal);
  CRect place(layout->rect);
  if (m_dwStyle & CBRS_ALIGN_TOP) {
    size.cy = std::min<int>(size.cy, place.Height());
    place.bottom = place.top + size.cy;
    layout->rect.top += size.cy;
  } else if (m_dwStyle & CBRS_ALIGN_BOTTOM) {
    size.cy = std::min<int>(size.cy, place.Height());
    place.top = place.bottom - size.cy;
    layout->rect.bottom -= size.cy;
  } else if (m_dwStyle & CBRS_ALIGN_LEFT) {
    size.cx = std::min<int>(size.cx, place.Width());
    place.right = place.left + size.cx;
    layout->rect.left += size.cx;
  } else if (m_dwStyle & CBRS_ALIGN_RIGHT) {
    size.cx = std::min<int>(size.cx, place.Width());
    place.left = place.right - size.cx;
    layout->rect.right -= size.cx;
  } else {
    return 0;
  }
  ::MoveWindow(m_hWnd, place.left, place.top, place.Width(), place.Height(), TRUE);
  layout->sizeTotal.cx += horizontal ? 0 : size.cx;
  layout->sizeTotal.cy += horizontal ? size.cy : 0;
  return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  // The frame the bar is docked in routes the commands (an MDI frame through
  // its active document frame first).
  CFrameWnd* target = m_pDockSite ? m_pDockSite : GetParentFrame();
  if (target) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
  return 0;
}

namespace {

// Enables and checks a tool-bar button.
class CToolCmdUI : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    m_bEnableChanged = TRUE;
    m_pOther->SendMessage(TB_ENABLEBUTTON, m_nID, on);
  }
  void SetCheck(int check) override { m_pOther->SendMessage(TB_CHECKBUTTON, m_nID, check != 0); }
  void SetText(const char*) override {}
};

// Sets a status-bar pane's text and enabled look.
class CStatusCmdUI : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    m_bEnableChanged = TRUE;
    auto* bar = static_cast<CStatusBar*>(m_pOther);
    UINT id, style;
    int width;
    bar->GetPaneInfo(static_cast<int>(m_nIndex), id, style, width);
    const UINT changed = on ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED);
    if (changed != style) bar->SetPaneInfo(static_cast<int>(m_nIndex), id, changed, width);
  }
  void SetCheck(int check) override {
    auto* bar = static_cast<CStatusBar*>(m_pOther);
    UINT id, style;
    int width;
    bar->GetPaneInfo(static_cast<int>(m_nIndex), id, style, width);
    bar->SetPaneInfo(static_cast<int>(m_nIndex), id, check ? (style | SBPS_POPOUT) : (style & ~SBPS_POPOUT), width);
  }
  void SetText(const char* text) override {
    static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), text);
  }
};

}  // namespace

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id) { return CreateEx(parent, TBSTYLE_FLAT, style, CRect(), id); }

BOOL CToolBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, CRect, UINT id) {
  if (!CreateBar("ToolbarWindow32", (style & 0xFFFF0000u) | ctrlStyle, style & 0xFFFF, parent, id)) return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  SetSizes(m_sizeButton, m_sizeImage);
  return TRUE;
}

void CToolBar::SetSizes(SIZE button, SIZE image) {
  m_sizeButton = button;
  m_sizeImage = image;
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(static_cast<WORD>(image.cx), static_cast<WORD>(image.cy)));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(static_cast<WORD>(button.cx), static_cast<WORD>(button.cy)));
}

BOOL CToolBar::LoadToolBar(UINT id) {
  // The resource: version 1, image width, height, item count, then the ids.
  HINSTANCE module = AfxGetResourceHandle();
  const auto name = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(id));
  HRSRC found = ::FindResourceA(module, name, reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(241)));
  if (!found) return FALSE;
  const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
  const DWORD size = ::SizeofResource(module, found);
  if (!data) return FALSE;
  ByteReader reader(data, size);
  const WORD version = reader.U16(), width = reader.U16(), height = reader.U16(), count = reader.U16();
  std::vector<UINT> ids(count);
  for (UINT& item : ids) item = reader.U16();
  if (!reader.ok() || version != 1) return FALSE;
  SetSizes(CSize(width + 7, height + 7), CSize(width, height));
  if (!LoadBitmap(id)) return FALSE;
  return SetButtons(ids.data(), static_cast<int>(ids.size()));
}

BOOL CToolBar::LoadBitmap(UINT id) {
  HBITMAP bitmap = ::LoadBitmapA(AfxGetResourceHandle(), reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(id)));
  return bitmap ? SetBitmap(bitmap) : FALSE;
}

BOOL CToolBar::SetBitmap(HBITMAP bitmap) {
  BITMAP info{};
  ::GetObjectA(bitmap, sizeof info, &info);
  TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(bitmap)};
  const int images = m_sizeImage.cx > 0 ? info.bmWidth / m_sizeImage.cx : 0;
  return SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&add)) != -1;
}

BOOL CToolBar::SetButtons(const UINT* ids, int count) {
  while (SendMessage(TB_BUTTONCOUNT) > 0) SendMessage(TB_DELETEBUTTON, 0);
  m_ids.assign(ids, ids + count);
  m_upright = false;
  int image = 0;
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    if (ids[i] == ID_SEPARATOR) {
      button.iBitmap = 8;
      button.fsStyle = TBSTYLE_SEP;
    } else {
      button.iBitmap = image++;
      button.idCommand = static_cast<int>(ids[i]);
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = TBSTYLE_BUTTON;
    }
    if (!SendMessage(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button))) return FALSE;
  }
  m_nCount = static_cast<UINT>(count);
  return TRUE;
}

int CToolBar::CommandToIndex(UINT id) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, id)); }

UINT CToolBar::GetItemID(int index) const {
  return index >= 0 && index < static_cast<int>(m_ids.size()) ? m_ids[static_cast<size_t>(index)] : 0;
}

void CToolBar::GetItemRect(int index, LPRECT rect) const {
  SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
}

// Across, the buttons stand in one row; on a side, each ends its row (a
// column), and separators, which would leave a button-high gap, are hidden.
void CToolBar::StandButtons(bool upright) {
  if (upright == m_upright) return;
  m_upright = upright;
  const int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
  for (int i = 0; i < count; ++i) {
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_BYINDEX | TBIF_STATE | TBIF_STYLE;
    if (SendMessage(TB_GETBUTTONINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info)) < 0) continue;
    BYTE state = static_cast<BYTE>(info.fsState & ~(TBSTATE_WRAP | TBSTATE_HIDDEN));
    if (upright) state |= (info.fsStyle & TBSTYLE_SEP) ? TBSTATE_HIDDEN : TBSTATE_WRAP;
    info.dwMask = TBIF_BYINDEX | TBIF_STATE;
    info.fsState = state;
    SendMessage(TB_SETBUTTONINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
  }
}

CSize CToolBar::CalcFixedLayout(BOOL stretch, BOOL horizontal) {
  // One row of buttons with a border above and below; unstretched, as long
  // as its buttons (a column of them on a side).
  const int height = m_sizeButton.cy + 6;
  if (stretch || !m_hWnd) return horizontal ? CSize(32767, height) : CSize(m_sizeButton.cx + 6, 32767);
  StandButtons(!horizontal);
  int length = 0;
  const int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
      length += horizontal ? r.right - r.left : r.bottom - r.top;
  }
  length += horizontal ? 4 : 6;
  return horizontal ? CSize(length, height) : CSize(m_sizeButton.cx + 6, length);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  CToolCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(m_ids.size());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = m_ids[state.m_nIndex];
    if (state.m_nID == ID_SEPARATOR) continue;
    state.DoUpdate(target, disableIfNoHandler);
  }
  UpdateDialogControls(target, disableIfNoHandler);
}

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_GETTEXT, OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
  ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
  return CreateBar("msctls_statusbar32", style & 0xFFFF0000u, (style & 0xFFFF) | CBRS_ALIGN_BOTTOM, parent, id);
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
  m_panes.clear();
  CClientDC dc(this);
  CFont* font = GetFont();
  CGdiObject* old = font ? dc.SelectObject(static_cast<CGdiObject*>(font)) : nullptr;
  for (int i = 0; i < count; ++i) {
    Pane pane{ids[i], SBPS_NORMAL, 0, CString()};
    if (ids[i] == ID_SEPARATOR) {
      pane.style = SBPS_STRETCH | SBPS_NOBORDERS;
    } else {
      pane.text.LoadString(ids[i]);
      pane.width = dc.GetTextExtent(pane.text).cx + 8;
    }
    m_panes.push_back(pane);
  }
  if (old) dc.SelectObject(old);
  m_nCount = static_cast<UINT>(count);
  UpdateParts();
  return TRUE;
}

void CStatusBar::UpdateParts() {
  if (!m_hWnd || m_panes.empty()) return;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  // Fixed panes from the right edge; the stretching one takes the rest.
  int fixed = 0;
  for (const Pane& p : m_panes)
    if (!(p.style & SBPS_STRETCH)) fixed += p.width + 2;
  const int stretch = std::max(0, static_cast<int>(client.right) - fixed - 2);
  std::vector<int> edges;
  int x = 0;
  for (const Pane& p : m_panes) {
    x += (p.style & SBPS_STRETCH) ? stretch : p.width + 2;
    edges.push_back(x);
  }
  edges.back() = -1;
  SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (size_t i = 0; i < m_panes.size(); ++i) SendPaneText(static_cast<int>(i));
}

void CStatusBar::SendPaneText(int index) {
  const Pane& pane = m_panes[static_cast<size_t>(index)];
  // An owner-drawn pane is drawn by the bar's owner from its item data (the
  // pane's index here); the control keeps no text for it.
  if (pane.style & SBPS_OWNERDRAW) {
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(index) | SBT_OWNERDRAW, static_cast<LPARAM>(index));
    return;
  }
  const UINT type = (pane.style & SBPS_NOBORDERS) ? SBT_NOBORDERS : (pane.style & SBPS_POPOUT) ? SBT_POPOUT : 0;
  SendMessage(SB_SETTEXTA, static_cast<WPARAM>(index) | type,
              reinterpret_cast<LPARAM>((pane.style & SBPS_DISABLED) ? "" : pane.text.GetString()));
}

void CStatusBar::OnSize(UINT type, int cx, int cy) {
  Default();
  UpdateParts();
  (void)type;
  (void)cx;
  (void)cy;
}

BOOL CStatusBar::SetPaneText(int index, const char* text, BOOL) {
  if (index < 0 || index >= static_cast<int>(m_panes.size())) return FALSE;
  Pane& pane = m_panes[static_cast<size_t>(index)];
  if (pane.text == CString(text)) return TRUE;
  pane.text = text;
  SendPaneText(index);
  return TRUE;
}

CString CStatusBar::GetPaneText(int index) const {
  return index >= 0 && index < static_cast<int>(m_panes.size()) ? m_panes[static_cast<size_t>(index)].text : CString();
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width) {
  if (index < 0 || index >= static_cast<int>(m_panes.size())) return;
  Pane& pane = m_panes[static_cast<size_t>(index)];
  pane.id = id;
  pane.style = style;
  pane.width = width;
  UpdateParts();
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const {
  const Pane& pane = m_panes.at(static_cast<size_t>(index));
  id = pane.id;
  style = pane.style;
  width = pane.width;
}

int CStatusBar::CommandToIndex(UINT id) const {
  for (size_t i = 0; i < m_panes.size(); ++i)
    if (m_panes[i].id == id) return static_cast<int>(i);
  return -1;
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL horizontal) {
  CClientDC dc(this);
  TEXTMETRICA tm{};
  dc.GetTextMetrics(&tm);
  const int height = std::max(20, static_cast<int>(tm.tmHeight) + 8);
  return horizontal ? CSize(32767, height) : CSize(height, 32767);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  // The window's text is the message pane's (pane 0).
  const int message = CommandToIndex(ID_SEPARATOR);
  SetPaneText(message >= 0 ? message : 0, reinterpret_cast<const char*>(lParam));
  return TRUE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  const int message = CommandToIndex(ID_SEPARATOR);
  const CString text = GetPaneText(message >= 0 ? message : 0);
  auto* out = reinterpret_cast<char*>(lParam);
  if (!out || wParam == 0) return 0;
  const size_t n = std::min<size_t>(wParam - 1, static_cast<size_t>(text.GetLength()));
  std::copy_n(text.GetString(), n, out);
  out[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
  const int message = CommandToIndex(ID_SEPARATOR);
  return GetPaneText(message >= 0 ? message : 0).GetLength();
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  CStatusCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(m_panes.size());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = m_panes[state.m_nIndex].id;
    if (state.m_nID == ID_SEPARATOR) continue;
    // Indicators nobody handles stay as they are.
    state.DoUpdate(target, FALSE);
  }
  (void)disableIfNoHandler;
}

BOOL CDialogBar::Create(CWnd* parent, UINT templateId, UINT style, UINT id) {
  m_dwStyle = style & 0xFFFF;
  HWND bar = ::CreateDialogParamA(AfxGetResourceHandle(), reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(templateId)),
                                  parent ? parent->m_hWnd : nullptr, nullptr, 0);
  if (!bar) return FALSE;
  ::SetWindowLongPtrA(bar, GWLP_ID, static_cast<LONG_PTR>(id));
  SubclassWindow(bar);
  RECT r;
  ::GetWindowRect(bar, &r);
  m_sizeDefault = CSize(r.right - r.left, r.bottom - r.top);
  if (style & WS_VISIBLE) ShowWindow(SW_SHOWNOACTIVATE);
  if (parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    m_pDockSite = static_cast<CFrameWnd*>(parent);
    m_pDockSite->AddControlBar(this);
  }
  return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL stretch, BOOL horizontal) {
  if (!stretch) return m_sizeDefault;
  return horizontal ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  UpdateDialogControls(target, disableIfNoHandler);
}
