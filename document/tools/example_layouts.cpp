#include "document/tools/example_layouts.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <utility>

#include "barcode/request/symbology.h"
#include "document/file/layout_file.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/measure/field_measure.h"
#include "image/bitmap/plwinbmp.h"
#include "image/encode/plpngencoder.h"
#include "platform/gdi/gdi_owners.h"

namespace {

using kalvo::Symbology;

CLabelSetup SetupOf(int width, int height, int dpi, int shape) {
  CLabelSetup setup;
  setup.labelWidth = width;
  setup.labelHeight = height;
  setup.dpiX = setup.dpiY = dpi;
  setup.deflt_shape = static_cast<uint8_t>(shape);
  setup.cornerSize = 0;
  return setup;
}

// A barcode field of the symbology at a place, sized as it measures.
std::unique_ptr<CBarcodeField> Barcode(const CLabelSetup& setup, Symbology symbology, int subType, const char* data,
                                       int x, int y, int barHeight) {
  auto f = std::make_unique<CBarcodeField>(setup.dpiX);
  SetNewBarcodeDefaults(*f, setup);
  f->symbology = static_cast<int16_t>(kalvo::CodeOf(symbology));
  f->subType = static_cast<int16_t>(subType);
  f->data = data;
  f->barHeight = barHeight;
  f->offset = {x, y};
  return f;
}

template <class Field>
std::unique_ptr<Field> Measured(std::unique_ptr<Field> f, const CLabelSetup& setup) {
  const SIZE size = MeasureField(*f, {}, setup, 0);
  f->width = size.cx;
  f->height = size.cy;
  return f;
}

std::unique_ptr<CTextField> Text(const CLabelSetup& setup, const char* data, int x, int y, int points, bool bold) {
  auto f = std::make_unique<CTextField>();
  f->data = data;
  f->offset = {x, y};
  f->logFont.lfHeight = points;
  f->logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  return Measured(std::move(f), setup);
}

std::unique_ptr<CBoxField> Box(int x, int y, int w, int h, int line) {
  auto f = std::make_unique<CBoxField>();
  f->offset = {x, y};
  f->width = w;
  f->height = h;
  f->horizontalLineWidth = f->verticalLineWidth = line;
  f->foreColor = 0x000000;
  return f;
}

std::unique_ptr<CLineField> Line(int x, int y, int length, int thickness) {
  auto f = std::make_unique<CLineField>();
  f->offset = {x, y};
  f->width = length;
  f->height = thickness;
  f->line.width = thickness;
  f->foreColor = 0x000000;
  return f;
}

// 4 x 6 inches at 203 dpi: sender, addressee, a QR code with the tracking
// number, and the GS1-128 symbol of the shipment's identifiers.
bool ShippingLabel(const std::string& path) {
  CLabelSetup setup = SetupOf(4000, 6000, 203, 1);
  CFieldList fields;
  fields.push_back(Box(80, 80, 3840, 5840, 30));
  fields.push_back(Text(setup, "FROM: Tavrendel Works", 200, 200, 10, true));
  fields.push_back(Text(setup, "12 Harbour Road, Leith EH6 7AB", 200, 380, 10, false));
  fields.push_back(Line(80, 700, 3840, 20));
  fields.push_back(Text(setup, "SHIP TO:", 200, 820, 12, true));
  fields.push_back(Text(setup, "Morven Castellan", 200, 1080, 16, true));
  fields.push_back(Text(setup, "Unit 4, Quayside Park", 200, 1400, 14, false));
  fields.push_back(Text(setup, "ABERDEEN AB11 5PL", 200, 1680, 14, false));
  fields.push_back(Line(80, 2100, 3840, 20));
  auto qr = Barcode(setup, Symbology::QrCode, 0, "TRK 1Z4A7-0093-5521", 2600, 2250, 400);
  qr->moduleSize2D = 6;
  fields.push_back(Measured(std::move(qr), setup));
  fields.push_back(Text(setup, "Tracking 1Z4A7-0093-5521", 200, 2300, 11, false));
  fields.push_back(Text(setup, "Weight 4.2 kg   Parcel 1 of 1", 200, 2600, 11, false));
  fields.push_back(Line(80, 3500, 3840, 20));
  auto gs1 = Barcode(setup, Symbology::UccEan128Ais, 0, "", 300, 3800, 1200);
  gs1->aiCode[0] = "01";
  gs1->aiData[0] = "12345678901231";
  gs1->aiCode[1] = "10";
  gs1->aiData[1] = "LOT7";
  fields.push_back(Measured(std::move(gs1), setup));
  return SaveLayoutFile(path.c_str(), setup, fields, SaveVersions::kFreshStore) == 1;
}

// The product's picture: a round emblem with its initials, drawn here.
bool WriteProductPicture(const std::string& path) {
  constexpr int kSize = 160;
  UniqueDc dc(CreateCompatibleDC(nullptr));
  UniqueBitmap bitmap;
  {
    WindowDc screen;
    bitmap.reset(CreateCompatibleBitmap(screen.get(), kSize, kSize));
  }
  if (!dc || !bitmap) return false;
  {
    SelectScope select(dc.get(), bitmap.get());
    const RECT all{0, 0, kSize, kSize};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    UniqueBrush gold(CreateSolidBrush(RGB(214, 160, 40)));
    UniquePen brown(CreatePen(PS_SOLID, 8, RGB(110, 60, 20)));
    SelectScope brush(dc.get(), gold.get());
    SelectScope pen(dc.get(), brown.get());
    Ellipse(dc.get(), 8, 8, kSize - 8, kSize - 8);
    LOGFONTA lf{};
    lf.lfHeight = -56;
    lf.lfWeight = FW_BOLD;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "Liberation Serif");
    UniqueFont font(CreateFontIndirectA(&lf));
    SelectScope text(dc.get(), font.get());
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(80, 40, 10));
    RECT box = all;
    DrawTextA(dc.get(), "RO", 2, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  PLWinBmp picture;
  return picture.CreateFromHBitmap(bitmap.get()) && PLPNGEncoder().MakeFileFromBmp(path.c_str(), &picture) == 1;
}

// 3 x 2 inches at 300 dpi: EAN-13 with a five-digit supplement, a paragraph
// of text and the product's picture.
bool ProductLabel(const std::string& path, const std::string& pictureName) {
  CLabelSetup setup = SetupOf(3000, 2000, 300, 0);
  CFieldList fields;
  fields.push_back(Text(setup, "Rolled Oats 500 g", 150, 100, 11, true));
  auto paragraph = std::make_unique<CParagraphField>();
  paragraph->data = "Whole grain oats, rolled thin. Store in a cool, dry place and keep the bag closed.";
  paragraph->logFont.lfHeight = 7;
  paragraph->offset = {150, 330};
  paragraph->width = 1900;
  paragraph->wrapWidth = 1900;
  paragraph->height = 500;
  fields.push_back(std::move(paragraph));
  auto picture = std::make_unique<CImageField>();
  picture->fileName = pictureName.c_str();
  picture->useFolder = 0;
  picture->dataSourceType = 1;
  picture->offset = {2200, 120};
  picture->width = 650;
  picture->height = 650;
  fields.push_back(std::move(picture));
  fields.push_back(Measured(Barcode(setup, Symbology::Ean13, 2, "97803064061575995", 250, 950, 700), setup));
  return SaveLayoutFile(path.c_str(), setup, fields, SaveVersions::kFreshStore) == 1;
}

// 2 x 1 inches at 300 dpi, round-cornered: a Data Matrix symbol and its
// number, both fed by a counter file, beside the owner's name.
bool AssetTag(const std::string& path) {
  CLabelSetup setup = SetupOf(2000, 1000, 300, 0);
  CFieldList fields;
  auto code = Barcode(setup, Symbology::DataMatrix, 0, "ASSET-000123", 120, 150, 600);
  code->moduleSize2D = 8;
  code->dataSourceType = 4;  // a counter file
  code->counterFile = "asset_tag.cnt";
  code->increment = 1;
  fields.push_back(Measured(std::move(code), setup));
  fields.push_back(Text(setup, "Property of", 900, 180, 7, false));
  fields.push_back(Text(setup, "Tavrendel Works", 900, 330, 8, true));
  auto number = Text(setup, "ASSET-000123", 900, 560, 9, true);
  number->dataSourceType = 4;
  number->counterFile = "asset_tag.cnt";
  number->increment = 1;
  fields.push_back(std::move(number));
  return SaveLayoutFile(path.c_str(), setup, fields, SaveVersions::kFreshStore) == 1;
}

}  // namespace

std::vector<std::string> WriteExampleLayouts(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> written;
  std::error_code ec;
  fs::create_directories(folder, ec);
  const std::string picture = "product_picture.png";
  const auto at = [&](const std::string& name) { return (fs::path(folder) / name).string(); };
  if (ShippingLabel(at("shipping_label.bcd"))) written.push_back(at("shipping_label.bcd"));
  if (WriteProductPicture(at(picture)) && ProductLabel(at("product_label.bcd"), picture))
    written.push_back(at("product_label.bcd"));
  if (AssetTag(at("asset_tag.bcd"))) written.push_back(at("asset_tag.bcd"));
  // The backups and working files of saving are not examples.
  for (const char* name : {"shipping_label.bcd", "product_label.bcd", "asset_tag.bcd"})
    for (const char* extra : {".010", ".vue", ".tmp"}) fs::remove(at(std::string(name) + extra), ec);
  return written;
}
