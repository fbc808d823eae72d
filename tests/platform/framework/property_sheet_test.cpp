// Property sheets and pages of the framework, driven as a person would:
// typing into pages, turning them by their tabs, OK, Cancel, Apply, Esc and
// the close box; a check that fails keeps its page; a sheet that takes OK
// itself; pages added and removed while the sheet is open; a picture.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework_test_ids.h"
#include "platform/framework.h"
#include "platform/testing/ui.h"

namespace {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

// Each modal dialog that opens (the sheet, then any message box over it)
// runs the next step; message boxes' texts are kept.
class ModalSteps {
 public:
  using Step = std::function<void(HWND)>;
  explicit ModalSteps(std::vector<Step> steps) : steps_(std::move(steps)) { user::SetModalDialogHook(&Hook, this); }
  ~ModalSteps() { user::SetModalDialogHook(nullptr, nullptr); }
  ModalSteps(const ModalSteps&) = delete;
  ModalSteps& operator=(const ModalSteps&) = delete;
  size_t Done() const { return next_; }

 private:
  static void Hook(HWND dialog, void* context) {
    auto* self = static_cast<ModalSteps*>(context);
    user::SetModalDialogHook(&Hook, self);  // a hook answers one dialog: stay for the next
    if (self->next_ >= self->steps_.size()) {
      ::EndDialog(dialog, IDABORT);  // nothing was planned for it: never wait
      return;
    }
    const Step step = self->steps_[self->next_++];
    step(dialog);
  }
  std::vector<Step> steps_;
  size_t next_ = 0;
};

// The text of a message box, and its OK pressed.
ModalSteps::Step AnswerBox(std::vector<std::string>& texts) {
  return [&texts](HWND box) {
    for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
      char cls[32] = {}, text[200] = {};
      ::GetClassNameA(c, cls, sizeof cls);
      if (std::string(cls) == "Static" && ::GetWindowTextA(c, text, sizeof text) > 0) texts.emplace_back(text);
    }
    uitest::Click(::GetDlgItem(box, IDOK));
  };
}

class CGeneralPage : public CPropertyPage {
 public:
  CGeneralPage() : CPropertyPage(IDD_TESTPAGE_GENERAL) {}
  BOOL OnInitDialog() override {
    Log().push_back(std::string("general:init sheet=") + (GetSheet() && GetSheet()->m_hWnd &&
                                                          GetParent() == GetSheet() ? "attached" : "missing"));
    return CPropertyPage::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, IDC_PAGE_NAME, m_name);
    DDX_Text(dx, IDC_PAGE_COUNT, m_count);
    DDV_MinMaxInt(dx, m_count, 1, 99);
  }
  BOOL OnSetActive() override {
    Log().push_back("general:setactive");
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    const BOOL ok = CPropertyPage::OnKillActive();
    Log().push_back(std::string("general:killactive ") + (ok ? "ok" : "refused"));
    return ok;
  }
  BOOL OnApply() override {
    Log().push_back("general:apply");
    return CPropertyPage::OnApply();
  }
  void OnReset() override {
    Log().push_back("general:reset");
    CPropertyPage::OnReset();
  }
  CString m_name = "first";
  int m_count = 1;
};

class COptionsPage : public CPropertyPage {
 public:
  COptionsPage() : CPropertyPage(IDD_TESTPAGE_OPTIONS) {}
  BOOL OnInitDialog() override {
    Log().push_back("options:init");
    return CPropertyPage::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* dx) override { DDX_Check(dx, IDC_PAGE_ENABLED, m_enabled); }
  BOOL OnSetActive() override {
    Log().push_back("options:setactive");
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    Log().push_back("options:killactive");
    return CPropertyPage::OnKillActive();
  }
  BOOL OnApply() override {
    Log().push_back("options:apply");
    return CPropertyPage::OnApply();
  }
  void OnReset() override {
    Log().push_back("options:reset");
    CPropertyPage::OnReset();
  }
  BOOL OnQueryCancel() override {
    Log().push_back("options:querycancel");
    return !m_keepOpen || m_keepOpen-- == 0;
  }
  int m_enabled = 0;
  int m_keepOpen = 0;  // this many Cancels are refused
};

// The notes page takes its tab title from a string.
class CNotesPage : public CPropertyPage {
 public:
  CNotesPage() : CPropertyPage(IDD_TESTPAGE_NOTES, IDS_TESTPAGE_NOTES) {}
  void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, IDC_PAGE_NOTES, m_notes); }
  CString m_notes;
};

HWND TabOf(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0)); }
HWND PageOf(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

void ClickTab(HWND sheet, int index) {
  RECT r{};
  ::SendMessageA(TabOf(sheet), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  uitest::Click(TabOf(sheet), POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

// Replaces an edit's text as a person would: a click into it, everything
// selected, the new text typed.
void TypeInto(HWND page, int id, const char* text) {
  HWND edit = ::GetDlgItem(page, id);
  uitest::Click(edit);
  ::SendMessageA(edit, EM_SETSEL, 0, -1);
  uitest::TypeText(std::string_view(text));
}

// A key pressed and let go for the sheet's own loop (its dialog manager) to
// read once the step returns.
void PressForTheSheet(int key) {
  uitest::KeyDown(key);
  uitest::KeyUp(key);
}

std::string TextOf(HWND window) {
  char text[128] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

class FrameworkPropertySheet : public ::testing::Test {
 protected:
  void SetUp() override { Log().clear(); }
  void TearDown() override { uitest::RunUntilIdle(); }
  CGeneralPage general;
  COptionsPage options;
};

TEST_F(FrameworkPropertySheet, PagesExchangeTheirDataAndOkAppliesEveryPageMade) {
  CPropertySheet sheet(IDS_TESTSHEET);
  sheet.AddPage(&general);
  sheet.AddPage(&options);
  std::string caption;
  ModalSteps steps({[&](HWND s) {
    caption = TextOf(s);
    EXPECT_EQ(TextOf(::GetDlgItem(PageOf(s), IDC_PAGE_NAME)), "first");
    TypeInto(PageOf(s), IDC_PAGE_NAME, "Crate 7");
    TypeInto(PageOf(s), IDC_PAGE_COUNT, "12");
    ClickTab(s, 1);
    uitest::Click(::GetDlgItem(PageOf(s), IDC_PAGE_ENABLED));
    ClickTab(s, 0);  // shown again: the page shows its members
    uitest::Click(::GetDlgItem(s, IDOK));
  }});
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(caption, "Item Properties");
  EXPECT_EQ(general.m_name, CString("Crate 7"));
  EXPECT_EQ(general.m_count, 12);
  EXPECT_EQ(options.m_enabled, 1);
  EXPECT_EQ(Log(), (std::vector<std::string>{
                       "general:init sheet=attached", "general:setactive", "general:killactive ok", "options:init",
                       "options:setactive", "options:killactive", "general:setactive", "general:killactive ok",
                       "general:apply", "options:apply"}));
  EXPECT_EQ(sheet.m_hWnd, nullptr);
  EXPECT_EQ(general.m_hWnd, nullptr);
}

// How the sheet is left, and what DoModal answers.
struct Ending {
  const char* name;
  std::function<void(HWND)> leave;
  INT_PTR result;
  std::vector<std::string> log;
};

TEST_F(FrameworkPropertySheet, EndingsTable) {
  const Ending endings[] = {
      {"cancel button", [](HWND s) { uitest::Click(::GetDlgItem(s, IDCANCEL)); }, IDCANCEL,
       {"general:reset"}},
      {"escape", [](HWND) { PressForTheSheet(VK_ESCAPE); }, IDCANCEL, {"general:reset"}},
      {"close box", [](HWND s) { ::SendMessageA(s, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL, {"general:reset"}},
      {"enter in a page's edit",
       [](HWND s) {
         uitest::Click(::GetDlgItem(PageOf(s), IDC_PAGE_NAME));
         PressForTheSheet(VK_RETURN);
       },
       IDOK, {"general:killactive ok", "general:apply"}},
      {"apply then cancel",
       [](HWND s) {
         TypeInto(PageOf(s), IDC_PAGE_NAME, "applied");
         ::SendMessageA(s, PSM_CHANGED, reinterpret_cast<WPARAM>(PageOf(s)), 0);
         uitest::Click(::GetDlgItem(s, ID_APPLY_NOW));
         uitest::Click(::GetDlgItem(s, IDCANCEL));
       },
       IDCANCEL, {"general:killactive ok", "general:apply", "general:reset"}},
  };
  for (const Ending& e : endings) {
    SCOPED_TRACE(e.name);
    Log().clear();
    CGeneralPage page;
    CPropertySheet sheet("Ending");
    sheet.AddPage(&page);
    ModalSteps steps({e.leave});
    EXPECT_EQ(sheet.DoModal(), e.result);
    std::vector<std::string> log = Log();
    log.erase(log.begin(), log.begin() + 2);  // init and the first activation
    EXPECT_EQ(log, e.log);
  }
}

TEST_F(FrameworkPropertySheet, AFailedCheckKeepsItsPageAndTheSheetOpen) {
  CPropertySheet sheet("Checks");
  sheet.AddPage(&general);
  sheet.AddPage(&options);
  std::vector<std::string> boxes;
  int activeAfterRefusal = -1;
  ModalSteps steps({[&](HWND s) {
                      TypeInto(PageOf(s), IDC_PAGE_COUNT, "500");
                      ClickTab(s, 1);  // refused, with a message box
                      activeAfterRefusal = sheet.GetActiveIndex();
                      uitest::Click(::GetDlgItem(s, IDOK));  // refused again
                      TypeInto(PageOf(s), IDC_PAGE_COUNT, "5");
                      uitest::Click(::GetDlgItem(s, IDOK));
                    },
                    AnswerBox(boxes), AnswerBox(boxes)});
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(steps.Done(), 3u);
  EXPECT_EQ(activeAfterRefusal, 0);
  EXPECT_EQ(boxes, (std::vector<std::string>{"Please enter an integer between 1 and 99.",
                                             "Please enter an integer between 1 and 99."}));
  EXPECT_EQ(general.m_count, 5);
}

TEST_F(FrameworkPropertySheet, APageMayRefuseCancel) {
  options.m_keepOpen = 1;
  CPropertySheet sheet("Cancel");
  sheet.AddPage(&options);
  bool openAfterFirst = false;
  ModalSteps steps({[&](HWND s) {
    uitest::Click(::GetDlgItem(s, IDCANCEL));
    openAfterFirst = ::IsWindow(s) && ::IsWindowVisible(s);
    uitest::Click(::GetDlgItem(s, IDCANCEL));
  }});
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_TRUE(openAfterFirst);
  EXPECT_EQ(Log(), (std::vector<std::string>{"options:init", "options:setactive", "options:querycancel",
                                             "options:querycancel", "options:reset"}));
}

// A sheet that takes OK itself: every page made is checked, the first one
// last, and the sheet ends only when all pass; it has no Apply button.
class CCheckingSheet : public CPropertySheet {
 public:
  CCheckingSheet() : CPropertySheet("Checking") {}
  BOOL OnInitDialog() override {
    const BOOL result = CPropertySheet::OnInitDialog();
    if (CWnd* apply = GetDlgItem(ID_APPLY_NOW)) apply->ShowWindow(SW_HIDE);
    m_tabs = GetTabControl() ? GetTabControl()->GetItemCount() : -1;
    return result;
  }
  void OnOK() {
    ++m_okPresses;
    for (int i = GetPageCount() - 1; i >= 0; --i) {
      CPropertyPage* page = GetPage(i);
      if (page->m_hWnd && !page->OnKillActive()) return;
    }
    EndDialog(IDOK);
  }
  int m_okPresses = 0;
  int m_tabs = 0;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCheckingSheet, CPropertySheet)
  ON_COMMAND(IDOK, OnOK)
END_MESSAGE_MAP()

TEST_F(FrameworkPropertySheet, ASheetThatTakesOkItself) {
  CCheckingSheet sheet;
  sheet.AddPage(&general);
  sheet.AddPage(&options);
  std::vector<std::string> boxes;
  bool applyHidden = false;
  ModalSteps steps({[&](HWND s) {
                      applyHidden = !::IsWindowVisible(::GetDlgItem(s, ID_APPLY_NOW));
                      TypeInto(PageOf(s), IDC_PAGE_COUNT, "0");
                      ::SendMessageA(s, PSM_SETCURSEL, 1, 0);  // refused: the count is checked on leaving
                      ::SetDlgItemTextA(PageOf(s), IDC_PAGE_COUNT, "7");
                      ClickTab(s, 1);
                      uitest::Click(::GetDlgItem(s, IDOK));
                    },
                    AnswerBox(boxes)});
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_TRUE(applyHidden);
  EXPECT_EQ(sheet.m_tabs, 2);
  EXPECT_EQ(sheet.m_okPresses, 1);
  EXPECT_EQ(boxes.size(), 1u);
  // No page applied: the sheet ended itself.
  for (const std::string& line : Log()) EXPECT_EQ(line.find(":apply"), std::string::npos) << line;
  EXPECT_EQ(general.m_count, 7);
}

TEST_F(FrameworkPropertySheet, PagesComeAndGoWhileOpenAndThePicture) {
  CNotesPage notes;
  CPropertySheet sheet(IDS_TESTSHEET);
  sheet.AddPage(&general);
  sheet.AddPage(&options);
  sheet.SetActivePage(1);
  sheet.SetTitle("Crate 7", PSH_PROPTITLE);
  std::vector<std::string> seen;
  ModalSteps steps({[&](HWND s) {
    seen.push_back(TextOf(s));
    seen.push_back("active " + std::to_string(sheet.GetActiveIndex()));
    sheet.AddPage(&notes);
    seen.push_back("tabs " + std::to_string(sheet.GetTabControl()->GetItemCount()));
    char title[32] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    sheet.GetTabControl()->GetItem(2, &item);
    seen.push_back(title);
    EXPECT_TRUE(sheet.SetActivePage(&notes));
    seen.push_back(sheet.GetActivePage() == &notes ? "notes shown" : "notes not shown");
    TypeInto(PageOf(s), IDC_PAGE_NOTES, "Fragile, keep dry");
    notes.SetModified();
    seen.push_back(::IsWindowEnabled(::GetDlgItem(s, ID_APPLY_NOW)) ? "apply on" : "apply off");
    uitest::RunUntilIdle();
    uitest::SaveWindowPng(s, std::string(TAV_BUILD_DIR) + "/framework_property_sheet.png");
    sheet.RemovePage(&options);
    seen.push_back("pages " + std::to_string(sheet.GetPageCount()) + " tabs " +
                   std::to_string(sheet.GetTabControl()->GetItemCount()));
    sheet.SetTitle("Crate 8");
    seen.push_back(TextOf(s));
    sheet.PressButton(PSBTN_OK);
    uitest::RunUntilIdle();
  }});
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(seen, (std::vector<std::string>{"Properties for Crate 7", "active 1", "tabs 3", "Remarks", "notes shown",
                                            "apply on", "pages 2 tabs 2", "Crate 8"}));
  EXPECT_EQ(notes.m_notes, CString("Fragile, keep dry"));
  EXPECT_EQ(options.m_hWnd, nullptr);
  EXPECT_EQ(sheet.GetPage(1), &notes);
}

TEST_F(FrameworkPropertySheet, ASheetWithoutPagesDoesNotOpen) {
  CPropertySheet sheet("Empty");
  EXPECT_EQ(sheet.DoModal(), -1);
  EXPECT_EQ(general.DoModal(), -1);  // a page alone is no dialog
}

}  // namespace
