#include "barcode/datamatrix/datamatrix_codewords.h"

#include <array>
#include <cstddef>
#include <optional>
#include <utility>

#include "barcode/datamatrix/datamatrix_search.h"
#include "barcode/datamatrix/datamatrix_sizes.h"
#include "barcode/datamatrix/datamatrix_values.h"

namespace kalvo::datamatrix {
namespace {

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
  const SchemeSearch search = SearchSchemes(text);

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
    if (!search.ends[j].ok) continue;
    const Path path = PathOf(search.ends[j], static_cast<Scheme>(j), text.size());
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
  const Path chosen = Replay(text, SchemesOf(search.from, bestPath), bytes, finished);
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
