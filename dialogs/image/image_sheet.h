// The image setup sheet's runner: the Image Settings and Options pages on a
// working copy of an image field, and the field's size after OK.
#pragma once

#include <memory>

#include "fields/model/field_kinds.h"
#include "fields/model/field_list.h"

class CLabelSetup;

// The size an image field takes after OK. A new prompted or database
// picture is 750 x 520 mils; a new picture file keeps its natural size, or
// fits the label keeping its shape when it is larger. An existing field
// (before: as it was) follows its resize option, but only when what its
// size depends on changed (the file, the source type or the option).
SIZE ImageFieldSizeAfterOk(const CImageField& working, const CImageField* before, const CLabelSetup& setup);

// 1 on OK, else 0; a new field (field or *field null) is handed to *field.
int RunImageSetupSheet(CLabelSetup* setup, CField** field, CFieldList& list, std::unique_ptr<CField>* undoClone);
