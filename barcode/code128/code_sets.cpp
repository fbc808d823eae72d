// Code-set choice for Code 128. The best continuation from a byte depends only
// on its position and the current set, so each (position, set) is settled once,
// from the end of the data backwards.
#include <array>
#include <cstring>

#include "barcode/code128/code128.h"
#include "barcode/frame/messages.h"
#include "barcode/kalvo.h"

namespace kalvo {

namespace {

enum Set : int { kSetA = 0, kSetB = 1, kSetC = 2, kNoSet = 3 };

bool IsDigit(uint8_t b) { return b >= '0' && b <= '9'; }

// One emitted item: a byte as it is, or the set-C pair starting at a position.
struct Item {
  bool pair;
  uint8_t byte;
  int position;
};

// One way to go on from (position, set): what it emits and where it lands.
struct Move {
  std::array<Item, 3> items;  // the first `count` are set
  int count = 0;
  int next = 0;
  Set nextSet = kSetA;

  Move& Byte(uint8_t b) {
    items[count++] = Item{false, b, 0};
    return *this;
  }
  Move& Pair(int position) {
    items[count++] = Item{true, 0, position};
    return *this;
  }
  Move& To(int position, Set set) {
    next = position;
    nextSet = set;
    return *this;
  }
};

// The moves the rules allow at (i, set): one, or two to choose from (the
// second is kept when both come out equally long).
[[gnu::always_inline]] inline int MovesAt(std::span<const uint8_t> d, int i, Set set, Move (&moves)[2]) {
  const int n = static_cast<int>(d.size());
  const uint8_t b = d[i];
  // Only the counts start again: a move is read up to its count.
  moves[0].count = 0;
  moves[1].count = 0;
  if (set == kSetC) {
    if (b < 32) {
      moves[0].Byte(kToA).Byte(b).To(i + 1, kSetA);
    } else if (IsDigit(b) && i + 1 < n && IsDigit(d[i + 1])) {
      moves[0].Pair(i).To(i + 2, kSetC);
    } else if (IsDigit(b)) {
      moves[0].Byte(kToB).Byte(b).To(i + 1, kSetB);
    } else if (b <= 95) {
      moves[0].Byte(kToB).Byte(b).To(i + 1, kSetB);
      moves[1].Byte(kToA).Byte(b).To(i + 1, kSetA);
      return 2;
    } else if (b == kToB || b == kToA || b == kFnc1) {
      moves[0].Byte(b).To(i + 1, kSetC);
    } else {
      moves[0].Byte(kToB).Byte(b).To(i + 1, kSetB);
    }
    return 1;
  }
  if (b == kFnc1) {
    moves[0].Byte(b).To(i + 1, set);
  } else if (set == kSetA && b >= 96) {
    moves[0].Byte(kToB).Byte(b).To(i + 1, kSetB);
  } else if (set == kSetB && b < 32) {
    moves[0].Byte(kToA).Byte(b).To(i + 1, kSetA);
  } else if (i == n - 1) {
    moves[0].Byte(b).To(i + 1, set);
  } else if (IsDigit(b) && IsDigit(d[i + 1])) {
    if (i + 3 < n && IsDigit(d[i + 2]) && IsDigit(d[i + 3])) {
      moves[0].Byte(kToC).Pair(i).Pair(i + 2).To(i + 4, kSetC);
    } else {
      moves[0].Byte(b).To(i + 1, set);
      moves[1].Byte(kToC).Pair(i).To(i + 2, kSetC);
      return 2;
    }
  } else {
    moves[0].Byte(b).To(i + 1, set);
  }
  return 1;
}

class CodeSetPlanner {
 public:
  explicit CodeSetPlanner(std::span<const uint8_t> data) : data_(data), best_(data.size() + 1) {
    for (int i = static_cast<int>(data.size()) - 1; i >= 0; --i) {
      for (Set set : {kSetA, kSetB, kSetC}) Settle(i, set);
    }
  }

  int Length(Set set) const { return best_[0][set].length; }

  void Emit(Set set, std::vector<uint8_t>& out) const {
    int i = 0;
    const int n = static_cast<int>(data_.size());
    while (i < n) {
      Move moves[2];
      MovesAt(data_, i, set, moves);
      const Move& m = moves[best_[i][set].choice];
      for (int k = 0; k < m.count; ++k) {
        if (m.items[k].pair) {
          out.push_back(data_[m.items[k].position]);
          out.push_back(data_[m.items[k].position + 1]);
        } else {
          out.push_back(m.items[k].byte);
        }
      }
      i = m.next;
      set = m.nextSet;
    }
  }

 private:
  struct Best {
    int length = 0;
    int choice = 0;
  };

  void Settle(int i, Set set) {
    Move moves[2];
    const int count = MovesAt(data_, i, set, moves);
    Best best;
    for (int c = 0; c < count; ++c) {
      const int length = moves[c].count + best_[moves[c].next][moves[c].nextSet].length;
      if (c == 0 || length <= best.length) best = Best{length, c};
    }
    best_[i][set] = best;
  }

  std::span<const uint8_t> data_;
  std::vector<std::array<Best, 3>> best_;
};

}  // namespace

std::vector<uint8_t> ChooseCodeSets(std::span<const uint8_t> data, int codeSet) {
  const CodeSetPlanner planner(data);
  Set start;
  switch (codeSet) {
    case 1: start = kSetC; break;
    case 2: start = kSetB; break;
    case 3: start = kSetA; break;
    default: {
      const int a = planner.Length(kSetA);
      const int b = planner.Length(kSetB);
      const int c = planner.Length(kSetC);
      start = c <= a && c <= b ? kSetC : b <= a ? kSetB : kSetA;
    }
  }
  std::vector<uint8_t> out;
  out.reserve(data.size() * 2 + 1);
  out.push_back(start == kSetA ? kStartA : start == kSetB ? kStartB : kStartC);
  planner.Emit(start, out);
  return out;
}

namespace {

// The value of a byte in set A or B; -1 when the set has none for it.
int ValueInSet(uint8_t b, Set set) {
  switch (b) {
    case kFnc3: return 96;
    case kFnc2: return 97;
    case kShift: return 98;
    case kFnc1: return 102;
    case kFnc4: return set == kSetA ? 101 : 100;
    default: break;
  }
  if (set == kSetA) {
    if (b < 32) return b + 64;
    if (b <= 95) return b - 32;
    return -1;
  }
  return b >= 32 && b <= 127 ? b - 32 : -1;
}

}  // namespace

std::vector<int> ValuesOfChosenSets(std::span<const uint8_t> chosen) {
  std::vector<int> values;
  values.reserve(chosen.size() + 1);  // at most one a byte, and room for the check value
  Set set = kNoSet;
  for (size_t i = 0; i < chosen.size(); ++i) {
    const uint8_t b = chosen[i];
    if (i == 0 && b >= kStartA && b <= kStartC) {
      values.push_back(103 + (b - kStartA));
      set = b == kStartA ? kSetA : b == kStartB ? kSetB : kSetC;
      continue;
    }
    if (b >= kToC && b <= kToA) {
      values.push_back(99 + (b - kToC));
      set = b == kToC ? kSetC : b == kToB ? kSetB : kSetA;
      continue;
    }
    if (set == kNoSet) {
      ShowLibraryMessage("Data 128 error!!!");
      continue;
    }
    if (set == kSetC) {
      if (IsDigit(b) && i + 1 < chosen.size() && IsDigit(chosen[i + 1])) {
        values.push_back((b - '0') * 10 + (chosen[i + 1] - '0'));
        ++i;
      } else if (b == kFnc1) {
        values.push_back(102);
      }
      continue;
    }
    // A byte the current set cannot carry has no symbol character; leave it out.
    const int value = ValueInSet(b, set);
    if (value >= 0) values.push_back(value);
  }
  return values;
}

}  // namespace kalvo

int GetOptimized128Code(unsigned char* data, int length, unsigned char* out, int codeSet) {
  if (out == nullptr) return 0;
  const std::vector<uint8_t> chosen =
      kalvo::ChooseCodeSets(std::span<const uint8_t>(data, data != nullptr && length > 0 ? length : 0), codeSet);
  std::memcpy(out, chosen.data(), chosen.size());
  out[chosen.size()] = 0;
  return static_cast<int>(chosen.size());
}
