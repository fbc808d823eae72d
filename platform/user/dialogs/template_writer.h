// Writes extended dialog templates (DLGTEMPLATEEX) in memory, for dialogs
// the layer builds itself (message boxes) and for tests and benchmarks.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/kernel/types.h"

namespace dialogs {

class TemplateWriter {
 public:
  // The header; the item count is filled in as items are added.
  TemplateWriter(DWORD style, DWORD exStyle, short x, short y, short cx, short cy, std::u16string_view title,
                 WORD pointSize = 8, std::u16string_view face = u"MS Shell Dlg");
  // A control of a predefined class (0x80 button ... 0x85 combo box) or by name.
  void Add(WORD classAtom, DWORD style, DWORD exStyle, short x, short y, short cx, short cy, DWORD id,
           std::u16string_view title);
  void Add(std::u16string_view className, DWORD style, DWORD exStyle, short x, short y, short cx, short cy,
           DWORD id, std::u16string_view title);
  // The bytes, 4-byte aligned in memory through the vector's allocation.
  const std::vector<uint32_t>& words();

 private:
  void U16(uint32_t v);
  void U32(uint32_t v);
  void Text(std::u16string_view s);
  void Align4();
  void Item(DWORD style, DWORD exStyle, short x, short y, short cx, short cy, DWORD id);

  std::vector<uint8_t> bytes_;
  std::vector<uint32_t> words_;
  WORD count_ = 0;
  size_t countOffset_ = 0;
};

}  // namespace dialogs
