#include "grid/window_class.h"

#include "platform/framework.h"

bool RegisterWindowClassOnce(const char* name, UINT style, int backgroundColour) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExA(AfxGetInstanceHandle(), name, &existing)) return true;
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = AfxGetInstanceHandle();
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(backgroundColour + 1));
  wc.lpszClassName = name;
  if (!RegisterClassA(&wc)) AfxThrowResourceException();
  return true;
}
