// Icons and cursors: the system ones drawn from small pictures here, icons
// made from pixels, and drawing them. Their handles live in the one handle
// table (never reused, kind checked).
#include <array>
#include <string_view>
#include <unordered_map>

#include "platform/kernel/handle_table.h"
#include "platform/resource/resource_internal.h"
#include "platform/user/module_icons.h"
#include "platform/user/window_internal.h"

namespace user {
namespace {

// The system icons and cursors, made on first use and kept for the process.
struct SystemIcons {
  std::mutex mutex;
  std::unordered_map<uintptr_t, HICON> byNumber;  // resource number (+ 0x10000 for cursors) -> handle
};
SystemIcons& Icons() {
  static auto* table = new SystemIcons;
  return *table;
}
constexpr HandleKinds kIconKinds{HandleKind::Icon, HandleKind::Cursor};

HICON AddIcon(std::shared_ptr<IconImage> image) {
  const HandleKind kind = image->cursor ? HandleKind::Cursor : HandleKind::Icon;
  const auto lifetime = image->shared ? handles::Lifetime::Permanent : handles::Lifetime::Deletable;
  return handles::Create<HICON>(kind, std::move(image), lifetime);
}

// Pictures: '#' black, '.' white, 'r' red, 'b' blue, 'y' yellow, ' ' transparent.
constexpr std::array<std::string_view, 16> kArrow{
    "#           ", "##          ", "#.#         ", "#..#        ", "#...#       ", "#....#      ",
    "#.....#     ", "#......#    ", "#.......#   ", "#........#  ", "#.....##### ", "#..#..#     ",
    "#.# #..#    ", "##  #..#    ", "#    #..#   ", "     ####   "};
constexpr std::array<std::string_view, 16> kBeam{
    "  ### ###   ", "     #      ", "     #      ", "     #      ", "     #      ", "     #      ",
    "     #      ", "     #      ", "     #      ", "     #      ", "     #      ", "     #      ",
    "     #      ", "     #      ", "     #      ", "  ### ###   "};
constexpr std::array<std::string_view, 16> kCircle{
    "     ######     ", "   ##......##   ", "  #..........#  ", " #............# ", " #............# ",
    "#..............#", "#..............#", "#..............#", "#..............#", "#..............#",
    "#..............#", " #............# ", " #............# ", "  #..........#  ", "   ##......##   ",
    "     ######     "};

DWORD Colour(char c, char fill) {
  switch (c == '.' ? fill : c) {
    case '#': return 0xFF000000;
    case '.': return 0xFFFFFFFF;
    case 'r': return 0xFFCC0000;
    case 'b': return 0xFF0033CC;
    case 'y': return 0xFFFFCC00;
    default: return 0;
  }
}

std::shared_ptr<IconImage> FromPicture(const std::array<std::string_view, 16>& rows, char fill, POINT hot,
                                       bool cursor, int size) {
  auto image = std::make_shared<IconImage>();
  image->width = image->height = size;
  image->pixels.assign(static_cast<size_t>(size * size), 0);
  image->hotSpot = hot;
  image->cursor = cursor;
  image->shared = true;
  const int scale = size / 16 > 0 ? size / 16 : 1;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < static_cast<int>(rows[static_cast<size_t>(y)].size()); ++x)
      for (int sy = 0; sy < scale; ++sy)
        for (int sx = 0; sx < scale; ++sx)
          image->pixels[static_cast<size_t>((y * scale + sy) * size + x * scale + sx)] =
              Colour(rows[static_cast<size_t>(y)][static_cast<size_t>(x)], fill);
  return image;
}

std::shared_ptr<IconImage> SystemImage(uintptr_t id, bool cursor) {
  if (cursor) {
    if (id == reinterpret_cast<uintptr_t>(IDC_IBEAM)) return FromPicture(kBeam, '.', POINT{5, 8}, true, 32);
    return FromPicture(kArrow, '.', POINT{0, 0}, true, 32);
  }
  // Icons: a disc in the colour of their meaning.
  const char fill = id == reinterpret_cast<uintptr_t>(IDI_ERROR)     ? 'r'
                    : id == reinterpret_cast<uintptr_t>(IDI_WARNING) ? 'y'
                    : id == reinterpret_cast<uintptr_t>(IDI_APPLICATION) ? '.'
                                                                      : 'b';
  return FromPicture(kCircle, fill, POINT{16, 16}, false, 32);
}

HICON LoadSystem(LPCSTR name, bool cursor) {
  const auto id = reinterpret_cast<uintptr_t>(name);
  if (id > 0xFFFF) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  const uintptr_t key = id | (cursor ? 0x10000 : 0);
  {
    std::lock_guard lock(Icons().mutex);
    if (auto it = Icons().byNumber.find(key); it != Icons().byNumber.end()) return it->second;
  }
  HICON made = AddIcon(SystemImage(id, cursor));
  std::lock_guard lock(Icons().mutex);
  auto [it, inserted] = Icons().byNumber.emplace(key, made);
  return it->second;
}

}  // namespace

std::shared_ptr<IconImage> FindIcon(HICON icon) { return handles::Lookup<IconImage>(icon, kIconKinds); }

int SystemCursorNumber(HCURSOR cursor) {
  if (!cursor) return 0;
  std::lock_guard lock(Icons().mutex);
  for (const auto& [key, handle] : Icons().byNumber)
    if ((key & 0x10000) && handle == reinterpret_cast<HICON>(cursor)) return static_cast<int>(key & 0xFFFF);
  return 32512;  // IDC_ARROW stands in for the cursors of modules
}

}  // namespace user

using namespace user;

// Module cursors and icons come from the module's resources (module_icons.cpp).
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (instance) return reinterpret_cast<HCURSOR>(LoadModuleIcon(instance, resource::KeyFromA(name), true));
  return reinterpret_cast<HCURSOR>(LoadSystem(name, true));
}
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
  if (instance) return reinterpret_cast<HCURSOR>(LoadModuleIcon(instance, resource::KeyFromW(name), true));
  if (!IsAtomArg(name)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return LoadCursorA(instance, reinterpret_cast<LPCSTR>(name));
}
HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (instance) return LoadModuleIcon(instance, resource::KeyFromA(name), false);
  return LoadSystem(name, false);
}
HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  if (instance) return LoadModuleIcon(instance, resource::KeyFromW(name), false);
  if (!IsAtomArg(name)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return LoadIconA(instance, reinterpret_cast<LPCSTR>(name));
}

HICON CreateIconFromPixels(int width, int height, const DWORD* pixels, POINT hotSpot, BOOL cursor) {
  if (!pixels || width <= 0 || height <= 0 || width > 256 || height > 256) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto image = std::make_shared<IconImage>();
  image->width = width;
  image->height = height;
  image->pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
  image->hotSpot = hotSpot;
  image->cursor = cursor != FALSE;
  return AddIcon(std::move(image));
}

BOOL DestroyIcon(HICON icon) {
  auto image = FindIcon(icon);
  if (!image) return Fail(ERROR_INVALID_CURSOR_HANDLE);
  if (image->shared) return TRUE;  // system icons stay
  return handles::Destroy(icon, kIconKinds) ? TRUE : Fail(ERROR_INVALID_CURSOR_HANDLE);
}

BOOL DestroyCursor(HCURSOR cursor) { return DestroyIcon(reinterpret_cast<HICON>(cursor)); }

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH, UINT flags) {
  auto image = FindIcon(icon);
  auto d = gdi::FindDC(dc);
  if (!image || !d) return Fail(image ? ERROR_INVALID_HANDLE : ERROR_INVALID_CURSOR_HANDLE);
  if (width == 0) width = (flags & DI_DEFAULTSIZE) ? Metric(SM_CXICON) : image->width;
  if (height == 0) height = (flags & DI_DEFAULTSIZE) ? Metric(SM_CYICON) : image->height;
  // Nearest-pixel scaling; alpha above half draws, the rest is transparent.
  for (int row = 0; row < height; ++row) {
    const int sy = row * image->height / height;
    for (int col = 0; col < width; ++col) {
      const int sx = col * image->width / width;
      const DWORD p = image->pixels[static_cast<size_t>(sy * image->width + sx)];
      if ((p >> 24) < 0x80) continue;
      SetPixelV(dc, x + col, y + row, RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
  }
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}
