// AString formatting: the printf-style engine with its own conversion for
// AString arguments ("%!"), and number appending.
//
// Only one validated conversion at a time ever reaches the C formatter: the
// engine parses flags, width, precision and length itself, takes the argument
// of the type they name, and hands the C library a conversion it built with
// exactly that one value (never "%n", never a stray modifier). A conversion
// that does not parse is appended as plain text and takes no argument.
// User text is never a format: every conversion in a format takes an argument,
// so callers put text in through "%s" or "%!".
#include <algorithm>
#include <cstring>
#include <string>

#include "foundation/string/astring.h"
#include "foundation/string/astring_internal.h"
#include "foundation/string/print_one.h"

FOUNDATION_BEGIN

using namespace astring_detail;

namespace {

constexpr const char* kConversionChars = "-+0 #*.123456789hlL";
// Widths and precisions beyond this are not numbers anyone formats; they are
// treated as plain text rather than producing enormous output.
constexpr int kMaxWidth = 4096;

enum class LengthMod { kNone, kChar, kShort, kLong, kLongLong, kLongDouble };

struct Conversion {
  std::string flags;
  int width = -1;      // -1: none
  int precision = -1;  // -1: none
  LengthMod length = LengthMod::kNone;
};

// Reads digits or '*' (an int argument). Returns false when the number is out
// of range.
bool ReadNumber(std::string_view& s, va_list* args, int* out, bool* negativeStar) {
  if (!s.empty() && s.front() == '*') {
    s.remove_prefix(1);
    *out = va_arg(*args, int);
    if (negativeStar) *negativeStar = *out < 0;
    return true;
  }
  long long v = 0;
  bool any = false;
  while (!s.empty() && s.front() >= '0' && s.front() <= '9') {
    v = v * 10 + (s.front() - '0');
    if (v > kMaxWidth) return false;
    s.remove_prefix(1);
    any = true;
  }
  *out = any ? static_cast<int>(v) : -1;
  return true;
}

// Parses the run of conversion characters in the order the C formatter
// expects them: flags, width, precision, length.
bool ParseConversion(std::string_view run, va_list* args, Conversion* conv) {
  while (!run.empty() && std::strchr("-+0 #", run.front())) {
    conv->flags.push_back(run.front());
    run.remove_prefix(1);
  }
  bool leftAlign = false;
  if (!ReadNumber(run, args, &conv->width, &leftAlign)) return false;
  if (leftAlign) {  // a negative '*' width means left alignment
    conv->flags.push_back('-');
    conv->width = conv->width == INT32_MIN ? kMaxWidth + 1 : -conv->width;
  }
  if (conv->width > kMaxWidth) return false;
  if (!run.empty() && run.front() == '.') {
    run.remove_prefix(1);
    if (!run.empty() && run.front() == '*') {
      run.remove_prefix(1);
      const int p = va_arg(*args, int);
      conv->precision = p < 0 ? -1 : p;  // a negative precision counts as none
    } else if (!ReadNumber(run, nullptr, &conv->precision, nullptr)) {
      return false;
    } else if (conv->precision < 0) {
      conv->precision = 0;  // "%.d": precision 0
    }
    if (conv->precision > kMaxWidth) return false;
  }
  if (run == "hh") {
    conv->length = LengthMod::kChar;
  } else if (run == "h") {
    conv->length = LengthMod::kShort;
  } else if (run == "l") {
    conv->length = LengthMod::kLong;
  } else if (run == "ll") {
    conv->length = LengthMod::kLongLong;
  } else if (run == "L") {
    conv->length = LengthMod::kLongDouble;
  } else if (!run.empty()) {
    return false;
  }
  return true;
}

std::string BuildFormat(const Conversion& conv, const char* length, char conversion) {
  std::string f = "%" + conv.flags;
  if (conv.width >= 0) f += std::to_string(conv.width);
  if (conv.precision >= 0) f += "." + std::to_string(conv.precision);
  f += length;
  f.push_back(conversion);
  return f;
}

// Formats one integer-class conversion, taking the argument the length
// modifier names.
bool FormatInteger(const Conversion& conv, char conversion, va_list* args, std::string* out) {
  if (conversion == 'C') conversion = 'c';
  if (conversion == 'p') {
    if (conv.length != LengthMod::kNone) return false;
    *out = PrintOne(BuildFormat(conv, "", 'p'), va_arg(*args, void*));
    return true;
  }
  if (conversion == 'c') {
    if (conv.length != LengthMod::kNone) return false;
    *out = PrintOne(BuildFormat(conv, "", 'c'), va_arg(*args, int));
    return true;
  }
  switch (conv.length) {
    case LengthMod::kNone:
      *out = PrintOne(BuildFormat(conv, "", conversion), va_arg(*args, int));
      return true;
    case LengthMod::kChar:
      *out = PrintOne(BuildFormat(conv, "hh", conversion), va_arg(*args, int));
      return true;
    case LengthMod::kShort:
      *out = PrintOne(BuildFormat(conv, "h", conversion), va_arg(*args, int));
      return true;
    case LengthMod::kLong:
      *out = PrintOne(BuildFormat(conv, "l", conversion), va_arg(*args, long));
      return true;
    case LengthMod::kLongLong:
      *out = PrintOne(BuildFormat(conv, "ll", conversion), va_arg(*args, long long));
      return true;
    case LengthMod::kLongDouble:
      return false;
  }
  return false;
}

bool FormatFloating(const Conversion& conv, char conversion, va_list* args, std::string* out) {
  switch (conv.length) {
    case LengthMod::kNone:
    case LengthMod::kLong:
      *out = PrintOne(BuildFormat(conv, "", conversion), va_arg(*args, double));
      return true;
    case LengthMod::kLongDouble:
      *out = PrintOne(BuildFormat(conv, "L", conversion), va_arg(*args, long double));
      return true;
    default:
      return false;
  }
}

// Appends bytes to the string, widened when it is wide.
void AppendText(AString& s, std::string_view text) {
  if (text.empty()) return;
  if (s.IsWide()) {
    s.AppendAsWide(text.data(), static_cast<int>(text.size()));
  } else {
    s.Append(text.data(), static_cast<int>(text.size()));
  }
}

}  // namespace

void AString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void AString::FormatV(const char* format, va_list args) {
  // The result is built apart and assigned at the end, so an argument that is
  // this string's own text is still intact while it is read. Like Empty(), a
  // small unshared block passes its width, flag byte and code page on to the
  // result.
  AString out;
  const AStringHeader* h = GetHeader();
  if (!IsSharedEmpty(h) && __atomic_load_n(&h->refs, __ATOMIC_ACQUIRE) == 1 && h->capacity <= 256) {
    out = AString(0);
    out.GetHeader()->wide = h->wide;
    out.GetHeader()->flags = h->flags;
    out.GetHeader()->codePage = h->codePage;
  }
  if (format) {
    va_list ap;
    va_copy(ap, args);
    const char* p = format;
    for (;;) {
      const char* percent = std::strchr(p, '%');
      if (!percent) break;
      AppendText(out, std::string_view(p, static_cast<size_t>(percent - p)));
      p = percent + 1;
      if (!out.FormatOne(&p, &ap)) break;
    }
    AppendText(out, p);
    va_end(ap);
  }
  *this = std::move(out);
}

int AString::FormatOne(const char** format, va_list* args) {
  const char* start = *format;
  const char* p = start;
  while (*p && std::strchr(kConversionChars, *p)) ++p;
  const std::string_view run(start, static_cast<size_t>(p - start));
  const char conversion = *p;
  if (conversion == 0) {
    // The format ends inside a conversion: it is plain text.
    AppendText(*this, "%");
    AppendText(*this, run);
    *format = p;
    return 0;
  }
  *format = p + 1;
  const auto plainText = [&] {
    AppendText(*this, "%");
    AppendText(*this, std::string_view(start, static_cast<size_t>(p + 1 - start)));
    return 1;
  };

  switch (conversion) {
    case 's': {
      // Width and the other flags do not apply; a '*' still takes its int.
      long long precision = -1;
      const size_t dot = run.find('.');
      for (size_t i = 0; i < run.size(); ++i) {
        if (run[i] != '*') continue;
        const int value = va_arg(*args, int);
        if (dot != std::string_view::npos && i == dot + 1 && value >= 0) precision = value;
      }
      const char* s = va_arg(*args, const char*);
      if (!s) s = "";
      size_t n = std::strlen(s);
      // The precision cuts the text.
      if (dot != std::string_view::npos && dot + 1 < run.size() && run[dot + 1] != '*') {
        bool digits = false;
        long long value = 0;
        for (size_t i = dot + 1; i < run.size() && run[i] >= '0' && run[i] <= '9'; ++i) {
          value = std::min<long long>(value * 10 + (run[i] - '0'), 1LL << 40);
          digits = true;
        }
        if (digits) precision = value;
      }
      if (precision >= 0 && precision < static_cast<long long>(n)) n = static_cast<size_t>(precision);
      AppendText(*this, std::string_view(s, n));
      return 1;
    }
    case '!': {
      // Flags do not apply; a '*' still takes its int.
      for (char c : run) {
        if (c == '*') (void)va_arg(*args, int);
      }
      const AString* s = va_arg(*args, const AString*);
      if (s) *this += *s;
      return 1;
    }
    case 'n':
    case 'S':
      return 0;
    default:
      break;
  }

  const bool integer = std::strchr("cCdiouxXp", conversion) != nullptr;
  const bool floating = std::strchr("eEfgG", conversion) != nullptr;
  if (!integer && !floating) {
    AppendText(*this, std::string_view(&conversion, 1));
    return 1;
  }
  Conversion conv;
  std::string text;
  if (!ParseConversion(run, args, &conv)) return plainText();
  const bool ok = integer ? FormatInteger(conv, conversion, args, &text) : FormatFloating(conv, conversion, args, &text);
  if (!ok) return plainText();
  AppendText(*this, text);
  return 1;
}

void AString::AppendInt(int value) { AppendText(*this, std::to_string(value)); }

void AString::AppendFloat(double value, int decimals) {
  const unsigned n = std::min(static_cast<unsigned>(decimals), 48u);
  AppendText(*this, PrintOne("%." + std::to_string(n) + "f", value));
}

FOUNDATION_END
