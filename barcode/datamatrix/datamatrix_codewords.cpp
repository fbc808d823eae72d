#include "barcode/datamatrix/datamatrix_codewords.h"

#include <array>
#include <cstddef>
#include <optional>
#include <utility>

#include "barcode/datamatrix/datamatrix_sizes.h"

namespace kalvo::datamatrix {
namespace {

constexpr int kSchemes = 6;
// A path stops growing beyond the largest symbol plus one step of the longest
// character encodation (upper shift with shifts, latch and unlatch).
constexpr size_t kBufferCapacity = kMaxDataCodewords + 8;

enum class PathError : uint8_t { None, NotEncodable, BadExit, Full };

struct Base256Segment {
  uint32_t lengthAt;  // index of the (first) length codeword
  int count;
};

// The codewords of a path, or only their count: the search's paths are closed
// for each size counting, and only the chosen path is replayed writing its
// codewords into a vector its owner keeps.
class CodewordBuffer {
 public:
  static CodewordBuffer Counting(size_t count) {
    CodewordBuffer b;
    b.count_ = count;
    return b;
  }
  static CodewordBuffer Writing(std::vector<uint8_t>& bytes) {
    CodewordBuffer b;
    b.bytes_ = &bytes;
    return b;
  }
  size_t size() const { return bytes_ ? bytes_->size() : count_; }
  void push_back(uint8_t c) {
    if (bytes_)
      bytes_->push_back(c);
    else
      ++count_;
  }
  uint8_t back() const { return bytes_ ? bytes_->back() : 0; }
  void set_back(uint8_t c) {
    if (bytes_) bytes_->back() = c;
  }
  void insert_at(size_t index, uint8_t c) {
    if (bytes_)
      bytes_->insert(bytes_->begin() + static_cast<std::ptrdiff_t>(index), c);
    else
      ++count_;
  }
  bool Counting() const { return bytes_ == nullptr; }
  std::vector<uint8_t>& bytes() { return *bytes_; }

 private:
  size_t count_ = 0;
  std::vector<uint8_t>* bytes_ = nullptr;
};

// Values waiting for their codewords: at most two C40/Text/X12 values (or
// three EDIFACT values) plus the up to four values of one character.
class PendingValues {
 public:
  constexpr size_t size() const { return size_; }
  constexpr bool empty() const { return size_ == 0; }
  constexpr void push_back(uint8_t v) { values_[size_++] = v; }
  constexpr void clear() { size_ = 0; }
  constexpr uint8_t operator[](size_t i) const { return values_[i]; }
  const uint8_t* begin() const { return values_.data(); }
  const uint8_t* end() const { return values_.data() + size_; }
  void DropFront(size_t n) {
    for (size_t i = n; i < size_; ++i) values_[i - n] = values_[i];
    size_ = static_cast<uint8_t>(size_ - n);
  }

 private:
  std::array<uint8_t, 8> values_{};
  uint8_t size_ = 0;
};

struct Path {
  // Positions are narrow: inputs are at most kMaxTextLength bytes.
  CodewordBuffer cw;
  std::vector<Base256Segment>* finished = nullptr;  // the earlier segments (writing paths only)
  Base256Segment segment{0, 0};  // the latest Base 256 segment
  uint32_t pos = 0;          // input consumed
  uint32_t boundaryPos = 0;  // input consumed at the last codeword boundary of the scheme
  Scheme scheme = Scheme::Ascii;
  PathError error = PathError::None;
  bool singleDigit = false;  // the last ASCII codeword is one digit of this ASCII run
  bool inSegment = false;    // `segment` has been opened
  PendingValues values;      // pending C40/Text/X12 or EDIFACT values

  bool Ok() const { return error == PathError::None; }
  void Push(uint8_t c) {
    if (cw.size() >= kBufferCapacity) {
      error = PathError::Full;
      return;
    }
    cw.push_back(c);
    if (cw.size() > static_cast<size_t>(kMaxDataCodewords)) error = PathError::Full;
  }
};

constexpr bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
constexpr bool EdifactEncodable(uint8_t c) { return c >= 32 && c <= 94; }

void EncodeAscii(Path& p, uint8_t c) {
  if (IsDigit(c) && p.singleDigit) {
    p.cw.set_back(static_cast<uint8_t>(130 + (p.cw.back() - '0' - 1) * 10 + (c - '0')));
    p.singleDigit = false;
  } else if (IsDigit(c)) {
    p.Push(static_cast<uint8_t>(c + 1));
    p.singleDigit = true;
  } else if (c >= 128) {
    p.Push(235);
    p.Push(static_cast<uint8_t>(c - 128 + 1));
    p.singleDigit = false;
  } else {
    p.Push(static_cast<uint8_t>(c + 1));
    p.singleDigit = false;
  }
}

std::vector<uint8_t> AsciiCodewords(std::span<const uint8_t> text) {
  std::vector<uint8_t> bytes;
  Path p;
  p.cw = CodewordBuffer::Writing(bytes);
  for (uint8_t c : text) EncodeAscii(p, c);
  return bytes;
}

// C40 (text = false) or Text (text = true) values of one byte.
constexpr void C40Values(uint8_t c, bool text, PendingValues& out) {
  if (c >= 128) {
    out.push_back(1);
    out.push_back(30);
    c = static_cast<uint8_t>(c - 128);
  }
  const uint8_t upperBase = text ? 'a' : 'A';  // letters of the basic set
  const uint8_t otherBase = text ? 'A' : 'a';  // letters of shift 3
  if (c == ' ') {
    out.push_back(3);
  } else if (IsDigit(c)) {
    out.push_back(static_cast<uint8_t>(c - '0' + 4));
  } else if (c >= upperBase && c < upperBase + 26) {
    out.push_back(static_cast<uint8_t>(c - upperBase + 14));
  } else if (c < 32) {
    out.push_back(0);
    out.push_back(c);
  } else if (c >= 33 && c <= 47) {
    out.push_back(1);
    out.push_back(static_cast<uint8_t>(c - 33));
  } else if (c >= 58 && c <= 64) {
    out.push_back(1);
    out.push_back(static_cast<uint8_t>(c - 58 + 15));
  } else if (c >= 91 && c <= 95) {
    out.push_back(1);
    out.push_back(static_cast<uint8_t>(c - 91 + 22));
  } else if (c == 96) {
    out.push_back(2);
    out.push_back(0);
  } else if (c >= otherBase && c < otherBase + 26) {
    out.push_back(2);
    out.push_back(static_cast<uint8_t>(c - otherBase + 1));
  } else {  // 123..127
    out.push_back(2);
    out.push_back(static_cast<uint8_t>(c - 123 + 27));
  }
}

constexpr int X12Value(uint8_t c) {
  if (c == '\r') return 0;
  if (c == '*') return 1;
  if (c == '>') return 2;
  if (c == ' ') return 3;
  if (IsDigit(c)) return c - '0' + 4;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 14;
  return -1;
}

void PackTriples(Path& p) {
  size_t i = 0;
  for (; i + 3 <= p.values.size(); i += 3) {
    const int v = 1600 * p.values[i] + 40 * p.values[i + 1] + p.values[i + 2] + 1;
    p.Push(static_cast<uint8_t>(v / 256));
    p.Push(static_cast<uint8_t>(v % 256));
  }
  p.values.DropFront(i);
}

// EDIFACT values packed six bits each, the last byte filled with zero bits.
void PackEdifact(Path& p) {
  uint32_t bits = 0;
  int count = 0;
  for (uint8_t v : p.values) {
    bits = (bits << 6) | (v & 0x3F);
    count += 6;
    while (count >= 8) {
      p.Push(static_cast<uint8_t>(bits >> (count - 8)));
      count -= 8;
    }
  }
  if (count > 0) p.Push(static_cast<uint8_t>(bits << (8 - count)));
  p.values.clear();
}

// Back to ASCII from the current scheme.
void Leave(Path& p) {
  switch (p.scheme) {
    case Scheme::C40:
    case Scheme::Text:
    case Scheme::X12:
      if (!p.values.empty()) {
        p.error = PathError::BadExit;
        return;
      }
      p.Push(254);
      break;
    case Scheme::Edifact:
      p.values.push_back(31);
      PackEdifact(p);
      break;
    case Scheme::Ascii:
    case Scheme::Base256:
      break;
  }
  p.scheme = Scheme::Ascii;
  p.singleDigit = false;
}

void Enter(Path& p, Scheme target) {
  static constexpr std::array<uint8_t, kSchemes> kLatch = {0, 230, 239, 238, 240, 231};
  p.scheme = target;
  p.boundaryPos = p.pos;
  if (target == Scheme::Ascii) return;
  p.Push(kLatch[static_cast<int>(target)]);
  if (target == Scheme::Base256) {
    p.Push(0);  // length, filled in at the end
    if (p.inSegment && p.finished) p.finished->push_back(p.segment);
    p.segment = {static_cast<uint32_t>(p.cw.size() - 1), 0};
    p.inSegment = true;
  }
}

void EncodeNext(Path& p, uint8_t c) {
  switch (p.scheme) {
    case Scheme::Ascii:
      EncodeAscii(p, c);
      break;
    case Scheme::C40:
    case Scheme::Text:
      C40Values(c, p.scheme == Scheme::Text, p.values);
      PackTriples(p);
      break;
    case Scheme::X12: {
      const int v = X12Value(c);
      if (v < 0) {
        p.error = PathError::NotEncodable;
        return;
      }
      p.values.push_back(static_cast<uint8_t>(v));
      PackTriples(p);
      break;
    }
    case Scheme::Edifact:
      if (!EdifactEncodable(c)) {
        p.error = PathError::NotEncodable;
        return;
      }
      p.values.push_back(c & 0x3F);
      if (p.values.size() == 4) PackEdifact(p);
      break;
    case Scheme::Base256: {
      Base256Segment& segment = p.segment;
      p.Push(c);
      if (++segment.count == 250) {  // the length takes two codewords from here on
        if (p.cw.size() >= kBufferCapacity) {
          p.error = PathError::Full;
          return;
        }
        p.cw.insert_at(segment.lengthAt + 1, 0);
      }
      break;
    }
  }
  ++p.pos;
  if (p.values.empty()) p.boundaryPos = p.pos;
}

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

// A path of the search reduced to what its further codewords depend on: the
// codewords so far, the values waiting for theirs and the state of its scheme
// (which is the path's index). It grows as a writing Path of that scheme
// would, counting only; the chosen path is replayed writing once at the end.
struct Counter {
  int32_t count = 0;
  uint32_t boundaryPos = 0;  // input consumed at the last codeword boundary
  int32_t segment = 0;       // Base 256: bytes in the open segment
  uint8_t pending = 0;       // C40/Text/X12 or EDIFACT values waiting
  bool singleDigit = false;  // ASCII: the last codeword is one digit of this run
  bool ok = true;
};

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

// The counting Path of a counter in scheme `s` after `pos` bytes, for Close.
Path PathOf(const Counter& k, Scheme s, size_t pos) {
  Path p;
  p.cw = CodewordBuffer::Counting(static_cast<size_t>(k.count));
  p.scheme = s;
  p.error = k.ok ? PathError::None : PathError::NotEncodable;
  p.pos = static_cast<uint32_t>(pos);
  p.boundaryPos = k.boundaryPos;
  p.singleDigit = k.singleDigit;
  for (int i = 0; i < k.pending; ++i) p.values.push_back(0);  // counting needs only how many
  p.inSegment = s == Scheme::Base256;
  p.segment.count = k.segment;
  return p;
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

// One character in `target`, switching into it first when needed.
void Step(Path& p, Scheme target, uint8_t c) {
  if (p.scheme != target) {
    Leave(p);
    if (p.Ok()) Enter(p, target);
  }
  if (p.Ok()) EncodeNext(p, c);
}

uint8_t Randomise255(int value, size_t position) {
  const int pseudo = static_cast<int>((149 * position) % 255) + 1;
  const int sum = value + pseudo;
  return static_cast<uint8_t>(sum <= 255 ? sum : sum - 256);
}

void FinishBase256(std::vector<uint8_t>& cw, const Path& p) {
  std::vector<Base256Segment> segments = *p.finished;
  if (p.inSegment) segments.push_back(p.segment);
  for (const Base256Segment& s : segments) {
    size_t end = s.lengthAt + 1;
    if (s.count <= 249) {
      cw[s.lengthAt] = static_cast<uint8_t>(s.count);
    } else {
      cw[s.lengthAt] = static_cast<uint8_t>(s.count / 250 + 249);
      cw[s.lengthAt + 1] = static_cast<uint8_t>(s.count % 250);
      ++end;
    }
    end += s.count;
    for (size_t i = s.lengthAt; i < end; ++i) cw[i] = Randomise255(cw[i], i + 1);
  }
}

// The number of the path's codewords closed for a symbol of `capacity` data
// codewords (written to its vector for a writing path), or nothing when they
// do not fit. C40, Text, X12 and EDIFACT are left without their unlatch only
// where the end of this symbol allows it.
std::optional<size_t> Close(Path q, std::span<const uint8_t> text, int capacity) {
  if (q.cw.size() > static_cast<size_t>(capacity)) return std::nullopt;
  const std::span<const uint8_t> rest = text.subspan(q.boundaryPos);
  const int room = capacity - static_cast<int>(q.cw.size());
  auto appendAscii = [&](std::span<const uint8_t> chars) {
    for (uint8_t c : AsciiCodewords(chars)) q.Push(c);
  };
  switch (q.scheme) {
    case Scheme::Ascii:
    case Scheme::Base256:
      break;
    case Scheme::C40:
    case Scheme::Text:
    case Scheme::X12:
      if (q.values.empty()) {
        if (room > 0) q.Push(254);
      } else if (q.values.size() == 2 && room == 2 && q.scheme != Scheme::X12) {
        q.values.push_back(0);  // Shift 1 completes the last pair; the symbol ends here
        PackTriples(q);
      } else if (room == 1 && AsciiCodewords(rest).size() == 1) {
        appendAscii(rest);  // one codeword left: the unlatch is implied
      } else {
        q.values.clear();
        q.Push(254);
        appendAscii(rest);
      }
      break;
    case Scheme::Edifact:
      if (room <= 2 && AsciiCodewords(rest).size() <= static_cast<size_t>(room)) {
        q.values.clear();
        appendAscii(rest);  // at most two codewords left: ASCII without unlatch
      } else {
        q.values.push_back(31);
        PackEdifact(q);
      }
      break;
  }
  if (!q.Ok() || q.cw.size() > static_cast<size_t>(capacity)) return std::nullopt;
  if (!q.cw.Counting()) FinishBase256(q.cw.bytes(), q);
  return q.cw.size();
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

// A path carried out in full from its schemes, writing into `bytes` and `finished`.
Path Replay(std::span<const uint8_t> text, const std::vector<Scheme>& schemes, std::vector<uint8_t>& bytes,
            std::vector<Base256Segment>& finished) {
  bytes.reserve(kBufferCapacity);
  Path p;
  p.cw = CodewordBuffer::Writing(bytes);
  p.finished = &finished;
  Enter(p, schemes[0]);
  EncodeNext(p, text[0]);
  for (size_t t = 1; t < text.size() && p.Ok(); ++t) Step(p, schemes[t], text[t]);
  return p;
}

}  // namespace

int EncodeDataMatrixCodewords(std::span<const uint8_t> text, std::vector<uint8_t>& out, int& sizeIndex) {
  out.clear();
  if (text.empty() || text.size() > static_cast<size_t>(kMaxTextLength)) {
    sizeIndex = -1;
    return 0;
  }
  // Path j ends in scheme j. The search keeps each path's counter; `from`
  // keeps which path each one grew from, step by step. A change of scheme
  // first leaves for ASCII, which puts every path in the same state but for
  // its codeword count: the change into a scheme is cheapest from the path
  // with the fewest codewords once left, and the search tries only that one
  // beside staying.
  std::array<Counter, kSchemes> counters;
  std::vector<std::array<int8_t, kSchemes>> from(text.size());
  constexpr auto kEach = std::make_index_sequence<kSchemes>{};
  StartAll(counters, text[0], kEach);
  from[0].fill(-1);
  for (size_t t = 1; t < text.size(); ++t) GrowAll(counters, from[t], text[t], static_cast<uint32_t>(t), kEach);

  // Sizes to try, in order: the requested one, or every square size.
  std::vector<int> sizes;
  if (sizeIndex >= 0 && sizeIndex < static_cast<int>(DataMatrixSizeTable.size())) {
    sizes.push_back(sizeIndex);
  } else {
    for (int i = 0; i < static_cast<int>(DataMatrixSizeTable.size()); ++i)
      if (DataMatrixSizeTable[i].Square()) sizes.push_back(i);
  }
  int bestOrder = -1, bestPath = -1;
  size_t bestCount = 0;
  for (int j = 0; j < kSchemes; ++j) {
    if (!counters[j].ok) continue;
    const Path path = PathOf(counters[j], static_cast<Scheme>(j), text.size());
    for (int order = 0; order < static_cast<int>(sizes.size()); ++order) {
      if (bestOrder >= 0 && order > bestOrder) break;
      auto closed = Close(path, text, DataMatrixSizeTable[sizes[order]].dataCodewords);
      if (!closed) continue;
      if (bestOrder < 0 || order < bestOrder || *closed < bestCount) {
        bestOrder = order;
        bestPath = j;
        bestCount = *closed;
      }
      break;
    }
  }
  if (bestOrder < 0) {
    sizeIndex = -1;
    return 0;
  }
  std::vector<uint8_t> bytes;
  std::vector<Base256Segment> finished;
  const Path chosen = Replay(text, SchemesOf(from, bestPath), bytes, finished);
  const auto closed = Close(chosen, text, DataMatrixSizeTable[sizes[bestOrder]].dataCodewords);
  if (!closed || *closed != bestCount) {  // a replay always closes as its count did
    sizeIndex = -1;
    return 0;
  }
  sizeIndex = sizes[bestOrder];
  out = std::move(bytes);
  return static_cast<int>(out.size());
}

}  // namespace kalvo::datamatrix
