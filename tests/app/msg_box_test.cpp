// The message box driven as a person would: its caption, lines and buttons,
// the answer of each button, Escape and the close box, in English and in
// Chinese; pictures of the three button styles and of the message pane.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/ui/message_pane.h"
#include "app/ui/msg_box.h"
#include "app/ui/shell_messages.h"
#include "app/ui/ui_language.h"
#include "foundation/uifonts/ui_fonts.h"
#include "platform/testing/ui.h"
#include "platform/user/dialogs/dialogs.h"
#include "dialog_script.h"
#include "frame/frame_test_util.h"

namespace {

using apptest::LanguageScope;
using frametest::PicturePath;

std::u16string WindowText(HWND window) {
  char16_t text[512] = {};
  GetWindowTextW(window, reinterpret_cast<LPWSTR>(text), 512);
  return text;
}

// What a box showed, and what the hook did to it.
struct Seen {
  std::u16string caption;
  std::vector<int> visibleButtons;
  int defaultId = 0;
  size_t lines = 0;
  std::vector<std::u16string> firstPieces;
  bool saved = false;
};

struct Script {
  std::function<void(HWND)> act;
  std::string picture;  // saved when not empty
  Seen seen;
};

void Hook(HWND box, void* context) {
  auto* script = static_cast<Script*>(context);
  uitest::RunUntilIdle();
  Seen& seen = script->seen;
  seen.caption = WindowText(box);
  for (const int id : {IDOK, IDYES, IDNO, IDCANCEL}) {
    HWND b = GetDlgItem(box, id);
    if (b && IsWindowVisible(b)) seen.visibleButtons.push_back(id);
  }
  seen.defaultId = LOWORD(SendMessageW(box, DM_GETDEFID, 0, 0));
  if (auto* dlg = dynamic_cast<CMsgBoxDlg*>(CWnd::FromHandlePermanent(box))) {
    // Another language's caption is drawn by the skin, not kept as window text.
    if (!IsEnglishUi()) seen.caption = UiTextToWide(dlg->Skin().CaptionText());
    seen.lines = dlg->Lines().size();
    for (const auto& line : dlg->Lines()) seen.firstPieces.push_back(line.wrapped.pieces.at(0));
  }
  if (!script->picture.empty()) seen.saved = uitest::SaveWindowPng(box, PicturePath(script->picture));
  script->act(box);
}

int RunBox(Script& script, const AString& text, int buttons, int defaultChoice = -1,
           const AString& caption = AString()) {
  user::SetModalDialogHook(&Hook, &script);
  const int result = ShowMsgBoxDlg(nullptr, text, buttons, 0, defaultChoice, caption);
  user::SetModalDialogHook(nullptr, nullptr);
  return result;
}

void Press(HWND box, int id) { SendMessageW(GetDlgItem(box, id), BM_CLICK, 0, 0); }
// Keys are posted: the box's own loop reads them through the dialog manager.
void Escape(HWND box) { PostMessageW(GetFocus() ? GetFocus() : box, WM_KEYDOWN, VK_ESCAPE, 0); }

class MsgBox : public ::testing::TestWithParam<int> {};

TEST_P(MsgBox, EachButtonGivesItsResult) {
  LanguageScope scope(GetParam());
  struct Case {
    int style;
    int button;
    int result;
  };
  const Case cases[] = {
      {kMsgBoxOk, IDOK, 1},          {kMsgBoxYesNo, IDYES, 6},   {kMsgBoxYesNo, IDNO, 7},
      {kMsgBoxOkCancel, IDOK, 1},    {kMsgBoxOkCancel, IDCANCEL, 2},
      {kMsgBoxYesNoCancel, IDYES, 6}, {kMsgBoxYesNoCancel, IDNO, 7}, {kMsgBoxYesNoCancel, IDCANCEL, 2},
  };
  for (const Case& c : cases) {
    Script script;
    script.act = [&](HWND box) { Press(box, c.button); };
    EXPECT_EQ(RunBox(script, AString("Save As..."), c.style), c.result) << c.style << "/" << c.button;
  }
}

TEST_P(MsgBox, EscapeAndTheCloseBoxGiveCancelInEveryStyle) {
  LanguageScope scope(GetParam());
  for (const int style : {kMsgBoxOk, kMsgBoxYesNo, kMsgBoxOkCancel, kMsgBoxYesNoCancel}) {
    Script escape;
    escape.act = &Escape;
    EXPECT_EQ(RunBox(escape, AString("Name:"), style), 2) << "Escape, style " << style;
    Script close;
    close.act = [](HWND box) { SendMessageW(box, WM_CLOSE, 0, 0); };
    EXPECT_EQ(RunBox(close, AString("Name:"), style), 2) << "close, style " << style;
  }
}

TEST_P(MsgBox, EnterTakesTheDefaultChoice) {
  LanguageScope scope(GetParam());
  struct Case {
    int style;
    int defaultChoice;
    int expected;
  };
  const Case cases[] = {{kMsgBoxYesNo, 7, 7}, {kMsgBoxYesNo, 2, 6}, {kMsgBoxYesNo, -1, 6},
                        {kMsgBoxOkCancel, 2, 2}, {kMsgBoxOk, 2, 2},  {kMsgBoxOk, -1, 1},
                        {kMsgBoxYesNoCancel, 7, 7}, {kMsgBoxYesNoCancel, 2, 2}, {kMsgBoxYesNoCancel, -1, 6}};
  for (const Case& c : cases) {
    Script script;
    script.act = [](HWND box) { PostMessageW(GetFocus() ? GetFocus() : box, WM_KEYDOWN, VK_RETURN, 0); };
    EXPECT_EQ(RunBox(script, AString("Question"), c.style, c.defaultChoice), c.expected)
        << c.style << " default " << c.defaultChoice;
    EXPECT_EQ(script.seen.defaultId, c.expected);
  }
}

TEST_P(MsgBox, TwentyFiveLinesShowTwenty) {
  LanguageScope scope(GetParam());
  AString text;
  for (int i = 1; i <= 25; ++i) {
    char line[32];
    std::snprintf(line, sizeof line, "Line %d\n", i);
    text += line;
  }
  Script script;
  script.act = [](HWND box) { Press(box, IDOK); };
  RunBox(script, text, kMsgBoxOk);
  EXPECT_EQ(script.seen.lines, 20u);
  EXPECT_EQ(script.seen.firstPieces.back(), u"Line 20");
}

INSTANTIATE_TEST_SUITE_P(Languages, MsgBox, ::testing::Values(kUiEnglish, kUiChineseSimplified));

struct BoxCaptionCase {
  int number;
  const char16_t* english;
  const char16_t* chinese;
};

TEST(MsgBoxCaption, NumberedMessageCaptionsAndMissingNumbers) {
  const BoxCaptionCase cases[] = {
      {50000, u"Error-50000", u"\u9519\u8bef-50000"},       {49999, u"Information-49999", u"\u4fe1\u606f-49999"},
      {35000, u"Information-35000", u"\u4fe1\u606f-35000"}, {20000, u"Warning-20000", u"\u8b66\u544a-20000"},
      {19999, u"Confirmation-19999", u"\u786e\u8ba4-19999"},
  };
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    for (const BoxCaptionCase& c : cases) {
      Script script;
      script.act = [](HWND box) { Press(box, IDOK); };
      user::SetModalDialogHook(&Hook, &script);
      EXPECT_EQ(UiMessageBox(nullptr, c.number, kMsgBoxOk, false), 1);
      user::SetModalDialogHook(nullptr, nullptr);
      EXPECT_EQ(script.seen.caption, language == kUiEnglish ? c.english : c.chinese) << c.number;
      // None of these numbers has a text: the box shows the number itself.
      ASSERT_EQ(script.seen.firstPieces.size(), 1u);
      EXPECT_EQ(script.seen.firstPieces[0], std::u16string(c.english).substr(std::u16string(c.english).find('-') + 1));
    }
  }
}

// In Chinese the skin paints the caption: its band covers the whole caption
// row between the frame's edges, so nothing of the system's caption colours
// shows left of it or above it.
TEST(MsgBoxCaption, SkinnedCaptionBandCoversTheWholeCaption) {
  LanguageScope scope(kUiChineseSimplified);
  Script script;
  std::vector<COLORREF> corners;
  int frame = 0, bottom = 0, width = 0;
  script.act = [&](HWND box) {
    RECT window{};
    ::GetWindowRect(box, &window);
    POINT client{0, 0};
    ::ClientToScreen(box, &client);
    frame = client.x - window.left;
    bottom = client.y - window.top;
    width = window.right - window.left;
    HDC dc = ::GetWindowDC(box);
    // The caption's corners and its left column, next to the frame.
    for (const POINT p : {POINT{frame, frame}, POINT{frame, bottom - 1}, POINT{frame + 2, (frame + bottom) / 2},
                          POINT{width - 40, frame}, POINT{width / 2, bottom - 1}})
      corners.push_back(::GetPixel(dc, p.x, p.y));
    ::ReleaseDC(box, dc);
    Press(box, IDOK);
  };
  script.picture = "msgbox_caption_zh.png";
  user::SetModalDialogHook(&Hook, &script);
  EXPECT_EQ(UiMessageBox(nullptr, 50062, kMsgBoxOk, false, 32), 1);
  user::SetModalDialogHook(nullptr, nullptr);
  ASSERT_GT(bottom, frame + 4) << "the box has a caption";
  const COLORREF band = 0x00C62D38;
  for (size_t i = 0; i < corners.size(); ++i) EXPECT_EQ(corners[i], band) << "caption point " << i;
}

TEST(MsgBoxCaption, UiMessageBoxExLooksUpEvenInEnglish) {
  LanguageScope scope(kUiEnglish);
  Script script;
  script.act = [](HWND box) { Press(box, IDYES); };
  user::SetModalDialogHook(&Hook, &script);
  EXPECT_EQ(UiMessageBoxEx(nullptr, 50092, kMsgBoxYesNo, 0, 7), 6);
  user::SetModalDialogHook(nullptr, nullptr);
  EXPECT_EQ(script.seen.caption, u"Error-50092");
  ASSERT_FALSE(script.seen.firstPieces.empty());
  EXPECT_EQ(script.seen.firstPieces[0], u"This folder does not exist.");
  EXPECT_EQ(script.seen.defaultId, IDNO);
}

// Pictures to look at: the three styles in both languages, with a long
// wrapped message, and the message pane.
TEST(MsgBoxPictures, ThreeStylesAndThePane) {
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    const std::string suffix = language == kUiEnglish ? "en" : "zh";
    struct Style {
      int style;
      int number;
      const char* name;
    };
    const Style styles[] = {{kMsgBoxOk, 50062, "ok"},
                            {kMsgBoxYesNo, 20007, "yesno"},
                            {kMsgBoxOkCancel, 35016, "okcancel"},
                            {kMsgBoxYesNoCancel, 20007, "yesnocancel"}};
    for (const Style& s : styles) {
      Script script;
      script.picture = "msgbox_" + std::string(s.name) + "_" + suffix + ".png";
      script.act = &Escape;
      user::SetModalDialogHook(&Hook, &script);
      if (s.number == 20007) {
        UiMessageBox(nullptr, s.number, s.style, false, 300, 203);
      } else if (s.number == 50062) {
        UiMessageBox(nullptr, s.number, s.style, false, 32);
      } else {
        UiMessageBox(nullptr, s.number, s.style, false);
      }
      user::SetModalDialogHook(nullptr, nullptr);
      EXPECT_TRUE(script.seen.saved) << script.picture;
    }
    const RECT control{100, 100, 180, 124};
    ASSERT_EQ(ShowMessagePane(nullptr, control, FormatUiMessage(35021)), 1);
    uitest::RunUntilIdle();
    HWND pane = MessagePaneWindow();
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(IsWindowVisible(pane));
    RECT r;
    GetWindowRect(pane, &r);
    EXPECT_EQ(r.left, control.right + 3);
    EXPECT_EQ(r.top, control.top - 4);
    EXPECT_TRUE(uitest::SaveWindowPng(pane, PicturePath("message_pane_" + suffix + ".png")));
    // Its colours: the pale yellow ground, the grey-blue frame.
    const uitest::Picture picture = uitest::CaptureWindow(pane);
    EXPECT_EQ(picture.At(0, 0), 0x8384A1u);
    EXPECT_EQ(picture.At(3, 3), 0xFEFCD7u);
    HideMessagePane();
    EXPECT_FALSE(IsWindowVisible(pane));
    EXPECT_TRUE(MessagePaneText().IsEmpty());
  }
  DestroyMessagePane();
  EXPECT_EQ(MessagePaneWindow(), nullptr);
}

TEST(MessagePane, PlacedInsideTheWorkArea) {
  const RECT work{0, 0, 1000, 700};
  struct Case {
    const char* why;
    RECT control;
    SIZE pane;
    POINT expected;
  };
  const Case cases[] = {
      {"room on the right", {100, 100, 200, 120}, {150, 40}, {203, 96}},
      {"next to the right edge: left (36 clear) and down by 36", {800, 100, 900, 120}, {150, 40}, {814, 132}},
      {"near the bottom: up from it", {100, 680, 200, 700}, {150, 40}, {203, 658}},
      {"wider than the work area: the loop ends at the left", {100, 100, 200, 120}, {1200, 40}, {0, 132}},
  };
  for (const Case& c : cases) {
    const POINT at = PlaceMessagePane(c.control, c.pane, work);
    EXPECT_EQ(at.x, c.expected.x) << c.why;
    EXPECT_EQ(at.y, c.expected.y) << c.why;
  }
}

}  // namespace

namespace {

TEST(ShellMessages, ButtonTypesOntoTheBox) {
  struct Case {
    UINT type;
    int buttons;
    int defaultChoice;
  };
  const Case cases[] = {
      {MB_OK, kMsgBoxOk, -1},
      {MB_OKCANCEL, kMsgBoxOkCancel, IDOK},
      {MB_OKCANCEL | MB_DEFBUTTON2, kMsgBoxOkCancel, IDCANCEL},
      {MB_YESNO, kMsgBoxYesNo, IDYES},
      {MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION, kMsgBoxYesNo, IDNO},
      {MB_YESNOCANCEL, kMsgBoxYesNoCancel, IDYES},
      {MB_YESNOCANCEL | MB_DEFBUTTON2, kMsgBoxYesNoCancel, IDNO},
      {MB_RETRYCANCEL, kMsgBoxOkCancel, IDOK},
  };
  for (const Case& c : cases) {
    const MsgBoxStyle style = MsgBoxStyleOf(c.type);
    EXPECT_EQ(style.buttons, c.buttons) << c.type;
    EXPECT_EQ(style.defaultChoice, c.defaultChoice) << c.type;
  }
}

TEST(ShellMessages, TextAndNumberInTheDesignersBox) {
  LanguageScope scope(kUiChineseSimplified);
  Script text;
  text.act = [](HWND box) { PostMessageW(GetFocus() ? GetFocus() : box, WM_KEYDOWN, VK_RETURN, 0); };
  user::SetModalDialogHook(&Hook, &text);
  EXPECT_EQ(ShowUiMessageText("Save As...", MB_YESNO | MB_DEFBUTTON2), IDNO);
  user::SetModalDialogHook(nullptr, nullptr);
  ASSERT_EQ(text.seen.firstPieces.size(), 1u);
  EXPECT_EQ(text.seen.firstPieces[0], u"\u53E6\u5B58\u4E3A...");  // translated line by line
  EXPECT_EQ(text.seen.visibleButtons, (std::vector<int>{IDYES, IDNO}));

  Script number;
  number.act = [](HWND box) { Press(box, IDOK); };
  user::SetModalDialogHook(&Hook, &number);
  EXPECT_EQ(ShowUiMessageNumber(50092, MB_OK), IDOK);
  user::SetModalDialogHook(nullptr, nullptr);
  EXPECT_EQ(number.seen.caption, u"\u9519\u8bef-50092");
  ASSERT_FALSE(number.seen.firstPieces.empty());
  EXPECT_EQ(number.seen.firstPieces[0], u"\u6B64\u6587\u4EF6\u5939\u4E0D\u5B58\u5728\u3002");  // 此文件夹不存在。
}

}  // namespace
