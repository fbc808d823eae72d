#include "barcode/frame/tables.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace kalvo {

LibraryTables& Tables() {
  static LibraryTables tables;
  return tables;
}

int Code39Value(char c) {
  const std::string& t = Tables().code39;
  const size_t i = t.find(c);
  return c != 0 && i != std::string::npos ? static_cast<int>(i) : -1;
}

int Code93Value(char c) {
  if (c == 0) return -1;
  const LibraryTables& t = Tables();
  size_t i = t.code93.find(c);
  if (i != std::string::npos) return static_cast<int>(i);
  i = t.code93Shift.find(c);
  return i != std::string::npos ? static_cast<int>(i) + 43 : -1;
}

int CodabarValue(char c) {
  const std::string& t = Tables().codabar;
  const size_t i = t.find(c);
  return c != 0 && i != std::string::npos ? static_cast<int>(i) : -1;
}

const typAIdef* FindApplicationIdentifier(std::string_view identifier) {
  const LibraryTables& t = Tables();
  for (LONG i = 0; i < t.aiCount; ++i) {
    if (identifier == t.ai[i].identifier) return &t.ai[i];
  }
  return nullptr;
}

namespace {

constexpr unsigned char kScrambleKey = 0x5C;
constexpr size_t kMaxLine = 512;

std::string_view Trimmed(std::string_view s) {
  constexpr std::string_view kBlank = " \t\r\n";
  const size_t first = s.find_first_not_of(kBlank);
  if (first == std::string_view::npos) return {};
  const size_t last = s.find_last_not_of(kBlank);
  return s.substr(first, last - first + 1);
}

// Copies at most size - 1 characters and terminates.
template <size_t N>
void CopyCut(char (&field)[N], std::string_view text) {
  // An empty view may have no data at all: copy_n reads nothing then.
  const size_t n = std::min(text.size(), N - 1);
  std::copy_n(text.data(), n, field);
  field[n] = 0;
}

// Reads a decimal number at `pos`, advancing it; 0 when there is none.
int ReadNumber(std::string_view s, size_t& pos) {
  int value = 0;
  while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
    if (value < 100000) value = value * 10 + (s[pos] - '0');
    ++pos;
  }
  return value;
}

}  // namespace

bool ParseApplicationIdentifierLine(std::string_view rawLine, typAIdef* record) {
  const std::string_view line = Trimmed(rawLine);
  if (line.empty() || line.front() == ';') return false;
  // A NUL byte has no place in a text line; the fields are C strings and would end early.
  if (line.find('\0') != std::string_view::npos) return false;
  const size_t open = line.find('"');
  if (open == std::string_view::npos || open < 3) return false;
  const size_t close = line.find('"', open + 1);
  if (close == std::string_view::npos || close == open + 1) return false;
  const std::string_view title = Trimmed(line.substr(open + 1, close - open - 1));
  const std::string_view rest = Trimmed(line.substr(close + 1));
  const std::string_view identifier = Trimmed(line.substr(0, open));
  // Without an identifier, a title or a length no value could ever be checked.
  if (identifier.empty() || title.empty() || rest.empty()) return false;

  typAIdef r{};
  CopyCut(r.identifier, identifier);
  CopyCut(r.title, title);
  CopyCut(r.lengthText, rest.substr(0, std::min(rest.find_first_of(" \t"), rest.size())));
  size_t pos = 0;
  r.minLength = ReadNumber(rest, pos);
  r.maxLength = r.minLength;
  if (pos < rest.size() && rest[pos] == '-') {
    ++pos;
    r.maxLength = ReadNumber(rest, pos);
  }
  const std::string_view tail = rest.substr(pos);
  if (tail.find('N') != std::string_view::npos) r.charKinds |= 1;
  if (tail.find('A') != std::string_view::npos) r.charKinds |= 2;
  const size_t digit = tail.find_first_of("0123456789");
  if (digit != std::string_view::npos) r.checkFlag = tail[digit] - '0';
  *record = r;
  return true;
}

bool ReadApplicationIdentifiers(const std::string& folder, typAIdef* table, LONG capacity, LONG* count) {
  const std::string path = folder + "internal1.dat";
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  LONG n = 0;
  char buffer[kMaxLine];
  while (std::fgets(buffer, sizeof buffer, file) != nullptr) {
    // The raw line feed ends the line; everything before it is scrambled.
    size_t length = std::strlen(buffer);
    if (length > 0 && buffer[length - 1] == '\n') --length;
    for (size_t i = 0; i < length; ++i) buffer[i] = static_cast<char>(buffer[i] ^ kScrambleKey);
    if (n >= capacity) continue;
    typAIdef record;
    if (ParseApplicationIdentifierLine(std::string_view(buffer, length), &record)) table[n++] = record;
  }
  std::fclose(file);
  if (count != nullptr) *count = n;
  return true;
}

}  // namespace kalvo
