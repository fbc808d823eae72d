#include "dialogs/setup/field_sheet_page.h"

#include "app/ui/ui_language.h"

void CFieldSheetPage::SetTabCaption(const char* english) { m_strCaption = TranslateUiString(english).GetData(); }
