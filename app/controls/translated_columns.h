// The column headers of a report list in the interface language, laid out
// by fractions of the list's client width (a fraction of 0 takes what the
// earlier columns left). The headers go in as UTF-16, so a list shows them
// whole whatever the interface language's code page.
#pragma once

#include <span>

#include "app/controls/list_ctrl_ex.h"
#include "platform/framework/list_ctrl.h"

void InsertTranslatedColumns(CListCtrl& list, std::span<const CListCtrlEx::Column> columns);
