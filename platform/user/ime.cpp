// The input method's side of the window system: each thread has one
// context holding the text being composed and the text given last. Device
// events from the display become WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION
// and WM_IME_ENDCOMPOSITION for the focus window; DefWindowProc turns a
// given text into WM_IME_CHAR and WM_CHAR for windows that know nothing of
// compositions.
#include <algorithm>
#include <cstring>

#include "platform/user/window_internal.h"

namespace user {
namespace {

HIMC ContextOf(DWORD thread) { return reinterpret_cast<HIMC>(static_cast<uintptr_t>(thread)); }
DWORD ThreadOfContext(HIMC context) { return static_cast<DWORD>(reinterpret_cast<uintptr_t>(context)); }

void PostIme(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
  POINT pt{};
  GetCursorPos(&pt);
  PostInput(ThisThread(), MSG{target, message, wParam, lParam, Now(), pt});
}

}  // namespace

void CookComposition(const DeviceEvent& e) {
  Queue& q = ThisQueue();
  const HWND target = q.focus ? q.focus : q.active;
  if (!target) return;
  bool starting = false, cancelled = false;
  {
    std::lock_guard lock(q.mutex);
    if (e.kind == DeviceEvent::Kind::Result) {
      starting = !q.composing;
      q.composing = false;
      q.composition.clear();
      q.compositionCaret = 0;
      q.compositionResult = e.text;
    } else if (e.text.empty()) {
      if (!q.composing) return;
      q.composing = false;
      q.composition.clear();
      q.compositionCaret = 0;
      cancelled = true;
    } else {
      starting = !q.composing;
      q.composing = true;
      q.composition = e.text;
      q.compositionCaret = std::clamp(e.delta, 0, static_cast<int>(e.text.size()));
    }
  }
  if (cancelled) {
    PostIme(target, WM_IME_COMPOSITION, 0, 0);
    PostIme(target, WM_IME_ENDCOMPOSITION, 0, 0);
    return;
  }
  if (starting) PostIme(target, WM_IME_STARTCOMPOSITION, 0, 0);
  if (e.kind == DeviceEvent::Kind::Result) {
    PostIme(target, WM_IME_COMPOSITION, e.text.empty() ? 0 : e.text.front(), GCS_RESULTSTR);
    PostIme(target, WM_IME_ENDCOMPOSITION, 0, 0);
  } else {
    PostIme(target, WM_IME_COMPOSITION, e.text.back(), GCS_COMPSTR | GCS_CURSORPOS);
  }
}

// WM_IME_COMPOSITION with a given text, for windows that leave it to
// DefWindowProc: one WM_IME_CHAR each, which becomes WM_CHAR.
LRESULT DefaultIme(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_IME_CHAR) return SendMessageW(window, WM_CHAR, wParam, lParam);
  if (message == WM_IME_COMPOSITION && (lParam & GCS_RESULTSTR)) {
    HIMC context = ImmGetContext(window);
    const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
    std::u16string text(static_cast<size_t>(std::max<LONG>(bytes, 0)) / sizeof(char16_t), u'\0');
    ImmGetCompositionStringW(context, GCS_RESULTSTR, text.data(), static_cast<DWORD>(text.size() * sizeof(char16_t)));
    ImmReleaseContext(window, context);
    for (char16_t c : text) SendMessageW(window, WM_IME_CHAR, c, 1);
  }
  return 0;
}

}  // namespace user

using namespace user;

HIMC ImmGetContext(HWND window) {
  WindowPtr w = FindWin(window);
  if (!w) return nullptr;
  UserLock lock;
  return ContextOf(w->thread);
}

BOOL ImmReleaseContext(HWND, HIMC context) { return context ? TRUE : FALSE; }

LONG ImmGetCompositionStringW(HIMC context, DWORD index, void* buffer, DWORD bytes) {
  QueuePtr q = context ? QueueOf(ThreadOfContext(context)) : nullptr;
  if (!q) return -1;  // IMM_ERROR_GENERAL
  std::lock_guard lock(q->mutex);
  if (index == GCS_CURSORPOS) return q->compositionCaret;
  const std::u16string* text = index == GCS_COMPSTR ? &q->composition : index == GCS_RESULTSTR ? &q->compositionResult
                                                                                                : nullptr;
  if (!text) return -1;
  const DWORD need = static_cast<DWORD>(text->size() * sizeof(char16_t));
  if (bytes == 0 || !buffer) return static_cast<LONG>(need);
  // Whole characters only, never past the buffer.
  const DWORD copied = std::min<DWORD>(need, bytes / sizeof(char16_t) * sizeof(char16_t));
  std::memcpy(buffer, text->data(), copied);
  return static_cast<LONG>(copied);
}
