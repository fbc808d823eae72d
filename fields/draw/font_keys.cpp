#include "fields/draw/font_keys.h"

#include "fields/measure/text_measure.h"
#include "foundation/system/font_key.h"

bool TextFieldNeedsFontKey(const CTextField& field) { return field.windowsFont == 0; }

AString MakeFieldFontKey(const CTextField& field) {
  const LOGFONTA& lf = field.logFont;
  const int style = (lf.lfWeight >= FW_BOLD ? kFontKeyBold : 0) | (lf.lfItalic ? kFontKeyItalic : 0) |
                    (lf.lfUnderline ? kFontKeyUnderline : 0) | (lf.lfStrikeOut ? kFontKeyStrikeOut : 0);
  const char* face = field.fontName.IsEmpty() ? lf.lfFaceName : field.fontName.GetData();
  return MakeFontKey(face, field.fontVariation.GetData(), lf.lfHeight, lf.lfWidth, style);
}

int FieldListUsesFontKey(const AString& key, const CFieldList& list) {
  for (const auto& f : list) {
    CTextField asText;
    const CTextField* text = nullptr;
    if (f->IsKind(FieldKind::kText)) {
      text = static_cast<const CTextField*>(f.get());
    } else if (f->IsKind(FieldKind::kParagraph)) {
      TextFieldFromParagraph(asText, static_cast<const CParagraphField&>(*f));
      text = &asText;
    }
    if (text && TextFieldNeedsFontKey(*text) && MakeFieldFontKey(*text) == key) return 1;
  }
  return 0;
}
