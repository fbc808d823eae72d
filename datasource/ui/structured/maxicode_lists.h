// The UPS message of a MaxiCode field (modes 2 and 3) edited part by part in
// two prompt lists: parts 0-6 in the first, 7-12 in the second, each row a
// part's name, its text and its source (Fixed Data, Prompt Before Print or
// Link/Expression). The postal code (part 0) follows the mode: nine digits
// in mode 2, six upper-case characters in mode 3.
#pragma once

#include "datasource/ui/prompt/prompt_list.h"
#include "fields/model/field_kinds.h"

// Builds the thirteen rows when the lists are empty; when they exist, and
// unless keepRows is set, only the postal code row follows the mode.
void FillMaxiCodePartLists(CPromptList& first, CPromptList& second, int mode, const CBarcodeField& field,
                           bool keepRows);
// The rows into the field's parts (text trimmed, and source); with
// promptedOnly only the prompted parts' texts. Returns 1.
int ReadMaxiCodePartLists(CPromptList& first, CPromptList& second, CBarcodeField& field, bool promptedOnly);
// Makes part n's row current with the focus; 0 when the lists are empty.
int SelectMaxiCodePart(CPromptList& first, CPromptList& second, int n);
