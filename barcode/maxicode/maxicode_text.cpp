#include "barcode/maxicode/maxicode_text.h"

#include <algorithm>

#include "barcode/maxicode/maxicode_charset.h"

namespace kalvo::maxicode {
namespace {

constexpr int kNumericRun = 9;

class TextEncoder {
 public:
  TextEncoder(std::span<const uint8_t> text, int capacity, std::vector<uint8_t>& out)
      : text_(text), capacity_(capacity), out_(out), map_(MaxiCodeCharMap()) {}

  int Run() {
    while (pos_ < text_.size() && Step()) {
    }
    return static_cast<int>(pos_);
  }

 private:
  bool In(size_t at, int set) const { return at < text_.size() && ((map_[text_[at]].sets >> set) & 1u) != 0; }
  int ValueIn(size_t at, int set) const { return map_[text_[at]].value[set]; }
  void Emit(int codeword) {
    out_.push_back(static_cast<uint8_t>(codeword));
    ++written_;
  }
  bool NineDigitsAhead() const {
    if (text_.size() - pos_ < kNumericRun) return false;
    return std::all_of(text_.begin() + pos_, text_.begin() + pos_ + kNumericRun,
                       [](uint8_t c) { return c >= '0' && c <= '9'; });
  }

  // One encoding step; false when the next step does not fit.
  bool Step() {
    const int room = capacity_ - written_;
    if (room <= 0) return false;
    const int w = std::min<int>(room, static_cast<int>(text_.size() - pos_));
    if (w > 8 && NineDigitsAhead()) {
      uint32_t value = 0;
      for (int i = 0; i < kNumericRun; ++i) value = value * 10 + (text_[pos_ + i] - '0');
      Emit(kNumericShift);
      for (int shift = 24; shift >= 0; shift -= 6) Emit((value >> shift) & 63u);
      pos_ += kNumericRun;
      return true;
    }
    if (In(pos_, set_)) {
      Emit(ValueIn(pos_++, set_));
      return true;
    }
    if (set_ == kSetB && In(pos_, kSetA) && room > 2 && w >= 2 && In(pos_ + 1, kSetA)) {
      if (room >= 4 && w >= 3 && In(pos_ + 2, kSetA) && (w == 3 || In(pos_ + 3, kSetB))) {
        Emit(kThreeShiftA);
        for (int i = 0; i < 3; ++i) Emit(ValueIn(pos_++, kSetA));
        return true;
      }
      if ((w > 2 && In(pos_ + 2, kSetB)) || w == 2) {
        Emit(kTwoShiftA);
        for (int i = 0; i < 2; ++i) Emit(ValueIn(pos_++, kSetA));
        return true;
      }
    }
    const int other = set_ == kSetA ? kSetB : kSetA;
    if (In(pos_, other)) {
      // A latch carries the two characters that justify it: three codewords.
      if (w > 1 && room >= 3 && In(pos_ + 1, other) && !In(pos_ + 1, set_)) {
        Emit(kLatchOther);
        set_ = other;
        for (int i = 0; i < 2; ++i) Emit(ValueIn(pos_++, set_));
        return true;
      }
      if (room < 2) return false;
      Emit(kShiftOther);
      Emit(ValueIn(pos_++, other));
      return true;
    }
    if (room < 2) return false;
    for (int set : {kSetC, kSetD, kSetE}) {
      if (!In(pos_, set)) continue;
      Emit(kShiftC + (set - kSetC));
      Emit(ValueIn(pos_++, set));
      return true;
    }
    return false;  // a byte in no set
  }

  std::span<const uint8_t> text_;
  int capacity_;
  std::vector<uint8_t>& out_;
  const MaxiCodeCharMapTable& map_;
  size_t pos_ = 0;
  int written_ = 0;
  int set_ = kSetA;
};

}  // namespace

int EncodeMaxiCodeText(std::span<const uint8_t> text, int capacity, std::vector<uint8_t>& out) {
  return TextEncoder(text, capacity, out).Run();
}

}  // namespace kalvo::maxicode
