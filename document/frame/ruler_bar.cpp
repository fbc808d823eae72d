#include "document/frame/ruler_bar.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "document/core/rvo_doc.h"
#include "document/frame/doc_frame.h"
#include "document/frame/ruler_scale.h"
#include "document/layout/quarter_turn.h"
#include "document/layout_shell.h"
#include "fields/services/design_view.h"
#include "platform/gdi/gdi_owners.h"

namespace {

constexpr UINT kFitInFrameCommand = 57808;
constexpr UINT kRefreshCommand = 57717;
constexpr int kCursorStrip = 4;  // half the width of the strip repainted around a cursor line
constexpr int kMaxRulerOffset = 3100;

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

int TextWidth(HDC dc, const char* text) {
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
  return size.cx;
}

}  // namespace

IMPLEMENT_DYNAMIC(CRulerBar, CControlBar)

BEGIN_MESSAGE_MAP(CRulerBar, CControlBar)
  ON_WM_PAINT()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_TIMER()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

CRulerBar::CRulerBar(RulerKind kind) : orientation_(kind) {}

CRulerBar::~CRulerBar() = default;

BOOL CRulerBar::Create(CFrameWnd* parent, DWORD style, UINT id) {
  parent_ = parent;
  const char* cls = AfxRegisterWndClass(0, LoadCursorA(nullptr, IDC_ARROW),
                                        reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  if (!CreateBar(cls, style | WS_CLIPSIBLINGS, style & 0x40FFFF, parent, id)) return FALSE;
  // Where the frame lays it out is the frame's business; this is the size
  // it has until then.
  ::MoveWindow(m_hWnd, 0, 0, 128, 40, FALSE);
  return TRUE;
}

CFrameWnd* CRulerBar::Frame() const { return parent_; }

IDesignView* CRulerBar::ActiveDesignView() const {
  CFrameWnd* frame = Frame();
  return frame ? dynamic_cast<IDesignView*>(frame->GetActiveView()) : nullptr;
}

int CRulerBar::ExtraWidth() const {
  CFrameWnd* frame = Frame();
  return frame && frame->m_hWnd && frame->IsZoomed() ? 4 : 0;
}

CSize CRulerBar::CalcFixedLayout(BOOL, BOOL) {
  extraWidth = ExtraWidth();
  switch (orientation_) {
    case RulerKind::kHorizontal: return CSize(320000, thickness);
    case RulerKind::kVertical: return CSize(thickness + extraWidth, 320000);
    case RulerKind::kCorner: break;
  }
  return CSize(thickness + extraWidth, thickness);
}

void CRulerBar::ResetScale() {
  zoomX = zoomY = kRulerZoomUnknown;
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CRulerBar::SetCursorLine(int position) {
  if (position == cursorLine) return;
  const int old = cursorLine;
  cursorLine = position;
  if (!m_hWnd) return;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const POINT offsets = LayoutShell()->RulerOffsets();
  for (int p : {old, position}) {
    RECT strip = client;
    if (orientation_ == RulerKind::kHorizontal) {
      strip.left = p + offsets.x - kCursorStrip;
      strip.right = p + offsets.x + kCursorStrip;
    } else {
      strip.top = p + offsets.y - kCursorStrip;
      strip.bottom = p + offsets.y + kCursorStrip;
    }
    ::InvalidateRect(m_hWnd, &strip, FALSE);
  }
  ::UpdateWindow(m_hWnd);
}

void CRulerBar::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  Paint(dc);
  ::EndPaint(m_hWnd, &ps);
}

void CRulerBar::Paint(HDC dc) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const POINT offsets = LayoutShell()->RulerOffsets();
  if (offsets.x > kMaxRulerOffset) return;
  extraWidth = ExtraWidth();
  if (!document && Frame()) {
    if (CView* view = Frame()->GetActiveView()) document = dynamic_cast<CRvoDoc*>(view->GetDocument());
  }
  int separatorBottom = 0;
  if (orientation_ == RulerKind::kCorner) {
    DrawCorner(dc, client);
    separatorBottom = thickness + 3;
  } else {
    const bool horizontal = orientation_ == RulerKind::kHorizontal;
    int& zoom = horizontal ? zoomX : zoomY;
    if (zoom < 1) {
      if (IDesignView* view = ActiveDesignView()) {
        zoom = horizontal ? view->ZoomX() : view->ZoomY();
        const POINT origin = view->GetScrollOrigin();
        scrollPosition = horizontal ? origin.x : origin.y;
      }
    }
    if (zoom > 0) DrawScale(dc, client, horizontal);
    if (!horizontal && Frame()) {
      RECT frameClient;
      ::GetClientRect(Frame()->m_hWnd, &frameClient);
      separatorBottom = frameClient.bottom;
    }
  }
  if (extraWidth > 0 && orientation_ != RulerKind::kHorizontal) {
    UniquePen grey(CreatePen(PS_SOLID, 1, kRulerSeparatorColour));
    UniquePen white(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    {
      SelectScope select(dc, grey.get());
      Line(dc, extraWidth - 2, 0, extraWidth - 2, separatorBottom);
    }
    SelectScope select(dc, white.get());
    Line(dc, extraWidth - 1, 0, extraWidth - 1, separatorBottom);
  }
}

// A push button with the label's orientation: a label outline with a
// darker top edge and a corner mark, turned by the setup's quarter turns.
void CRulerBar::DrawCorner(HDC dc, const RECT& client) {
  const POINT offsets = LayoutShell()->RulerOffsets();
  RECT button{4, 2, thickness + extraWidth + offsets.x - 3, thickness + offsets.y - 3};
  if (button.right <= button.left || button.bottom <= button.top) return;
  DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH);
  const int turns = document ? document->labelSetup.deflt_rotation % 4 : 0;
  const int cx = (button.left + button.right) / 2, cy = (button.top + button.bottom) / 2;
  const int half = std::max(2, std::min(button.right - button.left, button.bottom - button.top) / 2 - 4);
  // The label upright is wider than high; a quarter turn stands it up.
  const bool upright = turns % 2 == 0;
  const int hw = upright ? half : half * 2 / 3, hh = upright ? half * 2 / 3 : half;
  RECT label{cx - hw, cy - hh, cx + hw + 1, cy + hh + 1};
  FillRect(dc, &label, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FrameRect(dc, &label, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  // The edge that is the label's top: top, left, bottom, right as it turns
  // counter-clockwise.
  RECT edge = label;
  switch (turns) {
    case 0: edge.bottom = edge.top + 2; break;
    case 1: edge.right = edge.left + 2; break;
    case 2: edge.top = edge.bottom - 2; break;
    default: edge.left = edge.right - 2; break;
  }
  UniqueBrush mark(CreateSolidBrush(RGB(0, 0, 160)));
  FillRect(dc, &edge, mark.get());
  (void)client;
}

void CRulerBar::DrawScale(HDC dc, const RECT& client, bool horizontal) {
  CFrameWnd* frame = Frame();
  RECT frameClient{0, 0, 0, 0};
  if (frame && frame->m_hWnd) ::GetClientRect(frame->m_hWnd, &frameClient);
  const POINT offsets = LayoutShell()->RulerOffsets();
  RECT strip = client;
  if (horizontal) {
    strip.right = frameClient.right + 50;
    strip.left += offsets.x;
  } else {
    strip.bottom = frameClient.bottom + 50;
    strip.top += offsets.y;
  }
  FillRect(dc, &strip, LayoutShell()->RulerBackgroundBrush());
  SelectScope font(dc, GetStockObject(ANSI_VAR_FONT));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const int units = document ? document->labelSetup.DefaultUnits : 1;
  const int zoom = horizontal ? zoomX : zoomY;
  const int extra = horizontal ? 0 : extraWidth;
  const int majorStart = horizontal ? 4 : extraWidth;
  const int halfStart = thickness * 2 / 5 + extra;
  const int minorStart = thickness * 2 / 3 + extra;
  const int start = horizontal ? strip.left : strip.top;
  const int length = horizontal ? strip.right - strip.left : strip.bottom - strip.top;
  const int far = horizontal ? client.bottom : client.right;
  bool unitShown = false;
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  for (const RulerTick& t : ComputeRulerTicks(zoom, units, scrollPosition, start, length)) {
    const int from = t.kind == RulerTickKind::kMajor ? majorStart : t.kind == RulerTickKind::kHalf ? halfStart
                                                                                                     : minorStart;
    if (horizontal) Line(dc, t.position, from, t.position, far);
    else Line(dc, from, t.position, far, t.position);
    if (t.kind != RulerTickKind::kMajor) continue;
    char number[16];
    std::snprintf(number, sizeof number, "%d", t.number);
    const int digits = static_cast<int>(std::strlen(number));
    if (horizontal) {
      TextOutA(dc, t.position - 2 - TextWidth(dc, number), 1, number, digits);
      if (!unitShown && document) {
        unitShown = true;
        const char* name = RulerUnitName(units);
        if (RulerUnitNameFits(zoom, units, TextWidth(dc, name)))
          TextOutA(dc, t.position + 2, 1, name, static_cast<int>(std::strlen(name)));
      }
    } else {
      const int x = digits == 1 ? extraWidth + 3 : digits == 2 ? extraWidth + 1 : extraWidth;
      TextOutA(dc, x, t.position - tm.tmHeight - 2, number, digits);
    }
  }
  if (horizontal) Line(dc, strip.left, client.bottom - 1, strip.right, client.bottom - 1);
  else Line(dc, client.right - 1, strip.top, client.right - 1, strip.bottom);
  if (cursorLine > 0) {
    UniquePen pen(CreatePen(PS_SOLID, 1, kRulerCursorColour));
    SelectScope select(dc, pen.get());
    if (horizontal) Line(dc, cursorLine + offsets.x, client.top + 1, cursorLine + offsets.x, client.bottom - 1);
    else Line(dc, client.left + 1, cursorLine + offsets.y, client.right - 1, cursorLine + offsets.y);
  }
  SetBkMode(dc, oldMode);
}

void CRulerBar::OnMouseMove(UINT flags, CPoint point) {
  CControlBar::OnMouseMove(flags, point);
  auto* frame = dynamic_cast<CDocFrmWnd*>(Frame());
  const POINT offsets = LayoutShell()->RulerOffsets();
  switch (orientation_) {
    case RulerKind::kHorizontal:
      if (frame) frame->SetRulerCursorLines(point.x - offsets.x, 0);
      LayoutShell()->SetCursorPosPane(0, 0, -100);
      break;
    case RulerKind::kVertical:
      if (frame) frame->SetRulerCursorLines(0, point.y - offsets.y);
      LayoutShell()->SetCursorPosPane(0, 0, -100);
      break;
    case RulerKind::kCorner: {
      if (frame) frame->SetRulerCursorLines(0, 0);
      LayoutShell()->SetCursorPosPane(0, 0, -1);
      if (!(flags & MK_LBUTTON)) {
        RECT window;
        ::GetWindowRect(m_hWnd, &window);
        POINT screen = point;
        ::ClientToScreen(m_hWnd, &screen);
        if (!::PtInRect(&window, screen)) {
          StopHover();
        } else if (hoverTimer < 0) {
          ::SetCapture(m_hWnd);
          hoverTimer = static_cast<int>(::SetTimer(m_hWnd, kRulerHoverTimer, kRulerHoverMs, nullptr));
        }
      }
      break;
    }
  }
  if (::GetCapture() == m_hWnd) ::UpdateWindow(m_hWnd);
}

void CRulerBar::OnTimer(UINT_PTR id) {
  if (hoverTimer < 0 || id != kRulerHoverTimer) return;
  RECT window;
  ::GetWindowRect(m_hWnd, &window);
  if (tipShown) {
    POINT cursor;
    ::GetCursorPos(&cursor);
    if (!::PtInRect(&window, cursor)) StopHover();
    return;
  }
  tipShown = true;
  if (tipText.IsEmpty()) tipText = LayoutShell()->TranslateUiString("Barcode Layout Rotation");
  LayoutShell()->ShowMessagePane(tipText.GetData(), window);
}

void CRulerBar::StopHover() {
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (tipShown) LayoutShell()->HideMessagePane();
  tipShown = false;
  if (hoverTimer >= 0) ::KillTimer(m_hWnd, kRulerHoverTimer);
  hoverTimer = -1;
}

void CRulerBar::OnLButtonDown(UINT flags, CPoint point) {
  CControlBar::OnLButtonDown(flags, point);
  if (orientation_ != RulerKind::kCorner) return;
  ::SetCapture(m_hWnd);
  OnMouseMove(flags | MK_LBUTTON, point);
}

void CRulerBar::OnLButtonUp(UINT flags, CPoint point) {
  CControlBar::OnLButtonUp(flags, point);
  if (orientation_ != RulerKind::kCorner || ::GetCapture() != m_hWnd) return;
  ::ReleaseCapture();
  TurnLayout();
}

// The corner's click: the whole layout a quarter turn further. The labels
// per row stay as they are, and the document becomes modified.
void CRulerBar::TurnLayout() {
  if (!document && Frame()) {
    if (CView* view = Frame()->GetActiveView()) document = dynamic_cast<CRvoDoc*>(view->GetDocument());
  }
  if (!document) return;
  CLabelSetup& setup = document->labelSetup;
  setup.deflt_rotation = static_cast<uint8_t>((setup.deflt_rotation + 1) % 4);
  RotateLayoutQuarterTurn(document->fieldList, setup);
  document->SetModifiedFlag(TRUE);
  if (auto* frame = dynamic_cast<CDocFrmWnd*>(Frame())) frame->UpdateTitleModifiedMark(true);
  if (CFrameWnd* frame = Frame()) {
    if (CView* view = frame->GetActiveView()) {
      ::PostMessageA(view->m_hWnd, WM_COMMAND, kFitInFrameCommand, 0);
      ::PostMessageA(view->m_hWnd, WM_COMMAND, kRefreshCommand, 0);
    }
  }
  ::InvalidateRect(m_hWnd, nullptr, TRUE);
  LayoutShell()->SetLabelSizePane(setup.labelWidth, setup.labelHeight, setup.DefaultUnits);
}

void CRulerBar::OnSysColorChange() { ::InvalidateRect(m_hWnd, nullptr, TRUE); }

void CRulerBar::OnWindowPosChanging(WINDOWPOS* pos) {
  CControlBar::OnWindowPosChanging(pos);
  if (!pos || (pos->flags & SWP_NOSIZE)) return;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  // The bottom corners of the old and the new width.
  for (int x : {static_cast<int>(client.right), pos->cx}) {
    RECT strip{x - 2, client.bottom - 6, x, client.bottom};
    ::InvalidateRect(m_hWnd, &strip, TRUE);
  }
}
