// The texts of the designer's messages: numbered messages live in the
// language files under their decimal number, other messages are keyed by
// their English text. A message text is a printf-like format; its arguments
// are typed values, so a translation can never read an argument as the wrong
// type: a translation whose conversions differ in number or kind from the
// English file's text gives way to that text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/string/astring.h"

// One argument of a message.
class UiArg {
 public:
  enum class Kind { kInteger, kFloating, kText };
  UiArg(int v) : kind_(Kind::kInteger), integer_(v) {}
  UiArg(long v) : kind_(Kind::kInteger), integer_(v) {}
  UiArg(long long v) : kind_(Kind::kInteger), integer_(v) {}
  UiArg(unsigned v) : kind_(Kind::kInteger), integer_(v) {}
  UiArg(unsigned long v) : kind_(Kind::kInteger), integer_(static_cast<long long>(v)) {}
  UiArg(double v) : kind_(Kind::kFloating), floating_(v) {}
  UiArg(const char* v) : kind_(Kind::kText), text_(v ? v : "") {}
  UiArg(std::string_view v) : kind_(Kind::kText), text_(v) {}
  UiArg(const AString& v) : kind_(Kind::kText), text_(v.GetData(), static_cast<size_t>(v.GetLength())) {}

  Kind kind() const { return kind_; }
  long long integer() const { return integer_; }
  double floating() const { return floating_; }
  const std::string& text() const { return text_; }

 private:
  Kind kind_;
  long long integer_ = 0;
  double floating_ = 0;
  std::string text_;
};

// The kinds of a format's conversions in order (%c counts as integer, %s as
// text, %% as none); nothing when the format holds a conversion that takes
// no plain argument ('*' widths, %n, %p, unknown letters).
struct FormatShape {
  bool valid = true;
  std::vector<UiArg::Kind> kinds;
  bool operator==(const FormatShape&) const = default;
};
FormatShape ShapeOfFormat(std::string_view format);

// Longest text of a message, after formatting.
inline constexpr int kMaxMessageBytes = 4096;
// Longest text a message number or key brings from the language file.
inline constexpr int kMaxMessageLookupBytes = 619;

// printf-like formatting with typed arguments, bounded to kMaxMessageBytes
// (cut at a character boundary of the interface's code page). A conversion
// given an argument of another kind prints the argument as it is (a number
// in decimal, a text as text); a conversion without an argument prints
// nothing; an unusable format is copied as it stands.
AString FormatWithArgs(std::string_view format, const UiArg* args, size_t count);

// The format of message n: its text in the current language file (the key
// "%d" of n itself when the file lacks it), replaced by the English file's
// text when the two differ in their conversions.
AString UiMessageFormat(int n);
// The same for a message keyed by its English text (the text itself when no
// translation exists); with raw the text is used without lookup.
AString UiTextFormat(const char* text, bool raw);

AString FormatUiMessageArgs(int n, const UiArg* args, size_t count);
AString FormatUiTextArgs(const char* format, bool raw, const UiArg* args, size_t count);

// FormatUiMessage(n, ...): the text of message n formatted with the arguments.
template <class... A>
AString FormatUiMessage(int n, const A&... args) {
  const std::array<UiArg, sizeof...(A)> list{UiArg(args)...};
  return FormatUiMessageArgs(n, list.data(), list.size());
}

// FormatUiText(format, raw, ...): the same with an English text as the key.
template <class... A>
AString FormatUiText(const char* format, bool raw, const A&... args) {
  const std::array<UiArg, sizeof...(A)> list{UiArg(args)...};
  return FormatUiTextArgs(format, raw, list.data(), list.size());
}

// The caption word of message n by its range ("Error" from 50000,
// "Information" from 35000, "Warning" from 20000, else "Confirmation"),
// untranslated.
const char* UiMessageCaptionWord(int n);
// The caption: the translated word, "-" and the number ("Warning-20345").
AString UiMessageCaption(int n);

// 1 when the C string and the string differ in byte length or bytes, else 0.
int AStringNotEqualSz(const char* text, const AString& str);
