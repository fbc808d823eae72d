// The common controls' procedures installed for their system classes when the
// layer is loaded: one table, one pass.
#include "platform/comctl/comctl_classes.h"

#include <array>

namespace comctl {
namespace {

struct ControlClassRow {
  const char16_t* name;
  WNDPROC proc;
  int windowExtraBytes;  // the first 8 hold the control's state
  DWORD families;        // the ICC_ flags that name it
};

constexpr std::array kControlClasses{
    ControlClassRow{u"ToolbarWindow32", ToolbarProc, 16, ICC_BAR_CLASSES},
    ControlClassRow{u"msctls_statusbar32", StatusBarProc, 16, ICC_BAR_CLASSES},
    ControlClassRow{u"tooltips_class32", TooltipProc, 16, ICC_BAR_CLASSES | ICC_TAB_CLASSES},
    ControlClassRow{u"SysTabControl32", TabProc, 16, ICC_TAB_CLASSES},
    ControlClassRow{u"msctls_updown32", UpDownProc, 16, ICC_UPDOWN_CLASS},
    ControlClassRow{u"msctls_progress32", ProgressProc, 16, ICC_PROGRESS_CLASS},
};

const bool installed = [] {
  for (const ControlClassRow& row : kControlClasses) SetSystemClassProcedure(row.name, row.proc, row.windowExtraBytes);
  return true;
}();

}  // namespace

DWORD InstalledFamilies() {
  // The list view and header install themselves (list_view.cpp, header_control.cpp).
  DWORD families = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES;
  for (const ControlClassRow& row : kControlClasses) families |= row.families;
  return families;
}

}  // namespace comctl

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  return (init->dwICC & ~comctl::InstalledFamilies()) == 0 ? TRUE : FALSE;
}

void InitCommonControls() {}
