#include "platform/comctl/control_state.h"

#include <vector>

namespace comctl {

int FontHeight(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, DrawingFont(font));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  DeleteDC(dc);
  return tm.tmHeight;
}

int TextWidth(HFONT font, std::u16string_view text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, DrawingFont(font));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return size.cx;
}

}  // namespace comctl
