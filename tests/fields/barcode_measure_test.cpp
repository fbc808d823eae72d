// A barcode field's measured size is the size of the symbol it draws (a
// linear symbol keeps the blank dot beyond its bars that stored layouts are
// sized with), and measuring again gives the same size: for every
// symbology, upright and turned, with and without its human-readable line.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "barcode/kalvo.h"
#include "fields/barcode/symbology_catalogue.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/barcode/barcode_render.h"
#include "fields/measure/field_measure.h"
#include "fields/model/field_list.h"
#include "fields/records/field_list_stream.h"
#include "fields/services/label_setup.h"
#include "image/bitmap/plwinbmp.h"

namespace {

struct Symbol {
  int symbology;
  int subType;
  const char* data;
};

const Symbol kSymbols[] = {
    {0, 0, "1234"},           {1, 0, "FIELD-39"},      {2, 0, "Field 39!"},
    {3, 0, "TEST93"},         {4, 0, "Field 128"},     {5, 0, "9638507"},
    {6, 0, "590123412345"},   {6, 1, "59012341234512"}, {7, 0, "0112345678901231"},
    {10, 0, "123456"},        {11, 0, "1234567890123"}, {12, 0, "123456"},
    {18, 0, "12345678"},      {19, 0, "0112345678901231"}, {21, 0, "03600029145"},
    {22, 0, "123456"},        {24, 0, "12345678901"},  {26, 0, "123456"},
    {27, 0, "PDF417 field"},  {28, 0, "MaxiCode field"}, {29, 0, "Data Matrix field"},
    {31, 0, "Micro 417"},     {33, 0, "QR Code field"},
};

std::unique_ptr<CBarcodeField> FieldOf(const Symbol& s, const CLabelSetup& setup, int rotation, bool text) {
  auto f = std::make_unique<CBarcodeField>(setup.dpiX);
  SetNewBarcodeDefaults(*f, setup);
  f->symbology = static_cast<int16_t>(s.symbology);
  f->subType = static_cast<int16_t>(s.subType);
  f->data = s.data;
  if (s.symbology == 28) f->maxiMode = 4;
  if (s.symbology == 31) f->microPdfMode = 10;
  f->showHr = text ? 1 : 0;
  f->designerDrawsText = text ? 1 : 0;
  f->SetRotation(rotation);
  return f;
}

std::string Name(const Symbol& s) { return std::string(SymbologyDisplayName(s.symbology)) + "/" + std::to_string(s.subType); }

TEST(BarcodeMeasure, TheMeasuredSizeIsTheDrawnSymbolsSize) {
  InitSymbologyTables();
  for (const int dpi : {203, 300}) {
    for (const int rotation : {0, 90000}) {
      for (const Symbol& s : kSymbols) {
        SCOPED_TRACE(Name(s) + " at " + std::to_string(dpi) + " dpi, " + std::to_string(rotation / 1000) + " degrees");
        CLabelSetup setup;
        setup.dpiX = setup.dpiY = dpi;
        auto f = FieldOf(s, setup, rotation, false);
        POINT measured{};
        ASSERT_EQ(RenderBarcodeToBitmap(f.get(), dpi, 0, &measured, kRenderMeasureOnly, nullptr, nullptr, nullptr, 0), 1);
        const PLWinBmp* drawn = f->GetRendering(dpi, nullptr, nullptr, 0, dpi, 0);
        ASSERT_NE(drawn, nullptr);
        const int blank = Is2DBCode(s.symbology, s.subType) ? 0 : 1;
        EXPECT_EQ(measured.x, drawn->GetWidth() + blank);
        EXPECT_EQ(measured.y, drawn->GetHeight() + blank);
      }
    }
  }
}

TEST(BarcodeMeasure, MeasuringAgainGivesTheSameSize) {
  const CFieldList none;
  for (const bool text : {false, true}) {
    for (const Symbol& s : kSymbols) {
      SCOPED_TRACE(Name(s) + (text ? " with its text" : ""));
      CLabelSetup setup;
      auto f = FieldOf(s, setup, 0, text);
      const SIZE first = MeasureBarcodeField(*f, none, setup, 0);
      ASSERT_GT(first.cx, 0);
      f->width = first.cx;
      f->height = first.cy;
      std::vector<uint8_t> record;
      for (int again = 0; again < 3; ++again) {
        const SIZE next = MeasureBarcodeField(*f, none, setup, 0);
        EXPECT_EQ(next.cx, first.cx) << "measure " << again + 2;
        EXPECT_EQ(next.cy, first.cy) << "measure " << again + 2;
        // What measuring leaves in the field is settled too.
        std::vector<uint8_t> now;
        AppendFieldRecord(now, *f);
        if (again > 0) {
          EXPECT_EQ(now, record) << "measure " << again + 2;
        }
        record = std::move(now);
      }
    }
  }
}

}  // namespace
