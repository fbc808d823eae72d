#include "document/file/label_stream.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "document/file/file_calls.h"
#include "document/setup/label_setup_block.h"
#include "fields/lifecycle/field_lifecycle.h"
#include "fields/records/field_list_stream.h"
#include "foundation/system/printer_metrics.h"
#include "foundation/util/file_io.h"
#include "platform/kernel/byte_reader.h"

namespace {

constexpr char kMagic[8] = {'#', '#', '#', 'L', 'a', 'b', 'e', 'l'};

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using UniqueFile = std::unique_ptr<FILE, FileCloser>;

// The six raw strings that follow the block, in their stored order.
std::array<AString*, 6> RawStrings(CLabelSetup& s) {
  return {&s.lastPrinter, &s.lastPort, &s.lastPrinterModel, &s.printTemperature, &s.printSpeed, &s.text174};
}

bool WriteSetup(const CLabelSetup& setup, FILE* f) {
  CLabelSetup& s = const_cast<CLabelSetup&>(setup);  // the writers take their strings by non-const reference
  const LabelSetupBlock block = PutLabelSetupBlock(setup);
  const uint8_t length[2] = {static_cast<uint8_t>(block.size() & 0xFF), static_cast<uint8_t>(block.size() >> 8)};
  if (std::fwrite(length, 1, 2, f) != 2 || std::fwrite(block.data(), 1, block.size(), f) != block.size()) return false;
  for (AString* text : RawStrings(s)) {
    if (WriteStringToFile(*text, f) < 0) return false;
  }
  if (s.description.Serialize(false, f) != 1) return false;
  const long before = std::ftell(f);
  s.dbBindings.Serialize(false, f);
  if (std::ferror(f) || std::ftell(f) < before + 4) return false;
  return WriteStringToFile(s.text214, f) >= 0;
}

// A raw string: a 32-bit length (0 or less: empty) and that many bytes.
bool ReadRawString(ByteReader& r, AString& out) {
  const int32_t n = r.I32();
  if (!r.ok()) return false;
  if (n <= 0) {
    out = AString();
    return true;
  }
  const auto bytes = r.Bytes(static_cast<uint64_t>(n));
  if (!r.ok()) return false;
  out = AString(n, reinterpret_cast<const char*>(bytes.data()));
  return true;
}

// The description and the bindings have their own readers over C streams:
// they read from a stream over exactly the bytes left, and the reader moves
// past what they took.
bool ReadDescriptionAndBindings(ByteReader& r, CLabelSetup& s) {
  if (r.remaining() == 0) return false;
  UniqueFile f(fmemopen(const_cast<uint8_t*>(r.data() + r.position()), r.remaining(), "rb"));
  if (!f) return false;
  if (s.description.Serialize(true, f.get()) == 0) return false;
  const long start = std::ftell(f.get());
  ByteReader countWord = r.SubAt(r.position() + static_cast<uint64_t>(start), 4);
  if (countWord.size() != 4) return false;
  const int32_t stored = countWord.I32();
  const int got = s.dbBindings.Serialize(true, f.get());
  if (got == 0 && !(stored == 0 && std::ftell(f.get()) == start + 4)) return false;
  return r.Skip(static_cast<uint64_t>(std::ftell(f.get())));
}

// Notes where a part begins, so a failure can say where it was.
void Begin(const ByteReader& r, LabelStreamFault& fault, const char* part) {
  fault.byte = r.position();
  fault.part = part;
}

bool ReadSetup(ByteReader& r, CLabelSetup& s, LabelStreamFault& fault) {
  Begin(r, fault, "the label setup");
  const uint16_t length = r.U16();
  if (!r.ok() || length > CLabelSetup::kReadBufferSize) return false;
  const auto stored = r.Bytes(length);
  if (!r.ok()) return false;
  // A shorter block (an older writer) leaves its missing members zero.
  std::array<uint8_t, CLabelSetup::kReadBufferSize> buffer{};
  std::memcpy(buffer.data(), stored.data(), stored.size());
  GetLabelSetupBlock(s, std::span<const uint8_t, CLabelSetup::kStoredSize>(buffer.data(), CLabelSetup::kStoredSize));
  Begin(r, fault, "the printer strings");
  for (AString* text : RawStrings(s)) {
    if (!ReadRawString(r, *text)) return false;
  }
  Begin(r, fault, "the description and database bindings");
  if (!ReadDescriptionAndBindings(r, s)) return false;
  Begin(r, fault, "the last setup string");
  return ReadRawString(r, s.text214);
}

}  // namespace

std::vector<uint8_t> LabelStreamBytes(const CLabelSetup& setup, const CFieldList& fieldList) {
  char* data = nullptr;
  size_t size = 0;
  FILE* f = open_memstream(&data, &size);
  if (!f) return {};
  char version[4];
  std::snprintf(version, sizeof version, "%03d", kLabelStreamVersion);
  const bool ok = std::fwrite(kMagic, 1, sizeof kMagic, f) == sizeof kMagic && std::fwrite(version, 1, 3, f) == 3 &&
                  WriteSetup(setup, f) && WriteFieldList(fieldList, f) == 1 && !std::ferror(f);
  const bool closed = std::fclose(f) == 0;
  std::vector<uint8_t> bytes;
  if (ok && closed) bytes.assign(data, data + size);
  std::free(data);
  return bytes;
}

int ReadLabelStreamBytes(std::span<const uint8_t> bytes, CRvoDoc* doc, CLabelSetup& setup, CFieldList* fieldList,
                         RECT* bounds, LabelStreamFault* faultOut) {
  LabelStreamFault ignored;
  LabelStreamFault& fault = faultOut ? *faultOut : ignored;
  ByteReader r(bytes);
  Begin(r, fault, "the magic");
  const auto magic = r.Bytes(sizeof kMagic);
  if (!r.ok() || std::memcmp(magic.data(), kMagic, sizeof kMagic) != 0) return 0;
  Begin(r, fault, "the version");
  const auto digits = r.Bytes(3);
  if (!r.ok()) return 0;
  const char versionText[4] = {static_cast<char>(digits[0]), static_cast<char>(digits[1]),
                               static_cast<char>(digits[2]), 0};
  CLabelSetup scratch;
  scratch.streamVersion = static_cast<int16_t>(std::atoi(versionText));
  if (!ReadSetup(r, scratch, fault)) return 0;
  CFieldList read;
  RECT readBounds{};
  if (fieldList) {
    Begin(r, fault, "the field list");
    const int listRead = ReadFieldListBytes(read, r, scratch.streamVersion, bounds ? &readBounds : nullptr);
    // The reader stops at the record (or string) that could not be read.
    fault.byte = r.position();
    if (listRead != 1) return 0;
    RemeasureFieldList(read, scratch, nullptr, 0);
  }
  const int16_t keepVersion = scratch.streamVersion;
  setup.CopyFrom(scratch, 0);
  setup.streamVersion = keepVersion;
  if (fieldList) {
    for (auto& field : read) fieldList->push_back(std::move(field));
  }
  if (bounds) *bounds = readBounds;
  // The metrics of a system printer are fetched now and kept for the view
  // and printing; a printer that is missing leaves nothing kept and the
  // layout opens all the same.
  if (setup.IsSysPrinter) {
    PrinterMetrics metrics;
    GetPrinterMetrics(setup.lastPrinter.GetData(), &metrics);
  }
  (void)doc;
  return 1;
}

long WriteLabelStream(const char* path, const CLabelSetup& setup, const CFieldList& fieldList) {
  const std::vector<uint8_t> bytes = LabelStreamBytes(setup, fieldList);
  if (bytes.empty() || !WriteWholeFile(path, bytes)) return 0;
  return static_cast<long>(bytes.size());
}

int ReadLabelStream(const char* path, CRvoDoc* doc, CLabelSetup& setup, CFieldList* fieldList, RECT* bounds) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFileBytes(path, bytes)) return 0;
  return ReadLabelStreamBytes(bytes, doc, setup, fieldList, bounds);
}
