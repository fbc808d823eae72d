// After a print run to a printer or a file, Counter File fields advance:
// each counter file once per run, by the quantity times the field's step,
// read before it is stepped and written back whole. While a run uses them
// the counter folder is locked, so two designers printing with one counter
// never hand out the same number twice.
#pragma once

#include <string>

#include "fields/model/field_list.h"
#include "foundation/string/astring.h"

// An exclusive lock on the counter files folder for the life of the object.
class CounterFolderLock {
 public:
  CounterFolderLock() = default;
  ~CounterFolderLock();
  CounterFolderLock(const CounterFolderLock&) = delete;
  CounterFolderLock& operator=(const CounterFolderLock&) = delete;
  // False when another run holds the lock or the folder cannot be opened.
  bool Take();
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// True when a field of the list takes its value from a counter file and
// steps it.
bool UsesSteppedCounterFiles(const CFieldList& fields);
// Every stepped counter file of the list can be read; otherwise false with
// the message in *reason.
bool CounterFilesReadable(const CFieldList& fields, AString* reason);
// Advances the counter files of the layout's fields by quantity steps and
// puts each new value into its fields. 1 when every file was written (or
// there was none); 0 with the reason when one could not be read or
// written, the rest of the files still advanced. *changed is set when a
// field's data changed.
int AdvanceCounterFiles(CFieldList& fields, int quantity, bool* changed, AString* reason);
