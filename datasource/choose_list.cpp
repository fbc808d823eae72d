#include "datasource/choose_list.h"

#include <algorithm>
#include <vector>

#include "datasource/data_folders.h"
#include "datasource/record_bytes.h"
#include "datasource/text_mode.h"
#include "foundation/util/file_io.h"

namespace {

constexpr char kMagic[] = "CHCE0001";

}  // namespace

int ReadChooseListFile(const char* path, AArray<AString>* items) {
  if (!path || !items) return 0;
  int size = 0;
  const auto buffer = ReadWholeFile(path, &size);
  if (!buffer) return 0;
  const std::vector<uint8_t> stream = FromTextMode(buffer.get(), static_cast<size_t>(size));
  ByteReader in(stream.data(), stream.size());
  if (!ReadRecordMagic(in, kMagic)) return 0;
  const int32_t count = in.I32();
  if (!in.ok() || count < 1) return 0;
  items->RemoveAll();
  int read = 0;
  for (int32_t i = 0; i < count && in.HasMore(4); ++i) {
    const uint32_t length = in.U32();
    if (!in.HasMore(length)) break;  // the item ends early: dropped, and nothing follows it
    const auto bytes = in.Bytes(length);
    items->Add(BytesAsString(bytes));
    ++read;
  }
  return read;
}

int GetChooseListMaxLength(const AString& name) {
  AArray<AString> items;
  const AString path = DataFilePath(DataFolder::kChooseLists, name);
  if (ReadChooseListFile(path.GetData(), &items) == 0) return 0;
  int longest = 0;
  for (int i = 0; i < items.GetSize(); ++i) longest = std::max(longest, items.ElementAt(i)->GetLength());
  return longest / 2;
}

AString ChooseListBytes(const AArray<AString>& items) {
  AString out;
  AppendRecordMagic(out, kMagic);
  AppendInt32(out, items.GetSize());
  for (int i = 0; i < items.GetSize(); ++i) AppendCountedText(out, *items.ElementAt(i));
  return out;
}
