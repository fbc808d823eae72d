// Test data for PDF417 and MicroPDF417 that moves between the compaction
// modes: a table of every text submode left by each shift or latch and
// followed by each kind of character, and random data mixing them all.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kalvo_test {

struct MixedCase {
  std::string name;
  std::string data;
};

// Characters of each text submode apart from space (tab and CR are in mixed
// and punctuation both, LF in punctuation only).
inline constexpr std::string_view kUpperChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
inline constexpr std::string_view kLowerChars = "abcdefghijklmnopqrstuvwxyz";
inline constexpr std::string_view kMixedChars = "0123456789&\r\t,:#-.$/+%*=^";
inline constexpr std::string_view kPunctChars = ";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'";

// A text submode entered with one or two of its characters, so that the
// switch after it meets both halves of a text codeword; each way out of it
// (none, a lone byte, byte runs, digit runs, DEL next to bytes); each kind of
// character after that; then a tail through every submode, so that a wrong
// submode after the switch shows in the characters it decodes.
inline std::vector<MixedCase> CompactionSwitchCases() {
  struct Part {
    const char* name;
    std::string text;
  };
  const std::vector<Part> submodes{{"Upper1", "K"}, {"Upper2", "KQ"}, {"Lower1", "k"},  {"Lower2", "kq"},
                                   {"Mixed1", "&"}, {"Mixed2", "&="}, {"Punct1", "@"}, {"Punct2", "@;"}};
  const std::vector<Part> switches{
      {"Straight", ""},
      {"Byte", "\xCC"},
      {"ControlByte", "\x01"},
      {"Del", "\x7F"},
      {"TwoBytes", "\xCC\x93"},
      {"SixBytes", "\x80\x81\x82\x83\x84\x85"},
      {"BytesThenDel", "\x80\x81\x7F"},
      {"Digits13", "1234567890123"},
      {"Digits13ThenByte", std::string("1234567890123") + "\xC3"},
      {"ByteThenDigits13", std::string("\xC3") + "1234567890123"},
  };
  const std::vector<Part> followers{{"Upper", "J"},   {"Lower", "m"}, {"Mixed", "+"}, {"Punct", "!"},
                                    {"MixedOrPunct", ","}, {"Space", " "}, {"Digit", "5"}, {"Byte", "\xC3"},
                                    {"End", ""}};
  const std::string tail = "Q[5/x(";
  std::vector<MixedCase> cases;
  for (const Part& s : submodes)
    for (const Part& w : switches)
      for (const Part& f : followers) {
        // Without a switch, ending on the submode alone is a case of its own
        // only once.
        if (w.text.empty() && f.text.empty()) continue;
        cases.push_back({std::string(s.name) + w.name + f.name,
                         s.text + w.text + f.text + (f.text.empty() ? "" : tail)});
      }
  return cases;
}

// One piece of random data: a run of one text submode, a space, a run of
// digits (long enough for numeric compaction now and then), one byte or a
// run of bytes (control bytes, DEL and 128 to 255; never 0, which ends the
// data text).
inline std::string RandomPiece(std::mt19937& random) {
  auto pick = [&random](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
  auto run = [&](std::string_view set, int most) {
    std::string s;
    for (int n = pick(1, most); n > 0; --n) s += set[static_cast<size_t>(pick(0, static_cast<int>(set.size()) - 1))];
    return s;
  };
  auto byte = [&]() -> char {
    switch (pick(0, 3)) {
      case 0: {
        int c = pick(1, 31);
        while (c == '\t' || c == '\n' || c == '\r') c = pick(1, 31);
        return static_cast<char>(c);
      }
      case 1: return '\x7F';
      default: return static_cast<char>(pick(128, 255));
    }
  };
  switch (pick(0, 8)) {
    case 0: return run(kUpperChars, 5);
    case 1: return run(kLowerChars, 5);
    case 2: return run(kMixedChars.substr(10), 4);  // the mixed characters that are not digits
    case 3: return run(kPunctChars, 4);
    case 4: return " ";
    case 5: return run(kMixedChars.substr(0, 10), pick(0, 2) == 0 ? 20 : 6);
    case 6:
    case 7: return std::string(1, byte());
    default: {
      std::string s;
      for (int n = pick(2, 14); n > 0; --n) s += byte();
      return s;
    }
  }
}

// `data` with bytes outside printable ASCII as \xHH, for failure messages.
inline std::string Escaped(std::string_view data) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string s;
  for (char ch : data) {
    const auto c = static_cast<uint8_t>(ch);
    if (c >= 32 && c < 127 && c != '\\') {
      s += ch;
    } else {
      s += "\\x";
      s += kHex[c >> 4];
      s += kHex[c & 15];
    }
  }
  return s;
}

}  // namespace kalvo_test
