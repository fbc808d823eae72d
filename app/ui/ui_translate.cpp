// Translating one interface text: the English text is normalised into its
// key (accelerator ampersands, trailing dots and a trailing colon are not
// part of it), looked up, and the dots and colon are put back on the
// translation.
#include <string>

#include "app/ui/ui_language.h"
#include "foundation/codepage/codepage.h"

namespace {

int TrailingDots(const AString& s) {
  int n = 0;
  for (int i = s.GetLength() - 1; i >= 0 && s.GetData()[i] == '.'; --i) ++n;
  return n;
}

// Whether the first ':' that starts a character is the text's last byte.
// Trail bytes of a double-byte character are skipped in the interface's
// code page.
bool EndsWithColonAtCharStart(const AString& s) {
  const int codePage = UiCodePage();
  const auto* bytes = reinterpret_cast<const BYTE*>(s.GetData());
  const int length = s.GetLength();
  for (int i = 0; i < length; ++i) {
    if (bytes[i] == ':') return i == length - 1;
    if (IsCjkCodePage(codePage) && i + 1 < length && IsDbcsCodePagePair(bytes[i], bytes[i + 1], codePage)) ++i;
  }
  return false;
}

void ReplaceAll(AString& s, const char* find, const char* repl) {
  if (s.Find(find) >= 0) s.Replace(find, repl);
}

// The key of an interface text: accelerators and dots dropped, tabs as
// blanks, trimmed. A lone ampersand between blanks (" & ") is text, so then
// every ampersand stays.
AString KeyOf(AString copy) {
  ReplaceAll(copy, "&&", "@@");
  if (copy.Find(" & ") < 0) copy.Remove('&');
  ReplaceAll(copy, "@@", "&&");
  ReplaceAll(copy, "...", "");
  ReplaceAll(copy, "..", "");
  copy.Replace('\t', ' ');
  copy.TrimBoth("\r\n \t");
  return copy;
}

bool Lookup(const AString& key, AString& value, const char* file = nullptr) {
  return !key.IsEmpty() && ReadUiString(key.GetData(), value, file);
}

// Whether the translation ends a sentence with a full-width mark of its own
// (the ideographic full stop, exclamation or question mark in GBK), which
// stands for the English text's one full stop.
bool EndsWithFullWidthStop(const AString& value) {
  const int n = value.GetLength();
  if (n < 2) return false;
  const auto lead = static_cast<unsigned char>(value.GetData()[n - 2]);
  const auto trail = static_cast<unsigned char>(value.GetData()[n - 1]);
  return (lead == 0xA1 && trail == 0xA3) || (lead == 0xA3 && (trail == 0xA1 || trail == 0xBF));
}

// A translation as shown: "\n" pairs become a blank and a line break, the
// text's trailing dots and colon come back.
void Finish(AString& value, int dots, bool colon) {
  ReplaceAll(value, "\\n", " \n");
  if (dots == 1 && UiCodePage() == 936 && EndsWithFullWidthStop(value)) dots = 0;
  const int missing = dots - TrailingDots(value);
  if (missing > 0) value.AppendRepeated('.', missing);
  if (colon) value += ':';
  value.SetCodePage(UiCodePage());
}

}  // namespace

void TranslateUiString(AString& result, const char* text, bool force) {
  if (!text) text = "";
  if (!force && IsEnglishUi()) {
    result = text;
    return;
  }
  if (!*text) {
    result.Empty();
    return;
  }
  AString copy(text);
  const int dots = TrailingDots(copy);
  bool colon = false;
  if (copy.GetLength() > 1 && EndsWithColonAtCharStart(copy)) {
    colon = true;
    copy.Truncate(copy.GetLength() - 1);
  }
  AString key = KeyOf(copy);
  AString value;
  if (!Lookup(key, value)) {
    // Second try: a slash or a doubled ampersand between blanks written tight.
    ReplaceAll(key, " / ", "/");
    ReplaceAll(key, " / ", "/");
    ReplaceAll(key, " && ", "&&");
    if (!Lookup(key, value)) {
      result = text;
      return;
    }
  }
  Finish(value, dots, colon);
  result = value;
}

AString UiTextKey(const char* text) {
  AString copy(text ? text : "");
  if (copy.GetLength() > 1 && EndsWithColonAtCharStart(copy)) copy.Truncate(copy.GetLength() - 1);
  return KeyOf(copy);
}

bool HasUiTranslation(const char* text, const char* file) {
  AString key = UiTextKey(text);
  AString value;
  if (Lookup(key, value, file)) return true;
  ReplaceAll(key, " / ", "/");
  ReplaceAll(key, " / ", "/");
  ReplaceAll(key, " && ", "&&");
  return Lookup(key, value, file);
}

AString TranslateUiString(const char* text, bool force) {
  AString result;
  TranslateUiString(result, text, force);
  return result;
}

void FillLanguageCombo(int id, HWND dialog, int current) {
  const HWND combo = GetDlgItem(dialog, id);
  if (!combo) return;
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  int selection = 0;
  for (const int language : OfferedUiLanguages()) {
    const UiLanguageRow& row = UiLanguageTable()[language];
    const AString name = (row.flags & kLanguageNameUntranslated) ? AString(row.name) : TranslateUiString(row.name);
    const std::u16string wide = UiTextToWide(name);
    const LRESULT item = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (item < 0) continue;
    SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), language);
    if (language == current) selection = static_cast<int>(item);
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

int FillTranslatedCombo(int id, HWND dialog, const char* const* texts, int selection, const DWORD_PTR* itemData) {
  const HWND combo = GetDlgItem(dialog, id);
  if (!combo || !texts) return 0;
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  int count = 0;
  for (; texts[count] && *texts[count]; ++count) {
    const std::u16string wide = UiTextToWide(TranslateUiString(texts[count]));
    const LRESULT item = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (itemData && itemData[count] != 0 && item >= 0) {
      SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(itemData[count]));
    }
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
  return count;
}
