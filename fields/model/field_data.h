// Uniform access to a field's data string whatever its kind, and the
// questions the drawing, measuring and printing code ask about it.
#pragma once

#include "fields/model/field.h"
#include "foundation/string/astring.h"

class CLabelSetup;

// The member that holds the data: text, barcode and paragraph `data`, image
// `fileName`, RTF `rtfFile`. Other kinds have none (empty; set does nothing).
void GetFieldData(AString& out, const CField& field);
void SetFieldData(CField& field, const AString& text);
// Characters (a double-byte pair counts once) for text, barcode and
// paragraph fields; bytes for image and RTF fields; 0 for others.
int GetFieldDataLength(const CField& field);

// Whether a data-source type yields a new value from label to label.
bool IsVariableSourceType(int type);
// 1 when the field's data changes from label to label; with useSaved the
// saved part sources of structured barcodes are read.
int IsVariableDataField(const CField& field, int useSaved);
// 1 when the shown data is produced rather than stored.
int IsFieldDataComputed(const CField& field);

// -1 unless a MaxiCode (28) barcode; else bit 1 for a part with
// Link/Expression, bit 2 for a prompted part (the saved codes with useSaved).
int GetMaxiCodePartSources(const CField& field, int useSaved);
// The same over the six application identifiers of symbology 20; an entry
// without an identifier is skipped.
int GetAiPartSources(const CField& field, int useSaved);
// 1 when one of the six AI source codes is not 0.
int HasAiDataSource(const CField& field);
// 1 when one of the six entries has an identifier and a non-zero source.
int HasVariableAiData(const CField& field);

// Fills the data up to maxChars with its first character (text, barcode,
// paragraph: a space when empty; others: '9' when empty). Returns the
// characters missing when there is nothing to add (0 or negative), else the
// new length.
int PadFieldDataToMaxLength(CField& field);
// Every character below 32 becomes c.
void ReplaceControlChars(AString& text, char c);
// The code page of the field's data language: 936 Simplified Chinese, 950
// Traditional Chinese, else from the font's character set; -1 for kinds
// other than text, barcode and paragraph.
int GetFieldDataCodePage(const CField& field, const CLabelSetup* setup);

// The printable size of the named printer in mils; 9000 x 16000 without a
// name or when the printer is unknown.
SIZE GetPrinterPageSize(const char* printerName);
// The size of the stock of the named printer (model, name).
SIZE GetStockSize(const char* printerModel, const char* printerName);
