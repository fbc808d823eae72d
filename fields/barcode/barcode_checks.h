// Checks and repairs of a barcode field's data that the property pages, the
// printing code and the design view call.
#pragma once

#include <string>

#include "fields/model/field_kinds.h"
#include "platform/kernel/types.h"

class CLabelSetup;

// 1 when the data suits the symbology; else 0, with message 50050, 50051 or
// 50052 shown when showMessages is set. 20, 28, 29 and 33 always pass.
int ValidateBarcodeData(HWND owner, const CBarcodeField& f, int showMessages);
// The first refused character, or 0 when every one is accepted.
int IsDataCharsetValid(const CBarcodeField& f);
// 1 when the length is one the symbology takes.
int IsDataLengthValid(const CBarcodeField& f);
// -1 for no limit (and 2-D codes but MicroPDF417), else the longest length.
int GetBarcodeMaxDataLength(const CBarcodeField& f);
// Invalid characters become "0"; a fixed-length symbology's data is padded
// with leading "0"s or cut. Returns the characters added (negative: cut).
int FitBarcodeData(CBarcodeField& f);
// Upper case for Code 39, Code 93 and Code 128 A; a leading "0" for odd
// Code 128 C data. 0 for empty data.
int NormalizeBarcodeData(CBarcodeField& f);
void SetNewBarcodeDefaults(CBarcodeField& f, const CLabelSetup& setup);
int TestBarcodeHrForPrinter(const CBarcodeField& f);
int IsDateFormatValidForSymbology(int symbology, int subType, const char* format);
// Checks the fixed-data UPS parts; 0 with *failedIndex at the first that
// fails (its message shown), 1 when all pass.
int ValidateUpsFields(HWND owner, const CBarcodeField& f, int* failedIndex, int useBackup);
// mode 1: non-digits become "0"; another non-zero mode: "X". Pads on the
// left with "0" to padTo, cuts to cutTo.
void FitDigits(AString& s, int mode, int padTo, int cutTo);
