// libFuzzer target: the profile (INI) reader and the language files read
// through it. The input is the file. Its sections, keys, values and numbers
// are listed and read; the values of the language section are read as the
// interface reads them and used as message formats (typed arguments, a
// bounded result); then a key written into the file reads back as written.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/ui/ui_language.h"
#include "app/ui/ui_message_text.h"
#include "platform/kernel/kernel.h"

namespace {

const std::string& FilePath() {
  static const std::string path = "/tmp/tav-profile-fuzzer-" + std::to_string(::getpid()) + ".ini";
  return path;
}

// A list of names as the profile calls give it: each ended by a zero, the
// list by another.
std::vector<std::string> Names(const char* list) {
  std::vector<std::string> names;
  for (const char* p = list; *p; p += std::strlen(p) + 1) names.emplace_back(p);
  return names;
}

void UseAsMessageFormat(const AString& value) {
  const std::string_view format(value.GetData(), static_cast<size_t>(value.GetLength()));
  ShapeOfFormat(format);
  const UiArg args[] = {UiArg(42), UiArg(2.5), UiArg("text"), UiArg(-7)};
  if (FormatWithArgs(format, args, 4).GetLength() > kMaxMessageBytes) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* file = FilePath().c_str();
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  static char sections[1 << 16], keys[1 << 16], value[4096];
  GetPrivateProfileStringA(nullptr, nullptr, "", sections, sizeof sections, file);
  int visited = 0;
  for (const std::string& section : Names(sections)) {
    if (++visited > 4) break;
    GetPrivateProfileStringA(section.c_str(), nullptr, "", keys, sizeof keys, file);
    int read = 0;
    for (const std::string& key : Names(keys)) {
      if (++read > 8) break;
      GetPrivateProfileStringA(section.c_str(), key.c_str(), "default", value, sizeof value, file);
      GetPrivateProfileIntA(section.c_str(), key.c_str(), -1, file);
      AString text;
      if (section == "UI_STR" && ReadUiString(key.c_str(), text, file)) UseAsMessageFormat(text);
    }
  }
  if (!WritePrivateProfileStringA("Fuzz Section", "Fuzz Key", "written value", file)) return 0;
  GetPrivateProfileStringA("fuzz section", "FUZZ KEY", "", value, sizeof value, file);
  if (std::strcmp(value, "written value") != 0) std::abort();
  return 0;
}
