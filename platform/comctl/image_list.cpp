// Image lists held as 32-bit pixels with a byte of mask per pixel; drawing
// builds the pixels of the asked style and puts the opaque ones on the DC.
#include "platform/comctl/image_list.h"

#include <algorithm>

#include "platform/comctl/control_state.h"
#include "platform/comctl/text_buffers.h"
#include "platform/comctl/image_list_internal.h"
#include "platform/kernel/handle_table.h"

namespace comctl {
namespace {

struct Image {
  std::vector<uint32_t> pixels;  // cx * cy, 0x00RRGGBB
  std::vector<uint8_t> opaque;   // cx * cy, 1 where the image is
};

struct ImageList {
  int cx = 0;
  int cy = 0;
  bool masked = false;
  COLORREF background = CLR_NONE;
  std::vector<Image> images;
  HBITMAP imageStrip = nullptr;  // made for ImageList_GetImageInfo, kept until the list changes
  HBITMAP maskStrip = nullptr;
  ~ImageList() { DropStrips(); }
  void DropStrips() {
    if (imageStrip) DeleteObject(imageStrip);
    if (maskStrip) DeleteObject(maskStrip);
    imageStrip = maskStrip = nullptr;
  }
};

std::shared_ptr<ImageList> Find(HIMAGELIST list) { return handles::Lookup<ImageList>(list, HandleKind::ImageList); }

Image Blank(const ImageList& list) {
  const size_t n = static_cast<size_t>(list.cx) * list.cy;
  return Image{std::vector<uint32_t>(n, 0), std::vector<uint8_t>(n, 1)};
}

// Cuts the strip into images; `transparent(x, y)` says which pixels the mask removes.
template <class Transparent>
std::vector<Image> Cut(const ImageList& list, const PixelBlock& strip, Transparent transparent) {
  std::vector<Image> out;
  if (strip.height <= 0) return out;
  const int count = strip.width / list.cx;
  for (int i = 0; i < count; ++i) {
    Image image = Blank(list);
    for (int y = 0; y < list.cy; ++y)
      for (int x = 0; x < list.cx; ++x) {
        const size_t at = static_cast<size_t>(y) * list.cx + x;
        const int sx = i * list.cx + x;
        if (y >= strip.height) {
          image.opaque[at] = 0;
          continue;
        }
        const bool clear = list.masked && transparent(sx, y);
        image.pixels[at] = clear ? 0 : strip.At(sx, y);
        image.opaque[at] = clear ? 0 : 1;
      }
    out.push_back(std::move(image));
  }
  return out;
}

std::vector<Image> FromBitmaps(const ImageList& list, HBITMAP bitmap, HBITMAP mask) {
  const PixelBlock strip = ReadBitmap(bitmap);
  const PixelBlock maskPixels = mask ? ReadBitmap(mask) : PixelBlock{};
  return Cut(list, strip, [&](int x, int y) {
    if (maskPixels.pixels.empty() || x >= maskPixels.width || y >= maskPixels.height) return false;
    return (maskPixels.At(x, y) & 0xFFFFFF) != 0;  // white (set bits) is transparent
  });
}

int Append(ImageList& list, std::vector<Image> images) {
  if (images.empty()) return -1;
  list.DropStrips();
  const int first = static_cast<int>(list.images.size());
  for (Image& image : images) list.images.push_back(std::move(image));
  return first;
}

uint32_t Mix(uint32_t a, uint32_t b, int quartersOfB) {
  auto channel = [&](int shift) {
    const uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    return ((ca * (4 - quartersOfB) + cb * quartersOfB) / 4) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

}  // namespace

// The pixels of one image, for controls that draw their own states of it (a
// disabled toolbar button); false for a bad list or index.
bool ImagePixels(HIMAGELIST handle, int index, PixelBlock& pixels, std::vector<uint8_t>& opaque) {
  auto list = Find(handle);
  if (!list || index < 0 || index >= static_cast<int>(list->images.size())) return false;
  pixels.width = list->cx;
  pixels.height = list->cy;
  pixels.pixels = list->images[static_cast<size_t>(index)].pixels;
  opaque = list->images[static_cast<size_t>(index)].opaque;
  return true;
}

bool CopyListImage(HIMAGELIST to, int toIndex, HIMAGELIST from, int fromIndex) {
  auto target = Find(to);
  auto source = Find(from);
  if (!target || !source || target->cx != source->cx || target->cy != source->cy) return false;
  if (toIndex < 0 || toIndex >= static_cast<int>(target->images.size())) return false;
  if (fromIndex < 0 || fromIndex >= static_cast<int>(source->images.size())) return false;
  target->DropStrips();
  target->images[static_cast<size_t>(toIndex)] = source->images[static_cast<size_t>(fromIndex)];
  return true;
}

}  // namespace comctl

using comctl::Find;
using comctl::ImageList;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int) {
  if (cx <= 0 || cy <= 0) return nullptr;
  auto list = std::make_shared<ImageList>();
  list->cx = cx;
  list->cy = cy;
  list->masked = (flags & ILC_MASK) != 0;
  return handles::Create<HIMAGELIST>(HandleKind::ImageList, std::move(list));
}

BOOL ImageList_Destroy(HIMAGELIST list) { return handles::Destroy(list, HandleKind::ImageList) ? TRUE : FALSE; }

int ImageList_GetImageCount(HIMAGELIST handle) {
  auto list = Find(handle);
  return list ? static_cast<int>(list->images.size()) : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST handle, UINT count) {
  auto list = Find(handle);
  if (!list) return FALSE;
  list->DropStrips();
  while (list->images.size() > count) list->images.pop_back();
  while (list->images.size() < count) list->images.push_back(comctl::Blank(*list));
  return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST handle, int* cx, int* cy) {
  auto list = Find(handle);
  if (!list || !cx || !cy) return FALSE;
  *cx = list->cx;
  *cy = list->cy;
  return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST handle, int cx, int cy) {
  auto list = Find(handle);
  if (!list || cx <= 0 || cy <= 0) return FALSE;
  list->DropStrips();
  list->images.clear();
  list->cx = cx;
  list->cy = cy;
  return TRUE;
}

int ImageList_Add(HIMAGELIST handle, HBITMAP image, HBITMAP mask) {
  auto list = Find(handle);
  if (!list) return -1;
  return comctl::Append(*list, comctl::FromBitmaps(*list, image, mask));
}

int ImageList_AddMasked(HIMAGELIST handle, HBITMAP image, COLORREF maskColour) {
  auto list = Find(handle);
  if (!list) return -1;
  const comctl::PixelBlock strip = comctl::ReadBitmap(image);
  const uint32_t key = comctl::FromColorref(maskColour);
  return comctl::Append(*list, comctl::Cut(*list, strip, [&](int x, int y) {
                          return maskColour != CLR_NONE && strip.At(x, y) == key;
                        }));
}

BOOL ImageList_Replace(HIMAGELIST handle, int index, HBITMAP image, HBITMAP mask) {
  auto list = Find(handle);
  if (!list || index < 0 || index >= static_cast<int>(list->images.size())) return FALSE;
  std::vector<comctl::Image> images = comctl::FromBitmaps(*list, image, mask);
  if (images.empty()) return FALSE;
  list->DropStrips();
  list->images[static_cast<size_t>(index)] = std::move(images.front());
  return TRUE;
}

int ImageList_ReplaceIcon(HIMAGELIST handle, int index, HICON icon) {
  auto list = Find(handle);
  if (!list || !icon || index < -1 || index >= static_cast<int>(list->images.size())) return -1;
  // The icon drawn on black and on white: a pixel that keeps the background
  // in both is outside the icon.
  comctl::PixelBlock onBlack{list->cx, list->cy, std::vector<uint32_t>(static_cast<size_t>(list->cx) * list->cy)};
  comctl::PixelBlock onWhite = onBlack;
  for (auto [block, colour] : {std::pair{&onBlack, 0u}, std::pair{&onWhite, 0xFFFFFFu}}) {
    std::fill(block->pixels.begin(), block->pixels.end(), colour);
    HBITMAP bitmap = comctl::MakeBitmap(*block);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DrawIconEx(dc, 0, 0, icon, list->cx, list->cy, 0, nullptr, DI_NORMAL);
    SelectObject(dc, old);
    DeleteDC(dc);
    *block = comctl::ReadBitmap(bitmap);
    DeleteObject(bitmap);
  }
  if (onBlack.pixels.empty() || onWhite.pixels.empty()) return -1;
  comctl::Image image = comctl::Blank(*list);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const bool outside = onBlack.pixels[i] == 0 && onWhite.pixels[i] == 0xFFFFFF;
    image.opaque[i] = outside ? 0 : 1;
    image.pixels[i] = outside ? 0 : onBlack.pixels[i];
  }
  list->DropStrips();
  if (index == -1) {
    list->images.push_back(std::move(image));
    return static_cast<int>(list->images.size()) - 1;
  }
  list->images[static_cast<size_t>(index)] = std::move(image);
  return index;
}

BOOL ImageList_Remove(HIMAGELIST handle, int index) {
  auto list = Find(handle);
  if (!list || index < -1 || index >= static_cast<int>(list->images.size())) return FALSE;
  list->DropStrips();
  if (index == -1) list->images.clear();
  else list->images.erase(list->images.begin() + index);
  return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST handle, COLORREF colour) {
  auto list = Find(handle);
  if (!list) return CLR_NONE;
  const COLORREF old = list->background;
  list->background = colour;
  return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST handle) {
  auto list = Find(handle);
  return list ? list->background : CLR_NONE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST handle, int index, IMAGEINFO* info) {
  auto list = Find(handle);
  if (!list || !info || index < 0 || index >= static_cast<int>(list->images.size())) return FALSE;
  if (!list->imageStrip) {
    const int n = static_cast<int>(list->images.size());
    comctl::PixelBlock image{list->cx * n, list->cy, std::vector<uint32_t>(static_cast<size_t>(list->cx) * n * list->cy)};
    comctl::PixelBlock mask = image;
    for (int i = 0; i < n; ++i)
      for (int y = 0; y < list->cy; ++y)
        for (int x = 0; x < list->cx; ++x) {
          const size_t at = static_cast<size_t>(y) * list->cx + x;
          image.At(i * list->cx + x, y) = list->images[static_cast<size_t>(i)].pixels[at];
          mask.At(i * list->cx + x, y) = list->images[static_cast<size_t>(i)].opaque[at] ? 0 : 0xFFFFFF;
        }
    list->imageStrip = comctl::MakeBitmap(image);
    if (list->masked) list->maskStrip = comctl::MakeBitmap(mask);
  }
  info->hbmImage = list->imageStrip;
  info->hbmMask = list->maskStrip;
  info->Unused1 = info->Unused2 = 0;
  info->rcImage = RECT{index * list->cx, 0, (index + 1) * list->cx, list->cy};
  return TRUE;
}

BOOL ImageList_DrawEx(HIMAGELIST handle, int index, HDC dc, int x, int y, int width, int height,
                      COLORREF background, COLORREF foreground, UINT style) {
  auto list = Find(handle);
  if (!list || !dc || index < 0 || index >= static_cast<int>(list->images.size())) return FALSE;
  const comctl::Image& image = list->images[static_cast<size_t>(index)];
  const int w = width > 0 ? std::min(width, list->cx) : list->cx;
  const int h = height > 0 ? std::min(height, list->cy) : list->cy;
  if (background == CLR_DEFAULT) background = list->background;
  if (style & ILD_TRANSPARENT) background = CLR_NONE;
  int blend = 0;
  if (style & ILD_BLEND50) blend = 2;
  else if (style & ILD_BLEND25) blend = 1;
  const uint32_t mixWith =
      comctl::FromColorref(foreground == CLR_DEFAULT || foreground == CLR_NONE ? GetSysColor(COLOR_HIGHLIGHT) : foreground);
  comctl::PixelBlock out{w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h)};
  std::vector<uint8_t> opaque(static_cast<size_t>(w) * h);
  for (int row = 0; row < h; ++row)
    for (int column = 0; column < w; ++column) {
      const size_t from = static_cast<size_t>(row) * list->cx + column;
      const size_t to = static_cast<size_t>(row) * w + column;
      const bool inside = !list->masked || image.opaque[from];
      if (style & ILD_MASK) {
        out.pixels[to] = inside ? 0 : 0xFFFFFF;
        opaque[to] = 1;
      } else if (inside) {
        out.pixels[to] = blend ? comctl::Mix(image.pixels[from], mixWith, blend) : image.pixels[from];
        opaque[to] = 1;
      } else if (background != CLR_NONE) {
        out.pixels[to] = comctl::FromColorref(background);
        opaque[to] = 1;
      }
    }
  comctl::PutPixels(dc, x, y, out, opaque);
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  return ImageList_DrawEx(list, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

HIMAGELIST ImageList_LoadImageW(HINSTANCE instance, LPCWSTR name, int cx, int grow, COLORREF maskColour, UINT type,
                                UINT) {
  if (type != IMAGE_BITMAP) return nullptr;
  HBITMAP bitmap = LoadBitmapW(instance, name);
  if (!bitmap) return nullptr;
  const comctl::PixelBlock strip = comctl::ReadBitmap(bitmap);
  HIMAGELIST list = nullptr;
  if (cx > 0 && strip.height > 0) {
    list = ImageList_Create(cx, strip.height, maskColour == CLR_NONE ? ILC_COLOR32 : (ILC_COLOR32 | ILC_MASK), 0, grow);
    if (maskColour == CLR_DEFAULT) maskColour = comctl::ToColorref(strip.At(0, 0));
    if (list && ImageList_AddMasked(list, bitmap, maskColour) < 0) {
      ImageList_Destroy(list);
      list = nullptr;
    }
  }
  DeleteObject(bitmap);
  return list;
}

HIMAGELIST ImageList_LoadImageA(HINSTANCE instance, LPCSTR name, int cx, int grow, COLORREF maskColour, UINT type,
                                UINT flags) {
  if (IS_INTRESOURCE(name))
    return ImageList_LoadImageW(instance, reinterpret_cast<LPCWSTR>(name), cx, grow, maskColour, type, flags);
  const std::u16string wide = comctl::FromAnsi(name);
  return ImageList_LoadImageW(instance, wide.c_str(), cx, grow, maskColour, type, flags);
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST handle) {
  auto list = Find(handle);
  if (!list) return nullptr;
  auto copy = std::make_shared<ImageList>();
  copy->cx = list->cx;
  copy->cy = list->cy;
  copy->masked = list->masked;
  copy->background = list->background;
  copy->images = list->images;
  return handles::Create<HIMAGELIST>(HandleKind::ImageList, std::move(copy));
}

HICON ImageList_GetIcon(HIMAGELIST handle, int index, UINT) {
  auto list = Find(handle);
  if (!list || index < 0 || index >= static_cast<int>(list->images.size())) return nullptr;
  const comctl::Image& image = list->images[static_cast<size_t>(index)];
  std::vector<DWORD> argb(image.pixels.size());
  for (size_t i = 0; i < argb.size(); ++i)
    argb[i] = (!list->masked || image.opaque[i]) ? (0xFF000000u | image.pixels[i]) : 0;
  return CreateIconFromPixels(list->cx, list->cy, argb.data(), POINT{0, 0}, FALSE);
}
