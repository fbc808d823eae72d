#include "fields/richtext/rtf_field.h"

#include <algorithm>

#include "fields/richtext/rich_text_host.h"
#include "foundation/util/file_io.h"
#include "platform/gdi/gdi_owners.h"

bool ReadRtfFieldText(const CRtfField& field, std::vector<uint8_t>& out) {
  AString path;
  field.GetFilePath(path);
  if (path.IsEmpty()) return false;
  int size = 0;
  auto bytes = ReadWholeFile(path.GetData(), &size);
  if (!bytes || size < 0) return false;
  out.assign(bytes.get(), bytes.get() + size);
  return true;
}

SIZE MeasureRtfFieldSize(CRtfField& field) {
  std::vector<uint8_t> text;
  if (field.width <= 0 || !ReadRtfFieldText(field, text)) return {field.width, field.height};
  const int height = MeasureRichTextHeight(text.data(), static_cast<int>(text.size()), field.width);
  if (height <= 0) return {field.width, field.height};
  return {field.width, height};
}

std::unique_ptr<PLWinBmp> BuildRtfFieldPicture(const CRtfField& field, const int* sizeXY) {
  if (field.width <= 0) return nullptr;
  std::vector<uint8_t> text;
  if (!ReadRtfFieldText(field, text)) return nullptr;
  WindowDc screen;
  if (!screen) return nullptr;
  const int screenDpi = std::max(1, GetDeviceCaps(screen.get(), LOGPIXELSX));
  const int w = sizeXY ? sizeXY[0] : field.width * screenDpi / 1000;
  const int h = sizeXY ? sizeXY[1] : field.height * GetDeviceCaps(screen.get(), LOGPIXELSY) / 1000;
  if (w <= 0 || h <= 0) return nullptr;
  UniqueDc dc(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), w, h));
  if (!dc || !bitmap) return nullptr;
  {
    SelectScope select(dc.get(), bitmap.get());
    UniqueBrush fill(CreateSolidBrush(field.backColor));
    RECT all{0, 0, w, h};
    FillRect(dc.get(), &all, fill.get());
    const double zoom = static_cast<double>(w) * 1000.0 / screenDpi / field.width;
    DrawRichTextScaled(dc.get(), text.data(), static_cast<int>(text.size()), &all,
                       field.fitFont ? field.fontSizeStep : 0, zoom);
  }
  auto bmp = std::make_unique<PLWinBmp>();
  if (!bmp->CreateFromHBitmap(bitmap.get())) return nullptr;
  return bmp;
}
