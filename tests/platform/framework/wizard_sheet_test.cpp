// The framework's wizards and modeless sheets: pages steering Back and Next,
// the buttons each page asks for, the last page's values kept on Finish,
// DoModal's answers; a modeless sheet that goes when a button closes it.
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

class CNamePage : public CPropertyPage {
 public:
  CNamePage() : CPropertyPage(IDD_TESTPAGE_GENERAL) {}
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, IDC_PAGE_NAME, m_name);
    DDX_Text(dx, IDC_PAGE_COUNT, m_count);
    DDV_MinMaxInt(dx, m_count, 1, 99);
  }
  BOOL OnSetActive() override {
    Log().push_back("name:setactive");
    GetSheet()->SetWizardButtons(PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
  }
  LRESULT OnWizardNext() override {
    Log().push_back("name:next");
    // Skipping the options page when asked: straight to the notes page.
    return m_skipOptions ? IDD_TESTPAGE_NOTES : 0;
  }
  CString m_name = "first";
  int m_count = 1;
  bool m_skipOptions = false;
};

class COptionsPage : public CPropertyPage {
 public:
  COptionsPage() : CPropertyPage(IDD_TESTPAGE_OPTIONS) {}
  void DoDataExchange(CDataExchange* dx) override { DDX_Check(dx, IDC_PAGE_ENABLED, m_enabled); }
  BOOL OnSetActive() override {
    Log().push_back("options:setactive");
    GetSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
  }
  LRESULT OnWizardBack() override {
    Log().push_back("options:back");
    return 0;
  }
  int m_enabled = 0;
};

class CNotesPage : public CPropertyPage {
 public:
  CNotesPage() : CPropertyPage(IDD_TESTPAGE_NOTES, IDS_TESTPAGE_NOTES) {}
  void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, IDC_PAGE_NOTES, m_notes); }
  BOOL OnSetActive() override {
    Log().push_back("notes:setactive");
    GetSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    return CPropertyPage::OnSetActive();
  }
  BOOL OnWizardFinish() override {
    Log().push_back("notes:finish");
    return CPropertyPage::OnWizardFinish();
  }
  CString m_notes;
};

HWND PageOf(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
void TypeInto(HWND page, int id, const char* text) {
  HWND edit = ::GetDlgItem(page, id);
  uitest::Click(edit);
  ::SendMessageA(edit, EM_SETSEL, 0, -1);
  uitest::TypeText(std::string_view(text));
}

// The modal dialog hook runs one step for the sheet.
void OnSheet(std::function<void(HWND)> step) {
  static std::function<void(HWND)> pending;
  pending = std::move(step);
  user::SetModalDialogHook([](HWND s, void*) { pending(s); }, nullptr);
}

class FrameworkWizard : public ::testing::Test {
 protected:
  void SetUp() override { Log().clear(); }
  void TearDown() override {
    user::SetModalDialogHook(nullptr, nullptr);
    uitest::RunUntilIdle();
  }
  CNamePage name;
  COptionsPage options;
  CNotesPage notes;
};

TEST_F(FrameworkWizard, NextBackAndFinishKeepEveryPagesValues) {
  CPropertySheet sheet("New label");
  sheet.AddPage(&name);
  sheet.AddPage(&options);
  sheet.AddPage(&notes);
  sheet.SetWizardMode();
  std::string buttonsOnFirst;
  OnSheet([&](HWND s) {
    buttonsOnFirst = std::string(::IsWindowEnabled(::GetDlgItem(s, ID_WIZBACK)) ? "B" : "b") +
                     (::IsWindowVisible(::GetDlgItem(s, ID_WIZNEXT)) ? "N" : "");
    TypeInto(PageOf(s), IDC_PAGE_NAME, "Crate 9");
    uitest::Click(::GetDlgItem(s, ID_WIZNEXT));
    uitest::Click(::GetDlgItem(PageOf(s), IDC_PAGE_ENABLED));
    uitest::Click(::GetDlgItem(s, ID_WIZBACK));
    uitest::Click(::GetDlgItem(s, ID_WIZNEXT));
    uitest::Click(::GetDlgItem(s, ID_WIZNEXT));
    TypeInto(PageOf(s), IDC_PAGE_NOTES, "fragile");
    uitest::Click(::GetDlgItem(s, ID_WIZFINISH));
  });
  EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
  EXPECT_EQ(buttonsOnFirst, "bN") << "the first page asked for Next only";
  EXPECT_EQ(name.m_name, CString("Crate 9"));
  EXPECT_EQ(options.m_enabled, 1);
  EXPECT_EQ(notes.m_notes, CString("fragile")) << "Finish takes the last page's values";
  EXPECT_EQ(Log(), (std::vector<std::string>{"name:setactive", "name:next", "options:setactive", "options:back",
                                             "name:setactive", "name:next", "options:setactive", "notes:setactive",
                                             "notes:finish"}));
}

TEST_F(FrameworkWizard, APageSkipsAheadAndABadValueKeepsItsPage) {
  CPropertySheet sheet("New label");
  sheet.AddPage(&name);
  sheet.AddPage(&options);
  sheet.AddPage(&notes);
  sheet.SetWizardMode();
  name.m_skipOptions = true;
  int pageAfterBadCount = -1, pageAfterNext = -1;
  OnSheet([&](HWND s) {
    TypeInto(PageOf(s), IDC_PAGE_COUNT, "500");
    user::SetModalDialogHook([](HWND box, void*) { uitest::Click(::GetDlgItem(box, IDOK)); }, nullptr);
    uitest::Click(::GetDlgItem(s, ID_WIZNEXT));
    pageAfterBadCount = static_cast<int>(::SendMessageA(s, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(PageOf(s)), 0));
    TypeInto(PageOf(s), IDC_PAGE_COUNT, "5");
    uitest::Click(::GetDlgItem(s, ID_WIZNEXT));
    pageAfterNext = static_cast<int>(::SendMessageA(s, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(PageOf(s)), 0));
    uitest::Click(::GetDlgItem(s, IDCANCEL));
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(pageAfterBadCount, 0) << "a failed check keeps the page";
  EXPECT_EQ(pageAfterNext, 2) << "the page's answer names the notes page's template";
  EXPECT_EQ(name.m_count, 5);
}

TEST_F(FrameworkWizard, ModelessSheetStaysUntilAButtonClosesIt) {
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "Owner"));
  CPropertySheet sheet("Find");
  sheet.AddPage(&name);
  sheet.AddPage(&options);
  ASSERT_TRUE(sheet.Create(frame));
  ASSERT_NE(sheet.GetSafeHwnd(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(sheet.m_hWnd));
  EXPECT_TRUE(::IsWindowEnabled(frame->m_hWnd)) << "modeless: the frame stays usable";
  EXPECT_EQ(sheet.GetActivePage(), &name);
  EXPECT_EQ(name.GetParent(), &sheet);
  TypeInto(PageOf(sheet.m_hWnd), IDC_PAGE_NAME, "Pallet");
  // The frame's own loop takes the sheet's keys through PreTranslateMessage.
  MSG tab{PageOf(sheet.m_hWnd), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  tab.hwnd = ::GetFocus();
  EXPECT_TRUE(sheet.PreTranslateMessage(&tab)) << "Tab moves between the page's controls";
  uitest::Click(::GetDlgItem(sheet.m_hWnd, IDOK));
  EXPECT_EQ(sheet.m_hWnd, nullptr) << "OK closed the modeless sheet and its window went";
  EXPECT_EQ(name.m_name, CString("Pallet"));
  frame->DestroyWindow();
}

}  // namespace
