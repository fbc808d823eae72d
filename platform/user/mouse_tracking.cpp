// TrackMouseEvent: one window at a time hears WM_MOUSELEAVE (or
// WM_NCMOUSELEAVE) when the pointer leaves its client area (or the whole
// window), or leaves the process's windows for another program's.
#include <mutex>

#include "platform/user/window_internal.h"

namespace user {
namespace {

struct Tracking {
  std::mutex mutex;
  HWND window = nullptr;
  DWORD flags = 0;  // TME_LEAVE, with TME_NONCLIENT for the non-client area
};
Tracking& Tracked() {
  static auto* t = new Tracking;
  return *t;
}

bool Inside(HWND tracked, DWORD flags, HWND target, LRESULT hit) {
  if (target != tracked) return false;
  return (flags & TME_NONCLIENT) ? hit != HTCLIENT : hit == HTCLIENT;
}

void PostLeave(HWND window, DWORD flags) {
  if (!IsWindow(window)) return;
  PostMessageW(window, (flags & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

}  // namespace

void TrackPointer(HWND target, LRESULT hit) {
  HWND left = nullptr;
  DWORD flags = 0;
  {
    Tracking& t = Tracked();
    std::lock_guard lock(t.mutex);
    if (!t.window || Inside(t.window, t.flags, target, hit)) return;
    left = t.window, flags = t.flags;
    t.window = nullptr, t.flags = 0;
  }
  PostLeave(left, flags);
}

void ForgetTracking(HWND window) {
  Tracking& t = Tracked();
  std::lock_guard lock(t.mutex);
  if (t.window == window) t.window = nullptr, t.flags = 0;
}

}  // namespace user

using namespace user;

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track) {
  if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Tracking& t = Tracked();
  if (track->dwFlags & TME_QUERY) {
    std::lock_guard lock(t.mutex);
    track->dwFlags = t.window ? (t.flags | TME_LEAVE) : 0;
    track->hwndTrack = t.window;
    track->dwHoverTime = 0;
    return TRUE;
  }
  if (track->dwFlags & TME_HOVER) {
    SetLastError(ERROR_INVALID_FLAGS);
    return FALSE;
  }
  if (!(track->dwFlags & TME_LEAVE)) return TRUE;
  if (track->dwFlags & TME_CANCEL) {
    std::lock_guard lock(t.mutex);
    if (t.window == track->hwndTrack) t.window = nullptr, t.flags = 0;
    return TRUE;
  }
  if (!IsWindow(track->hwndTrack)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const DWORD flags = track->dwFlags & TME_NONCLIENT;
  // Where the pointer is now: a window it is not over hears at once.
  POINT at{};
  GetCursorPos(&at);
  HWND under = WindowFromPoint(at);
  LRESULT hit = HTNOWHERE;
  if (under == track->hwndTrack) hit = SendMessageW(under, WM_NCHITTEST, 0, crack::PackPoint(at));
  if (!Inside(track->hwndTrack, flags, under, hit)) {
    PostLeave(track->hwndTrack, flags);
    return TRUE;
  }
  std::lock_guard lock(t.mutex);
  t.window = track->hwndTrack;
  t.flags = flags;
  return TRUE;
}
