// Test helpers for drawing fields: printers at the three resolutions, a
// picture file, fields of every kind sized for a cell, and drawing one field
// onto a canvas.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "fields/draw/field_draw.h"
#include "fields/geometry/field_outline.h"
#include "fields/measure/field_measure.h"
#include "fields/services/label_setup.h"
#include "image/bitmap/planybmp.h"
#include "image/encode/plpngencoder.h"
#include "platform/gdi/printer_settings.h"
#include "platform/testing/test_canvas.h"

namespace fields_test {

inline constexpr int kDrawResolutions[] = {203, 300, 600};

// A label setup for a test printer at dpi (registered on first use), whose
// device context measures the text.
inline CLabelSetup SetupAt(int dpi) {
  const std::string name = "Fields Test " + std::to_string(dpi);
  if (!gdi::FindPrinterSettings(name)) {
    gdi::PrinterSettings s;
    s.dpiX = s.dpiY = dpi;
    s.page = {4 * dpi, 6 * dpi};
    s.printable = s.page;
    s.printableOffset = {0, 0};
    gdi::RegisterPrinterSettings(name, s);
  }
  CLabelSetup setup;
  setup.dpiX = setup.dpiY = dpi;
  setup.lastPrinter = name.c_str();
  return setup;
}

// A picture file of 64 x 40 pixels (a frame, a diagonal and colour bands) in
// its own temporary folder, removed with the object.
class PictureFile {
 public:
  PictureFile() {
    static int made = 0;
    folder_ = std::filesystem::temp_directory_path() /
              ("tav-fields-" + std::to_string(::getpid()) + "-" + std::to_string(made++));
    std::filesystem::create_directories(folder_);
    path_ = (folder_ / "picture.png").string();
    PLAnyBmp bmp;
    bmp.Create(64, 40, 32, 32, 0, false, false);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 64; ++x) {
        PLPixel32& p = bmp.GetLineArray32()[y][x];
        const bool frame = x < 3 || y < 3 || x > 60 || y > 36 || std::abs(x * 40 - y * 64) < 80;
        p.Set(frame ? 0 : static_cast<PLBYTE>(x * 4), frame ? 0 : 200, frame ? 0 : static_cast<PLBYTE>(y * 6), 255);
      }
    PLPNGEncoder().MakeFileFromBmp(path_.c_str(), &bmp);
    rtfPath_ = (folder_ / "text.rtf").string();
    std::ofstream(rtfPath_, std::ios::binary) << kSampleRtf;
  }
  ~PictureFile() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  const std::string& path() const { return path_; }
  std::filesystem::path folder() const { return folder_; }
  // Rich text of a few words in two paragraphs, next to the picture.
  const std::string& rtfPath() const { return rtfPath_; }
  static constexpr const char* kSampleRtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red0\\green0\\blue128;}"
      "\\f0\\fs12 Rich text wraps\\par \\b bold\\b0  and \\cf1 blue\\cf0  words\\par}";

 private:
  std::filesystem::path folder_;
  std::string path_;
  std::string rtfPath_;
};

// Every kind, sized about `size` mils, at the origin; names say what it is.
struct KindSample {
  const char* name;
  std::unique_ptr<CField> (*make)(int size, const CLabelSetup& setup, const std::string& picture);
};

inline std::unique_ptr<CField> Sized(std::unique_ptr<CField> f, int w, int h) {
  f->width = w;
  f->height = h;
  return f;
}

inline const KindSample* KindSamples(size_t* count) {
  static const KindSample samples[] = {
      {"line", [](int s, const CLabelSetup&, const std::string&) -> std::unique_ptr<CField> {
         auto f = std::make_unique<CLineField>();
         f->foreColor = 0x202020;
         return Sized(std::move(f), s, s / 8);
       }},
      {"box", [](int s, const CLabelSetup&, const std::string&) -> std::unique_ptr<CField> {
         auto f = std::make_unique<CBoxField>();
         f->horizontalLineWidth = s / 12;
         f->verticalLineWidth = s / 8;
         f->foreColor = 0x804000;
         return Sized(std::move(f), s, s * 2 / 3);
       }},
      {"text", [](int s, const CLabelSetup& setup, const std::string&) -> std::unique_ptr<CField> {
         auto f = std::make_unique<CTextField>();
         f->data = "Text 12";
         f->logFont.lfHeight = s / 60;
         const SIZE m = MeasureField(*f, {}, setup, 0);
         return Sized(std::move(f), m.cx, m.cy);
       }},
      {"barcode", [](int s, const CLabelSetup& setup, const std::string&) -> std::unique_ptr<CField> {
         auto f = std::make_unique<CBarcodeField>(setup.dpiX);
         f->symbology = 4;
         f->data = "42";
         f->narrowBar = static_cast<int16_t>(std::max(1, setup.dpiX / 200));
         f->barHeight = s / 3;
         f->hrLogFont.lfHeight = 6;
         const SIZE m = MeasureField(*f, {}, setup, 0);
         return Sized(std::move(f), m.cx, m.cy);
       }},
      {"bars", [](int s, const CLabelSetup& setup, const std::string&) -> std::unique_ptr<CField> {
         auto f = std::make_unique<CBarcodeField>(setup.dpiX);
         f->symbology = 4;
         f->data = "42";
         f->showHr = 0;
         f->narrowBar = static_cast<int16_t>(std::max(1, setup.dpiX / 200));
         f->barHeight = s / 3;
         const SIZE m = MeasureField(*f, {}, setup, 0);
         return Sized(std::move(f), m.cx, m.cy);
       }},
      {"image", [](int s, const CLabelSetup&, const std::string& picture) -> std::unique_ptr<CField> {
         auto f = std::make_unique<CImageField>();
         f->fileName = picture.c_str();
         f->useFolder = 0;
         f->dataSourceType = 1;
         return Sized(std::move(f), s, s * 5 / 8);
       }},
      {"paragraph", [](int s, const CLabelSetup&, const std::string&) -> std::unique_ptr<CField> {
         auto f = std::make_unique<CParagraphField>();
         f->data = "Words wrap inside the paragraph box here";
         f->logFont.lfHeight = std::max(4, s / 110);
         f->wrapWidth = s;
         return Sized(std::move(f), s, s * 2 / 3);
       }},
      {"rtf", [](int s, const CLabelSetup& setup, const std::string& picture) -> std::unique_ptr<CField> {
         auto f = std::make_unique<CRtfField>();
         f->rtfFile = (std::filesystem::path(picture).parent_path() / "text.rtf").string().c_str();
         f->useFolder = 0;
         f->width = s;
         f->height = s / 2;
         const SIZE m = MeasureField(*f, {}, setup, 0);
         return Sized(std::move(f), m.cx, m.cy);
       }},
      {"ellipse", [](int s, const CLabelSetup&, const std::string&) -> std::unique_ptr<CField> {
         auto f = std::make_unique<CEllipseField>();
         f->foreColor = 0xC0E0FF;
         f->shapeFlags = kShapeFillInside;
         f->line.width = s / 25;
         f->line.color = 0x000080;
         return Sized(std::move(f), s, s / 2);
       }},
      {"rrect", [](int s, const CLabelSetup&, const std::string&) -> std::unique_ptr<CField> {
         auto f = std::make_unique<CEllipseField>();
         f->styleFlags = 4;
         f->cornerRadius = s / 10;
         f->line.width = s / 30;
         f->line.color = 0x006000;
         return Sized(std::move(f), s, s / 2);
       }},
  };
  *count = std::size(samples);
  return samples;
}

// Moves the field so that its turned bounding box is centred in the cell.
inline void PlaceInCell(CField& f, int cellX, int cellY, int cell) {
  f.offset = {0, 0};
  const RECT r = GetFieldBoundingRect(f, 0, 0, 0, 0);
  f.offset = {cellX + cell / 2 - static_cast<int>(r.left + r.right) / 2,
              cellY + cell / 2 - static_cast<int>(r.top + r.bottom) / 2};
}

}  // namespace fields_test
