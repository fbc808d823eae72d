#include "foundation/util/text_files.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/string/file_records.h"

FOUNDATION_BEGIN

namespace {

constexpr size_t kMapLineLimit = 1023;
constexpr char kLineEnd[] = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return std::string(s);
}

// One line of a file read in binary mode: the bytes up to '\n', without the
// "\r\n" (or lone '\n') ending, cut to `limit` characters (the rest of a
// longer line is skipped). False at the end of the file or on a read error.
bool ReadLine(FILE* f, std::string& line, size_t limit = SIZE_MAX) {
  line.clear();
  int c;
  bool any = false;
  while ((c = std::fgetc(f)) != EOF) {
    any = true;
    if (c == '\n') break;
    if (line.size() <= limit) line += static_cast<char>(c);  // one extra keeps a '\r' before '\n'
  }
  if (!any) return false;
  if (c == '\n' && !line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > limit) line.resize(limit);
  return true;
}

bool WriteLine(FILE* f, std::string_view text) {
  return (text.empty() || std::fwrite(text.data(), 1, text.size(), f) == text.size()) &&
         std::fwrite(kLineEnd, 1, 2, f) == 2;
}

AString ToAString(const std::string& s) { return AString(static_cast<int>(s.size()), s.data()); }
std::string_view BytesOf(const AString& s) { return {s.GetData(), static_cast<size_t>(s.GetLength())}; }

int Finish(FilePtr& f, bool ok) {
  FILE* raw = f.release();
  bool closed = std::fclose(raw) == 0;
  return ok && closed ? 1 : 0;
}

int ParseDecimal(const std::string& text) {
  errno = 0;
  long long v = std::strtoll(text.c_str(), nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

}  // namespace

int LoadMapFile(const char* path, AHashMap<AString, AString>& map) {
  if (!path) return 0;
  FilePtr f = OpenFile(path, "rb");
  if (!f) return 0;
  int32_t count = 0;
  if (!ReadInt32(f.get(), &count) || count < 0) return 0;
  // A pair takes at least its key line's "\r\n": a count beyond that is a cut file.
  long left = BytesLeftInFile(f.get());
  if (left >= 0 && static_cast<long long>(count) * 2 > left) return 0;
  std::vector<std::pair<std::string, std::string>> pairs;
  std::string key, value;
  for (int32_t i = 0; i < count; ++i) {
    if (!ReadLine(f.get(), key, kMapLineLimit) || !ReadLine(f.get(), value, kMapLineLimit)) return 0;
    pairs.emplace_back(Trimmed(key), Trimmed(value));
  }
  if (std::ferror(f.get())) return 0;
  for (auto& [k, v] : pairs) map.SetAt(ToAString(k), ToAString(v));
  return 1;
}

int SaveMapFile(const char* path, const AHashMap<AString, AString>& map) {
  if (!path) return 0;
  FilePtr f = OpenFile(path, "wb");
  if (!f) return 0;
  bool ok = WriteInt32(f.get(), map.GetCount());
  if (!map.IsEmpty()) {
    MapPosition pos = kMapStart;
    AString key, value;
    while (pos && ok) {
      map.GetNextAssoc(pos, key, value);
      ok = WriteLine(f.get(), BytesOf(key)) && WriteLine(f.get(), BytesOf(value));
    }
  }
  return Finish(f, ok);
}

int LoadNameNumberMap(const char* path, AHashMap<AString, int>& map) {
  if (!path) return 0;
  FilePtr f = OpenFile(path, "rb");
  if (!f) return 0;
  std::vector<std::pair<std::string, int>> pairs;
  std::string name, number;
  while (ReadLine(f.get(), name)) {
    if (!ReadLine(f.get(), number)) return 0;  // a name without its number: the file is cut
    pairs.emplace_back(Trimmed(name), ParseDecimal(Trimmed(number)));
  }
  if (std::ferror(f.get())) return 0;
  for (auto& [n, v] : pairs) map.SetAt(ToAString(n), v);
  return 1;
}

int SaveNameNumberMap(const char* path, const AHashMap<AString, int>& map) {
  if (!path) return 0;
  FilePtr f = OpenFile(path, "wb");
  if (!f) return 0;
  bool ok = true;
  if (!map.IsEmpty()) {
    MapPosition pos = kMapStart;
    AString name;
    int value = 0;
    while (pos && ok) {
      map.GetNextAssoc(pos, name, value);
      ok = WriteLine(f.get(), BytesOf(name)) && WriteLine(f.get(), std::to_string(value));
    }
  }
  return Finish(f, ok);
}

int ReadStringListFile(const char* path, AArray<AString>& out, int limit) {
  out.RemoveAll();
  if (!path) return 0;
  FilePtr f = OpenFile(path, "rb");
  if (!f) return 0;
  int32_t count = 0;
  if (!ReadInt32(f.get(), &count) || count < 0 || count > limit) return 0;
  std::string line;
  for (int32_t i = 0; i < count && ReadLine(f.get(), line); ++i) {
    std::string t = Trimmed(line);
    if (!t.empty()) out.Add(ToAString(t));
  }
  if (std::ferror(f.get())) {
    out.RemoveAll();
    return 0;
  }
  return 1;
}

int WriteStringArrayFile(const char* path, const AArray<AString>& array) {
  if (!path) return 0;
  FilePtr f = OpenFile(path, "wb");
  if (!f) return 0;
  bool ok = WriteInt32(f.get(), array.GetSize());
  for (int i = 0; i < array.GetSize() && ok; ++i)
    if (!array[i].IsEmpty()) ok = WriteLine(f.get(), BytesOf(array[i]));
  return Finish(f, ok);
}

int LoadDefineFile(const char* path, AHashMap<AString, AString>& map) {
  if (!path) return 0;
  FilePtr f = OpenFile(path, "rt");
  if (!f) return 0;
  static constexpr std::string_view kDefine = "#define";
  int stored = 0;
  std::string line;
  while (ReadLine(f.get(), line)) {
    if (size_t comment = line.find("//"); comment != std::string::npos) line.resize(comment);
    if (line.size() < 13) continue;
    size_t at = line.find(kDefine);
    if (at == std::string::npos) continue;
    std::string_view rest = std::string_view(line).substr(at + kDefine.size());
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    size_t nameEnd = rest.find_first_of(" \t\"");
    std::string name = Trimmed(rest.substr(0, nameEnd));
    std::string value;
    if (nameEnd != std::string_view::npos) {
      std::string_view tail = rest.substr(nameEnd);
      if (tail.find('"') != std::string_view::npos && Trimmed(tail).starts_with('"')) {
        std::string quoted(tail);
        for (char& c : quoted)
          if (c == '"') c = ' ';
        value = Trimmed(quoted);
      } else {
        value = Trimmed(tail);
      }
    }
    if (name.empty() || value.empty()) continue;
    map.SetAt(ToAString(name), ToAString(value));
    ++stored;
  }
  return stored;
}

int FillMapFromArrays(AHashMap<AString, AString>& map, const char* const* keys, const char* const* values) {
  map.RemoveAll();
  if (!keys) return 0;
  int n = 0;
  for (; keys[n]; ++n) map.SetAt(AString(keys[n]), AString(values ? values[n] : nullptr));
  return n;
}

FOUNDATION_END
