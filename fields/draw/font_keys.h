// The printer font keys of text fields: the label-printer job downloads each
// printer font once, under its key.
#pragma once

#include "fields/model/field_kinds.h"
#include "fields/model/field_list.h"

// Style bits of a key: bold (weight 700 or more), italic, underline, strikeout.
inline constexpr int kFontKeyBold = 0x1, kFontKeyItalic = 0x2, kFontKeyUnderline = 0x4, kFontKeyStrikeOut = 0x8;

// A text field gets a key when it prints with a printer font (its
// Windows-font flag clear).
bool TextFieldNeedsFontKey(const CTextField& field);
// "face@second name@height!width!style" in hexadecimal: the face name, the
// font variation, the point height, the width percentage and the style bits.
AString MakeFieldFontKey(const CTextField& field);
// 1 when a text field of the list, or a paragraph taken as a text field,
// gets a printer font key equal to key; else 0.
int FieldListUsesFontKey(const AString& key, const CFieldList& list);
