// AString text extents on a device context.
#include <cstring>
#include <vector>

#include "foundation/string/astring.h"
#include "platform/gdi/gdi.h"

FOUNDATION_BEGIN

SIZE AString::GetTextExtent(HDC hdc) const {
  SIZE size{0, 0};
  if (IsWide()) {
    // The system takes whole, aligned UTF-16 units: hand it a private copy
    // terminated by a zero unit.
    const int units = GetLength() / 2;
    std::vector<WCHAR> text(static_cast<size_t>(units) + 1, 0);
    std::memcpy(text.data(), GetData(), static_cast<size_t>(units) * 2);
    GetTextExtentPoint32W(hdc, text.data(), units, &size);
  } else {
    GetTextExtentPoint32A(hdc, GetData(), GetLength(), &size);
  }
  return size;
}

FOUNDATION_END
