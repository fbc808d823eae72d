#include "barcode/qr/qr_symbol.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "barcode/qr/qr_embedded.h"

namespace kalvo::qr {
namespace {

enum class Mode { Numeric, Alphanumeric, Byte };

constexpr std::string_view kAlphanumeric = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

// Masked BCH codes of (level indicator, mask), level index x 8 + mask.
constexpr std::array<std::array<char, 16>, 32> MakeFormatStrings() {
  std::array<std::array<char, 16>, 32> strings{};
  for (uint32_t data = 0; data < 32; ++data) {
    uint32_t rem = data;
    for (int i = 0; i < 10; ++i) rem = (rem << 1) ^ ((rem >> 9) * 0x537);
    const uint32_t bits = ((data << 10) | rem) ^ 0x5412;
    for (int i = 0; i < 15; ++i) strings[data][i] = ((bits >> (14 - i)) & 1) ? '1' : '0';
  }
  return strings;
}
constexpr auto kFormatStrings = MakeFormatStrings();

struct BitStream {
  std::vector<std::pair<int, uint32_t>> groups;  // (width, value)
  int length = 0;
  void Add(int width, uint32_t value) {
    groups.emplace_back(width, value);
    length += width;
  }
};

Mode ChooseMode(std::span<const uint8_t> text) {
  bool numeric = true, alphanumeric = true;
  for (uint8_t c : text) {
    if (c < '0' || c > '9') numeric = false;
    if (QrAlphanumericValue(c) < 0) alphanumeric = false;
  }
  return numeric ? Mode::Numeric : alphanumeric ? Mode::Alphanumeric : Mode::Byte;
}

int CountWidth(Mode mode, int version) {
  const int range = version <= 9 ? 0 : version <= 26 ? 1 : 2;
  switch (mode) {
    case Mode::Numeric: return std::array{10, 12, 14}[range];
    case Mode::Alphanumeric: return std::array{9, 11, 13}[range];
    case Mode::Byte: return std::array{8, 16, 16}[range];
  }
  return 0;
}

// The data bit groups with a count field of `countWidth` bits.
BitStream DataBits(std::span<const uint8_t> text, Mode mode, int countWidth) {
  BitStream bits;
  const size_t n = text.size();
  switch (mode) {
    case Mode::Numeric: {
      bits.Add(4, 0b0001);
      bits.Add(countWidth, static_cast<uint32_t>(n));
      for (size_t i = 0; i < n; i += 3) {
        const size_t len = std::min<size_t>(3, n - i);
        uint32_t value = 0;
        for (size_t j = 0; j < len; ++j) value = value * 10 + (text[i + j] - '0');
        bits.Add(len == 3 ? 10 : len == 2 ? 7 : 4, value);
      }
      break;
    }
    case Mode::Alphanumeric: {
      bits.Add(4, 0b0010);
      bits.Add(countWidth, static_cast<uint32_t>(n));
      for (size_t i = 0; i < n; i += 2) {
        if (i + 1 < n)
          bits.Add(11, 45 * QrAlphanumericValue(text[i]) + QrAlphanumericValue(text[i + 1]));
        else
          bits.Add(6, QrAlphanumericValue(text[i]));
      }
      break;
    }
    case Mode::Byte:
      bits.Add(4, 0b0100);
      bits.Add(countWidth, static_cast<uint32_t>(n));
      for (uint8_t c : text) bits.Add(8, c);
      break;
  }
  return bits;
}

bool CountFits(Mode mode, int version, size_t count) {
  return count < (size_t{1} << CountWidth(mode, version));
}

}  // namespace

int QrAlphanumericValue(int character) {
  const size_t pos = kAlphanumeric.find(static_cast<char>(character));
  return character > 0 && character < 128 && pos != std::string_view::npos ? static_cast<int>(pos) : -1;
}

const char* QrFormatString(int level, int mask) { return kFormatStrings[level * 8 + mask].data(); }

QrResult BuildQrCodewords(const QrTables& tables, std::span<const uint8_t> text, int level,
                          QrCodewords& out) {
  const Mode mode = ChooseMode(text);
  const int baseLength = DataBits(text, mode, CountWidth(mode, 1)).length;
  int version = 0;
  for (int v = kMinVersion; v <= kMaxVersion && version == 0; ++v) {
    const int extra = CountWidth(mode, v) - CountWidth(mode, 1);
    if (DataCapacityBits(v, level) >= baseLength + extra && CountFits(mode, v, text.size())) version = v;
  }
  if (version == 0) return QrResult::TooLong;

  const QrPlacementTable placement = tables.Placement(version, level);
  const int k = EcCodewordsPerBlock(version, level);
  const std::span<const uint8_t> remainder = tables.Remainder(k);
  if (!placement.Valid() || remainder.empty()) return QrResult::TablesMissing;

  const BitStream bits = DataBits(text, mode, CountWidth(mode, version));
  const int capacity = DataCapacityBits(version, level);
  const int dataCount = capacity / 8;
  std::vector<uint8_t> codewords;
  codewords.reserve(TotalCodewords(version));
  uint32_t accumulator = 0;
  int pending = 0;
  auto push = [&](int width, uint32_t value) {
    for (int b = width - 1; b >= 0; --b) {
      accumulator = (accumulator << 1) | ((value >> b) & 1);
      if (++pending == 8) {
        codewords.push_back(static_cast<uint8_t>(accumulator));
        accumulator = 0;
        pending = 0;
      }
    }
  };
  for (const auto& [width, value] : bits.groups) push(width, value);
  push(std::min(4, capacity - bits.length), 0);  // terminator
  if (pending > 0) push(8 - pending, 0);
  for (bool first = true; static_cast<int>(codewords.size()) < dataCount; first = !first)
    codewords.push_back(first ? 236 : 17);

  // Check codewords of each block, appended block after block.
  std::vector<uint8_t> work;
  int start = 0;
  for (uint8_t total : placement.BlockTotals()) {
    const int count = total - k;
    work.assign(codewords.begin() + start, codewords.begin() + start + count);
    work.resize(count + k, 0);
    for (int i = 0; i < count; ++i) {
      const uint8_t lead = work[i];
      if (lead == 0) continue;
      const uint8_t* row = remainder.data() + lead * k;
      for (int j = 0; j < k; ++j) work[i + 1 + j] ^= row[j];
    }
    codewords.insert(codewords.end(), work.begin() + count, work.end());
    start += count;
  }
  out.version = version;
  out.level = level;
  out.dataCount = dataCount;
  out.codewords = std::move(codewords);
  return QrResult::Ok;
}

QrResult BuildQrSymbol(const QrTables& tables, std::span<const uint8_t> text, int level, QrSymbol& out) {
  QrCodewords cw;
  if (const QrResult r = BuildQrCodewords(tables, text, level, cw); r != QrResult::Ok) return r;
  const QrPlacementTable placement = tables.Placement(cw.version, level);
  const uint8_t* patterns = QrFunctionPatternTable(cw.version);
  if (!patterns) return QrResult::TablesMissing;
  const int n = SymbolSize(cw.version);
  std::vector<uint8_t> modules(n * n, 0);
  const uint8_t* cols = placement.Columns();
  const uint8_t* rows = placement.Rows();
  const uint8_t* masks = placement.Masks();
  const int dataBits = 8 * static_cast<int>(cw.codewords.size());
  for (int p = 0; p < placement.bitCount; ++p) {
    const bool bit = p < dataBits && ((cw.codewords[p / 8] >> (7 - p % 8)) & 1);
    modules[rows[p] * n + cols[p]] = bit ? static_cast<uint8_t>(~masks[p]) : masks[p];
  }
  const int best = QrChooseMask(modules, n, placement.bitCount);
  // Format information: first copy around the top-left finder, second copy
  // at the table's positions.
  const char* format = QrFormatString(level, best);
  static constexpr std::array<std::pair<int, int>, 15> kFirstCopy = {{
      {0, 8}, {1, 8}, {2, 8}, {3, 8}, {4, 8}, {5, 8}, {7, 8}, {8, 8},
      {8, 7}, {8, 5}, {8, 4}, {8, 3}, {8, 2}, {8, 1}, {8, 0},
  }};
  for (int i = 0; i < 15; ++i) {
    const uint8_t value = format[i] == '1' ? 0xFF : 0;
    modules[kFirstCopy[i].second * n + kFirstCopy[i].first] = value;
    modules[placement.FormatRows()[i] * n + placement.FormatColumns()[i]] = value;
  }
  out.version = cw.version;

  out.mask = best;
  out.matrix = ModuleMatrix(n, n);
  const uint8_t bit = static_cast<uint8_t>(1u << best);
  for (int i = 0; i < n * n; ++i) out.matrix[i] = (modules[i] & bit) != 0;
  for (const uint8_t* p = patterns; *p != 255; p += 2) out.matrix.At(p[0], p[1]) = 1;
  return QrResult::Ok;
}

}  // namespace kalvo::qr
