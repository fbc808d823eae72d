#include "datasource/structured_checks.h"

#include <cctype>
#include <string_view>

#include "fields/barcode/structured_parts.h"
#include "fields/barcode/symbology_catalogue.h"

namespace {

constexpr uint8_t kFixed = 0;
constexpr uint8_t kPrompted = 2;

bool AllDigits(const AString& s) {
  for (int i = 0; i < s.GetLength(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(s.GetData()[i]))) return false;
  }
  return true;
}

std::string Text(const AString& s) { return std::string(s.GetData(), static_cast<size_t>(s.GetLength())); }

void Say(PartMessage* m, int number, std::vector<std::string> arguments) {
  if (!m) return;
  m->number = number;
  m->arguments = std::move(arguments);
}

// The length rule of one row: 1 when kept; else the message of an exact
// length (50073) or of a range (50074).
int CheckLength(const AString& data, const std::string& title, int minimum, int maximum, PartMessage* m) {
  const int length = data.GetLength();
  if (length >= minimum && length <= maximum) return 1;
  if (minimum == maximum) {
    Say(m, 50073, {std::to_string(length), title, std::to_string(minimum)});
  } else {
    Say(m, 50074, {std::to_string(length), title, std::to_string(minimum), std::to_string(maximum)});
  }
  return 0;
}

// Identifiers whose data ends in a GS1 check digit over all the digits before
// it (SSCC, GTIN, GSIN, the global location numbers, GSRN). The barcode
// library encodes what it is given, so a wrong digit would print a symbol
// every reader accepts and every system behind it refuses.
constexpr std::string_view kCheckDigitIdentifiers[] = {"00",  "01",  "02",  "402", "410", "411",  "412",
                                                       "413", "414", "415", "416", "417", "8017", "8018"};

bool EndsInCheckDigit(std::string_view identifier) {
  for (const std::string_view id : kCheckDigitIdentifiers)
    if (id == identifier) return true;
  return false;
}

// The GS1 modulo-10 check digit of the digits: weights 3 and 1 from the
// rightmost digit, which weighs 3.
char Gs1CheckDigit(std::string_view digits) {
  int sum = 0;
  int weight = 3;
  for (size_t i = digits.size(); i-- > 0;) {
    sum += (digits[i] - '0') * weight;
    weight = 4 - weight;
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

}  // namespace

bool AiDigitsOnly(const typAIdef& def) { return (def.charKinds & 1) != 0 && (def.charKinds & 2) == 0; }

int ApplyAiRows(CBarcodeField& field, const std::array<AiRow, 6>& rows, bool promptedOnly, int* badRow,
                PartMessage* message) {
  int taken = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    const AiRow& row = rows[i];
    const typAIdef* def = nullptr;
    bool check;
    if (promptedOnly) {
      if (field.aiCode[i].IsEmpty()) continue;
      def = FindAIDefinition(field.aiCode[i].GetData());
      if (!def) continue;
      check = field.aiSource[i] == kPrompted;
      if (check) field.aiData[i] = row.data;
    } else {
      if (row.code.IsEmpty()) {
        field.aiCode[i].Empty();
        field.aiData[i].Empty();
        continue;
      }
      def = FindAIDefinition(row.code.GetData());
      if (!def) continue;
      field.aiCode[i] = def->identifier;
      field.aiData[i] = row.data;
      field.aiSource[i] = row.source;
      field.aiSourceBackup[i] = row.source;
      check = row.source == kFixed;
    }
    ++taken;
    if (!check || !badRow) continue;
    const AString& data = field.aiData[i];
    if (AiDigitsOnly(*def) && !AllDigits(data)) {
      if (def->minLength == def->maxLength) {
        Say(message, 50075, {Text(data), def->title, std::to_string(def->minLength)});
      } else {
        Say(message, 50076, {Text(data), def->title, std::to_string(def->minLength), std::to_string(def->maxLength)});
      }
      *badRow = static_cast<int>(i);
      return 0;
    }
    if (!CheckLength(data, def->title, def->minLength, def->maxLength, message)) {
      *badRow = static_cast<int>(i);
      return 0;
    }
    if (EndsInCheckDigit(def->identifier) && AllDigits(data) && data.GetLength() > 1) {
      const std::string digits = Text(data);
      const char wanted = Gs1CheckDigit(std::string_view(digits).substr(0, digits.size() - 1));
      if (digits.back() != wanted) {
        Say(message, 50077, {digits, def->title, std::string(1, wanted)});
        *badRow = static_cast<int>(i);
        return 0;
      }
    }
  }
  if (taken == 0) {
    if (badRow) *badRow = 0;
    Say(message, 50050, {});
    return 0;
  }
  return 1;
}

int ApplyHibcRows(CBarcodeField& field, const std::array<HibcRow, 6>& rows, bool promptedOnly, int* badRow,
                  PartMessage* message) {
  const int form = field.hibcForm;
  auto clear = [&](size_t first, size_t last) {
    for (size_t r = first; r <= last; ++r) {
      field.aiData[r].Empty();
      field.aiSource[r] = kFixed;
    }
  };
  if (form == 1) {
    clear(3, 5);
    field.upsSource[kHibcQuantityFormatSlot] = 0;
    field.upsSource[kHibcDateFormatSlot] = 0;
  } else if (form == 2) {
    clear(0, 2);
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    const bool used = form == 0 || (form == 1 && r <= 2) || (form == 2 && r >= 3);
    if (!used) continue;
    const HibcRow& row = rows[r];
    if (!promptedOnly) {
      if (r == 3) field.upsSource[kHibcQuantityFormatSlot] = static_cast<uint8_t>(row.formatIndex);
      if (r == 4) field.upsSource[kHibcDateFormatSlot] = static_cast<uint8_t>(row.formatIndex);
      field.aiData[r] = row.text;
      field.aiSource[r] = row.source;
      field.aiSourceBackup[r] = row.source;
    } else if (field.aiSource[r] == kPrompted) {
      field.aiData[r] = row.text;
    }
    int maximum = 0, minimum = 0;
    if (!GetHibcRowLimits(field, static_cast<int>(r), &maximum, &minimum)) continue;
    // A format without digits has no value (its cell stays empty).
    if ((r == 3 || r == 4) && maximum == 0) {
      field.aiData[r].Empty();
      continue;
    }
    const bool check = promptedOnly ? field.aiSource[r] == kPrompted : field.aiSource[r] == kFixed;
    if (!check || !badRow) continue;
    const AString& text = field.aiData[r];
    const std::string caption = r == 3 ? "Qty" : r == 4 ? "Date" : kHibcRows[r].name;
    if ((r == 3 || r == 4) && !AllDigits(text)) {
      Say(message, 50075, {Text(text), caption, std::to_string(r == 3 ? field.upsSource[kHibcQuantityFormatSlot]
                                                                      : field.upsSource[kHibcDateFormatSlot])});
      *badRow = static_cast<int>(r);
      return 0;
    }
    if (!CheckLength(text, caption, minimum, maximum, message)) {
      *badRow = static_cast<int>(r);
      return 0;
    }
  }
  return 1;
}

int MaxiPostalCodeLength(int mode) { return mode == 3 ? 6 : 9; }

AString ShapeMaxiPostalCode(const AString& text, int mode, uint8_t source) {
  AString out;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char c = text.GetData()[i];
    if (mode == 3) out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    else if (std::isdigit(static_cast<unsigned char>(c))) out += c;
  }
  if (mode == 3 && source == kFixed && out.GetLength() > 6) out.Truncate(6);
  return out;
}
