#include "app/ui/plain_dialog_skin.h"

#include <memory>

namespace {

constexpr const char* kSkinProperty = "TavPlainDialogSkin";

struct PlainSkin {
  CDialogSkin skin;
  WNDPROC previous = nullptr;
};

PlainSkin* SkinOfWindow(HWND dialog) { return static_cast<PlainSkin*>(::GetPropA(dialog, kSkinProperty)); }

CPoint PointOf(LPARAM lParam) {
  return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

LRESULT SkinnedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  PlainSkin* plain = SkinOfWindow(dialog);
  if (!plain) return ::DefWindowProcA(dialog, message, wParam, lParam);
  const WNDPROC previous = plain->previous;
  CDialogSkin& skin = plain->skin;
  const auto byDefault = [&] { return ::CallWindowProcA(previous, dialog, message, wParam, lParam); };
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC dc = ::BeginPaint(dialog, &ps);
      skin.Paint(dc);
      ::EndPaint(dialog, &ps);
      return 0;
    }
    case WM_NCPAINT:
      return skin.HandleNcPaint(byDefault);
    case WM_NCACTIVATE:
      return skin.HandleNcActivate(wParam, byDefault);
    case WM_NCLBUTTONDOWN:
      return skin.HandleNcButtonDown(PointOf(lParam), byDefault);
    case WM_LBUTTONUP:
      return skin.HandleButtonUp(PointOf(lParam), byDefault);
    case WM_NCHITTEST:
      return skin.HandleNcHitTest(PointOf(lParam), byDefault);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      MSG msg{dialog, message, wParam, lParam, 0, {0, 0}};
      skin.PreTranslateMessage(&msg);
      break;
    }
    case WM_NCDESTROY: {
      // The skin goes with the window: the controls get their procedures
      // back, the dialog its own.
      std::unique_ptr<PlainSkin> owned(plain);
      ::RemovePropA(dialog, kSkinProperty);
      ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      owned->skin.Detach();
      return ::CallWindowProcA(previous, dialog, message, wParam, lParam);
    }
    default:
      break;
  }
  return ::CallWindowProcA(previous, dialog, message, wParam, lParam);
}

}  // namespace

int SkinPlainDialog(HWND dialog) {
  if (!dialog || !::IsWindow(dialog) || SkinOfWindow(dialog)) return 0;
  CWnd* owner = CWnd::FromHandle(dialog);
  auto plain = std::make_unique<PlainSkin>();
  if (!::SetPropA(dialog, kSkinProperty, plain.get())) return 0;
  plain->previous = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinnedDialogProc)));
  plain->skin.Attach(owner, -1);
  plain.release();
  // The skin's drawing follows the first paint, as in the skinned bases.
  ::InvalidateRect(dialog, nullptr, TRUE);
  return 1;
}

CDialogSkin* PlainDialogSkin(HWND dialog) {
  PlainSkin* plain = dialog ? SkinOfWindow(dialog) : nullptr;
  return plain ? &plain->skin : nullptr;
}
