#include "datasource/strings_file.h"

#include <cstring>
#include <utility>

#include "foundation/string/file_records.h"

namespace {

constexpr size_t kChunkBytes = 1023;

// Ends the pending text as an entry: one CR before the separator goes, then
// both ends are trimmed.
void EndEntry(StringsFileEntry& entry) {
  const bool wide = entry.bomKind > 0;
  AString text(entry.pending.GetLength(), entry.pending.GetData());
  if (wide) {
    const int n = text.GetLength();
    if (n >= 2 && text.GetData()[n - 2] == '\r' && text.GetData()[n - 1] == 0) text.Truncate(n - 2);
    text.SetWide(true);
  } else if (text.GetLastChar() == '\r') {
    text.Truncate(text.GetLength() - 1);
  }
  text.TrimBoth();
  entry.lines.Add(text);
  entry.pending.Empty();
}

// Reads the next chunk and cuts it; false when nothing more could be read.
bool ReadChunk(StringsFileEntry& entry, WORD separator) {
  uint8_t chunk[kChunkBytes + 1];
  size_t got = std::fread(chunk, 1, kChunkBytes, entry.file);
  if (got == 0) return false;
  size_t start = 0;
  if (entry.bomKind < 0) {
    entry.bomKind = 0;
    if (got >= 2 && chunk[0] == 0xFF && chunk[1] == 0xFE) entry.bomKind = 1;
    if (got >= 2 && chunk[0] == 0xFE && chunk[1] == 0xFF) entry.bomKind = 2;
    if (entry.bomKind > 0) start = 2;
  }
  if (entry.bomKind > 0) {
    // Whole 16-bit units only: an odd byte at a full chunk's end is put back
    // for the next chunk; at the end of the file it is dropped.
    if ((got - start) % 2 == 1) {
      if (got == kChunkBytes) std::fseek(entry.file, -1, SEEK_CUR);
      --got;
    }
    for (size_t i = start; i + 2 <= got; i += 2) {
      uint8_t lo = chunk[i], hi = chunk[i + 1];
      if (entry.bomKind == 2) std::swap(lo, hi);
      const WORD unit = static_cast<WORD>(lo | (hi << 8));
      if (unit == separator) {
        EndEntry(entry);
      } else {
        const char bytes[2] = {static_cast<char>(lo), static_cast<char>(hi)};
        entry.pending.Append(bytes, 2);
      }
    }
    return true;
  }
  const char sep = static_cast<char>(separator & 0xFF);
  size_t from = start;
  for (size_t i = start; i < got; ++i) {
    if (static_cast<char>(chunk[i]) != sep) continue;
    entry.pending.Append(reinterpret_cast<const char*>(chunk + from), static_cast<int>(i - from));
    EndEntry(entry);
    from = i + 1;
  }
  entry.pending.Append(reinterpret_cast<const char*>(chunk + from), static_cast<int>(got - from));
  return true;
}

}  // namespace

CStringsFileMap::~CStringsFileMap() {
  for (auto& [path, entry] : entries_) {
    if (entry.file) std::fclose(entry.file);
  }
}

StringsFileEntry* CStringsFileMap::Lookup(const AString& path) {
  const auto it = entries_.find(std::string(path.GetData(), static_cast<size_t>(path.GetLength())));
  return it == entries_.end() ? nullptr : &it->second;
}

StringsFileEntry* CStringsFileMap::Add(const AString& path, FILE* file) {
  StringsFileEntry& entry = entries_[std::string(path.GetData(), static_cast<size_t>(path.GetLength()))];
  if (entry.file && entry.file != file) std::fclose(entry.file);
  entry.file = file;
  return &entry;
}

int GetStringsInFileValue(CStringsFileMap& run, const AString& path, WORD separator, int n, AString* out) {
  if (!out) return 0;
  out->Empty();
  if (n < 0) return 0;
  StringsFileEntry* entry = run.Lookup(path);
  if (!entry) {
    FILE* file = OpenFile(path.GetData(), "rb").release();
    if (!file) return 0;
    entry = run.Add(path, file);
  }
  bool ended = false;
  while (entry->lines.GetSize() <= n && entry->file) {
    if (!ReadChunk(*entry, separator)) {
      ended = true;
      break;
    }
  }
  if (ended && !entry->pending.IsEmpty()) EndEntry(*entry);
  if (entry->lines.GetSize() <= n) return 0;
  *out = *entry->lines.ElementAt(n);
  return 1;
}
