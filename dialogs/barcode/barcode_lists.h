// What the barcode pages offer in their lists, apart from any window: the
// symbologies, the narrow-bar and ratio choices of linear codes and the
// size, mode and level lists of the two-dimensional ones. The texts are
// untranslated; the pages translate those that are words.
#pragma once

#include <span>
#include <string>
#include <vector>

// The codes the symbology list offers, in list order (HIBC fields: Code 39
// and Code 128 only).
std::span<const int> OfferedSymbologies(bool hibc);

// One list entry: its text and its item data.
struct ListChoice {
  std::string text;
  int data = 0;
  bool operator==(const ListChoice&) const = default;
};

// "%d dots" for 1 .. max(dpi / 10, 18) - 1; Posnet 1 .. round(dpi x 2.375 / 100).
std::vector<ListChoice> NarrowBarChoices(int symbology, int dpi);
// "2:1", "3:1", "5:2" (data = ratio x 100) for the codes with a free ratio,
// one fixed entry for Plessey and MSI, none for the rest.
std::vector<ListChoice> RatioChoices(int symbology);
// The ratio entry a stored ratio shows: 300 "3:1", above 200 "5:2", else "2:1".
int RatioChoiceFor(int ratio);
// Module sizes "%d dots" (data = dots): PDF 417 and Micro PDF417 1..64,
// Code 49 "%d" 1..16, the others 1..620 (module size + 100 when it is above 519).
std::vector<ListChoice> ModuleSizeChoices(int symbology, int moduleSize);
// Row heights "%d X": PDF 417 1..22, Micro PDF417 2..22.
std::vector<ListChoice> RowFactorChoices(int symbology);
// PDF 417 error correction: "auto", "0".."8" (data = level, -1 auto).
std::vector<ListChoice> Pdf417LevelChoices();
// PDF 417 columns: "auto", "1".."30".
std::vector<ListChoice> Pdf417ColumnChoices();
// Data Matrix: "Auto" then "%d x %d" (rows first) for every symbol size.
std::vector<ListChoice> DatamatrixSizeChoices();
// Micro PDF417: "%d     (%d x %d)" mode, columns, rows for modes 0..33.
std::vector<ListChoice> MicroPdfModeChoices();
// QR Code: the four levels with their recovery.
std::vector<ListChoice> QrLevelChoices();
// MaxiCode: "2 - UPS (US)", "3 - UPS (International)".
std::vector<ListChoice> MaxiModeChoices();
// The sub-type combo's label for a symbology ("" when it shows none).
const char* SubtypeLabel(int symbology);
// Whether the symbology shows the ratio row.
bool ShowsRatio(int symbology, int subType);
// "Insert Special Character" is offered for these.
bool AcceptsSpecialCharacters(int symbology, int subType);
// The narrow bar a new field or a changed symbology starts with.
int DefaultNarrowBar(int symbology, int dpi, bool hibc);
// The longest data the symbology takes (0 when it has no fixed lengths).
int LongestValidLength(int symbology, int subTypeOrMode);
