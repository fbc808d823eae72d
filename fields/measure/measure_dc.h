// The device context text is measured on: the label printer's when the label
// setup names one that exists, else a memory context compatible with the
// screen. Fonts are sized from the label setup's resolution either way.
#pragma once

#include <map>
#include <string>

#include "fields/services/label_setup.h"
#include "platform/gdi/gdi_owners.h"

class MeasureDc {
 public:
  // Uses `given` when it is not null.
  MeasureDc(const CLabelSetup& setup, HDC given);
  HDC get() const { return dc_; }

 private:
  UniqueDc owned_;
  HDC dc_ = nullptr;
};

// While one lives, the measuring contexts made on its thread are kept, one
// per printer name, and handed to every later measurement of that printer:
// a print run measures each label's text, and making a printer's context
// asks the print system for its queues every time. A run keeps one for its
// length, so the queues are asked once per run and the next run sees them as
// they are then. Scopes nest; the innermost one keeps the contexts.
class MeasureDcReuse {
 public:
  MeasureDcReuse();
  MeasureDcReuse(const MeasureDcReuse&) = delete;
  MeasureDcReuse& operator=(const MeasureDcReuse&) = delete;
  ~MeasureDcReuse();

  // The kept context for `setup`'s printer, made on first use.
  HDC For(const CLabelSetup& setup);
  // The scope of this thread, or null.
  static MeasureDcReuse* Current();

 private:
  MeasureDcReuse* outer_;
  std::map<std::string, UniqueDc> byPrinter_;
};
