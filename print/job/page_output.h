// The page-output callbacks of a label print job: every page, label and
// field of a run goes through this table. The standard set draws with GDI
// on the printer's device context (printers and print files), on a page
// bitmap that becomes one picture file per label (picture files), or on
// the preview's device context. The slots a printer-language writer would
// fill stay empty; the job skips an empty slot.
#pragma once

#include <cstdio>

#include "fields/model/field.h"
#include "platform/gdi/gdi.h"

class CPrintJob;

struct PageOutputTable {
  int (*jobStart)(CPrintJob&, FILE*) = nullptr;
  int (*fontDownload)(CPrintJob&) = nullptr;
  int (*labelInit)(CPrintJob&, FILE*) = nullptr;
  int (*jobCommands)(CPrintJob&, FILE*) = nullptr;
  int (*beforeImages)(CPrintJob&, int repeat, int copies, FILE*) = nullptr;
  int (*pageStart)(CPrintJob&, int page, int copies, int fieldSlots, FILE*) = nullptr;
  int (*pageCommands)(CPrintJob&, int repeat, int copies, int fieldResults, FILE*) = nullptr;
  int (*pageData)(CPrintJob&, int repeat, int copies, FILE*) = nullptr;
  int (*pageEnd)(CPrintJob&, int repeat, int copies, FILE*) = nullptr;
  int (*labelStart)(CPrintJob&, int record, int x, int y, FILE*) = nullptr;
  int (*labelEnd)(CPrintJob&, FILE*) = nullptr;
  int (*imageDownload)(CPrintJob&, const char* key, HBITMAP, FILE*) = nullptr;
  int (*imageCheck)(CPrintJob&) = nullptr;
  int (*counters)(CPrintJob&, int, int, FILE*) = nullptr;
  int (*lineField)(CPrintJob&, CField&, int number, FILE*) = nullptr;
  int (*boxField)(CPrintJob&, CField&, int number, FILE*) = nullptr;
  int (*ellipseField)(CPrintJob&, CField&, int number, FILE*) = nullptr;
  int (*textField)(CPrintJob&, CField&, int number, FILE*) = nullptr;
  int (*linearBarcodeField)(CPrintJob&, CField&, int number, FILE*) = nullptr;
  int (*twoDBarcodeField)(CPrintJob&, CField&, int number, FILE*) = nullptr;
  int (*imageField)(CPrintJob&, CField&, int number, FILE*) = nullptr;
  int (*richTextField)(CPrintJob&, CField&, int number) = nullptr;
  int (*paragraphField)(CPrintJob&, CField&, int number, FILE*) = nullptr;
  int (*spare)(CPrintJob&) = nullptr;
  int (*jobEnd)(CPrintJob&, FILE*) = nullptr;
};
static_assert(sizeof(PageOutputTable) == 25 * sizeof(void*), "the table has 25 slots");

// The standard set.
void InstallPageOutput(PageOutputTable& table);

int PageStartOutput(CPrintJob& job, int page, int copies, int fieldSlots, FILE*);
int LabelFrameOutput(CPrintJob& job, int record, int x, int y, FILE*);
int PageEndOutput(CPrintJob& job, int repeat, int copies, FILE*);
int FieldOutput(CPrintJob& job, CField& field, int number, FILE*);
int BarcodeFieldOutput(CPrintJob& job, CField& field, int number, FILE*);

// The name of the picture file of a page in mode 2: "<path>_<labels done>.<ext>"
// for several pictures, else the path itself.
AString ImageFileName(const CPrintJob& job);
