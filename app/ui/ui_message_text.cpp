// Message texts: typed printf-like formatting, the numbered and keyed
// lookups with the English fallback, and the captions of numbered messages.
#include "app/ui/ui_message_text.h"

#include <cstdio>
#include <cstring>
#include <optional>

#include "app/ui/ui_language.h"
#include "foundation/codepage/codepage.h"

namespace {

// One conversion of a format: its whole text ("%-8.3f") and its kind.
struct Conversion {
  size_t begin = 0;
  size_t end = 0;
  UiArg::Kind kind = UiArg::Kind::kInteger;
  std::string spec;  // flags, width and precision with the letter, without length modifiers
};

constexpr std::string_view kFlags = "-+ #0";
constexpr std::string_view kLengthModifiers = "hlLqjzt";

// Parses the conversion starting at format[i] == '%' (not "%%"); nothing
// for one that takes no plain argument.
std::optional<Conversion> ParseConversion(std::string_view format, size_t i) {
  Conversion c;
  c.begin = i;
  std::string spec = "%";
  size_t j = i + 1;
  while (j < format.size() && kFlags.find(format[j]) != std::string_view::npos) spec += format[j++];
  for (int digits = 0; j < format.size() && format[j] >= '0' && format[j] <= '9'; ++digits) {
    if (digits == 3) return std::nullopt;
    spec += format[j++];
  }
  if (j < format.size() && format[j] == '.') {
    spec += format[j++];
    for (int digits = 0; j < format.size() && format[j] >= '0' && format[j] <= '9'; ++digits) {
      if (digits == 3) return std::nullopt;
      spec += format[j++];
    }
  }
  while (j < format.size() && kLengthModifiers.find(format[j]) != std::string_view::npos) ++j;
  if (j >= format.size()) return std::nullopt;
  const char letter = format[j];
  switch (letter) {
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'o': case 'c':
      c.kind = UiArg::Kind::kInteger;
      break;
    case 'f': case 'F': case 'e': case 'E': case 'g': case 'G':
      c.kind = UiArg::Kind::kFloating;
      break;
    case 's': case 'S':
      c.kind = UiArg::Kind::kText;
      break;
    default:
      return std::nullopt;
  }
  c.spec = spec + (letter == 'S' ? 's' : letter);
  c.end = j + 1;
  return c;
}

// Every conversion of a format in order; nothing when one is unusable.
std::optional<std::vector<Conversion>> Conversions(std::string_view format) {
  std::vector<Conversion> list;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (i + 1 < format.size() && format[i + 1] == '%') {
      ++i;
      continue;
    }
    auto c = ParseConversion(format, i);
    if (!c) return std::nullopt;
    list.push_back(*c);
    i = c->end - 1;
  }
  return list;
}

// One printf conversion, its output kept to the longest message (the text
// is cut again at a character boundary afterwards).
std::string Printf(const std::string& spec, auto value) {
  std::string out(kMaxMessageBytes + 1, '\0');
  const int n = std::snprintf(out.data(), out.size(), spec.c_str(), value);
  out.resize(n < 0 ? 0 : std::min<size_t>(static_cast<size_t>(n), out.size() - 1));
  return out;
}

// One conversion applied to one argument.
std::string Apply(const Conversion& c, const UiArg* arg) {
  if (!arg) return {};
  const char letter = c.spec.back();
  if (arg->kind() == UiArg::Kind::kText) {
    if (c.kind == UiArg::Kind::kText) return Printf(c.spec, arg->text().c_str());
    return arg->text();
  }
  if (arg->kind() == UiArg::Kind::kFloating) {
    if (c.kind == UiArg::Kind::kFloating) return Printf(c.spec, arg->floating());
    return Printf("%g", arg->floating());
  }
  switch (c.kind) {
    case UiArg::Kind::kInteger:
      if (letter == 'c') return Printf(c.spec, static_cast<int>(arg->integer()));
      // The conversion gets its "ll" so that it takes the 64-bit value.
      return Printf(c.spec.substr(0, c.spec.size() - 1) + "ll" + letter, arg->integer());
    case UiArg::Kind::kFloating:
      return Printf(c.spec, static_cast<double>(arg->integer()));
    case UiArg::Kind::kText:
      return Printf("%lld", arg->integer());
  }
  return {};
}

// The length of the longest start of text no longer than limit that does not
// end inside a double-byte character of the interface's code page.
size_t CutAtCharacter(std::string_view text, size_t limit) {
  const int codePage = UiCodePage();
  size_t i = 0;
  while (i < std::min(limit, text.size())) {
    const auto lead = static_cast<BYTE>(text[i]);
    const bool pair = IsCjkCodePage(codePage) && i + 1 < text.size() &&
                      IsDbcsCodePagePair(lead, static_cast<BYTE>(text[i + 1]), codePage);
    // A lead byte whose trail was cut off earlier is not kept.
    if (IsCjkCodePage(codePage) && !pair && i + 1 == text.size() && IsDbcsByte(lead, true, codePage == 950)) break;
    const size_t step = pair ? 2 : 1;
    if (i + step > limit) break;
    i += step;
  }
  return i;
}

AString Bounded(std::string_view text, size_t limit) {
  const size_t n = CutAtCharacter(text, limit);
  return AString(static_cast<int>(n), text.data());
}

// The text of a key from a language file, bounded like every message text.
std::optional<AString> LookupMessage(const char* key, const char* file) {
  AString value;
  if (!ReadUiString(key, value, file)) return std::nullopt;
  // A backslash and "n" in a language file stand for a line break.
  if (value.Find("\\n") >= 0) value.Replace("\\n", "\n");
  return Bounded(std::string_view(value.GetData(), static_cast<size_t>(value.GetLength())), kMaxMessageLookupBytes);
}

std::string_view View(const AString& s) { return {s.GetData(), static_cast<size_t>(s.GetLength())}; }

// A translated format that asks for other arguments than the English one is
// not used.
AString CheckedAgainstEnglish(const AString& translated, const AString& english) {
  if (ShapeOfFormat(View(translated)) == ShapeOfFormat(View(english))) return translated;
  return english;
}

}  // namespace

FormatShape ShapeOfFormat(std::string_view format) {
  FormatShape shape;
  const auto list = Conversions(format);
  if (!list) {
    shape.valid = false;
    return shape;
  }
  for (const Conversion& c : *list) shape.kinds.push_back(c.kind);
  return shape;
}

AString FormatWithArgs(std::string_view format, const UiArg* args, size_t count) {
  const auto list = Conversions(format);
  if (!list) return Bounded(format, kMaxMessageBytes);
  std::string out;
  size_t at = 0;
  size_t next = 0;
  for (size_t i = 0; i < format.size() && out.size() <= kMaxMessageBytes;) {
    if (next < list->size() && i == (*list)[next].begin) {
      const Conversion& c = (*list)[next++];
      out += Apply(c, at < count ? &args[at] : nullptr);
      ++at;
      i = c.end;
    } else if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      i += 2;
    } else {
      out += format[i++];
    }
  }
  return Bounded(out, kMaxMessageBytes);
}

AString UiMessageFormat(int n) {
  char key[16];
  std::snprintf(key, sizeof key, "%d", n);
  const AString englishFile = UiLanguageFileOf(kUiEnglish);
  const auto english = LookupMessage(key, englishFile.GetData());
  if (const auto translated = LookupMessage(key, nullptr)) {
    if (!english) return *translated;
    return CheckedAgainstEnglish(*translated, *english);
  }
  return english ? *english : AString(key);
}

AString UiTextFormat(const char* text, bool raw) {
  if (!text) return AString();
  if (raw || IsEnglishUi()) return Bounded(text, kMaxMessageLookupBytes);
  const AString translated = TranslateUiString(text);
  return CheckedAgainstEnglish(translated, AString(text));
}

AString FormatUiMessageArgs(int n, const UiArg* args, size_t count) {
  const AString format = UiMessageFormat(n);
  AString result = FormatWithArgs(View(format), args, count);
  result.SetCodePage(UiCodePage());
  return result;
}

AString FormatUiTextArgs(const char* format, bool raw, const UiArg* args, size_t count) {
  const AString f = UiTextFormat(format, raw);
  AString result = FormatWithArgs(View(f), args, count);
  result.SetCodePage(UiCodePage());
  return result;
}

const char* UiMessageCaptionWord(int n) {
  if (n >= 50000) return "Error";
  if (n >= 35000) return "Information";
  if (n >= 20000) return "Warning";
  return "Confirmation";
}

AString UiMessageCaption(int n) {
  AString caption = TranslateUiString(UiMessageCaptionWord(n));
  char number[16];
  std::snprintf(number, sizeof number, "-%d", n);
  caption += number;
  return caption;
}

int AStringNotEqualSz(const char* text, const AString& str) {
  const size_t length = text ? std::strlen(text) : 0;
  if (length != static_cast<size_t>(str.GetLength())) return 1;
  return length != 0 && std::memcmp(text, str.GetData(), length) != 0 ? 1 : 0;
}
