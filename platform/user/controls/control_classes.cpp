// The standard controls' procedures installed for their system classes when
// the layer is loaded: one table, one pass.
#include "platform/user/controls/control_classes.h"

#include <array>

namespace controls {
namespace {

struct ControlClassRow {
  const char16_t* name;
  WNDPROC proc;
  int windowExtraBytes;  // the first 8 hold the control's state
};

constexpr std::array kControlClasses{
    ControlClassRow{u"Button", ButtonProc, 16},
    ControlClassRow{u"Static", StaticProc, 16},
    ControlClassRow{u"Edit", EditProc, 16},
    ControlClassRow{u"ListBox", ListBoxProc, 16},
    ControlClassRow{u"ComboLBox", ComboListProc, 16},
    ControlClassRow{u"ComboBox", ComboBoxProc, 16},
    ControlClassRow{u"ScrollBar", ScrollBarProc, 16},
};

const bool installed = [] {
  for (const ControlClassRow& row : kControlClasses) SetSystemClassProcedure(row.name, row.proc, row.windowExtraBytes);
  return true;
}();

}  // namespace
}  // namespace controls
