// The paragraph setup sheet's runner. Unlike the text runner it keeps an
// existing paragraph's size and place unless something that changes its
// layout was edited.
#pragma once

#include <memory>

#include "fields/model/field.h"
#include "fields/model/field_list.h"

class CLabelSetup;

// 1 on OK, else 0; a new field (field or *field null) is handed to *field.
int RunParagraphSetupSheet(CLabelSetup* setup, CField** field, CFieldList& list, std::unique_ptr<CField>* undoClone);
