// InitCommonControlsEx as a table: the families this layer has answer TRUE,
// a family it does not have (alone, or inside ICC_WIN95_CLASSES) or a wrong
// size answers FALSE, so a program learns that a class it needs is missing.
#include <gtest/gtest.h>

#include "platform/win.h"

namespace {

TEST(InitCommonControls, FamiliesBuiltAndNot) {
  struct Row {
    const char* name;
    DWORD families;
    DWORD size;
    BOOL answer;
  } const rows[] = {
      {"list view", ICC_LISTVIEW_CLASSES, sizeof(INITCOMMONCONTROLSEX), TRUE},
      {"bars", ICC_BAR_CLASSES, sizeof(INITCOMMONCONTROLSEX), TRUE},
      {"tab", ICC_TAB_CLASSES, sizeof(INITCOMMONCONTROLSEX), TRUE},
      {"up-down", ICC_UPDOWN_CLASS, sizeof(INITCOMMONCONTROLSEX), TRUE},
      {"progress", ICC_PROGRESS_CLASS, sizeof(INITCOMMONCONTROLSEX), TRUE},
      {"standard", ICC_STANDARD_CLASSES, sizeof(INITCOMMONCONTROLSEX), TRUE},
      {"what the designer uses",
       ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS,
       sizeof(INITCOMMONCONTROLSEX), TRUE},
      {"nothing asked", 0, sizeof(INITCOMMONCONTROLSEX), TRUE},
      {"tree view", ICC_TREEVIEW_CLASSES, sizeof(INITCOMMONCONTROLSEX), FALSE},
      {"hot key", ICC_HOTKEY_CLASS, sizeof(INITCOMMONCONTROLSEX), FALSE},
      {"animation", ICC_ANIMATE_CLASS, sizeof(INITCOMMONCONTROLSEX), FALSE},
      {"date picker", ICC_DATE_CLASSES, sizeof(INITCOMMONCONTROLSEX), FALSE},
      {"rebar", ICC_COOL_CLASSES, sizeof(INITCOMMONCONTROLSEX), FALSE},
      {"every Windows 95 class", ICC_WIN95_CLASSES, sizeof(INITCOMMONCONTROLSEX), FALSE},
      {"a wrong size", ICC_TAB_CLASSES, sizeof(INITCOMMONCONTROLSEX) + 4, FALSE},
  };
  for (const Row& r : rows) {
    INITCOMMONCONTROLSEX init{};
    init.dwSize = r.size;
    init.dwICC = r.families;
    EXPECT_EQ(InitCommonControlsEx(&init), r.answer) << r.name;
  }
  EXPECT_FALSE(InitCommonControlsEx(nullptr));
}

}  // namespace
