// Start-up and exit of the library: run when the shared library is loaded and
// unloaded.
#include <dlfcn.h>

#include <string>

#include "barcode/frame/encoders.h"
#include "barcode/frame/tables.h"

namespace kalvo {

namespace {

// The folder of the loaded library file, with its trailing separator.
std::string LibraryFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&LibraryFolder), &info) == 0 || info.dli_fname == nullptr) return {};
  std::string path = info.dli_fname;
  const size_t slash = path.rfind('/');
  path = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  if (path.size() > 260) path.clear();
  return path;
}

__attribute__((constructor)) void StartLibrary() {
  LibraryTables& t = Tables();
  t.folder = LibraryFolder();
  t.code39 = std::string(kCode39Chars) + "*";
  if (t.aiCount <= 0) {
    t.ai.fill(typAIdef{});
    LONG count = 0;
    if (ReadApplicationIdentifiers(t.folder, t.ai.data(), LibraryTables::kAiCapacity, &count)) t.aiCount = count;
  }
  t.code93 = std::string(kCode39Chars);
  t.code93Shift = "abcde";
  t.codabar = std::string(kCodabarChars);
  BuildMaxiCodeTables();
  LoadQrCodeTables();
}

__attribute__((destructor)) void StopLibrary() {
  FreeMaxiCodeTables();
  FreeQrCodeTables();
}

}  // namespace

}  // namespace kalvo
