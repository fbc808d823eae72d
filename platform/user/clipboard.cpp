#include "platform/user/clipboard.h"

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/display/display.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/metafile.h"
#include "platform/nls/nls.h"

namespace {

// A format's data: a global memory block, or for CF_BITMAP and CF_PALETTE a
// GDI object and for CF_ENHMETAFILE a metafile handle.
struct Entry {
  UINT format;
  HANDLE memory;
};

// Frees data as its format holds it.
void Release(const Entry& e) {
  if (e.format == CF_BITMAP || e.format == CF_PALETTE) {
    DeleteObject(static_cast<HGDIOBJ>(e.memory));
  } else if (e.format == CF_ENHMETAFILE) {
    DeleteEnhMetaFile(static_cast<HENHMETAFILE>(e.memory));
  } else {
    GlobalFree(e.memory);
  }
}

struct Clipboard {
  std::mutex lock;
  bool open = false;
  std::thread::id opener;
  HWND owner = nullptr;
  std::vector<Entry> entries;         // in the order they were set
  std::vector<Entry> synthesised;  // text made on request from the other text format
  std::vector<std::string> registered;
  bool emptied = false;  // emptied since opened: the desktop's clipboard takes this one at close
};

Clipboard& Board() {
  static Clipboard board;
  return board;
}

bool OpenedByThisThread(const Clipboard& c) { return c.open && c.opener == std::this_thread::get_id(); }

HANDLE Find(const Clipboard& c, UINT format) {
  for (const Entry& e : c.entries)
    if (e.format == format) return e.memory;
  return nullptr;
}

void FreeAll(Clipboard& c) {
  for (const Entry& e : c.entries) Release(e);
  for (const Entry& e : c.synthesised) Release(e);
  c.entries.clear();
  c.synthesised.clear();
}

UINT CodePageOfLocale(LCID lcid) {
  switch (lcid & 0xFFFF) {
    case 2052: case 4100: return 936;
    case 1028: case 3076: case 5124: return 950;
    case 1041: return 932;
    case 1042: return 949;
    case 1049: case 1058: case 1059: case 1026: return 1251;
    case 1045: case 1029: case 1038: case 1050: case 1051: case 1060: return 1250;
    case 1032: return 1253;
    case 1055: return 1254;
    case 1037: return 1255;
    case 1025: return 1256;
    case 1061: case 1062: case 1063: return 1257;
    case 1066: return 1258;
    case 1054: return 874;
    default: return 1252;
  }
}

UINT TextCodePage(const Clipboard& c) {
  if (HGLOBAL locale = Find(c, CF_LOCALE)) {
    if (GlobalSize(locale) >= sizeof(LCID)) {
      LCID lcid = 0;
      if (const void* p = GlobalLock(locale)) {
        std::memcpy(&lcid, p, sizeof lcid);
        GlobalUnlock(locale);
        return CodePageOfLocale(lcid);
      }
    }
  }
  return GetACP();
}

HGLOBAL BlockFrom(const void* bytes, size_t size) {
  HGLOBAL m = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!m) return nullptr;
  void* p = GlobalLock(m);
  std::memcpy(p, bytes, size);
  GlobalUnlock(m);
  return m;
}

// A packed device-independent bitmap (header, colours, rows) of a bitmap at
// its own depth, as CF_DIB offers a CF_BITMAP; null when it cannot be read.
HGLOBAL DibFromBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
  const int bpp = info.bmBitsPixel <= 8 ? info.bmBitsPixel : info.bmBitsPixel == 24 ? 24 : 32;
  const size_t colours = bpp <= 8 ? size_t{1} << bpp : 0;
  const size_t stride = ((static_cast<size_t>(info.bmWidth) * bpp + 31) / 32) * 4;
  const size_t header = sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);
  std::vector<BYTE> block(header + stride * static_cast<size_t>(info.bmHeight));
  auto* bi = reinterpret_cast<BITMAPINFO*>(block.data());
  bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi->bmiHeader.biWidth = info.bmWidth;
  bi->bmiHeader.biHeight = info.bmHeight;
  bi->bmiHeader.biPlanes = 1;
  bi->bmiHeader.biBitCount = static_cast<WORD>(bpp);
  bi->bmiHeader.biCompression = BI_RGB;
  bi->bmiHeader.biSizeImage = static_cast<DWORD>(stride * static_cast<size_t>(info.bmHeight));
  bi->bmiHeader.biClrUsed = static_cast<DWORD>(colours);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), block.data() + header, bi,
                             DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != info.bmHeight) return nullptr;
  return BlockFrom(block.data(), block.size());
}

// The other text format's data converted, or null.
HANDLE Synthesise(Clipboard& c, UINT format) {
  if (format == CF_DIB) {
    HANDLE bitmap = Find(c, CF_BITMAP);
    return bitmap ? DibFromBitmap(static_cast<HBITMAP>(bitmap)) : nullptr;
  }
  const UINT codePage = TextCodePage(c);
  if (format == CF_UNICODETEXT) {
    HGLOBAL text = Find(c, CF_TEXT);
    if (!text) return nullptr;
    const char* p = static_cast<const char*>(GlobalLock(text));
    const int len = static_cast<int>(strnlen(p, GlobalSize(text)));
    std::vector<WCHAR> wide(static_cast<size_t>(len) + 1, 0);
    const int units = len ? MultiByteToWideChar(codePage, MB_PRECOMPOSED, p, len, wide.data(), len) : 0;
    GlobalUnlock(text);
    if (len && units <= 0) return nullptr;
    return BlockFrom(wide.data(), (static_cast<size_t>(units) + 1) * sizeof(WCHAR));
  }
  if (format == CF_TEXT || format == CF_OEMTEXT) {
    HGLOBAL unicode = Find(c, CF_UNICODETEXT);
    if (!unicode) return nullptr;
    const WCHAR* p = static_cast<const WCHAR*>(GlobalLock(unicode));
    const size_t maxUnits = GlobalSize(unicode) / sizeof(WCHAR);
    size_t units = 0;
    while (units < maxUnits && p[units]) ++units;
    const int bytes = units ? WideCharToMultiByte(codePage, 0, p, static_cast<int>(units), nullptr, 0, nullptr, nullptr) : 0;
    std::vector<char> narrow(static_cast<size_t>(std::max(bytes, 0)) + 1, 0);
    if (bytes > 0)
      WideCharToMultiByte(codePage, 0, p, static_cast<int>(units), narrow.data(), bytes, nullptr, nullptr);
    GlobalUnlock(unicode);
    if (units && bytes <= 0) return nullptr;
    return BlockFrom(narrow.data(), narrow.size());
  }
  return nullptr;
}

bool CanSynthesise(const Clipboard& c, UINT format) {
  if (format == CF_DIB) return Find(c, CF_BITMAP) != nullptr;
  if (format == CF_UNICODETEXT) return Find(c, CF_TEXT) != nullptr;
  if (format == CF_TEXT || format == CF_OEMTEXT) return Find(c, CF_UNICODETEXT) != nullptr;
  return false;
}

// Another program's clipboard on the desktop replaces the process's when it
// is opened (text and a picture are what the desktop carries).
void ImportForeign(Clipboard& c) {
  display::Display& desktop = display::Current();
  std::u16string text;
  std::vector<BYTE> dib;
  const bool hasText = desktop.ForeignClipboardText(text);
  const bool hasPicture = desktop.ForeignClipboardPicture(dib);
  if (!hasText && !hasPicture) return;
  std::lock_guard<std::mutex> hold(c.lock);
  FreeAll(c);
  if (hasText) {
    text.push_back(u'\0');
    if (HGLOBAL m = BlockFrom(text.data(), text.size() * sizeof(char16_t))) c.entries.push_back({CF_UNICODETEXT, m});
  }
  if (hasPicture && !dib.empty())
    if (HGLOBAL m = BlockFrom(dib.data(), dib.size())) c.entries.push_back({CF_DIB, m});
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  Clipboard& c = Board();
  {
    std::lock_guard<std::mutex> hold(c.lock);
    if (c.open && c.opener != std::this_thread::get_id()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    c.open = true;
    c.opener = std::this_thread::get_id();
    c.owner = owner;
    c.emptied = false;
  }
  ImportForeign(c);
  return TRUE;
}

BOOL CloseClipboard() {
  Clipboard& c = Board();
  bool emptied;
  {
    std::lock_guard<std::mutex> hold(c.lock);
    if (!OpenedByThisThread(c)) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    c.open = false;
    emptied = std::exchange(c.emptied, false);
  }
  if (emptied) display::Current().ClipboardChanged();
  return TRUE;
}

BOOL EmptyClipboard() {
  Clipboard& c = Board();
  std::lock_guard<std::mutex> hold(c.lock);
  if (!OpenedByThisThread(c)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  FreeAll(c);
  c.emptied = true;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE memory) {
  Clipboard& c = Board();
  std::lock_guard<std::mutex> hold(c.lock);
  if (!OpenedByThisThread(c)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  if (!memory || format == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  for (const Entry& e : c.synthesised) Release(e);
  c.synthesised.clear();
  for (Entry& e : c.entries)
    if (e.format == format) {
      if (e.memory != memory) Release(e);
      e.memory = memory;
      return memory;
    }
  c.entries.push_back({format, memory});
  return memory;
}

HANDLE GetClipboardData(UINT format) {
  Clipboard& c = Board();
  std::lock_guard<std::mutex> hold(c.lock);
  if (!OpenedByThisThread(c)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  if (HANDLE m = Find(c, format)) return m;
  for (const Entry& e : c.synthesised)
    if (e.format == format) return e.memory;
  HANDLE made = Synthesise(c, format);
  if (made) c.synthesised.push_back({format, made});
  return made;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  Clipboard& c = Board();
  std::lock_guard<std::mutex> hold(c.lock);
  return Find(c, format) || CanSynthesise(c, format) ? TRUE : FALSE;
}

int CountClipboardFormats() {
  Clipboard& c = Board();
  std::lock_guard<std::mutex> hold(c.lock);
  return static_cast<int>(c.entries.size());
}

UINT EnumClipboardFormats(UINT format) {
  Clipboard& c = Board();
  std::lock_guard<std::mutex> hold(c.lock);
  if (format == 0) return c.entries.empty() ? 0 : c.entries.front().format;
  for (size_t i = 0; i + 1 < c.entries.size(); ++i)
    if (c.entries[i].format == format) return c.entries[i + 1].format;
  return 0;
}

UINT RegisterClipboardFormatA(LPCSTR name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  Clipboard& c = Board();
  std::lock_guard<std::mutex> hold(c.lock);
  for (size_t i = 0; i < c.registered.size(); ++i)
    if (strcasecmp(c.registered[i].c_str(), name) == 0) return CF_REGISTERED_FIRST + static_cast<UINT>(i);
  if (c.registered.size() >= 0x3FFF) return 0;
  c.registered.emplace_back(name);
  return CF_REGISTERED_FIRST + static_cast<UINT>(c.registered.size() - 1);
}

int GetClipboardFormatNameA(UINT format, LPSTR name, int size) {
  Clipboard& c = Board();
  std::lock_guard<std::mutex> hold(c.lock);
  if (format < CF_REGISTERED_FIRST || format - CF_REGISTERED_FIRST >= c.registered.size() || !name || size <= 0)
    return 0;
  const std::string& n = c.registered[format - CF_REGISTERED_FIRST];
  const int len = std::min<int>(static_cast<int>(n.size()), size - 1);
  std::memcpy(name, n.data(), static_cast<size_t>(len));
  name[len] = '\0';
  return len;
}

HWND GetClipboardOwner() {
  Clipboard& c = Board();
  std::lock_guard<std::mutex> hold(c.lock);
  return c.owner;
}
