// Writes the layout file target's seeds with the writers: streams of a
// default layout and of one field of every kind, and a store of two
// versions, each behind the byte that picks its reader; with a second
// folder, the same as whole files for the layout-opening target.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/file/label_stream.h"
#include "document/file/version_store.h"
#include "fields/model/field_kinds.h"

namespace {

// The whole-file folder of the layout-opening target (empty: none).
std::string g_wholeFiles;

void Write(const std::string& folder, const std::string& name, uint8_t picker, const std::vector<uint8_t>& bytes) {
  std::ofstream out(folder + "/" + name, std::ios::binary);
  out.put(static_cast<char>(picker));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (g_wholeFiles.empty()) return;
  std::ofstream whole(g_wholeFiles + "/" + name, std::ios::binary);
  whole.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

CFieldList EveryKind() {
  CFieldList list;
  list.push_back(std::make_unique<CLineField>());
  list.push_back(std::make_unique<CBoxField>());
  auto text = std::make_unique<CTextField>();
  text->data = "Text";
  list.push_back(std::move(text));
  auto bar = std::make_unique<CBarcodeField>();
  bar->data = "12345";
  list.push_back(std::move(bar));
  list.push_back(std::make_unique<CImageField>());
  list.push_back(std::make_unique<CParagraphField>());
  list.push_back(std::make_unique<CRtfField>());
  list.push_back(std::make_unique<CEllipseField>());
  for (size_t i = 0; i < list.size(); ++i) {
    list[i]->offset = {static_cast<int32_t>(100 * i), 50};
    list[i]->width = 400;
    list[i]->height = 200;
  }
  return list;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: layout_file_seeds FOLDER [WHOLE FILES FOLDER]\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::filesystem::create_directories(folder);
  if (argc == 3) {
    g_wholeFiles = argv[2];
    std::filesystem::create_directories(g_wholeFiles);
  }
  CLabelSetup setup;
  const std::vector<uint8_t> empty = LabelStreamBytes(setup, CFieldList());
  setup.lastPrinter = "Printer";
  setup.description = "Seed";
  const std::vector<uint8_t> full = LabelStreamBytes(setup, EveryKind());
  Write(folder, "stream-empty", 0, empty);
  Write(folder, "stream-every-kind", 0, full);
  const std::string seed = "<?xml version=\"1.0\"?>\n<ComboDoc><Docs/></ComboDoc>\n";
  UniqueXmlDoc store = ParseVersionStore(std::span(reinterpret_cast<const uint8_t*>(seed.data()), seed.size()));
  const std::vector<uint8_t> preview = {0x1f, 0x8b, 8, 0, 0, 0, 0, 0, 2, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  if (!store || !AddVersionToStore(store.get(), empty, preview, 7) || !AddVersionToStore(store.get(), full, {}, 8)) {
    return 1;
  }
  Write(folder, "store-two-versions", 1, VersionStoreBytes(store.get()));
  return 0;
}
