// libFuzzer target: the history (most recently used) files of the history
// combo boxes. The first byte picks the code page the entries are cut in,
// the rest is the file. Every entry read is whole (no line end, not empty,
// within the entry limit); what is read is written and reads back the same.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/controls/mru_history.h"

namespace {

constexpr int kCodePages[] = {0, 1252, 932, 936, 949, 950, 65001};

std::string PathOf(const char* what) {
  return "/tmp/tav-history-fuzzer-" + std::to_string(::getpid()) + "-" + what + ".bin";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const std::string input = PathOf("in"), output = PathOf("out");
  {
    std::ofstream out(input, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  const int codePage = kCodePages[data[0] % std::size(kCodePages)];
  const std::vector<AString> entries = ReadHistoryFile(input, 16, codePage);
  if (entries.size() > 16) std::abort();
  for (const AString& e : entries) {
    const int n = e.GetLength();
    if (n <= 0 || n > kHistoryEntryLimit) std::abort();
    if (e.GetData()[n - 1] == '\n' || e.GetData()[n - 1] == '\r') std::abort();
  }
  if (!WriteHistoryFile(output, entries)) return 0;
  const std::vector<AString> again = ReadHistoryFile(output, 16, codePage);
  if (again.size() != entries.size()) std::abort();
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string_view a(again[i].GetData(), static_cast<size_t>(again[i].GetLength()));
    const std::string_view b(entries[i].GetData(), static_cast<size_t>(entries[i].GetLength()));
    if (a != b) std::abort();
  }
  return 0;
}
