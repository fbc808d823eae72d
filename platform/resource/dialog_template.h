// Dialog templates (the standard DLGTEMPLATE layout and the extended
// DLGTEMPLATEEX one) read into one typed model the dialog manager builds from.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/resource/res_name.h"

namespace resource {

// Predefined control classes a template may name by ordinal.
enum class ControlAtom : WORD { Button = 0x80, Edit = 0x81, Static = 0x82, ListBox = 0x83, ScrollBar = 0x84, ComboBox = 0x85 };

struct DialogItemTemplate {
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;           // 16 bits in the standard layout
  ResName windowClass;    // an ordinal is one of ControlAtom
  ResName title;          // text, or the ordinal of a resource (a static icon)
  // Creation data as the control receives it in WM_CREATE; empty when none.
  std::span<const uint8_t> creationData;
};

struct DialogTemplate {
  bool extended = false;
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  ResName menu;         // ordinal 0: no menu
  ResName windowClass;  // ordinal 0: the dialog class
  std::u16string title;
  bool hasFont = false;
  WORD pointSize = 0;
  WORD weight = 0;
  bool italic = false;
  BYTE charSet = 0;
  std::u16string faceName;
  std::vector<DialogItemTemplate> items;
};

inline constexpr DWORD kDsSetFont = 0x40;  // the template carries a font

// Reads a template of either layout from data (which may run on past the
// template). False when any part lies outside data or a count is impossible.
bool ParseDialogTemplate(std::span<const uint8_t> data, DialogTemplate& out);

}  // namespace resource
