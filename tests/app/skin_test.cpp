// The dialog skin and its controls, driven as a person would: which controls
// take part, translated captions the system never draws, push buttons that
// click only when released on them, toggle pairs, moved controls, the
// caption's close button, the quit request; the property sheet with its
// tab control. Pictures of the dialog and the sheet in English and Chinese.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/ui/my_prop_sheet.h"
#include "app/ui/plain_dialog_skin.h"
#include "app/ui/skin_dialog.h"
#include "app/ui/skin_property_page.h"
#include "app/ui/ui_language.h"
#include "foundation/uifonts/ui_fonts.h"
#include "platform/testing/ui.h"
#include "platform/user/dialogs/dialogs.h"
#include "dialog_script.h"
#include "frame/frame_test_util.h"

namespace {

constexpr UINT kDialog = 9101;

using frametest::PicturePath;

// The shared language scope; a quit request a test left behind goes with it.
class LanguageScope : public apptest::LanguageScope {
 public:
  using apptest::LanguageScope::LanguageScope;
  ~LanguageScope() { SetDialogQuitRequest(false); }
};

// The test dialog: records the commands it hears; a script runs once it is up.
class TestDialog : public CSkinDialog {
 public:
  TestDialog() : CSkinDialog(kDialog, nullptr) {}
  std::vector<int> commands;
  std::function<void(TestDialog&)> script;

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back(LOWORD(wParam));
    return CSkinDialog::OnCommand(wParam, lParam);
  }
  HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
  CSkinCtrl* SkinOf(int id) { return skin_.SkinOf(Item(id)); }
};

void RunScript(HWND box, void* context) {
  auto* dialog = static_cast<TestDialog*>(context);
  uitest::RunUntilIdle();
  dialog->script(*dialog);
  if (::IsWindow(box)) PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

INT_PTR RunDialog(TestDialog& dialog, std::function<void(TestDialog&)> script) {
  dialog.script = std::move(script);
  user::SetModalDialogHook(&RunScript, &dialog);
  const INT_PTR result = dialog.DoModal();
  user::SetModalDialogHook(nullptr, nullptr);
  return result;
}

std::u16string Shown(const AString& caption) { return UiTextToWide(caption); }

TEST(DialogSkin, ChineseSkinsButtonsBoxesAndTextStatics) {
  LanguageScope scope(kUiChineseSimplified);
  TestDialog dialog;
  RunDialog(dialog, [](TestDialog& d) {
    struct Row {
      int id;
      bool skinned;
      const char16_t* caption;
    };
    const Row rows[] = {
        {9201, true, u"\u6253\u5F00"},        // check box: 打开
        {9202, true, u"\u53E6\u5B58\u4E3A..."},  // radio button: 另存为...
        {9203, true, u"\u5BBD\u5EA6:"},       // left text: 宽度:
        {9209, true, u"\u9AD8\u5EA6:"},       // right text: 高度:
        {1052, true, u"\u57FA\u51C6\u70B9"},  // 基准点
        {9206, true, u"\u6253\u5F00"},        // push button
        {IDOK, true, u"\u786E\u5B9A"},        // 确定
        {9204, false, nullptr},               // SS_NOPREFIX stays plain
        {9205, false, nullptr},               // a frame is no text
        {9200, false, nullptr},               // group boxes are drawn by the skin
        {9210, false, nullptr},
        {9211, false, nullptr},               // an edit
    };
    for (const Row& r : rows) {
      CSkinCtrl* skin = d.SkinOf(r.id);
      EXPECT_EQ(skin != nullptr, r.skinned) << r.id;
      if (skin && r.caption) {
        EXPECT_EQ(Shown(skin->Caption()), r.caption) << r.id;
      }
    }
    // The system never draws a box's untranslated text.
    char16_t text[32] = {};
    GetWindowTextW(d.Item(9201), reinterpret_cast<LPWSTR>(text), 32);
    EXPECT_EQ(std::u16string(text), u"");
    // The caption is the skin's.
    EXPECT_EQ(Shown(d.Skin().CaptionText()), u"\u9009\u9879");  // 选项
    EXPECT_TRUE(uitest::SaveWindowPng(d.m_hWnd, PicturePath("skin_dialog_zh.png")));
  });
}

TEST(DialogSkin, EnglishKeepsTheTemplateExceptForDialog100) {
  LanguageScope scope(kUiEnglish);
  TestDialog dialog;
  RunDialog(dialog, [](TestDialog& d) {
    EXPECT_EQ(d.Skin().SkinnedCount(), 0u);
    char caption[64] = {};
    GetWindowTextA(d.m_hWnd, caption, sizeof caption);
    EXPECT_STREQ(caption, "Options");
    char box[64] = {};
    GetWindowTextA(d.Item(9201), box, sizeof box);
    EXPECT_STREQ(box, "&Open");
    EXPECT_TRUE(uitest::SaveWindowPng(d.m_hWnd, PicturePath("skin_dialog_en.png")));
    // The one dialog skinned in English too.
    CDialogSkin always;
    always.Attach(&d, kAlwaysSkinnedDialog);
    EXPECT_GT(always.SkinnedCount(), 5u);
    EXPECT_EQ(Shown(always.SkinOf(d.Item(9206))->Caption()), u"&Open");
    always.Detach();
  });
}

TEST(DialogSkin, StaticOfId1052ShowsItsNewTextTranslatedInBlue) {
  LanguageScope scope(kUiChineseSimplified);
  TestDialog dialog;
  RunDialog(dialog, [](TestDialog& d) {
    SetWindowTextA(d.Item(1052), "Width");
    InvalidateRect(d.Item(1052), nullptr, TRUE);
    uitest::RunUntilIdle();
    EXPECT_EQ(Shown(d.SkinOf(1052)->Caption()), u"\u5BBD\u5EA6");
    // Somewhere in its caption the text is pure blue.
    const RECT r = d.SkinOf(1052)->CaptionRect();
    int blue = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const COLORREF c = uitest::ClientPixel(d.Item(1052), x, y);
        blue += GetBValue(c) > 200 && GetRValue(c) < 120 && GetGValue(c) < 120;
      }
    EXPECT_GT(blue, 5);
  });
}

TEST(DialogSkin, PushButtonReleasedOutsideSendsNoClick) {
  LanguageScope scope(kUiChineseSimplified);
  TestDialog dialog;
  RunDialog(dialog, [](TestDialog& d) {
    HWND button = d.Item(9206);
    RECT r;
    GetClientRect(button, &r);
    const POINT inside{r.right / 2, r.bottom / 2};
    const POINT outside{r.right + 40, r.bottom / 2};
    d.commands.clear();
    uitest::MouseDown(button, inside);
    const COLORREF pressed = uitest::ClientPixel(button, 1, 1);
    uitest::MoveMouse(button, outside);
    const COLORREF released = uitest::ClientPixel(button, 1, 1);
    EXPECT_NE(pressed, released) << "the button comes up as soon as the pointer leaves";
    uitest::MouseUp(button, outside);
    EXPECT_TRUE(d.commands.empty());
    uitest::Click(button);
    EXPECT_EQ(d.commands, std::vector<int>{9206});
  });
}

TEST(DialogSkin, TogglePairStaysExclusive) {
  LanguageScope scope(kUiChineseSimplified);
  TestDialog dialog;
  RunDialog(dialog, [](TestDialog& d) {
    CSkinCtrl* yes = d.SkinOf(9207);
    CSkinCtrl* no = d.SkinOf(9208);
    ASSERT_TRUE(yes && no);
    yes->SetPartner(no->m_hWnd, 0);
    no->SetPartner(yes->m_hWnd, 1);
    yes->SetCheck(1, 0);  // without notice the partner takes the other state, once
    EXPECT_EQ(yes->GetCheck(), 1);
    EXPECT_EQ(no->GetCheck(), 0);
    d.commands.clear();
    uitest::Click(no->m_hWnd);
    EXPECT_EQ(no->GetCheck(), 1);
    EXPECT_EQ(yes->GetCheck(), 0);
    // The partner tells the owner with its own id; the click with the button's.
    EXPECT_EQ(d.commands, (std::vector<int>{9207, 9208}));
    // From place 1, Left does not move; Right does not either (no place 1
    // move to the left); from place 0 Left moves to the partner.
    SetFocus(yes->m_hWnd);
    uitest::Key(VK_LEFT);
    EXPECT_EQ(GetFocus(), no->m_hWnd);
    EXPECT_EQ(no->GetCheck(), 1);
    EXPECT_EQ(yes->GetCheck(), 0);
    EXPECT_EQ(SendMessageW(no->m_hWnd, WM_SKIN_GETCHECK, 0, 0), 1);
    SendMessageW(no->m_hWnd, WM_SKIN_SETCHECK, 0, 0);
    EXPECT_EQ(yes->GetCheck(), 1);
    EXPECT_TRUE(uitest::SaveWindowPng(d.m_hWnd, PicturePath("skin_pair_zh.png")));
  });
}

TEST(DialogSkin, AlignControlAndRestore) {
  LanguageScope scope(kUiEnglish);
  TestDialog dialog;
  RunDialog(dialog, [](TestDialog& d) {
    auto rectOf = [&](int id) {
      RECT r;
      GetWindowRect(d.Item(id), &r);
      MapWindowPoints(nullptr, d.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
      return r;
    };
    const RECT before = rectOf(9206);
    const RECT ref = rectOf(9211);
    struct Case {
      double factor;
      int heightTimes;
    };
    for (const Case c : {Case{1.5, 1}, Case{2.0, 2}, Case{0.0, 1}}) {
      EXPECT_EQ(d.Skin().AlignControl(9206, 9211, nullptr, c.factor, false), 1);
      const RECT now = rectOf(9206);
      EXPECT_EQ(now.left, ref.left) << c.factor;
      EXPECT_EQ(now.top, ref.top) << c.factor;
      EXPECT_EQ(now.bottom - now.top, (before.bottom - before.top) * c.heightTimes) << c.factor;
      d.Skin().RestoreControls();
      const RECT back = rectOf(9206);
      EXPECT_TRUE(EqualRect(&back, &before)) << c.factor;
    }
    const SIZE size{33, 21};
    d.Skin().AlignControl(9206, 9211, &size, 0, true);
    const RECT sized = rectOf(9206);
    EXPECT_EQ(sized.left, before.left);
    EXPECT_EQ(sized.right - sized.left, 33);
    d.Skin().RestoreControls();
    EXPECT_EQ(d.Skin().AlignControl(9206, 4242, nullptr, 1, false), 1) << "a missing control is ignored";
    EXPECT_EQ(d.Skin().SetDlgItemText(4242, "x"), 0);
  });
}

TEST(DialogSkin, CloseButtonClosesOnlyWhenReleasedOnIt) {
  LanguageScope scope(kUiChineseSimplified);
  TestDialog dialog;
  bool stillOpen = false;
  const INT_PTR result = RunDialog(dialog, [&](TestDialog& d) {
    CDialogSkin& skin = d.Skin();
    skin.PaintCaption();
    RECT window;
    GetWindowRect(d.m_hWnd, &window);
    const RECT& close = skin.CloseButtonRect();
    const CPoint onButton(window.left + (close.left + close.right) / 2, window.top + (close.top + close.bottom) / 2);
    const CPoint away(window.left + 40, window.top + 60);
    ASSERT_EQ(skin.OnNcButtonDown(onButton), 1);
    EXPECT_EQ(GetCapture(), d.m_hWnd);
    EXPECT_EQ(skin.OnNcHitTest(away), 2);
    POINT client{away.x, away.y};
    ScreenToClient(d.m_hWnd, &client);
    skin.OnButtonUp(CPoint(client.x, client.y));
    uitest::RunUntilIdle();
    stillOpen = IsWindow(d.m_hWnd) && IsWindowVisible(d.m_hWnd);
    EXPECT_EQ(skin.OnNcButtonDown(onButton), 1);
    POINT on{onButton.x, onButton.y};
    ScreenToClient(d.m_hWnd, &on);
    skin.OnButtonUp(CPoint(on.x, on.y));
  });
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(std::count(dialog.commands.begin(), dialog.commands.end(), IDCANCEL), 1);
}

TEST(DialogSkin, QuitRequestCancelsEachDialogOnce) {
  LanguageScope scope(kUiEnglish);
  for (int round = 0; round < 2; ++round) {
    TestDialog dialog;
    dialog.script = [](TestDialog&) {
      SetDialogQuitRequest(true);
      SetDialogQuitRequest(true);  // a second request finds it taken
    };
    user::SetModalDialogHook(
        [](HWND, void* context) {
          auto* d = static_cast<TestDialog*>(context);
          d->script(*d);
        },
        &dialog);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << round;
    user::SetModalDialogHook(nullptr, nullptr);
    EXPECT_EQ(std::count(dialog.commands.begin(), dialog.commands.end(), IDCANCEL), 1) << round;
    SetDialogQuitRequest(false);
  }
}

// Property sheet pages: the second refuses to be left while its flag says so.
class TestPage : public CSkinPropertyPage {
 public:
  explicit TestPage(UINT id) : CSkinPropertyPage(id) {}
  bool refuse = false;
  int checks = 0;
  BOOL OnKillActive() override {
    ++checks;
    return refuse ? FALSE : CSkinPropertyPage::OnKillActive();
  }
};

struct SheetScript {
  std::function<void(CMyPropSheet&, HWND)> act;
  CMyPropSheet* sheet = nullptr;
};

INT_PTR RunSheet(CMyPropSheet& sheet, std::function<void(CMyPropSheet&, HWND)> act) {
  SheetScript script{std::move(act), &sheet};
  user::SetModalDialogHook(
      [](HWND window, void* context) {
        auto* s = static_cast<SheetScript*>(context);
        uitest::RunUntilIdle();
        s->act(*s->sheet, window);
      },
      &script);
  const INT_PTR result = sheet.DoModal();
  user::SetModalDialogHook(nullptr, nullptr);
  return result;
}

TEST(PropertySheet, OkChecksEveryPageAndThereIsNoApply) {
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    TestPage first(9110);
    TestPage second(9111);
    CMyPropSheet sheet(nullptr);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    const INT_PTR result = RunSheet(sheet, [&](CMyPropSheet& s, HWND window) {
      HWND apply = GetDlgItem(window, kApplyButtonId);
      EXPECT_TRUE(!apply || !IsWindowVisible(apply)) << "never an Apply button";
      // English keeps the platform's tabs; another language draws its own.
      EXPECT_EQ(s.TabCtrl().m_hWnd != nullptr, language != kUiEnglish);
      s.SetActivePage(1);
      uitest::RunUntilIdle();
      EXPECT_TRUE(uitest::SaveWindowPng(window, PicturePath(std::string("prop_sheet_") +
                                                            (language == kUiEnglish ? "en" : "zh") + ".png")));
      second.refuse = true;
      SendMessageW(window, WM_COMMAND, IDOK, 0);
      uitest::RunUntilIdle();
      EXPECT_TRUE(IsWindow(window)) << "a failing page keeps the sheet open";
      second.refuse = false;
      SendMessageW(window, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_GE(second.checks, 2);
    EXPECT_GE(first.checks, 1);
  }
}

TEST(PropertySheet, ChineseTabsAreTranslatedAndPadded) {
  LanguageScope scope(kUiChineseSimplified);
  TestPage first(9110);
  TestPage second(9111);
  CMyPropSheet sheet(nullptr);
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  RunSheet(sheet, [&](CMyPropSheet& s, HWND window) {
    CSkinTabCtrl& tab = s.TabCtrl();
    ASSERT_NE(tab.m_hWnd, nullptr) << "the sheet's tab control is owner-drawn in Chinese";
    ASSERT_EQ(tab.TabTexts().size(), 2u);
    EXPECT_EQ(Shown(tab.TabTexts()[0]), u"\u6253\u5370");              // 打印
    EXPECT_EQ(Shown(tab.TabTexts()[1]), u"\u9ED8\u8BA4\u6587\u4EF6\u5939");  // 默认文件夹
    char16_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<LPWSTR>(text);
    item.cchTextMax = 64;
    SendMessageW(tab.m_hWnd, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::u16string(text), u" \u6253\u5370 ");  // 4 bytes: one blank each side
    // A selection set by the program reaches the sheet like a click.
    SendMessageW(tab.m_hWnd, TCM_SETCURSEL, 1, 0);
    uitest::RunUntilIdle();
    EXPECT_EQ(s.GetActiveIndex(), 1);
    EXPECT_TRUE(GetWindowLongA(tab.m_hWnd, GWL_STYLE) & WS_VISIBLE);
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST(PropertySheet, TabPadding) {
  struct Case {
    const char* caption;
    int blanks;
  };
  const Case cases[] = {{"Font", 1}, {"Ab", 1}, {"Paragraph", 3}, {"", 1}, {"\xB4\xF2\xD3\xA1", 1}};
  for (const Case& c : cases) EXPECT_EQ(CSkinTabCtrl::PaddingOf(AString(c.caption)), c.blanks) << c.caption;
}

TEST(PropertySheet, SidePanelWidensTheSheet) {
  LanguageScope scope(kUiEnglish);
  TestPage first(9110);
  CMyPropSheet plain(nullptr);
  plain.AddPage(&first);
  int plainWidth = 0;
  RunSheet(plain, [&](CMyPropSheet&, HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    plainWidth = r.right - r.left;
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
  TestPage again(9110);
  CMyPropSheet wide(nullptr);
  wide.AddPage(&again);
  wide.SetSidePanelMode(1);
  static int painted = 0;
  wide.SetPaintCallback([](HDC, CWnd*) { ++painted; });
  RunSheet(wide, [&](CMyPropSheet& s, HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, plainWidth + static_cast<int>(plainWidth * 0.4));
    HWND panel = GetDlgItem(window, kSidePanelId);
    ASSERT_NE(panel, nullptr);
    painted = 0;
    s.RefreshSidePanel();
    EXPECT_GE(painted, 1);
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
}

// The caption's close button driven through the window's own messages, as
// the pointer sends them, whichever way the window hands them to its skin:
// a press on the button released away from it keeps the window (returns
// whether it stayed open); a second press released on it closes it.
bool CloseThroughMessages(HWND window, CDialogSkin& skin) {
  EXPECT_EQ(SendMessageW(window, WM_NCACTIVATE, TRUE, 0), TRUE);
  const RECT close = skin.CloseButtonRect();
  EXPECT_LT(close.left, close.right) << "activating paints the caption and its close button";
  RECT frame;
  GetWindowRect(window, &frame);
  const POINT on{frame.left + (close.left + close.right) / 2, frame.top + (close.top + close.bottom) / 2};
  const POINT away{frame.left + 40, frame.top + 60};
  const auto packed = [](POINT p) {
    return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
  };
  const auto screen = [&](POINT p) { return packed(p); };
  const auto client = [&](POINT p) {
    ScreenToClient(window, &p);
    return packed(p);
  };
  // HTNOWHERE: the window's own handling of the press does nothing.
  SendMessageW(window, WM_NCLBUTTONDOWN, HTNOWHERE, screen(on));
  EXPECT_EQ(GetCapture(), window) << "the press on the button holds the pointer";
  EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, screen(away)), 2) << "held, the whole window is the caption's";
  SendMessageW(window, WM_LBUTTONUP, 0, client(away));
  uitest::RunUntilIdle();
  EXPECT_EQ(GetCapture(), nullptr);
  const bool stayed = IsWindow(window) && IsWindowVisible(window);
  SendMessageW(window, WM_NCLBUTTONDOWN, HTNOWHERE, screen(on));
  SendMessageW(window, WM_LBUTTONUP, 0, client(on));
  return stayed;
}

// A framework dialog outside the skinned bases that takes the skin as the
// layout code's dialogs do.
class PlainDialog : public CDialog {
 public:
  PlainDialog() : CDialog(kDialog, nullptr) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    EXPECT_EQ(SkinPlainDialog(m_hWnd), 1);
    return TRUE;
  }
};

TEST(DialogSkin, CloseButtonThroughTheMessagesOfEachKindOfWindow) {
  LanguageScope scope(kUiChineseSimplified);
  {
    TestDialog dialog;
    bool stayed = false;
    EXPECT_EQ(RunDialog(dialog, [&](TestDialog& d) { stayed = CloseThroughMessages(d.m_hWnd, d.Skin()); }), IDCANCEL);
    EXPECT_TRUE(stayed) << "dialog base";
  }
  {
    TestPage page(9110);
    CMyPropSheet sheet(nullptr);
    sheet.AddPage(&page);
    bool stayed = false;
    EXPECT_EQ(RunSheet(sheet, [&](CMyPropSheet& s, HWND window) { stayed = CloseThroughMessages(window, s.Skin()); }),
              IDCANCEL);
    EXPECT_TRUE(stayed) << "property sheet";
  }
  {
    PlainDialog dialog;
    bool stayed = false;
    struct Context {
      bool* stayed;
    } context{&stayed};
    user::SetModalDialogHook(
        [](HWND window, void* c) {
          uitest::RunUntilIdle();
          CDialogSkin* skin = PlainDialogSkin(window);
          ASSERT_NE(skin, nullptr);
          *static_cast<Context*>(c)->stayed = CloseThroughMessages(window, *skin);
        },
        &context);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    user::SetModalDialogHook(nullptr, nullptr);
    EXPECT_TRUE(stayed) << "plain dialog";
  }
}

}  // namespace
