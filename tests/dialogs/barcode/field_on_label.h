// A barcode field as it comes out on the label: the layout saved with the
// field, rendered to PNG as the program does, read back by ImageMagick, and
// the field's place cut out for zxing-cpp, as a scanner held over the symbol
// would see it (zxing-cpp misses small matrix symbols in a large picture).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "document/file/layout_file.h"
#include "document/render/layout_png.h"
#include "fields/model/field_kinds.h"
#include "fields/services/label_setup.h"
#include "tests/barcode/kalvo_request.h"
#include "tests/document/export_oracles.h"

namespace barcode_sheet_test {

inline kalvo_test::Grey GreyOf(const document_test::Rgb& rgb) {
  kalvo_test::Grey grey;
  grey.width = rgb.width;
  grey.height = rgb.height;
  for (size_t i = 0; i + 2 < rgb.bytes.size(); i += 3)
    grey.pixels.push_back(static_cast<uint8_t>((rgb.bytes[i] + rgb.bytes[i + 1] + rgb.bytes[i + 2]) / 3));
  return grey;
}

// The field's rectangle in dots with a margin of a tenth of an inch.
inline RECT DotsOf(const CField& f, int dpi) {
  const auto dots = [dpi](int mils) { return static_cast<LONG>(static_cast<int64_t>(mils) * dpi / 1000); };
  const LONG margin = dpi / 10;
  return {dots(f.offset.x) - margin, dots(f.offset.y) - margin, dots(f.offset.x + f.width) + margin,
          dots(f.offset.y + f.height) + margin};
}

inline kalvo_test::Grey Crop(const kalvo_test::Grey& grey, const RECT& box) {
  kalvo_test::Grey out;
  const int left = std::max<int>(0, box.left), top = std::max<int>(0, box.top);
  const int right = std::min<int>(grey.width, box.right), bottom = std::min<int>(grey.height, box.bottom);
  out.width = std::max(0, right - left);
  out.height = std::max(0, bottom - top);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) out.pixels.push_back(grey.pixels[static_cast<size_t>(y) * grey.width + x]);
  return out;
}

inline int DarkPixels(const kalvo_test::Grey& grey) {
  int dark = 0;
  for (uint8_t p : grey.pixels) dark += p < 128 ? 1 : 0;
  return dark;
}

// Saves a layout of the one field in `folder` as `name`.bcd, renders it to
// `png` and returns the field's place on the label (with its margin); the
// field goes into the layout.
inline std::optional<kalvo_test::Grey> RenderFieldOnLabel(const CLabelSetup& setup, std::unique_ptr<CField> field,
                                                          const document_test::TempFolder& folder,
                                                          const std::string& name, const std::string& png) {
  const RECT box = DotsOf(*field, setup.dpiX);
  CFieldList fields;
  fields.push_back(std::move(field));
  const std::string layout = folder.File(name + ".bcd");
  if (SaveLayoutFile(layout.c_str(), setup, fields, SaveVersions::kFreshStore) != 1) return std::nullopt;
  if (RenderLayoutFileToPng(layout.c_str(), png.c_str(), 0) != 1) return std::nullopt;
  const auto read = document_test::ReadWithImageMagick(png);
  if (!read) return std::nullopt;
  return Crop(GreyOf(*read), box);
}

// What zxing-cpp reads from the symbol in the picture ("" when nothing).
inline std::string ReadSymbol(const kalvo_test::Grey& grey, ZXing::BarcodeFormat format) {
  ZXing::DecodeHints hints;
  hints.setFormats(format);
  hints.setTryHarder(true);
  const ZXing::Result r = kalvo_test::Decode(grey, 20, hints);
  return r.isValid() ? kalvo_test::BytesOf(r) : std::string();
}

// The field alone on a label in a folder of its own, rendered to `png` and
// read back: what zxing-cpp reads ("" when nothing, or the label was not
// made).
inline std::string ReadFieldAsPrinted(const CLabelSetup& setup, std::unique_ptr<CField> field,
                                      ZXing::BarcodeFormat format, const std::string& png) {
  const document_test::TempFolder folder("field-on-label");
  const auto grey = RenderFieldOnLabel(setup, std::move(field), folder, "label", png);
  return grey ? ReadSymbol(*grey, format) : std::string();
}

}  // namespace barcode_sheet_test
