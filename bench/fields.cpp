// Re-measuring and drawing a label of 50 mixed fields at 300 and 600 dpi,
// with the fields' caches cold (fresh copies each round) and warm (the same
// fields drawn again).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "fields/draw/field_draw.h"
#include "fields/geometry/units.h"
#include "fields/lifecycle/field_lifecycle.h"
#include "fields/model/field_kinds.h"
#include "fields/services/label_setup.h"
#include "image/bitmap/planybmp.h"
#include "image/encode/plpngencoder.h"
#include "platform/gdi/gdi_owners.h"

namespace {

// A picture file for the image fields, removed at exit.
struct PictureFile {
  std::filesystem::path path;
  PictureFile() {
    path = std::filesystem::temp_directory_path() / ("tav-fields-bench-" + std::to_string(::getpid()) + ".png");
    PLAnyBmp bmp;
    bmp.Create(200, 120, 32, 32, 0, false, false);
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 200; ++x) bmp.GetLineArray32()[y][x].Set(PLBYTE(x), PLBYTE(y * 2), PLBYTE(x ^ y), 255);
    PLPNGEncoder().MakeFileFromBmp(path.c_str(), &bmp);
  }
  ~PictureFile() {
    std::error_code ec;
    std::filesystem::remove(path, ec);
  }
};

const PictureFile& Picture() {
  static PictureFile file;
  return file;
}

// Ten each of text, barcode, box and line fields, four paragraphs, three
// images and three ellipses, some of them turned.
CFieldList MakeLabel(int dpi) {
  CFieldList list;
  for (int i = 0; i < 50; ++i) {
    std::unique_ptr<CField> f;
    const int kind = i < 10 ? 2 : i < 20 ? 3 : i < 30 ? 1 : i < 40 ? 0 : i < 44 ? 6 : i < 47 ? 4 : 9;
    switch (kind) {
      case 2: {
        auto t = std::make_unique<CTextField>();
        t->data = ("Item " + std::to_string(i * 137)).c_str();
        t->logFont.lfHeight = 8 + i % 5;
        f = std::move(t);
        break;
      }
      case 3: {
        auto b = std::make_unique<CBarcodeField>(dpi);
        const int symbologies[] = {4, 1, 6, 10, 33, 29, 27, 21, 3, 0};
        b->symbology = static_cast<int16_t>(symbologies[i % 10]);
        b->data = b->symbology == 6 ? "590123412345" : b->symbology == 21 ? "03600029145" : "1234567890";
        b->narrowBar = static_cast<int16_t>(std::max(1, dpi / 150));
        f = std::move(b);
        break;
      }
      case 6: {
        auto p = std::make_unique<CParagraphField>();
        p->data = "A paragraph of several words that wraps across a few lines of the label.";
        p->wrapWidth = 1500;
        p->width = 1500;
        p->height = 600;
        f = std::move(p);
        break;
      }
      case 4: {
        auto im = std::make_unique<CImageField>();
        im->fileName = Picture().path.c_str();
        im->useFolder = 0;
        im->width = 800;
        im->height = 480;
        f = std::move(im);
        break;
      }
      default:
        f = NewFieldOfKind(kind);
        f->width = 600;
        f->height = kind == 0 ? 40 : 400;
        break;
    }
    f->offset = {100 + (i % 5) * 750, 100 + (i / 5) * 500};
    if (i % 7 == 3) f->SetRotation(90000);
    if (i % 11 == 5) f->SetRotation(30000);
    list.push_back(std::move(f));
  }
  return list;
}

CLabelSetup SetupAt(int dpi) {
  CLabelSetup setup;
  setup.dpiX = setup.dpiY = dpi;
  setup.labelWidth = 4000;
  setup.labelHeight = 5500;
  return setup;
}

void BM_RemeasureLabel(benchmark::State& state) {
  const int dpi = static_cast<int>(state.range(0));
  const CLabelSetup setup = SetupAt(dpi);
  CFieldList label = MakeLabel(dpi);
  for (auto _ : state) RemeasureFieldList(label, setup, nullptr, 0);
  state.SetItemsProcessed(state.iterations() * 50);
}
BENCHMARK(BM_RemeasureLabel)->Arg(300)->Arg(600)->Unit(benchmark::kMillisecond);

// cold: fresh copies of the fields each round, so no picture is cached.
void BM_DrawLabel(benchmark::State& state) {
  const int dpi = static_cast<int>(state.range(0));
  const bool warm = state.range(1) != 0;
  const CLabelSetup setup = SetupAt(dpi);
  CFieldList label = MakeLabel(dpi);
  RemeasureFieldList(label, setup, nullptr, 0);
  WindowDc screen;
  UniqueDc dc(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), MilsToDevice(4000, dpi), MilsToDevice(5500, dpi)));
  SelectScope select(dc.get(), bitmap.get());
  for (auto _ : state) {
    if (!warm) {
      state.PauseTiming();
      CFieldList fresh = CloneFieldList(label, 0);
      for (auto& f : fresh)
        if (f->IsKind(FieldKind::kImage)) static_cast<CImageField&>(*f).picture.FreeBitmaps(1);
      state.ResumeTiming();
      DrawFieldList(dc.get(), fresh, setup, 0, 0, 0, dpi, dpi, 0, 0);
    } else {
      DrawFieldList(dc.get(), label, setup, 0, 0, 0, dpi, dpi, 0, 0);
    }
  }
  state.SetItemsProcessed(state.iterations() * 50);
}
BENCHMARK(BM_DrawLabel)->ArgsProduct({{300, 600}, {0, 1}})->ArgNames({"dpi", "warm"})->Unit(benchmark::kMillisecond);

}  // namespace
