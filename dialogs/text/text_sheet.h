// The Text Setup sheet's runner: a new text field, or an existing one
// edited through a working copy (Font / Data and Options pages).
#pragma once

#include <memory>

#include "fields/model/field.h"
#include "fields/model/field_list.h"

class CLabelSetup;

// 1 on OK, else 0; a new field (field or *field null) is handed to *field.
int RunTextSetupSheet(CLabelSetup* setup, CField** field, CFieldList& list, std::unique_ptr<CField>* undoClone);
