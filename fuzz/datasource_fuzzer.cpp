// libFuzzer target: the stored forms of the data sources. The first byte picks
// the reader, the rest is what it reads:
//   0 a counter file              4 the database binding map's stored form
//   1 a choose-list file          5 a result cache (with its .lob and an index file)
//   2 DbLst.bin                   6 a Strings In File file
//   3 DbFDsnLst.bin
// Readers that take a path read a file of the input in a private folder that
// is removed again. Where a writer exists, what was read is written and read
// again, and the second reading must give the same values.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "datasource/choose_list.h"
#include "datasource/counter_file.h"
#include "datasource/data_folders.h"
#include "datasource/db_source_lists.h"
#include "datasource/result_cache.h"
#include "datasource/strings_file.h"
#include "datasource/text_mode.h"
#include "fields/services/db_binding_map.h"

namespace {

// The private folder of this process, removed when it ends.
class Folder {
 public:
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tav-dsfuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const char* name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }
  // Empties the folder between inputs.
  void Clear() const {
    std::error_code ignored;
    for (const auto& e : std::filesystem::directory_iterator(path_, ignored)) std::filesystem::remove_all(e, ignored);
  }

 private:
  std::string path_;
};

Folder& Private() {
  static Folder folder;
  return folder;
}

void Put(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

bool Same(const AString& a, const AString& b) {
  return a.GetLength() == b.GetLength() && a.IsWide() == b.IsWide() &&
         std::memcmp(a.GetData(), b.GetData(), static_cast<size_t>(a.GetLength())) == 0;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

void CounterFile(const uint8_t* data, size_t size) {
  const std::string path = Private().File("c.cntr");
  Put(path, data, size);
  CCounterFileData read;
  if (!ReadCounterFileContent(path.c_str(), &read)) return;
  Check(WriteCounterFile(path.c_str(), read) == 1);
  CCounterFileData again;
  Check(ReadCounterFileContent(path.c_str(), &again) == 1);
  Check(Same(read.value, again.value) && Same(read.description, again.description));
}

void ChooseList(const uint8_t* data, size_t size) {
  const std::string path = Private().File("l.chl");
  Put(path, data, size);
  AArray<AString> items;
  const int count = ReadChooseListFile(path.c_str(), &items);
  if (count == 0) return;
  Check(count == items.GetSize());
  const AString logical = ChooseListBytes(items);
  const std::vector<uint8_t> disk =
      ToTextMode(std::vector<uint8_t>(logical.GetData(), logical.GetData() + logical.GetLength()));
  Put(path, disk.data(), disk.size());
  AArray<AString> again;
  Check(ReadChooseListFile(path.c_str(), &again) == count);
  for (int i = 0; i < count; ++i) Check(Same(items[i], again[i]));
}

void SourceList(const uint8_t* data, size_t size) {
  std::vector<NamedValue> list;
  const int count = ReadDbSourceListBytes(std::vector<uint8_t>(data, data + size), &list);
  Check(count == static_cast<int>(list.size()));
  std::vector<NamedValue> again;
  Check(ReadDbSourceListBytes(DbSourceListBytes(list), &again) == count);
  for (int i = 0; i < count; ++i) Check(Same(list[i].text, again[i].text) && list[i].value == again[i].value);
}

void FileDsnListFile(const uint8_t* data, size_t size) {
  SetDataFolder(DataFolder::kDbLists, AString(Private().path().c_str()));
  Put(Private().File("DbFDsnLst.bin"), data, size);
  LikelyUsedDbSources().clear();
  FileDsnList().RemoveAll();
  LoadDbSourceLists();
  AArray<AString> read;
  read.Copy(FileDsnList());
  SaveDbSourceLists();
  FileDsnList().RemoveAll();
  LoadDbSourceLists();
  Check(FileDsnList().GetSize() == read.GetSize());
  for (int i = 0; i < read.GetSize(); ++i) Check(Same(read[i], FileDsnList()[i]));
  LikelyUsedDbSources().clear();
  FileDsnList().RemoveAll();
}

void BindingMap(const uint8_t* data, size_t size) {
  const std::string path = Private().File("map.bin");
  Put(path, data, size);
  CDbBindingMap map;
  {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) std::abort();
    map.Serialize(true, f);
    std::fclose(f);
  }
  FILE* f = std::fopen(path.c_str(), "w+b");
  if (!f) std::abort();
  Check(map.Serialize(false, f) == map.GetCount());
  std::rewind(f);
  CDbBindingMap again;
  Check(again.Serialize(true, f) == map.GetCount());
  std::fclose(f);
  for (const AString& key : map.Keys()) {
    const CDbBinding* a = map.LookupPtr(key);
    const CDbBinding* b = again.LookupPtr(key);
    Check(a && b);
    Check(Same(a->keyColumn, b->keyColumn) && Same(a->keyValueText, b->keyValueText) &&
          a->useLinkedKeyValue == b->useLinkedKeyValue);
  }
}

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// Every value of every row, as each kind of column gives it.
void VisitRows(COdbcRecordset& cache) {
  for (int row = 1; row <= cache.GetRowCount(); ++row) {
    cache.MoveTo(row);
    for (int c = 0; c < cache.GetColumnCount(); ++c) {
      const int kind = cache.GetColumnInfo(c)->kind;
      if (cache.IsNull(c)) continue;
      if (kind == kCacheBinary || kind == kCacheLongBinary) {
        const int length = cache.GetLength(c);
        const uint8_t* bytes = static_cast<const uint8_t*>(cache.GetData(c));
        volatile uint8_t sum = 0;
        for (int i = 0; i < length; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
      } else {
        const char* text = cache.GetText(c);
        volatile size_t n = std::strlen(text);
        (void)n;
      }
    }
  }
}

// Two 16-bit lengths, the .lob file and the index file, then the cache file.
void ResultCache(const uint8_t* data, size_t size) {
  if (size < 4) return;
  const size_t lobSize = Le16(data), indexSize = Le16(data + 2);
  data += 4;
  size -= 4;
  if (lobSize + indexSize > size) return;
  const std::string path = Private().File("r.cache"), index = Private().File("r.index"),
                    saved = Private().File("s.index");
  Put(path + ".lob", data, lobSize);
  Put(index, data + lobSize, indexSize);
  Put(path, data + lobSize + indexSize, size - lobSize - indexSize);
  try {
    COdbcRecordset cache(path.c_str());
    try {
      VisitRows(cache);
    } catch (const CGCursorEx&) {
    }
    // A view sorted by each column holds every row once, and its index file
    // reads back to the same order.
    for (int c = 0; c < cache.GetColumnCount(); ++c) {
      try {
        CRowSorter sorted(cache, c);
        std::vector<int> rows = sorted.Rows();
        std::sort(rows.begin(), rows.end());
        for (size_t i = 0; i < rows.size(); ++i) Check(rows[i] == static_cast<int>(i) + 1);
        Check(static_cast<int>(rows.size()) == cache.GetRowCount());
        sorted.Save(saved.c_str());
        CRowSorter again(cache, saved.c_str());
        Check(again.Rows() == sorted.Rows());
      } catch (const CGCursorEx&) {
      }
    }
    try {
      CRowSorter sorter(cache, index.c_str());
      sorter.Save(saved.c_str());
      CRowSorter again(cache, saved.c_str());
      Check(again.Rows() == sorter.Rows());
      for (int position = 1; position <= static_cast<int>(sorter.Rows().size()); ++position) sorter.MoveTo(position);
    } catch (const CGCursorEx&) {
    }
  } catch (const CGCursorEx&) {
  }
}

// A 16-bit separator, then the file.
void StringsFile(const uint8_t* data, size_t size) {
  if (size < 2) return;
  const WORD separator = Le16(data);
  const std::string path = Private().File("s.txt");
  Put(path, data + 2, size - 2);
  CStringsFileMap run;
  AString entry;
  for (int n = 0; GetStringsInFileValue(run, AString(path.c_str()), separator, n, &entry); ++n) {
    Check(entry.GetLength() >= 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t* rest = data + 1;
  const size_t left = size - 1;
  switch (data[0] % 7) {
    case 0: CounterFile(rest, left); break;
    case 1: ChooseList(rest, left); break;
    case 2: SourceList(rest, left); break;
    case 3: FileDsnListFile(rest, left); break;
    case 4: BindingMap(rest, left); break;
    case 5: ResultCache(rest, left); break;
    default: StringsFile(rest, left); break;
  }
  Private().Clear();
  return 0;
}
