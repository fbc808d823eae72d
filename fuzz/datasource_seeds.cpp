// Writes the seed inputs of datasource_fuzzer into a folder: each stored form
// as its own writer makes it, after the selector byte the fuzzer dispatches on.
//   datasource_seeds FOLDER
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "datasource/choose_list.h"
#include "datasource/counter_file.h"
#include "datasource/db_source_lists.h"
#include "datasource/result_cache.h"
#include "datasource/text_mode.h"
#include "fields/services/db_binding_map.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::string folder;

void Seed(const char* name, uint8_t selector, const Bytes& body) {
  std::ofstream out(folder + "/" + name, std::ios::binary);
  out.put(static_cast<char>(selector));
  out.write(reinterpret_cast<const char*>(body.data()), static_cast<std::streamsize>(body.size()));
}

Bytes Of(const AString& s) { return Bytes(s.GetData(), s.GetData() + s.GetLength()); }
Bytes Of(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Append16(Bytes& out, size_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

CacheColumn Column(const char* name, int kind, int length) {
  CacheColumn c;
  std::strncpy(c.name, name, sizeof c.name - 1);
  c.kind = kind;
  c.length = length;
  return c;
}

// A cache of every kind of column with three rows (one of them null
// throughout), its .lob file and a sorted index, in the fuzzer's layout.
Bytes ResultCacheSeed(const std::string& work, int sortColumn) {
  const std::string path = work + "/seed.cache", index = work + "/seed.index";
  {
    COdbcRecordset cache({Column("id", kCacheInt, 4), Column("name", kCacheText, 11), Column("raw", kCacheBinary, 5),
                          Column("price", kCacheDouble, 8), Column("day", kCacheDate, 6),
                          Column("stamp", kCacheTimestamp, 16), Column("guid", kCacheGuid, 16),
                          Column("memo", kCacheLongText, 8), Column("blob", kCacheLongBinary, 8)},
                         path.c_str());
    const char* names[] = {"zeta", "alpha", nullptr};
    for (int i = 0; i < 3; ++i) {
      cache.AddNew();
      if (names[i]) {
        cache.SetInt(0, 30 - i * 10);
        cache.SetText(1, names[i]);
        const uint8_t raw[5] = {1, 2, 0, 4, static_cast<uint8_t>(i)};
        cache.SetBinary(2, raw, 5);
        cache.SetDouble(3, 2.5 * i);
        cache.SetDate(4, DATE_STRUCT{static_cast<SQLSMALLINT>(2020 + i), 2, 29});
        cache.SetDateTime(5, TIMESTAMP_STRUCT{2021, 12, 31, 23, 59, 58, 0});
        cache.SetGuid(6, SQLGUID{0x12345678u, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}});
        cache.SetText(7, "a long text kept in the companion file");
        const uint8_t blob[3] = {0xFF, 0, 0x1A};
        cache.SetBinary(8, blob, 3);
      }
      cache.Update();
    }
    CRowSorter sorter(cache, sortColumn);
    sorter.Save(index.c_str());
  }
  const Bytes lob = FileBytes(path + ".lob"), sorted = FileBytes(index), file = FileBytes(path);
  Bytes out;
  Append16(out, lob.size());
  Append16(out, sorted.size());
  out.insert(out.end(), lob.begin(), lob.end());
  out.insert(out.end(), sorted.begin(), sorted.end());
  out.insert(out.end(), file.begin(), file.end());
  std::filesystem::remove(path);
  std::filesystem::remove(path + ".lob");
  std::filesystem::remove(index);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: datasource_seeds FOLDER\n");
    return 2;
  }
  folder = argv[1];
  std::filesystem::create_directories(folder);

  Seed("counter", 0, Of(CounterFileBytes(CCounterFileData{AString("000123"), AString("Boxes packed")})));
  Seed("counter_no_description", 0, Of(CounterFileBytes(CCounterFileData{AString("A1"), AString()})));

  AArray<AString> items;
  items.Add(AString("first"));
  items.Add(AString("two\nlines"));
  items.Add(AString());
  items.Add(AString("end\x1A"));
  Seed("choose_list", 1, ToTextMode(Of(ChooseListBytes(items))));

  Seed("db_list", 2, DbSourceListBytes({NamedValue{AString("Inventory"), 0},
                                        NamedValue{AString("/srv/dsn/orders.dsn"), 1}, NamedValue{AString(), 0}}));
  // DbFDsnLst.bin: a count, then one line each, in text mode.
  Bytes fileDsns = {2, 0, 0, 0};
  const Bytes lines = Of(std::string("/srv/dsn/orders.dsn\r\nC:\\dsn\\stock.dsn\r\n"));
  fileDsns.insert(fileDsns.end(), lines.begin(), lines.end());
  Seed("file_dsn_list", 3, ToTextMode(fileDsns));

  char work[] = "/tmp/tav-dsseeds-XXXXXX";
  if (!mkdtemp(work)) return 1;
  {
    CDbBindingMap map;
    CDbBinding binding;
    binding.keyColumn = AString("id");
    binding.keyValueText = AString("42");
    binding.useLinkedKeyValue = 1;
    map.SetAt(MakeDbBindingKey(AString("Inventory"), AString("Parts")), binding);
    map.SetAt(MakeDbBindingKey(AString("/srv/dsn/orders.dsn"), AString("Orders")), CDbBinding());
    const std::string path = std::string(work) + "/map.bin";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || map.Serialize(false, f) != 2) return 1;
    std::fclose(f);
    Seed("binding_map", 4, FileBytes(path));
  }
  Seed("result_cache_by_name", 5, ResultCacheSeed(work, 1));
  Seed("result_cache_by_stamp", 5, ResultCacheSeed(work, 5));
  std::filesystem::remove_all(work);

  Seed("strings_tab", 6, Of(std::string("\t\0", 2) + "first\tsecond \r\t\t  third"));
  Bytes wide = {'\n', 0, 0xFF, 0xFE};
  for (const char c : std::string("one\r\ntwo\n  three  ")) {
    wide.push_back(static_cast<uint8_t>(c));
    wide.push_back(0);
  }
  Seed("strings_wide", 6, wide);
  Bytes bigEndian = {'|', 0, 0xFE, 0xFF};
  for (const char c : std::string("left|right|")) {
    bigEndian.push_back(0);
    bigEndian.push_back(static_cast<uint8_t>(c));
  }
  Seed("strings_big_endian", 6, bigEndian);
  return 0;
}
