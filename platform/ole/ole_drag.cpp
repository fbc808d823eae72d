// Drop targets by window, and the drag loop. The loop takes the mouse
// capture and reads the queue itself: mouse moves and keys go to the drag
// (the source decides whether to go on, the target under the pointer chooses
// the effect), everything else is dispatched as usual.
//
// Only the process's own windows take part. A drop from another X11 program
// would need the display back-end to speak XDND: announce XdndAware on the
// top-level windows, answer XdndEnter/XdndPosition with XdndStatus after
// asking the target under the point, turn the offered types (text/plain;
// charset=utf-8, UTF8_STRING) into a data object whose GetData converts the
// selection (XConvertSelection on XdndSelection) into a CF_TEXT block, and
// finish with XdndFinished after Drop; dragging out would be the mirror: own
// XdndSelection and send those messages to the window under the pointer.
#include <map>
#include <mutex>

#include "platform/ole/ole.h"
#include "platform/user/user.h"

namespace {

constexpr DWORD kAltKey = 0x0020;  // MK_ALT: only drag and drop reports it

struct Registry {
  std::mutex mutex;
  std::map<HWND, IDropTarget*> targets;
};

Registry& Targets() {
  static Registry registry;
  return registry;
}

// The registered target of the window or its nearest ancestor, with a
// reference for the caller.
IDropTarget* TargetAt(HWND window, HWND* owner) {
  std::lock_guard lock(Targets().mutex);
  for (; window; window = GetAncestor(window, GA_PARENT)) {
    auto it = Targets().targets.find(window);
    if (it != Targets().targets.end() && IsWindow(window)) {
      it->second->AddRef();
      *owner = window;
      return it->second;
    }
  }
  *owner = nullptr;
  return nullptr;
}

DWORD KeyState(const MSG& msg) {
  DWORD state = 0;
  if (GetKeyState(VK_LBUTTON) < 0 && msg.message != WM_LBUTTONUP) state |= MK_LBUTTON;
  if (GetKeyState(VK_RBUTTON) < 0 && msg.message != WM_RBUTTONUP) state |= MK_RBUTTON;
  if (GetKeyState(VK_MBUTTON) < 0 && msg.message != WM_MBUTTONUP) state |= MK_MBUTTON;
  if (GetKeyState(VK_SHIFT) < 0) state |= MK_SHIFT;
  if (GetKeyState(VK_CONTROL) < 0) state |= MK_CONTROL;
  if (GetKeyState(VK_MENU) < 0) state |= kAltKey;
  return state;
}

bool IsDragInput(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      return true;
    default:
      return false;
  }
}

// The target under the pointer through one drag.
class Tracker {
 public:
  Tracker(IDataObject* data, DROPEFFECT allowed) : data_(data), allowed_(allowed) {}
  ~Tracker() { Leave(); }
  Tracker(const Tracker&) = delete;
  Tracker& operator=(const Tracker&) = delete;

  // The pointer is at `point` (screen) with the keys and buttons `keys`.
  DROPEFFECT Move(POINT point, DWORD keys) {
    HWND owner = nullptr;
    IDropTarget* target = TargetAt(WindowFromPoint(point), &owner);
    const POINTL at{point.x, point.y};
    effect_ = allowed_;
    if (owner != window_) {
      Leave();
      window_ = owner;
      target_ = target;
      if (target_ && FAILED(target_->DragEnter(data_, keys, at, &effect_))) effect_ = DROPEFFECT_NONE;
    } else {
      if (target) target->Release();
      if (target_ && FAILED(target_->DragOver(keys, at, &effect_))) effect_ = DROPEFFECT_NONE;
    }
    if (!target_) effect_ = DROPEFFECT_NONE;
    effect_ &= allowed_ | DROPEFFECT_SCROLL;
    return effect_ & ~DROPEFFECT_SCROLL;
  }

  // Drops on the target when it last chose an effect; else it only leaves.
  DROPEFFECT Drop(POINT point, DWORD keys) {
    if (!target_ || (effect_ & ~DROPEFFECT_SCROLL) == DROPEFFECT_NONE) {
      Leave();
      return DROPEFFECT_NONE;
    }
    DROPEFFECT effect = effect_ & ~DROPEFFECT_SCROLL;
    IDropTarget* target = target_;
    target_ = nullptr;
    window_ = nullptr;
    if (FAILED(target->Drop(data_, keys, POINTL{point.x, point.y}, &effect))) effect = DROPEFFECT_NONE;
    target->Release();
    return effect & allowed_;
  }

  void Leave() {
    if (target_) {
      target_->DragLeave();
      target_->Release();
    }
    target_ = nullptr;
    window_ = nullptr;
  }

 private:
  IDataObject* data_;
  DROPEFFECT allowed_;
  HWND window_ = nullptr;
  IDropTarget* target_ = nullptr;
  DROPEFFECT effect_ = DROPEFFECT_NONE;
};

}  // namespace

HRESULT RegisterDragDrop(HWND window, IDropTarget* target) {
  if (!target) return E_INVALIDARG;
  if (!IsWindow(window)) return DRAGDROP_E_INVALIDHWND;
  std::lock_guard lock(Targets().mutex);
  // Targets of windows destroyed without revoking go now: their handles may
  // come back for new windows.
  std::erase_if(Targets().targets, [](const auto& entry) {
    if (IsWindow(entry.first)) return false;
    entry.second->Release();
    return true;
  });
  auto [it, added] = Targets().targets.try_emplace(window, target);
  if (!added) return DRAGDROP_E_ALREADYREGISTERED;
  target->AddRef();
  return S_OK;
}

HRESULT RevokeDragDrop(HWND window) {
  IDropTarget* target = nullptr;
  {
    std::lock_guard lock(Targets().mutex);
    auto it = Targets().targets.find(window);
    if (it == Targets().targets.end()) return DRAGDROP_E_NOTREGISTERED;
    target = it->second;
    Targets().targets.erase(it);
  }
  target->Release();
  return S_OK;
}

HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DROPEFFECT allowed, DROPEFFECT* effect) {
  if (!data || !source || !effect) return E_INVALIDARG;
  *effect = DROPEFFECT_NONE;
  const DWORD where = GetMessagePos();
  POINT point{static_cast<SHORT>(LOWORD(where)), static_cast<SHORT>(HIWORD(where))};
  // The mouse stays with the window that has it (the one the drag started
  // in), or the window under the pointer.
  HWND capture = GetCapture();
  if (!capture) capture = WindowFromPoint(point);
  if (!capture) return E_FAIL;
  SetCapture(capture);
  Tracker tracker(data, allowed);
  MSG msg{};
  msg.message = WM_MOUSEMOVE;
  DWORD keys = KeyState(msg);
  source->GiveFeedback(tracker.Move(point, keys));
  HRESULT result = DRAGDROP_S_CANCEL;
  for (;;) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      // The program is closing: give up the drag and leave the quit for the
      // loop outside.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsDragInput(msg.message)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (GetCapture() != capture) SetCapture(capture);
      continue;
    }
    keys = KeyState(msg);
    const bool escape = msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
    // Where the pointer was when this input happened (later input may
    // already be queued).
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP) point = msg.pt;
    const HRESULT go = source->QueryContinueDrag(escape, keys);
    if (go == DRAGDROP_S_DROP) {
      *effect = tracker.Drop(point, keys);
      result = *effect == DROPEFFECT_NONE ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
      break;
    }
    if (go != S_OK) {
      result = go == DRAGDROP_S_CANCEL ? DRAGDROP_S_CANCEL : go;
      break;
    }
    source->GiveFeedback(tracker.Move(point, keys));
  }
  tracker.Leave();
  if (GetCapture() == capture) ReleaseCapture();
  return result;
}
