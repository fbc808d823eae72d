// The value a field copy carries on one label of a print run: the next
// database record or strings-file entry, the counter file's value, today's
// date, the serial number advanced by the label's number.
#pragma once

#include "fields/model/field.h"

class CPrintJob;

// Puts label n's value into the copy (made from `original`, the layout's
// field) and measures it anew. 1 when the copy counts on a barcode without
// human-readable text (a value of its own per label), else 0.
int GetPrintTimeValue(int n, CField& copy, CField& original, CPrintJob& job);

// 0 for a text or barcode field whose counter counts, else 1.
int FieldHasNoJobCounter(const CField& field);
int IsLineOrBoxField(const CField& field);
