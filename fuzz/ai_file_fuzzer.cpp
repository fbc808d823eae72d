// libFuzzer target: the application-identifier file. The input is the file
// as it lies beside the library (each line scrambled), read from a private
// folder into a table of a few records; every record read has an
// identifier, a title and lengths that are not negative.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "barcode/frame/tables.h"

namespace {

const std::string& Folder() {
  static const std::string folder = [] {
    const std::string path = "/tmp/tav-ai-file-fuzzer-" + std::to_string(::getpid()) + "/";
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out(Folder() + "internal1.dat", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  std::vector<typAIdef> table(8);
  LONG count = -1;
  if (!kalvo::ReadApplicationIdentifiers(Folder(), table.data(), static_cast<LONG>(table.size()), &count)) std::abort();
  if (count < 0 || count > static_cast<LONG>(table.size())) std::abort();
  for (LONG i = 0; i < count; ++i) {
    const typAIdef& r = table[static_cast<size_t>(i)];
    if (!r.identifier[0] || !r.title[0] || r.minLength < 0 || r.maxLength < 0) std::abort();
  }
  return 0;
}
