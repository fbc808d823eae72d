// Painting: update regions, the surfaces of top-level windows, window device
// contexts clipped to what of a window is visible, BeginPaint/EndPaint,
// invalidation and validation, RedrawWindow and ScrollWindowEx.
#include <algorithm>

#include "platform/display/display.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

using gdi::SpanRegion;

RECT ClientBox(const Window& w) {
  return RECT{0, 0, w.clientRect.right - w.clientRect.left, w.clientRect.bottom - w.clientRect.top};
}

// Surface coordinates of a screen rectangle of a window's tree.
RECT ToSurface(const Window& top, RECT screen) {
  OffsetRect(&screen, -top.windowRect.left, -top.windowRect.top);
  return screen;
}

void WakeOwner(const Window& w) { WakeThread(w.thread); }

bool NeedsPaint(const Window& w) { return !w.update.Empty() || w.framePending || w.internalPaint; }

HWND FindPainter(const Window& w, HWND filter, bool filterMatched) {
  if (!w.Visible()) return nullptr;
  const bool matched = filterMatched || !filter || w.handle == filter;
  if (matched && NeedsPaint(w)) return w.handle;
  for (const Window* c : w.children)
    if (HWND h = FindPainter(*c, filter, matched)) return h;
  return nullptr;
}

}  // namespace

void InvalidateWindow(Window& w, const SpanRegion* region, UINT flags) {
  if (w.desktop) return;
  const RECT box = ClientBox(w);
  SpanRegion area = SpanRegion::FromRect(box);
  if (region) area = SpanRegion::Combine(*region, area, RGN_AND);
  if (flags & RDW_INVALIDATE) {
    w.update = SpanRegion::Combine(w.update, area, RGN_OR);
    if ((flags & RDW_ERASE) && !area.Empty()) w.erasePending = true;
    const bool hasFrame = w.windowRect.left != w.clientRect.left || w.windowRect.top != w.clientRect.top ||
                          w.windowRect.right != w.clientRect.right || w.windowRect.bottom != w.clientRect.bottom;
    if ((flags & RDW_FRAME) && hasFrame) w.framePending = true;
    if (flags & RDW_INTERNALPAINT) w.internalPaint = true;
  }
  if (flags & RDW_VALIDATE) {
    w.update = SpanRegion::Combine(w.update, area, RGN_DIFF);
    if (w.update.Empty()) w.erasePending = false;
    if (flags & RDW_NOFRAME) w.framePending = false;
    if (flags & RDW_NOINTERNALPAINT) w.internalPaint = false;
  }
  if (flags & RDW_NOERASE) w.erasePending = false;
  const bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w.style & WS_CLIPCHILDREN));
  if (children) InvalidateChildren(w, region, flags);
  WakeOwner(w);
}

void InvalidateChildren(Window& w, const SpanRegion* region, UINT flags) {
  const RECT box = ClientBox(w);
  for (Window* c : w.children) {
    if (!c->Visible()) continue;
    // The child's part of the region, in the child's client coordinates.
    SpanRegion part = region ? *region : SpanRegion::FromRect(box);
    part = SpanRegion::Combine(part, SpanRegion::FromRect(c->windowRect), RGN_AND);
    if (part.Empty() && region) continue;
    const bool frame = !(SpanRegion::Combine(part, SpanRegion::FromRect(c->clientRect), RGN_DIFF).Empty());
    part.Offset(-c->clientRect.left, -c->clientRect.top);
    InvalidateWindow(*c, &part, (flags & ~RDW_FRAME) | (frame ? RDW_FRAME : 0) | RDW_ALLCHILDREN);
  }
}

HWND PaintNeeded(DWORD thread, HWND filter) {
  UserLock lock;
  for (const Window* top : Desktop().children) {
    if (top->thread != thread) continue;
    if (HWND h = FindPainter(*top, filter == reinterpret_cast<HWND>(-1) ? nullptr : filter, false)) {
      if (filter == reinterpret_cast<HWND>(-1)) return nullptr;
      return h;
    }
  }
  return nullptr;
}

SpanRegion VisibleRegion(const Window& w, bool client, bool clipChildren, bool clipSiblings) {
  if (w.desktop || !ReallyVisible(w)) return {};
  const Window* top = &w;
  while (top->parent && !top->parent->desktop) top = top->parent;
  SpanRegion region = SpanRegion::FromRect(ToSurface(*top, client ? ScreenClientRect(w) : ScreenWindowRect(w)));
  // Ancestors' client areas, and siblings above that clip.
  for (const Window* cur = &w; cur != top; cur = cur->parent) {
    const Window* parent = cur->parent;
    region = SpanRegion::Combine(region, SpanRegion::FromRect(ToSurface(*top, ScreenClientRect(*parent))), RGN_AND);
    const bool clip = cur == &w ? clipSiblings : (cur->style & WS_CLIPSIBLINGS) != 0;
    if (!clip) continue;
    for (const Window* sibling : parent->children) {
      if (sibling == cur) break;
      if (!sibling->Visible()) continue;
      region = SpanRegion::Combine(region, SpanRegion::FromRect(ToSurface(*top, ScreenWindowRect(*sibling))),
                                   RGN_DIFF);
    }
  }
  if (clipChildren)
    for (const Window* c : w.children)
      if (c->Visible())
        region = SpanRegion::Combine(region, SpanRegion::FromRect(ToSurface(*top, ScreenWindowRect(*c))), RGN_DIFF);
  return region;
}

void EnsureSurface(Window& w) {
  const int width = std::max(w.Width(), 1), height = std::max(w.Height(), 1);
  if (w.surface && w.surface->width == width && w.surface->height == height) return;
  auto surface = gdi::Bitmap::Make(width, height, 32, false);
  if (w.surface && !w.surface->Untouched()) {
    // Keep what was there where it still fits; the rest is painted anew. (A
    // surface nothing was drawn on yet, as a window laid out before it is
    // shown, is all black like the new one: there is nothing to keep.)
    const int rows = std::min(height, w.surface->height);
    const size_t bytes = static_cast<size_t>(std::min(width, w.surface->width)) * 4;
    for (int y = 0; y < rows; ++y) std::memcpy(surface->Row(y), w.surface->Row(y), bytes);
  }
  w.surface = std::move(surface);
}

void SurfaceChanged(const Window& top, const RECT& surfaceRect) {
  display::Current().SurfaceChanged(top.handle, top.surface, surfaceRect);
}

}  // namespace user

using namespace user;
using gdi::SpanRegion;

namespace {

// LockWindowUpdate: one window of the process at a time whose drawing (and
// its descendants') is held back; the screen area it would have drawn is
// remembered to be invalidated when the lock goes. Guarded by UserLock.
struct UpdateLock {
  HWND window = nullptr;
  RECT held{};  // screen coordinates
  bool any = false;
};
UpdateLock& TheUpdateLock() {
  static UpdateLock lock;
  return lock;
}

// Under UserLock: whether `w` is the locked window or inside it.
bool UnderUpdateLock(const Window& w) {
  const HWND locked = TheUpdateLock().window;
  if (!locked) return false;
  for (const Window* cur = &w; cur && !cur->desktop; cur = cur->parent)
    if (cur->handle == locked) return cur->life != Life::Dead;
  return false;
}

// A device context on the window's top-level surface.
HDC MakeWindowDc(const WindowPtr& w, bool whole, const SpanRegion* limit, bool clipChildren, bool clipSiblings) {
  UserLock lock;
  if (w->desktop) return GetDC(nullptr);
  Window* top = TopLevelOf(*w);
  EnsureSurface(*top);
  const RECT area = ToSurface(*top, whole ? ScreenWindowRect(*w) : ScreenClientRect(*w));
  SpanRegion visible = VisibleRegion(*w, !whole, clipChildren, clipSiblings);
  if (limit) {
    SpanRegion l = *limit;
    l.Offset(area.left, area.top);
    visible = SpanRegion::Combine(visible, l, RGN_AND);
  }
  if (UnderUpdateLock(*w)) {
    // "A device context with a visible region that is empty"; what it
    // would have reached is drawn again after the unlock.
    if (!visible.Empty()) {
      RECT box = visible.Box();
      const RECT topRect = ScreenWindowRect(*top);
      OffsetRect(&box, topRect.left, topRect.top);
      UpdateLock& held = TheUpdateLock();
      if (held.any) UnionRect(&held.held, &held.held, &box);
      else held.held = box;
      held.any = true;
    }
    visible = SpanRegion();
  }
  if (!visible.Empty()) SurfaceChanged(*top, visible.Box());
  return gdi::CreateSurfaceDC(top->surface, POINT{area.left, area.top}, std::move(visible), w->handle);
}

HDC WindowDcFactory(HWND window) {
  WindowPtr w = FindWin(window);
  if (!w) return nullptr;
  bool clipChildren, clipSiblings;
  {
    UserLock lock;
    clipChildren = (w->style & WS_CLIPCHILDREN) != 0;
    clipSiblings = (w->style & WS_CLIPSIBLINGS) != 0;
  }
  return MakeWindowDc(w, false, nullptr, clipChildren, clipSiblings);
}

const bool g_factoryInstalled = [] {
  gdi::SetWindowDcFactory(WindowDcFactory);
  return true;
}();

// Sends WM_NCPAINT, WM_ERASEBKGND and WM_PAINT now to windows that need them.
void UpdateNow(HWND window, bool children, bool eraseOnly) {
  WindowPtr w = FindWinQuiet(window);
  if (!w) return;
  bool frame, needs, erase;
  {
    UserLock lock;
    if (!ReallyVisible(*w)) return;
    frame = w->framePending;
    needs = NeedsPaint(*w);
    erase = w->erasePending;
  }
  if (eraseOnly) {
    if (frame) {
      {
        UserLock lock;
        w->framePending = false;
      }
      Send(window, WM_NCPAINT, 1, 0);
    }
    if (erase) {
      ScopedWindowDc dc(window, GetDCEx(window, nullptr, DCX_CACHE));
      // Not erased: the flag stays, and BeginPaint will say so.
      if (Send(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0)) {
        UserLock lock;
        w->erasePending = false;
      }
    }
  } else if (needs) {
    Send(window, WM_PAINT, 0, 0);
    UserLock lock;
    if (w->life != Life::Dead && NeedsPaint(*w)) {
      // A WM_PAINT handler that did not validate is not asked again now.
      w->update = SpanRegion();
      w->framePending = w->erasePending = w->internalPaint = false;
    }
  }
  if (!children) return;
  std::vector<HWND> kids;
  {
    UserLock lock;
    kids = ChildHandles(*w);
  }
  for (HWND c : kids) UpdateNow(c, true, eraseOnly);
}

}  // namespace

HDC GetDCEx(HWND window, HRGN clip, DWORD flags) {
  if (!window) return GetDC(nullptr);
  WindowPtr w = FindWin(window);
  if (!w) return nullptr;
  std::optional<SpanRegion> limit;
  if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
    auto region = gdi::FindRegion(clip);
    if (!region) return nullptr;
    RECT whole;
    {
      UserLock lock;
      whole = RECT{0, 0, w->Width() + 1, w->Height() + 1};
      if (!(flags & DCX_WINDOW)) whole = ClientBox(*w);
    }
    limit = (flags & DCX_INTERSECTRGN) ? region->Shape()
                                        : SpanRegion::Combine(SpanRegion::FromRect(whole), region->Shape(), RGN_DIFF);
  }
  bool clipChildren = (flags & DCX_CLIPCHILDREN) != 0, clipSiblings = (flags & DCX_CLIPSIBLINGS) != 0;
  {
    UserLock lock;
    if (!(flags & DCX_CACHE)) {
      clipChildren = clipChildren || (w->style & WS_CLIPCHILDREN);
      clipSiblings = clipSiblings || (w->style & WS_CLIPSIBLINGS);
    }
  }
  return MakeWindowDc(w, (flags & DCX_WINDOW) != 0, limit ? &*limit : nullptr, clipChildren, clipSiblings);
}

HDC GetWindowDC(HWND window) {
  if (!window) return GetDC(nullptr);
  WindowPtr w = FindWin(window);
  if (!w) return nullptr;
  bool clipChildren, clipSiblings;
  {
    UserLock lock;
    clipChildren = (w->style & WS_CLIPCHILDREN) != 0;
    clipSiblings = (w->style & WS_CLIPSIBLINGS) != 0;
  }
  return MakeWindowDc(w, true, nullptr, clipChildren, clipSiblings);
}

HWND WindowFromDC(HDC dc) {
  auto d = gdi::FindDC(dc);
  return d ? d->window : nullptr;
}

HDC BeginPaint(HWND window, LPPAINTSTRUCT paint) {
  if (!paint) return static_cast<HDC>(nullptr);
  WindowPtr w = FindWin(window);
  if (!w) return nullptr;
  HideCaretForPaint(window);
  bool frame;
  {
    UserLock lock;
    frame = w->framePending;
    w->framePending = false;
  }
  if (frame) Send(window, WM_NCPAINT, 1, 0);
  SpanRegion update;
  bool erase;
  bool clipChildren, clipSiblings;
  {
    UserLock lock;
    update = w->update;
    erase = w->erasePending;
    w->update = SpanRegion();
    w->erasePending = false;
    w->internalPaint = false;
    clipChildren = (w->style & WS_CLIPCHILDREN) != 0;
    clipSiblings = (w->style & WS_CLIPSIBLINGS) != 0;
    // A window that does not clip its children erases over them: those
    // painted already (a child's UpdateWindow may come before an ancestor's
    // paint) paint again after it.
    if (!clipChildren && erase && !update.Empty()) InvalidateChildren(*w, &update, RDW_INVALIDATE | RDW_ERASE);
  }
  HDC dc = MakeWindowDc(w, false, &update, clipChildren, clipSiblings);
  *paint = PAINTSTRUCT{};
  paint->hdc = dc;
  paint->rcPaint = update.Box();
  paint->fErase = FALSE;
  if (erase) paint->fErase = Send(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  return dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (!paint) return Fail(ERROR_INVALID_PARAMETER);
  if (paint->hdc) ReleaseDC(window, paint->hdc);
  ShowCaretAfterPaint(window);
  return TRUE;
}

BOOL RedrawWindow(HWND window, const RECT* rect, HRGN region, UINT flags) {
  if (!window) window = GetDesktopWindow();
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  std::optional<SpanRegion> area;
  if (region) {
    auto r = gdi::FindRegion(region);
    if (!r) return Fail(ERROR_INVALID_HANDLE);
    area = r->Shape();
  } else if (rect) {
    area = SpanRegion::FromRect(*rect);
  }
  {
    UserLock lock;
    if (w->desktop) {
      for (Window* top : w->children) InvalidateWindow(*top, nullptr, flags | RDW_FRAME);
    } else {
      InvalidateWindow(*w, area ? &*area : nullptr, flags);
    }
  }
  if (flags & (RDW_ERASENOW | RDW_UPDATENOW)) {
    const bool children = (flags & RDW_ALLCHILDREN) != 0;
    UpdateNow(window, children, true);
    if (flags & RDW_UPDATENOW) UpdateNow(window, children, false);
  }
  return TRUE;
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  return RedrawWindow(window, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND window, HRGN region, BOOL erase) {
  return RedrawWindow(window, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND window, const RECT* rect) {
  return RedrawWindow(window, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND window, HRGN region) {
  return RedrawWindow(window, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL UpdateWindow(HWND window) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  UpdateNow(window, false, false);
  return TRUE;
}

BOOL GetUpdateRect(HWND window, LPRECT rect, BOOL erase) {
  WindowPtr w = FindWin(window);
  if (!w) return FALSE;
  RECT box;
  bool empty;
  {
    UserLock lock;
    box = w->update.Box();
    empty = w->update.Empty();
  }
  if (rect) *rect = box;
  if (erase && !empty) UpdateNow(window, false, true);
  return empty ? FALSE : TRUE;
}

int GetUpdateRgn(HWND window, HRGN region, BOOL erase) {
  WindowPtr w = FindWin(window);
  auto target = gdi::FindRegion(region);
  if (!w || !target) return ERROR;
  SpanRegion update;
  {
    UserLock lock;
    update = w->update;
  }
  target->SetShape(update);
  if (erase && !update.Empty()) UpdateNow(window, false, true);
  return update.Kind();
}

int ScrollWindowEx(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN updateRegion,
                   LPRECT updateRect, UINT flags) {
  WindowPtr w = FindWin(window);
  if (!w) return ERROR;
  RECT client, area, limit;
  {
    UserLock lock;
    client = ClientBox(*w);
  }
  area = scroll ? *scroll : client;
  IntersectRect(&area, &area, &client);
  limit = clip ? *clip : client;
  IntersectRect(&limit, &limit, &client);
  RECT source = area;
  IntersectRect(&source, &source, &limit);
  RECT moved = source;
  OffsetRect(&moved, dx, dy);
  IntersectRect(&moved, &moved, &limit);
  // The pixels move through a copy, so overlapping source and destination stay intact.
  if (!IsRectEmpty(&moved)) {
    ScopedWindowDc dc(window, GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS));
    UniqueDc copy(CreateCompatibleDC(dc.get()));
    UniqueBitmap bits(CreateCompatibleBitmap(dc.get(), client.right, client.bottom));
    SelectScope select(copy.get(), bits.get());
    BitBlt(copy.get(), 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
    BitBlt(dc.get(), moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top, copy.get(),
           moved.left - dx, moved.top - dy, SRCCOPY);
  }
  SpanRegion exposed = SpanRegion::Combine(SpanRegion::FromRect(source), SpanRegion::FromRect(moved), RGN_DIFF);
  {
    UserLock lock;
    // What was waiting to be painted moves with the pixels.
    SpanRegion pending = SpanRegion::Combine(w->update, SpanRegion::FromRect(source), RGN_AND);
    if (!pending.Empty()) {
      w->update = SpanRegion::Combine(w->update, pending, RGN_DIFF);
      pending.Offset(dx, dy);
      w->update = SpanRegion::Combine(w->update, SpanRegion::Combine(pending, SpanRegion::FromRect(limit), RGN_AND),
                                      RGN_OR);
    }
    if (flags & SW_INVALIDATE)
      InvalidateWindow(*w, &exposed, RDW_INVALIDATE | (flags & SW_ERASE ? RDW_ERASE : 0) | RDW_ALLCHILDREN);
  }
  if (flags & SW_SCROLLCHILDREN) {
    std::vector<std::pair<HWND, RECT>> children;
    {
      UserLock lock;
      for (const Window* c : w->children) children.emplace_back(c->handle, c->windowRect);
    }
    for (auto& [child, r] : children) {
      if (scroll) {
        RECT hit;
        if (!IntersectRect(&hit, &r, &area)) continue;
      }
      SetWindowPosImpl(child, nullptr, r.left + dx, r.top + dy, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
  }
  if (updateRegion)
    if (auto r = gdi::FindRegion(updateRegion)) r->SetShape(exposed);
  if (updateRect) *updateRect = exposed.Box();
  return exposed.Kind();
}

BOOL ScrollWindow(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip) {
  return ScrollWindowEx(window, dx, dy, scroll, clip, nullptr, nullptr,
                        SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN)) != ERROR;
}

BOOL LockWindowUpdate(HWND window) {
  HWND unlocked = nullptr;
  RECT held{};
  bool any = false;
  {
    WindowPtr w = window ? FindWin(window) : nullptr;
    if (window && !w) return FALSE;
    UserLock lock;
    UpdateLock& state = TheUpdateLock();
    if (window) {
      // One window at a time; a lock whose window died is gone.
      if (state.window) {
        const WindowPtr old = FindWinQuiet(state.window);
        if (old && old->life != Life::Dead) return Fail(ERROR_SCREEN_ALREADY_LOCKED);
      }
      state = UpdateLock{window, {}, false};
      return TRUE;
    }
    unlocked = state.window;
    held = state.held;
    any = state.any;
    state = UpdateLock{};
  }
  if (unlocked && any && IsWindow(unlocked)) {
    // The held-back area, relative to the locked window's client area, with
    // its frame and children.
    POINT origin{held.left, held.top};
    ScreenToClient(unlocked, &origin);
    RECT r{origin.x, origin.y, origin.x + (held.right - held.left), origin.y + (held.bottom - held.top)};
    RedrawWindow(unlocked, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  return TRUE;
}
