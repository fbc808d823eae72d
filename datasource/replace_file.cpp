#include "datasource/replace_file.h"

#include <cstdio>
#include <string>

#include "foundation/string/file_records.h"
#include "platform/kernel/kernel.h"

int ReplaceFileWithBytes(const char* path, std::span<const uint8_t> bytes) {
  if (!path || !*path) return 0;
  const std::string temp = std::string(path) + ".~" + std::to_string(GetCurrentProcessId());
  FILE* file = OpenFile(temp.c_str(), "wb").release();
  if (!file) return 0;
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  if (ok && MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING)) return 1;
  DeleteFileA(temp.c_str());
  return 0;
}
