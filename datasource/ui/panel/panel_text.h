// Texts of the panel's controls as the field keeps them: UTF-16 strings with
// their wide flag, or narrow strings of a code page; and the combo-box items
// the panel fills (translated names with item data).
#pragma once

#include <span>

#include "foundation/string/astring.h"
#include "platform/win.h"

// The control's text as a wide string (UTF-16, wide flag set).
AString GetItemWideText(HWND dialog, int id);
// The control's text in the code page (narrow).
AString GetItemNarrowText(HWND dialog, int id, int codePage);
// Shows a field string: a wide one as it is, a narrow one through its code
// page (the interface's when it names none).
void SetItemFieldText(HWND dialog, int id, const AString& text);
// The control's text as a signed number; fallback when it holds none.
int GetItemNumber(HWND dialog, int id, int fallback);

// One item of a list: its English text (translated when shown) and data.
struct ComboChoice {
  const char* text;
  LPARAM data;
};
// Empties the combo and adds the choices, translated; selects the first
// whose data equals selectData (else the first item). Returns the count.
int FillChoiceCombo(HWND dialog, int id, std::span<const ComboChoice> choices, LPARAM selectData);
// Adds a text of the interface's code page (not translated); returns the index.
int AddComboText(HWND dialog, int id, const AString& text, LPARAM data);
// The selection's item data; fallback without a selection.
LPARAM GetComboSelData(HWND dialog, int id, LPARAM fallback);
// The selection's text (interface code page); false without a selection.
bool GetComboSelText(HWND dialog, int id, AString* out);
int GetComboSel(HWND dialog, int id);
// The selection's text as a wide string (empty without a selection).
AString GetComboSelWideText(HWND dialog, int id);
// Fills the combo with the names of the folder's files that end with the
// extension (sorted), without the folder; returns the count.
int FillFolderFileCombo(HWND dialog, int id, const AString& folder, const char* extension);
// Sets a caption to a text of the interface's code page, through the skin
// of the dialog when it is one of the designer's (the skin draws captions).
void SetItemCaption(HWND dialog, int id, const AString& text);
