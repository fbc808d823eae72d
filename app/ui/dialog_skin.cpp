// The dialog skin: translated texts, skinned controls, group boxes, and the
// caption bar with its close button in languages other than English.
#include "app/ui/dialog_skin.h"

#include <algorithm>
#include <atomic>
#include <strings.h>

#include "app/ui/ui_language.h"
#include "app/ui/ui_text_draw.h"
#include "foundation/codepage/codepage.h"

namespace {

std::atomic<bool> quitRequest{false};

// The skins of the open dialogs, pages and sheets of the calling thread: a
// quit request reaches each of them at once, whatever loop runs it. Each
// thread with windows (the print thread has its status window) keeps its
// own list, so no list is shared between threads.
std::vector<CDialogSkin*>& OpenSkins() {
  static thread_local std::vector<CDialogSkin*> skins;
  return skins;
}

constexpr COLORREF kCaptionActive = 0x00C62D38;
constexpr COLORREF kCaptionInactive = 0x004E919C;

// Low words of the button and static styles the skin looks at.
constexpr UINT kGroupBox = 7;
constexpr UINT kOwnerDrawOrSimple = 11;  // BS_OWNERDRAW for buttons, SS_SIMPLE for statics
constexpr UINT kNoPrefix = 0x80;         // SS_NOPREFIX

bool ClassIs(HWND window, const char* name) {
  char className[81] = {};
  GetClassNameA(window, className, sizeof className);
  return strcasecmp(className, name) == 0;
}

// Every child of a window in window order.
template <class F>
void ForEachChild(HWND owner, F&& f) {
  HWND first = GetWindow(owner, GW_CHILD);
  for (HWND child = first; child;) {
    f(child);
    child = GetWindow(child, GW_HWNDNEXT);
    if (child == first) break;
  }
}

// The text of a window through UTF-16, in the interface's code page.
AString WindowTextOf(HWND window) {
  char16_t wide[1024] = {};
  const int n = GetWindowTextW(window, reinterpret_cast<LPWSTR>(wide), 1024);
  if (n <= 0) return AString();
  AString in(n * 2, reinterpret_cast<const char*>(wide));
  in.SetWide(true);
  AString out;
  WideToMultiByte(in, &out, UiCodePage());
  return out;
}

void SetWindowUiText(HWND window, const AString& text) {
  const std::u16string wide = UiTextToWide(text);
  SetWindowTextW(window, reinterpret_cast<LPCWSTR>(wide.c_str()));
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

}  // namespace

void SetDialogQuitRequest(bool requested) {
  quitRequest = requested;
  if (!requested) return;
  for (CDialogSkin* skin : OpenSkins()) skin->TakeQuitRequest();
}

void CDialogSkin::TakeQuitRequest() {
  // Each dialog takes the request once.
  if (quitTaken_ || !owner_ || !owner_->m_hWnd || pageFlag_) return;
  quitTaken_ = true;
  owner_->PostMessage(WM_COMMAND, IDCANCEL, 0);
}
bool DialogQuitRequest() { return quitRequest; }

void GetDlgItemString(HWND window, int id, AString& out) {
  HWND item = GetDlgItem(window, id);
  out = item ? WindowTextOf(item) : AString();
}

CDialogSkin::~CDialogSkin() {
  Detach();
  std::erase(OpenSkins(), this);
}

bool CDialogSkin::Skinned() const { return !IsEnglishUi() || dialogId_ == kAlwaysSkinnedDialog; }
bool CDialogSkin::PaintsCaption() const { return !IsEnglishUi() || !captionKey_.IsEmpty(); }

int CDialogSkin::Attach(CWnd* owner, int dialogId) {
  owner_ = owner;
  dialogId_ = dialogId;
  if (std::find(OpenSkins().begin(), OpenSkins().end(), this) == OpenSkins().end()) OpenSkins().push_back(this);
  TranslateCaption();
  paintCallback_ = nullptr;
  if (!Skinned() || !owner_) return 1;
  ForEachChild(owner_->m_hWnd, [this](HWND child) {
    const bool isButton = ClassIs(child, "Button");
    const bool isStatic = ClassIs(child, "Static");
    const DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE));
    const UINT low = style & 0xFFFF;
    const bool takesPart = isButton || (isStatic && (low == SS_LEFT || low == SS_CENTER || low == SS_RIGHT ||
                                                      low == kOwnerDrawOrSimple));
    if (!takesPart) return;
    // Group boxes are drawn by Paint, titled or not; a skinned control would
    // draw one as a push button.
    if (isButton && low == kGroupBox) return;
    if (low == kOwnerDrawOrSimple || (isStatic && (style & kNoPrefix)) || (exStyle & WS_EX_ACCEPTFILES)) return;
    auto control = std::make_unique<CSkinCtrl>();
    control->SetNotifyWindow(owner_);
    if (control->SubclassControl(child)) skinned_.emplace(child, std::move(control));
  });
  return 1;
}

void CDialogSkin::Detach() {
  std::erase(OpenSkins(), this);
  // The controls' windows outlive the skin (they go with the dialog): give
  // them back their own procedure before the objects go.
  for (auto& [window, control] : skinned_) {
    if (control->m_hWnd && ::IsWindow(control->m_hWnd)) control->UnsubclassWindow();
  }
  skinned_.clear();
}

CSkinCtrl* CDialogSkin::SkinOf(HWND control) const {
  const auto found = skinned_.find(control);
  return found == skinned_.end() ? nullptr : found->second.get();
}

void CDialogSkin::TranslateCaption() {
  if (!owner_ || !owner_->m_hWnd) return;
  if (!IsEnglishUi()) {
    AString key = captionKey_;
    if (key.IsEmpty()) key = WindowTextOf(owner_->m_hWnd);
    AString value;
    if (!ReadUiString(key.GetData(), value)) value = key;
    if (!value.IsEmpty()) {
      // The skin draws the caption in the language's code page. The window
      // keeps it too, stored as UTF-16 past the ANSI window procedure (which
      // would lose it), for a desktop's window manager that frames
      // top-level windows itself.
      captionText_ = value;
      const std::u16string wide = UiTextToWide(value);
      ::DefWindowProcW(owner_->m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
  } else if (!captionKey_.IsEmpty()) {
    owner_->SetWindowText(captionKey_.GetData());
    captionText_ = captionKey_;
  }
}

void CDialogSkin::Paint(HDC dc) {
  if (paintCallback_) paintCallback_(dc, owner_);
  if (!Skinned() || !owner_) return;
  const HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  const int oldMode = GetBkMode(dc);
  ForEachChild(owner_->m_hWnd, [](HWND child) {
    if (!IsWindowVisible(child) || !ClassIs(child, "Button")) return;
    const UINT low = static_cast<UINT>(GetWindowLongA(child, GWL_STYLE)) & 0xFFFF;
    if (low == 2 || low == 3 || low == 4 || low == 5 || low == 6 || low == 9) UpdateWindow(child);
  });
  PaintGroupBoxes(dc);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

void CDialogSkin::PaintGroupBoxes(HDC dc) {
  ForEachChild(owner_->m_hWnd, [this, dc](HWND child) {
    if (!ClassIs(child, "Button")) return;
    if ((static_cast<UINT>(GetWindowLongA(child, GWL_STYLE)) & 0xFFFF) != kGroupBox) return;
    AString title = WindowTextOf(child);
    if (!IsEnglishUi()) title = TranslateUiString(title.GetData());
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, owner_->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    if (!IsWindowVisible(child) || title.IsEmpty()) return;
    SIZE extent;
    {
      UiTextScope scope(dc, UiFont());
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      extent = MeasureUiText(dc, title);
      DrawUiText(dc, r.left + 8, r.top, title);
    }
    const int y = r.top + extent.cy / 2;
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HPEN highlight = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    const HGDIOBJ oldPen = SelectObject(dc, shadow);
    const int gap = r.left + extent.cx + 12;
    DrawLine(dc, r.left, r.bottom - 2, r.left, y);
    LineTo(dc, r.left + 7, y);
    DrawLine(dc, gap, y, r.right - 2, y);
    LineTo(dc, r.right - 2, r.bottom - 2);
    LineTo(dc, r.left, r.bottom - 2);
    SelectObject(dc, highlight);
    DrawLine(dc, r.left + 1, r.bottom - 2, r.left + 1, y + 1);
    LineTo(dc, r.left + 7, y + 1);
    DrawLine(dc, gap, y + 1, r.right - 3, y + 1);
    DrawLine(dc, r.right - 1, y + 1, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left + 1, r.bottom - 1);
    SelectObject(dc, oldPen);
    DeleteObject(shadow);
    DeleteObject(highlight);
    // The box must not paint its own frame over this.
    ValidateRect(child, nullptr);
    UpdateWindow(child);
  });
}

void CDialogSkin::ComputeCloseRect() {
  RECT window;
  GetWindowRect(owner_->m_hWnd, &window);
  const int w = window.right - window.left;
  const int b = GetSystemMetrics(SM_CXBORDER);
  const int size = GetSystemMetrics(SM_CYSIZE);
  closeRect_ = RECT{w - size - 2, 4 * b + 1, w - 4 * b - 1, size + 1};
}

void CDialogSkin::DrawCloseButton(bool pushed) {
  HDC dc = GetWindowDC(owner_->m_hWnd);
  if (!dc) return;
  ComputeCloseRect();
  DrawFrameControl(dc, &closeRect_, DFC_CAPTION, DFCS_CAPTIONCLOSE | (pushed ? DFCS_PUSHED : 0));
  ReleaseDC(owner_->m_hWnd, dc);
}

void CDialogSkin::PaintCaption() {
  if (!owner_ || !PaintsCaption()) return;
  ComputeCloseRect();
  if (!(owner_->GetStyle() & WS_CAPTION)) return;
  HDC dc = GetWindowDC(owner_->m_hWnd);
  if (!dc) return;
  RECT window;
  GetWindowRect(owner_->m_hWnd, &window);
  // The band in window coordinates: the whole caption between the frame's
  // edges and down to the client area, so none of the system's caption
  // shows beside it (fixed insets left a sliver of it on the left and top).
  POINT client{0, 0};
  ClientToScreen(owner_->m_hWnd, &client);
  const int frame = client.x - window.left;
  RECT band{frame, frame, (window.right - window.left) - frame, client.y - window.top};
  if (band.bottom - band.top < 4 || band.right <= band.left) {
    ReleaseDC(owner_->m_hWnd, dc);
    return;  // no caption of ours (a desktop's window manager draws it)
  }
  HBRUSH fill = CreateSolidBrush(captionActive_ ? kCaptionActive : kCaptionInactive);
  FillRect(dc, &band, fill);
  DeleteObject(fill);
  const int bandHeight = band.bottom - band.top;
  int textLeft = band.left;
  const auto icon = reinterpret_cast<HICON>(owner_->SendMessage(WM_GETICON, ICON_SMALL, 0));
  if (icon) {
    DrawIconEx(dc, band.left + 1, band.top, icon, bandHeight * 3 / 2, bandHeight - 2, 0, nullptr, DI_NORMAL);
    textLeft += 2 * bandHeight;
  }
  if (!captionText_.IsEmpty()) {
    UiTextScope scope(dc, UiMessageFont());
    SetTextColor(dc, RGB(255, 255, 255));
    const SIZE extent = MeasureUiText(dc, captionText_);
    DrawUiText(dc, textLeft + 8, band.top + 1 + std::max<int>(0, (bandHeight - 2 - extent.cy) / 2), captionText_);
  }
  DrawFrameControl(dc, &closeRect_, DFC_CAPTION, DFCS_CAPTIONCLOSE | (closePressed_ ? DFCS_PUSHED : 0));
  ReleaseDC(owner_->m_hWnd, dc);
}

int CDialogSkin::HitCloseButton(CPoint screenPoint) const {
  RECT window;
  GetWindowRect(owner_->m_hWnd, &window);
  const POINT p{screenPoint.x - window.left, screenPoint.y - window.top};
  return PtInRect(&closeRect_, p) ? 1 : 2;
}

int CDialogSkin::OnNcButtonDown(CPoint screenPoint) {
  if (!owner_ || !PaintsCaption()) return -1;
  ComputeCloseRect();
  if (HitCloseButton(screenPoint) != 1) return -1;
  DrawCloseButton(true);
  closeHover_ = 1;
  closePressed_ = 1;
  owner_->SetCapture();
  return 1;
}

int CDialogSkin::OnNcHitTest(CPoint screenPoint) {
  if (!owner_ || ::GetCapture() != owner_->m_hWnd) return -1;
  const int hit = HitCloseButton(screenPoint);
  if (hit == closeHover_) return -1;
  closeHover_ = hit;
  DrawCloseButton(closePressed_ == hit);
  return hit;
}

void CDialogSkin::OnButtonUp(CPoint clientPoint) {
  if (!owner_ || ::GetCapture() != owner_->m_hWnd) return;
  if (closePressed_) DrawCloseButton(false);
  POINT screen{clientPoint.x, clientPoint.y};
  ClientToScreen(owner_->m_hWnd, &screen);
  const bool onButton = closePressed_ && HitCloseButton(CPoint(screen.x, screen.y)) == 1;
  closePressed_ = 0;
  ReleaseCapture();
  if (onButton) owner_->SendMessage(WM_CLOSE);
}

void CDialogSkin::RefreshFocusLook() {
  for (auto& [window, control] : skinned_) {
    if (!control->IsStatic()) ::InvalidateRect(window, nullptr, FALSE);
  }
}

BOOL CDialogSkin::PreTranslateMessage(MSG* msg) {
  if (DialogQuitRequest()) TakeQuitRequest();
  if (msg->message == WM_KEYDOWN && refreshPending_ &&
      (msg->wParam == VK_TAB || msg->wParam == VK_UP || msg->wParam == VK_DOWN)) {
    refreshPending_ = 0;
    RefreshFocusLook();
  }
  return FALSE;
}

int CDialogSkin::SetDlgItemText(int id, const char* text, bool textAlreadySet) {
  if (!owner_) return 0;
  HWND item = GetDlgItem(owner_->m_hWnd, id);
  if (!item) return 0;
  const AString value(text ? text : "");
  CSkinCtrl* skin = SkinOf(item);
  // A skinned box keeps an empty window text: the system must not draw it.
  if (!textAlreadySet && !(skin && skin->IsCheckOrRadio())) SetWindowUiText(item, value);
  if (skin) skin->SetCaption(value);
  ::InvalidateRect(item, nullptr, TRUE);
  return 1;
}

void CDialogSkin::GetDlgItemString(int id, AString& out) const {
  out = AString();
  if (owner_) ::GetDlgItemString(owner_->m_hWnd, id, out);
}

int CDialogSkin::AlignControl(int id, int refId, const SIZE* size, double factor, bool keepOwnX) {
  if (!owner_) return 1;
  HWND control = GetDlgItem(owner_->m_hWnd, id);
  HWND reference = GetDlgItem(owner_->m_hWnd, refId);
  if (!control || !reference) return 1;
  RECT own;
  RECT ref;
  GetWindowRect(control, &own);
  GetWindowRect(reference, &ref);
  MapWindowPoints(nullptr, owner_->m_hWnd, reinterpret_cast<POINT*>(&own), 2);
  MapWindowPoints(nullptr, owner_->m_hWnd, reinterpret_cast<POINT*>(&ref), 2);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  int width = own.right - own.left;
  int height = own.bottom - own.top;
  if (size) {
    width = size->cx;
    height = size->cy;
  } else if (factor <= 0) {
    flags |= SWP_NOSIZE;
  } else {
    height *= static_cast<int>(factor);
  }
  moved_.push_back(MovedControl{control, own, width, height, flags});
  SetWindowPos(control, nullptr, keepOwnX ? own.left : ref.left, ref.top, width, height, flags);
  return 1;
}

void CDialogSkin::RestoreControls() {
  for (auto it = moved_.rbegin(); it != moved_.rend(); ++it) {
    const RECT& r = it->initial;
    SetWindowPos(it->window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  moved_.clear();
}

SkinPaintCallback CDialogSkin::SetPaintCallback(SkinPaintCallback callback) {
  const SkinPaintCallback old = paintCallback_;
  paintCallback_ = callback;
  return old;
}
