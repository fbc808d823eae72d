// The thirteen parts of a MaxiCode field's UPS message as rows of two
// prompt lists (parts 0 to 6 in the first, 7 to 12 in the second), each
// with its name, text, source (Fixed Data, Prompt Before Print or
// Link/Expression) and length. The postal code (part 0) follows the symbol's
// mode: six upper-case characters of any kind in mode 3, else nine digits.
// The barcode data page and the entry dialog before printing both edit the
// message through these.
#pragma once

#include <array>

#include "fields/model/field_kinds.h"

class CPromptList;

using MaxiCodeLists = std::array<CPromptList*, 2>;

// Empty lists get the thirteen rows with the field's texts as they stand.
// Filled ones, unless keepRows is set, have only the postal code's row fitted
// to the mode (modes 2 and 3; 4 and above leave it).
void FillMaxiCodePartLists(const MaxiCodeLists& lists, int mode, const CBarcodeField& field, bool keepRows);
// The rows' texts (trimmed) and sources back into the field's parts; with
// promptedOnly, only the texts of the rows asked for when printing.
// 0 when the lists are not filled.
int ReadMaxiCodePartLists(const MaxiCodeLists& lists, CBarcodeField& field, bool promptedOnly);
// Makes part n's row current and focused; 0 when the lists are empty.
int SelectMaxiCodePart(const MaxiCodeLists& lists, int n);
