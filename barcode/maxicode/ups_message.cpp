#include "barcode/maxicode/ups_message.h"

#include <string>
#include <string_view>

namespace kalvo::maxicode {
namespace {

constexpr char kRs = 30;
constexpr char kGs = 29;
constexpr char kEot = 4;
constexpr size_t kShortMessage = 81;

std::string TrimmedUpper(const AString& field) {
  std::string_view text(field.GetData() != nullptr ? field.GetData() : "",
                        field.GetData() != nullptr ? static_cast<size_t>(field.GetLength()) : 0);
  constexpr std::string_view kBlank = " \t\r\n";
  const size_t first = text.find_first_not_of(kBlank);
  if (first == std::string_view::npos) return {};
  text = text.substr(first, text.find_last_not_of(kBlank) - first + 1);
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

}  // namespace

int BuildUpsMaxiMessage(const AString* fields, AString& out, int, int keepLong) {
  std::string message = std::string("[)>") + kRs + "01" + kGs + "96";
  for (int i = kFirstSecondaryField; i < kUpsFieldCount; ++i) {
    message += TrimmedUpper(fields[i]);
    if (i < kUpsFieldCount - 1) message += kGs;
    if (i == kFirstSecondaryField) message += std::string("UPSN") + kGs;
  }
  message += kRs;
  message += kEot;
  if (keepLong == 0 && message.size() > kShortMessage) message.resize(kShortMessage);
  out = std::string_view(message);
  return 1;
}

}  // namespace kalvo::maxicode
