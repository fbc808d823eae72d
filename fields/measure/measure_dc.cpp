#include "fields/measure/measure_dc.h"

namespace {

thread_local MeasureDcReuse* t_reuse = nullptr;

UniqueDc MakeMeasureDc(const CLabelSetup& setup) {
  UniqueDc dc;
  if (!setup.lastPrinter.IsEmpty()) dc.reset(CreateDCA("WINSPOOL", setup.lastPrinter.GetData(), nullptr, nullptr));
  if (!dc) dc.reset(CreateCompatibleDC(nullptr));
  return dc;
}

}  // namespace

MeasureDc::MeasureDc(const CLabelSetup& setup, HDC given) : dc_(given) {
  if (dc_) return;
  if (MeasureDcReuse* reuse = MeasureDcReuse::Current()) {
    dc_ = reuse->For(setup);
    return;
  }
  owned_ = MakeMeasureDc(setup);
  dc_ = owned_.get();
}

MeasureDcReuse::MeasureDcReuse() : outer_(t_reuse) { t_reuse = this; }

MeasureDcReuse::~MeasureDcReuse() { t_reuse = outer_; }

MeasureDcReuse* MeasureDcReuse::Current() { return t_reuse; }

HDC MeasureDcReuse::For(const CLabelSetup& setup) {
  const std::string printer = setup.lastPrinter.IsEmpty() ? std::string() : setup.lastPrinter.GetData();
  UniqueDc& dc = byPrinter_[printer];
  if (!dc) dc = MakeMeasureDc(setup);
  return dc.get();
}
