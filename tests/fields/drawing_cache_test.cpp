// Paragraphs and rich text draw through a picture kept in the field: the
// picture is drawn again while nothing it shows changed, and made anew when
// the text, the font, the rotation, the size, the resolution, the mode or the
// linked file changed. A marked pixel in the kept picture tells which.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "fields/draw/field_draw.h"
#include "fields/geometry/field_outline.h"
#include "fields/geometry/units.h"
#include "tests/fields/draw_fixture.h"

namespace {

using fields_test::PictureFile;
using fields_test::SetupAt;

constexpr COLORREF kMark = RGB(255, 0, 255);

// Marks the middle of the field's kept picture; the mark's place in it.
POINT MarkKeptPicture(CFieldPicture& pic) {
  PLBmp* kept = pic.sourceBitmap.get();
  if (!kept) return {-1, -1};
  const int x = kept->GetWidth() / 2, y = kept->GetHeight() / 2;
  kept->GetLineArray32()[y][x].Set(255, 0, 255, 255);
  return {x, y};
}

struct Change {
  const char* what;
  std::function<void(CField&)> apply;
  bool redraws;
};

// Draws, marks the kept picture, applies the change, draws again: the mark
// shows exactly when the kept picture was used.
void ExpectCacheUse(const std::function<std::unique_ptr<CField>()>& make, CFieldPicture& (*pictureOf)(CField&),
                    const std::vector<Change>& changes) {
  for (const auto& c : changes) {
    auto f = make();
    int dpi = 203;
    const CLabelSetup setup = SetupAt(dpi);
    tavtest::TestCanvas first(MilsToDevice(2300, dpi), MilsToDevice(2300, dpi));
    ASSERT_EQ(DrawField(first.dc(), *f, setup, 0, 0, 0, dpi, dpi, 0, 1, 0), 1) << c.what;
    ASSERT_NE(pictureOf(*f).sourceBitmap, nullptr) << c.what << ": the picture is kept";
    const POINT mark = MarkKeptPicture(pictureOf(*f));
    c.apply(*f);
    if (std::string(c.what).find("300 dpi") != std::string::npos) dpi = 300;
    const RECT bounds = GetFieldBoundingRect(*f, 0, 0, dpi, dpi);
    tavtest::TestCanvas second(MilsToDevice(2300, dpi), MilsToDevice(2300, dpi));
    DrawField(second.dc(), *f, SetupAt(dpi), 0, 0, 0, dpi, dpi, 0, 1, 0);
    const bool marked = second.Count(kMark) > 0;
    EXPECT_EQ(marked, !c.redraws) << c.what;
    if (!c.redraws) {
      EXPECT_EQ(second.Device(bounds.left + mark.x, bounds.top + mark.y), kMark) << c.what;
    }
  }
}

CFieldPicture& ParagraphPicture(CField& f) { return static_cast<CParagraphField&>(f).picture; }
CFieldPicture& RtfPicture(CField& f) { return static_cast<CRtfField&>(f).picture; }

TEST(DrawingCache, ParagraphPictureIsRemadeWhenItMust) {
  auto make = [] {
    auto p = std::make_unique<CParagraphField>();
    p->data = "Cached paragraph text wraps here";
    p->logFont.lfHeight = 10;
    p->offset = {300, 300};
    p->width = p->wrapWidth = 1600;
    p->height = 700;
    return std::unique_ptr<CField>(std::move(p));
  };
  auto para = [](CField& f) -> CParagraphField& { return static_cast<CParagraphField&>(f); };
  ExpectCacheUse(make, ParagraphPicture,
                 {
                     {"drawn again unchanged", [](CField&) {}, false},
                     {"moved by whole pixels keeps the picture", [](CField& f) { f.offset.x += 1000; }, false},
                     {"new text", [&](CField& f) { para(f).data = "Other words now"; }, true},
                     {"larger font", [&](CField& f) { para(f).logFont.lfHeight = 12; }, true},
                     {"bold", [&](CField& f) { para(f).logFont.lfWeight = 700; }, true},
                     {"colour", [](CField& f) { f.foreColor = RGB(0, 0, 200); }, true},
                     {"turned", [](CField& f) { f.SetRotation(90000); }, true},
                     {"resized", [](CField& f) { f.height = 900; }, true},
                     {"anchored right", [](CField& f) { f.anchor = 1; }, true},
                     {"fed by a database", [](CField& f) { f.dataSourceType = 8; }, true},
                     {"at 300 dpi", [](CField&) {}, true},
                 });
}

TEST(DrawingCache, RichTextPictureIsRemadeWhenItMust) {
  PictureFile files;
  const std::string path = files.rtfPath();
  auto make = [&] {
    auto r = std::make_unique<CRtfField>();
    r->rtfFile = path.c_str();
    r->useFolder = 0;
    r->offset = {300, 300};
    r->width = 1600;
    r->height = 600;
    return std::unique_ptr<CField>(std::move(r));
  };
  auto rtf = [](CField& f) -> CRtfField& { return static_cast<CRtfField&>(f); };
  ExpectCacheUse(make, RtfPicture,
                 {
                     {"drawn again unchanged", [](CField&) {}, false},
                     {"font step", [&](CField& f) { rtf(f).fontSizeStep = 2; }, true},
                     {"turned", [](CField& f) { f.SetRotation(180000); }, true},
                     {"background", [](CField& f) { f.backColor = RGB(255, 255, 200); }, true},
                     {"the file rewritten", [&](CField&) {
                        std::ofstream(path, std::ios::binary | std::ios::trunc)
                            << "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Rewritten file\\par}";
                      }, true},
                 });
  // The drawing mode that asks for it drops the pictures first.
  auto f = make();
  const CLabelSetup setup = SetupAt(300);
  tavtest::TestCanvas canvas(MilsToDevice(2300, 300), MilsToDevice(2300, 300));
  DrawField(canvas.dc(), *f, setup, 0, 0, 0, 300, 300, 0, 1, 0);
  MarkKeptPicture(RtfPicture(*f));
  tavtest::TestCanvas again(MilsToDevice(2300, 300), MilsToDevice(2300, 300));
  DrawField(again.dc(), *f, setup, 0, 0, 0, 300, 300, 0, 1, kDrawModeDropRtfPictures);
  EXPECT_EQ(again.Count(kMark), 0);
}

}  // namespace
