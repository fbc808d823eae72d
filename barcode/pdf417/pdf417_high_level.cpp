#include "barcode/pdf417/pdf417_high_level.h"

#include <array>
#include <string_view>

namespace kalvo::pdf417 {
namespace {

enum Submode { kUpper = 0, kLower = 1, kMixed = 2, kPunct = 3 };
constexpr int kPad = 29;

// Values of the four text submodes; -1 where a submode has no such character.
struct TextTables {
  std::array<std::array<int8_t, 128>, 4> value{};
  constexpr TextTables() {
    for (auto& table : value) table.fill(-1);
    for (int c = 'A'; c <= 'Z'; ++c) value[kUpper][c] = static_cast<int8_t>(c - 'A');
    for (int c = 'a'; c <= 'z'; ++c) value[kLower][c] = static_cast<int8_t>(c - 'a');
    value[kUpper][' '] = value[kLower][' '] = value[kMixed][' '] = 26;
    constexpr std::string_view mixed = "0123456789&\r\t,:#-.$/+%*=^";
    for (size_t i = 0; i < mixed.size(); ++i) value[kMixed][static_cast<uint8_t>(mixed[i])] = static_cast<int8_t>(i);
    constexpr std::string_view punct = ";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'";
    for (size_t i = 0; i < punct.size(); ++i) value[kPunct][static_cast<uint8_t>(punct[i])] = static_cast<int8_t>(i);
  }
};
constexpr TextTables kText;

int TextValue(int submode, uint8_t c) { return c < 128 ? kText.value[submode][c] : -1; }
bool IsText(uint8_t c) {
  for (int s = 0; s < 4; ++s)
    if (TextValue(s, c) >= 0) return true;
  return false;
}
bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
// A byte run goes on over the bytes below 32 (tab, LF and CR too) and from
// DEL up. DEL belongs to the run as well: on its own after a longer run it
// would need the byte shift, which only text compaction has.
bool ContinuesByteRun(uint8_t c) { return c < 32 || c >= 127; }

// Latch sequences and the order in which the target submodes are tried.
struct Latch {
  int target;
  std::array<int, 2> values;
  int count;
};
constexpr std::array<std::array<Latch, 3>, 4> kLatches{{
    {{{kLower, {27, 0}, 1}, {kMixed, {28, 0}, 1}, {kPunct, {28, 25}, 2}}},
    {{{kMixed, {28, 0}, 1}, {kPunct, {28, 25}, 2}, {kUpper, {28, 28}, 2}}},
    {{{kUpper, {28, 0}, 1}, {kLower, {27, 0}, 1}, {kPunct, {25, 0}, 1}}},
    {{{kUpper, {29, 0}, 1}, {kLower, {29, 27}, 2}, {kMixed, {29, 28}, 2}}},
}};

class Encoder {
 public:
  explicit Encoder(Symbology symbology) : symbology_(symbology) {}

  void Text(uint8_t c) {
    if (mode_ != Mode::Text) {
      out_.push_back(kTextLatch);
      mode_ = Mode::Text;
      submode_ = kUpper;
    }
    if (TextValue(submode_, c) < 0) {
      for (const Latch& latch : kLatches[submode_]) {
        if (TextValue(latch.target, c) < 0) continue;
        for (int i = 0; i < latch.count; ++i) Value(latch.values[i]);
        submode_ = latch.target;
        break;
      }
    }
    Value(TextValue(submode_, c));
  }

  void Numeric(std::span<const uint8_t> digits) {
    FlushText();
    out_.push_back(kNumericLatch);
    for (size_t start = 0; start < digits.size(); start += 44) {
      // "1" followed by up to 44 digits, as a base-900 number.
      std::vector<int> decimal{1};
      for (size_t i = start; i < std::min(digits.size(), start + 44); ++i) decimal.push_back(digits[i] - '0');
      std::vector<int> base900;
      while (!(decimal.size() == 1 && decimal[0] == 0)) {
        std::vector<int> quotient;
        int remainder = 0;
        for (int d : decimal) {
          remainder = remainder * 10 + d;
          if (!quotient.empty() || remainder >= 900) quotient.push_back(remainder / 900);
          remainder %= 900;
        }
        base900.push_back(remainder);
        decimal = quotient.empty() ? std::vector<int>{0} : quotient;
      }
      out_.insert(out_.end(), base900.rbegin(), base900.rend());
    }
    out_.push_back(kTextLatch);  // always back to text, upper submode
    mode_ = Mode::Text;
    submode_ = kUpper;
  }

  void Bytes(std::span<const uint8_t> bytes) {
    FlushText();
    if (bytes.size() == 1) {
      out_.push_back(kByteShift);
      out_.push_back(bytes[0]);
      return;
    }
    out_.push_back(bytes.size() % 6 == 0 ? kByteLatchSix : kByteLatch);
    size_t i = 0;
    for (; i + 6 <= bytes.size(); i += 6) {
      uint64_t value = 0;
      for (size_t j = 0; j < 6; ++j) value = (value << 8) | bytes[i + j];
      std::array<int, 5> group{};
      for (int j = 4; j >= 0; --j) {
        group[j] = static_cast<int>(value % 900);
        value /= 900;
      }
      out_.insert(out_.end(), group.begin(), group.end());
    }
    for (; i < bytes.size(); ++i) out_.push_back(bytes[i]);
    mode_ = Mode::Byte;
  }

  std::vector<int> Finish() {
    FlushText();
    return std::move(out_);
  }

  void StartText() {
    // PDF417 starts in text compaction; MicroPDF417 latches to it explicitly.
    mode_ = symbology_ == Symbology::Pdf417 ? Mode::Text : Mode::None;
  }

 private:
  enum class Mode { None, Text, Byte };

  void Value(int v) {
    if (pending_ < 0) {
      pending_ = v;
    } else {
      out_.push_back(30 * pending_ + v);
      pending_ = -1;
    }
  }
  // 29 completes an odd last value. In upper, lower and mixed it is the
  // punctuation shift, which a following shift or latch cancels, so the
  // submode stays; in punctuation it is the latch to upper, and the text that
  // follows a byte shift goes on from there.
  void FlushText() {
    if (pending_ < 0) return;
    Value(kPad);
    if (submode_ == kPunct) submode_ = kUpper;
  }

  Symbology symbology_;
  Mode mode_ = Mode::None;
  int submode_ = kUpper;
  int pending_ = -1;
  std::vector<int> out_;
};

}  // namespace

std::vector<int> EncodePdf417Data(Symbology symbology, std::span<const uint8_t> text) {
  Encoder encoder(symbology);
  encoder.StartText();
  bool allDigits = !text.empty();
  for (uint8_t c : text) allDigits = allDigits && IsDigit(c);
  const size_t minimumWhole = symbology == Symbology::Pdf417 ? 4 : 3;
  if (allDigits && text.size() >= minimumWhole && text.size() <= 12) {
    encoder.Numeric(text);
    return encoder.Finish();
  }
  for (size_t i = 0; i < text.size();) {
    size_t digits = i;
    while (digits < text.size() && IsDigit(text[digits])) ++digits;
    if (digits - i >= 13) {
      encoder.Numeric(text.subspan(i, digits - i));
      i = digits;
    } else if (IsText(text[i])) {
      encoder.Text(text[i]);
      ++i;
    } else {
      size_t end = i + 1;
      while (end < text.size() && ContinuesByteRun(text[end])) ++end;
      encoder.Bytes(text.subspan(i, end - i));
      i = end;
    }
  }
  return encoder.Finish();
}

}  // namespace kalvo::pdf417
