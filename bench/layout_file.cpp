// Opening and saving a layout of 500 fields (texts, barcodes, boxes and
// lines): the whole save routine (stream, preview, store, backup, renames)
// and the open of its current version; the inner label stream alone too.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "document/file/label_stream.h"
#include "document/file/layout_file.h"
#include "fields/model/field_kinds.h"

namespace {

CFieldList FiveHundredFields() {
  CFieldList list;
  for (int i = 0; i < 500; ++i) {
    std::unique_ptr<CField> f;
    switch (i % 4) {
      case 0: {
        auto t = std::make_unique<CTextField>();
        t->data = "Field text";
        f = std::move(t);
        break;
      }
      case 1: {
        auto b = std::make_unique<CBarcodeField>();
        b->data = "0123456789";
        f = std::move(b);
        break;
      }
      case 2: f = std::make_unique<CBoxField>(); break;
      default: f = std::make_unique<CLineField>(); break;
    }
    f->offset = {(i % 20) * 190, (i / 20) * 95};
    f->width = 180;
    f->height = 90;
    list.push_back(std::move(f));
  }
  return list;
}

struct Folder {
  Folder() {
    char name[] = "/tmp/tav_bench_layout_XXXXXX";
    path = mkdtemp(name) ? name : "/tmp";
  }
  ~Folder() { std::filesystem::remove_all(path); }
  std::string path;
};

void BM_SaveLayout500(benchmark::State& state) {
  Folder dir;
  const std::string file = dir.path + "/layout.bcd";
  const CLabelSetup setup;
  const CFieldList fields = FiveHundredFields();
  for (auto _ : state) {
    if (!SaveLayoutFile(file.c_str(), setup, fields, SaveVersions::kFreshStore)) state.SkipWithError("save failed");
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
}
BENCHMARK(BM_SaveLayout500)->Unit(benchmark::kMillisecond);

void BM_OpenLayout500(benchmark::State& state) {
  Folder dir;
  const std::string file = dir.path + "/layout.bcd";
  if (!SaveLayoutFile(file.c_str(), CLabelSetup(), FiveHundredFields(), SaveVersions::kFreshStore)) {
    state.SkipWithError("save failed");
    return;
  }
  for (auto _ : state) {
    CLabelSetup setup;
    CFieldList fields;
    if (LoadLayoutFile(file.c_str(), nullptr, setup, fields, nullptr) != 1 || fields.size() != 500)
      state.SkipWithError("open failed");
  }
}
BENCHMARK(BM_OpenLayout500)->Unit(benchmark::kMillisecond);

void BM_StreamWrite500(benchmark::State& state) {
  const CFieldList fields = FiveHundredFields();
  for (auto _ : state) benchmark::DoNotOptimize(LabelStreamBytes(CLabelSetup(), fields));
}
BENCHMARK(BM_StreamWrite500)->Unit(benchmark::kMillisecond);

void BM_StreamRead500(benchmark::State& state) {
  const std::vector<uint8_t> bytes = LabelStreamBytes(CLabelSetup(), FiveHundredFields());
  for (auto _ : state) {
    CLabelSetup setup;
    CFieldList fields;
    benchmark::DoNotOptimize(ReadLabelStreamBytes(bytes, nullptr, setup, &fields, nullptr));
  }
}
BENCHMARK(BM_StreamRead500)->Unit(benchmark::kMillisecond);

}  // namespace
