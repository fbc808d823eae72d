// libFuzzer target: the layout file. The first byte picks the reader, the
// rest is what it reads:
//   even: an inner label stream. What is read is written, read again and
//         written again: the second reading must succeed and both writings
//         must be the same bytes (setup, strings, bindings and every field).
//   odd:  a version store. Its current stream, its last preview and the
//         layout inside are read; then a version is added, and the store
//         written must parse again with that version current.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "document/file/label_stream.h"
#include "document/file/version_store.h"

namespace {

std::vector<uint8_t> WithoutSerials(const CLabelSetup& setup, CFieldList& fields) {
  for (auto& f : fields) f->serialId = 0;  // identities of this run, fresh on every reading
  return LabelStreamBytes(setup, fields);
}

void FuzzStream(std::span<const uint8_t> bytes) {
  CLabelSetup setup;
  CFieldList fields;
  if (ReadLabelStreamBytes(bytes, nullptr, setup, &fields, nullptr) != 1) return;
  const std::vector<uint8_t> written = WithoutSerials(setup, fields);
  if (written.empty()) std::abort();
  CLabelSetup again;
  CFieldList second;
  if (ReadLabelStreamBytes(written, nullptr, again, &second, nullptr) != 1) std::abort();
  if (second.size() != fields.size()) std::abort();
  if (WithoutSerials(again, second) != written) std::abort();
}

void FuzzStore(std::span<const uint8_t> bytes) {
  UniqueXmlDoc store = ParseVersionStore(bytes);
  if (!store) return;
  std::vector<uint8_t> stream, preview;
  if (VersionStream(store.get(), nullptr, stream)) {
    CLabelSetup setup;
    CFieldList fields;
    ReadLabelStreamBytes(stream, nullptr, setup, &fields, nullptr);
  }
  VersionPreview(store.get(), nullptr, preview);
  const std::vector<uint8_t> added = LabelStreamBytes(CLabelSetup(), CFieldList());
  if (!AddVersionToStore(store.get(), added, std::span(bytes.data(), bytes.size() % 64), 0)) return;
  const std::vector<uint8_t> saved = VersionStoreBytes(store.get());
  UniqueXmlDoc reread = ParseVersionStore(saved);
  std::vector<uint8_t> current;
  if (!reread || !VersionStream(reread.get(), nullptr, current) || current != added) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::span<const uint8_t> rest(data + 1, size - 1);
  if (data[0] & 1) {
    FuzzStore(rest);
  } else {
    FuzzStream(rest);
  }
  return 0;
}
