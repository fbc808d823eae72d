// libFuzzer target: resource data through the layer's readers. The first
// byte picks the reader (a compiled resource file, whose every record is then
// read by the reader of its type; or one reader alone).
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/resource/accelerator_table.h"
#include "platform/resource/dialog_template.h"
#include "platform/resource/icon_resource.h"
#include "platform/resource/menu_template.h"
#include "platform/resource/res_file.h"
#include "platform/resource/string_table.h"

namespace {

void ReadAs(WORD type, std::span<const uint8_t> data) {
  switch (type) {
    case 1:
    case 3: {
      resource::IconImage image;
      resource::ParseIconImage(data, type == 1, image);
      break;
    }
    case 4: {
      resource::MenuTemplate menu;
      resource::ParseMenuTemplate(data, menu);
      break;
    }
    case 5: {
      resource::DialogTemplate dialog;
      resource::ParseDialogTemplate(data, dialog);
      break;
    }
    case 6:
      for (UINT id = 0; id < 16; ++id) resource::FindStringInBlock(data, id);
      break;
    case 9: {
      std::vector<resource::AcceleratorEntry> table;
      resource::ParseAcceleratorTable(data, table);
      break;
    }
    case 12:
    case 14: {
      resource::IconDirectory directory;
      if (resource::ParseIconDirectory(data, directory)) resource::ChooseIconEntry(directory, 32, 32);
      break;
    }
    default:
      break;
  }
}

constexpr WORD kReaders[] = {1, 3, 4, 5, 6, 9, 12, 14};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > (1u << 20)) return 0;
  const uint8_t pick = data[0];
  const std::span<const uint8_t> rest(data + 1, size - 1);
  if (pick % 9 == 8) {
    std::vector<resource::ResEntry> entries;
    if (resource::ParseResFile(rest, entries))
      for (const resource::ResEntry& e : entries)
        if (e.type.IsOrdinal()) ReadAs(e.type.ordinal, e.data);
    return 0;
  }
  ReadAs(kReaders[pick % 9], rest);
  return 0;
}
