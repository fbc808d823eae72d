#include "barcode/datamatrix/datamatrix_search.h"

#include <utility>

#include "barcode/datamatrix/datamatrix_sizes.h"
#include "barcode/datamatrix/datamatrix_values.h"

namespace kalvo::datamatrix {
namespace {

// What the search needs of one byte in each scheme, from the same rules the
// codewords are written by.
struct ByteFacts {
  uint8_t asciiCodewords = 1;  // 2 above 127 (a digit may pair with the one before instead)
  uint8_t c40Values = 0, textValues = 0;
  bool digit = false, x12 = false, edifact = false;
};

constexpr ByteFacts FactsOf(uint8_t c) {
  PendingValues c40, text;
  C40Values(c, false, c40);
  C40Values(c, true, text);
  ByteFacts f;
  f.asciiCodewords = c >= 128 ? 2 : 1;
  f.c40Values = static_cast<uint8_t>(c40.size());
  f.textValues = static_cast<uint8_t>(text.size());
  f.digit = IsDigit(c);
  f.x12 = X12Value(c) >= 0;
  f.edifact = EdifactEncodable(c);
  return f;
}

constexpr std::array<ByteFacts, 256> kByteFacts = [] {
  std::array<ByteFacts, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = FactsOf(static_cast<uint8_t>(c));
  return table;
}();
static_assert(kByteFacts['a'].c40Values == 2 && kByteFacts['a'].textValues == 1 && kByteFacts[200].c40Values == 3);

// One byte in scheme S, as EncodeNext writes it; `after` is the input consumed then.
template <Scheme S>
void CountNext(Counter& k, const ByteFacts& f, uint32_t after) {
  if constexpr (S == Scheme::Ascii) {
    if (f.digit && k.singleDigit) {
      k.singleDigit = false;  // the pair takes the one codeword there is
    } else {
      k.count += f.asciiCodewords;
      k.singleDigit = f.digit;
    }
  } else if constexpr (S == Scheme::C40 || S == Scheme::Text || S == Scheme::X12) {
    if (S == Scheme::X12 && !f.x12) {
      k.ok = false;
      return;
    }
    const int values = k.pending + (S == Scheme::C40 ? f.c40Values : S == Scheme::Text ? f.textValues : 1);
    k.count += 2 * (values / 3);
    k.pending = static_cast<uint8_t>(values % 3);
  } else if constexpr (S == Scheme::Edifact) {
    if (!f.edifact) {
      k.ok = false;
      return;
    }
    if (++k.pending == 4) {
      k.count += 3;
      k.pending = 0;
    }
  } else {
    // The byte must fit; the second length codeword a long segment takes on
    // is inserted without that check, as Path does.
    const bool fits = ++k.count <= kMaxDataCodewords;
    if (++k.segment == 250) ++k.count;
    k.ok = fits;
    if (k.pending == 0) k.boundaryPos = after;
    return;
  }
  if (k.count > kMaxDataCodewords) k.ok = false;
  if (k.pending == 0) k.boundaryPos = after;
}

// The codeword count of a counter in scheme `s` once it has left for ASCII,
// or -1 when it cannot leave there or runs out of room, as Leave finds.
int64_t CountAfterLeave(const Counter& k, Scheme s) {
  if (!k.ok) return -1;
  int64_t count = k.count;
  switch (s) {
    case Scheme::C40:
    case Scheme::Text:
    case Scheme::X12:
      if (k.pending != 0) return -1;
      ++count;  // the unlatch
      break;
    case Scheme::Edifact:
      count += (6 * (k.pending + 1) + 7) / 8;  // the values and the unlatch value, six bits each
      break;
    case Scheme::Ascii:
    case Scheme::Base256:
      break;
  }
  return count > kMaxDataCodewords ? -1 : count;
}

// A counter just switched from ASCII, where it had `count` codewords after
// `pos` bytes, into S, as Enter writes the latch (and Base 256's length).
template <Scheme S>
Counter Entered(int64_t count, uint32_t pos) {
  Counter k;
  k.count = static_cast<int32_t>(count + (S == Scheme::Ascii ? 0 : S == Scheme::Base256 ? 2 : 1));
  k.boundaryPos = pos;
  k.ok = k.count <= kMaxDataCodewords;
  return k;
}

// Length in twelfths of a codeword: a C40/Text/X12 value takes two thirds of
// a codeword, an EDIFACT value three quarters.
template <Scheme S>
int Length12(const Counter& k) {
  return 12 * k.count + k.pending * (S == Scheme::Edifact ? 9 : 8);
}

// The cheapest counter once left for ASCII (the first of equals), and the
// next cheapest for the scheme that is itself the cheapest.
struct Cheapest {
  std::array<int64_t, kSchemes> left;
  int first = -1, second = -1;
};

Cheapest FindCheapest(const std::array<Counter, kSchemes>& counters) {
  Cheapest c;
  for (int i = 0; i < kSchemes; ++i) {
    c.left[i] = CountAfterLeave(counters[i], static_cast<Scheme>(i));
    if (c.left[i] < 0) continue;
    if (c.first < 0 || c.left[i] < c.left[c.first]) {
      c.second = c.first;
      c.first = i;
    } else if (c.second < 0 || c.left[i] < c.left[c.second]) {
      c.second = i;
    }
  }
  return c;
}

// One step of the search for the path ending in S at byte `t`: staying in S,
// or changing into it from the cheapest other path, whichever is shorter (the
// first in scheme order of equals, as trying every path in turn finds it).
// Returns the scheme the new path came from, -1 when there is none.
template <Scheme S>
int8_t Grow(Counter& stay, const Cheapest& cheapest, const ByteFacts& f, uint32_t t) {
  constexpr int j = static_cast<int>(S);
  const int changeFrom = j == cheapest.first ? cheapest.second : cheapest.first;
  const bool wasOk = stay.ok;
  if (wasOk) CountNext<S>(stay, f, t + 1);
  Counter change;
  change.ok = false;
  if (changeFrom >= 0) {
    change = Entered<S>(cheapest.left[changeFrom], t);
    if (change.ok) CountNext<S>(change, f, t + 1);
  }
  const bool stayOk = wasOk && stay.ok, changeOk = change.ok;
  int best = -1;
  if (stayOk && changeOk) {
    const int a = Length12<S>(stay), b = Length12<S>(change);
    best = a < b || (a == b && j < changeFrom) ? j : changeFrom;
  } else if (stayOk) {
    best = j;
  } else if (changeOk) {
    best = changeFrom;
  }
  if (best >= 0 && best != j) {
    stay = change;
  } else if (best < 0) {
    stay = Counter{};
    stay.ok = false;
  }
  return static_cast<int8_t>(best);
}

template <size_t... J>
void GrowAll(std::array<Counter, kSchemes>& counters, std::array<int8_t, kSchemes>& from, uint8_t c, uint32_t t,
             std::index_sequence<J...>) {
  const Cheapest cheapest = FindCheapest(counters);
  const ByteFacts& f = kByteFacts[c];
  ((from[J] = Grow<static_cast<Scheme>(J)>(counters[J], cheapest, f, t)), ...);
}

template <size_t... J>
void StartAll(std::array<Counter, kSchemes>& counters, uint8_t c, std::index_sequence<J...>) {
  const ByteFacts& f = kByteFacts[c];
  ((counters[J] = Entered<static_cast<Scheme>(J)>(0, 0), CountNext<static_cast<Scheme>(J)>(counters[J], f, 1)), ...);
}

}  // namespace

// Path j ends in scheme j. `from` keeps which path each one grew from, step
// by step. A change of scheme first leaves for ASCII, which puts every path
// in the same state but for its codeword count: the change into a scheme is
// cheapest from the path with the fewest codewords once left, and the search
// tries only that one beside staying.
SchemeSearch SearchSchemes(std::span<const uint8_t> text) {
  SchemeSearch search;
  if (text.empty()) {
    for (Counter& end : search.ends) end.ok = false;
    return search;
  }
  search.from.resize(text.size());
  constexpr auto kEach = std::make_index_sequence<kSchemes>{};
  StartAll(search.ends, text[0], kEach);
  search.from[0].fill(-1);
  for (size_t t = 1; t < text.size(); ++t)
    GrowAll(search.ends, search.from[t], text[t], static_cast<uint32_t>(t), kEach);
  return search;
}

// The schemes of the characters along a path: each step's path came from the
// path of the step before that `from` names.
std::vector<Scheme> SchemesOf(const std::vector<std::array<int8_t, kSchemes>>& from, int last) {
  std::vector<Scheme> schemes(from.size());
  int j = last;
  for (size_t t = from.size(); t-- > 0;) {
    schemes[t] = static_cast<Scheme>(j);
    j = from[t][j];
  }
  return schemes;
}

}  // namespace kalvo::datamatrix
