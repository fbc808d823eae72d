#include "app/options/options_sheet.h"

#include <memory>

#include "app/core/app_settings.h"
#include "app/frame/frame_host.h"
#include "app/frame/main_frame.h"
#include "app/options/user_interface_page.h"
#include "app/ui/my_prop_sheet.h"
#include "app/ui/ui_language.h"
#include "document/layout_shell.h"
#include "foundation/uifonts/ui_fonts.h"

INT_PTR RunOptionsSheet() {
  // The working copy and the page outlive the sheet, which refers to them.
  CAppSettings working;
  working.CopyFrom(AppSettings());
  auto page = std::make_unique<CUserInterfacePage>();
  page->m_settings = &working;
  CMyPropSheet sheet(nullptr);
  sheet.SetTitle("Configuration");
  sheet.AddPage(page.get());
  const INT_PTR result = sheet.DoModal();
  if (result == IDOK) {
    const bool languageChanged = working.uiLanguage != AppSettings().uiLanguage;
    AppSettings().CopyFrom(working);
    if (languageChanged) {
      SetUiLanguageFile(working.uiLanguage);
      RecreateGuiFont();
      if (CMainFrame* frame = CMainFrame::Get()) {
        frame->SetFrameIcons(true);
        // The status bar's panes and whatever else the frame shows draw
        // their words anew, in the new language.
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      }
      FrameHost().OnUiLanguageChanged();
      LayoutShell()->WriteProfileInt("Config", "AppLanguage", working.uiLanguage);
    }
  }
  return result;
}
