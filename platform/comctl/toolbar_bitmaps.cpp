// A toolbar's images and strings: bitmap strips added (TB_ADDBITMAP) and
// replaced (TB_REPLACEBITMAP) in its own image list, and label strings
// (TB_ADDSTRING).
#include <algorithm>
#include <cstring>

#include "platform/comctl/control_state.h"
#include "platform/comctl/image_list_internal.h"
#include "platform/comctl/toolbar_model.h"

namespace comctl {
namespace {

HIMAGELIST OwnList(Toolbar& t) {
  if (!t.own) t.own = ImageList_Create(t.bitmapSize.cx, t.bitmapSize.cy, ILC_COLOR32 | ILC_MASK, 4, 4);
  return t.own;
}

// The grey of classic toolbar bitmaps stands for the button face.
constexpr COLORREF kBitmapBackground = 0x00C0C0C0;

HBITMAP LoadStrip(HINSTANCE instance, UINT_PTR id, bool& owned) {
  owned = instance != nullptr;
  if (!instance) return reinterpret_cast<HBITMAP>(id);
  return LoadBitmapW(instance, reinterpret_cast<LPCWSTR>(id));
}

}  // namespace

LRESULT AddBitmap(Toolbar& t, WPARAM count, const TBADDBITMAP* add) {
  if (!add || add->hInst == HINST_COMMCTRL) return -1;
  bool owned = false;
  HBITMAP strip = LoadStrip(add->hInst, add->nID, owned);
  if (!strip) return -1;
  HIMAGELIST list = OwnList(t);
  const int before = ImageList_GetImageCount(list);
  const int first = ImageList_AddMasked(list, strip, kBitmapBackground);
  if (owned) DeleteObject(strip);
  if (first < 0) return -1;
  int added = ImageList_GetImageCount(list) - before;
  if (count > 0 && static_cast<int>(count) < added) {
    ImageList_SetImageCount(list, static_cast<UINT>(before + static_cast<int>(count)));
    added = static_cast<int>(count);
  }
  t.bitmaps.push_back(ToolbarBitmap{add->hInst, add->nID, first, added});
  return first;
}

LRESULT ReplaceBitmap(HWND w, Toolbar& t, const TBREPLACEBITMAP* r) {
  if (!r || !t.own) return FALSE;
  for (ToolbarBitmap& record : t.bitmaps) {
    if (record.instance != r->hInstOld || record.id != r->nIDOld) continue;
    bool owned = false;
    HBITMAP strip = LoadStrip(r->hInstNew, r->nIDNew, owned);
    if (!strip) return FALSE;
    HIMAGELIST fresh = ImageList_Create(t.bitmapSize.cx, t.bitmapSize.cy, ILC_COLOR32 | ILC_MASK, 4, 4);
    ImageList_AddMasked(fresh, strip, kBitmapBackground);
    if (owned) DeleteObject(strip);
    const int n = std::min(ImageList_GetImageCount(fresh), record.count);
    for (int i = 0; i < n; ++i) CopyListImage(t.own, record.first + i, fresh, i);
    ImageList_Destroy(fresh);
    record.instance = r->hInstNew;
    record.id = r->nIDNew;
    InvalidateRect(w, nullptr, TRUE);
    return TRUE;
  }
  return FALSE;
}

// TB_ADDSTRING: from a resource string (its first character separates the
// strings) or a list of strings ended by an empty one.
LRESULT AddStrings(Toolbar& t, HINSTANCE instance, LPARAM lParam, bool wide) {
  const int first = static_cast<int>(t.strings.size());
  if (instance) {
    WCHAR buffer[1024];
    const int n = LoadStringW(instance, static_cast<UINT>(lParam), buffer, 1024);
    if (n <= 0) return -1;
    const std::u16string all(buffer, static_cast<size_t>(n));
    const char16_t separator = all[0];
    size_t start = 1;
    while (start <= all.size()) {
      const size_t end = all.find(separator, start);
      if (end == std::u16string::npos) {
        if (start < all.size()) t.strings.push_back(all.substr(start));
        break;
      }
      t.strings.push_back(all.substr(start, end - start));
      start = end + 1;
    }
    return first;
  }
  if (!lParam) return -1;
  if (wide) {
    for (LPCWSTR p = reinterpret_cast<LPCWSTR>(lParam); *p; p += std::char_traits<char16_t>::length(p) + 1)
      t.strings.emplace_back(p);
  } else {
    for (LPCSTR p = reinterpret_cast<LPCSTR>(lParam); *p; p += std::strlen(p) + 1) t.strings.push_back(FromAnsi(p));
  }
  return first;
}

}  // namespace comctl
