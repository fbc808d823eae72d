// What a property sheet reads of a page's dialog template: its size in
// dialog units and its caption, through the bounded byte reader.
#pragma once

#include <string>

#include "platform/kernel/types.h"

namespace comctl {

struct PageTemplateInfo {
  bool ok = false;
  int cx = 0, cy = 0;  // dialog units
  DWORD style = 0;
  std::u16string caption;
};

// Reads a DLGTEMPLATE or DLGTEMPLATEEX of `size` bytes.
PageTemplateInfo ReadPageTemplate(const void* bytes, size_t size);

}  // namespace comctl
