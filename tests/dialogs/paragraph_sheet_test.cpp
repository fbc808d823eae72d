// The paragraph sheet driven as a person would: the Format page's
// justification and indentation rules and its sample's line pitch as
// tables, lengths in inches and millimetres, a new paragraph half as wide as
// the label, the size and place kept unless the layout changed, the Options
// page keeping the old name for an empty one, an untouched OK leaving random
// paragraphs' stored records unchanged, and pictures in English and Chinese.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "datasource/ui/panel/panel_ids.h"
#include "dialogs/paragraph/paragraph_ids.h"
#include "dialogs/paragraph/paragraph_pages.h"
#include "dialogs/paragraph/paragraph_sheet.h"
#include "dialogs/setup/font_data_ids.h"
#include "document/core/rvo_doc.h"
#include "fields/geometry/field_outline.h"
#include "fields/measure/text_measure.h"
#include "fields/model/field_kinds.h"
#include "tests/app/dialog_script.h"
#include "tests/dialogs/dialogs_test_support.h"
#include "tests/document/view_session.h"

namespace {

using apptest::DialogScript;
using apptest::LanguageScope;
using namespace dialogstest;

int Selection(HWND dialog, int id) { return static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)); }

class ParagraphSheet : public ::testing::Test {
 protected:
  void TearDown() override { CWnd::DeleteTempMap(); }
  CParagraphField* Existing() {
    auto f = std::make_unique<CParagraphField>();
    f->name = "Paragraph_3";
    f->data = "One two three four five six seven";
    f->data.ConvertToWide();
    f->data.SetCodePage(1200);
    f->offset = {400, 300};
    const SIZE size = MeasureTextField(*f, doc.fieldList, doc.labelSetup, 0);
    f->width = size.cx;
    f->height = size.cy;
    CParagraphField* raw = f.get();
    doc.fieldList.push_back(std::move(f));
    return raw;
  }
  int Run(CField* field) {
    CField* edited = field;
    return RunParagraphSetupSheet(&doc.labelSetup, &edited, doc.fieldList, nullptr);
  }
  viewtest::ShellApp app;
  MessageRecorder messages;
  CRvoDoc doc;
};

TEST_F(ParagraphSheet, JustificationAndIndentationOnTheFormatPage) {
  struct Case {
    const char* why;
    int unit;
    int justification;  // item chosen
    int indentKind;     // item chosen (when enabled)
    bool indentEnabled;
    std::string amountShown;
    int16_t storedJustification;
    int32_t storedIndent;
  };
  const Case cases[] = {
      {"Left with a first-line indent proposes a quarter inch", 1, 0, 1, true, "0.250", -1, 250},
      {"in millimetres the proposal shows 6.350", 2, 0, 1, true, "6.350", -1, 250},
      {"Hanging stores the negative amount", 1, 0, 2, true, "0.250", -1, -250},
      {"Center forces no indentation and disables it", 1, 1, 1, false, "", 0, 0},
      {"Right as well", 1, 2, 2, false, "", 1, 0},
      {"Full as well", 1, 3, 1, false, "", 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    doc.labelSetup.DefaultUnits = static_cast<uint8_t>(c.unit);
    CParagraphField* field = Existing();
    bool enabled = false;
    std::string amount;
    int kindAfter = -1;
    DialogScript script;
    script.Then([&](HWND sheet) {
      HWND page = ShowPage(sheet, 1);
      Choose(page, IDC_PARA_JUSTIFY, c.justification);
      enabled = ::IsWindowEnabled(::GetDlgItem(page, IDC_PARA_INDENT_KIND)) != FALSE;
      if (enabled) Choose(page, IDC_PARA_INDENT_KIND, c.indentKind);
      kindAfter = Selection(page, IDC_PARA_INDENT_KIND);
      if (Shown(page, IDC_PARA_INDENT)) amount = Text(page, IDC_PARA_INDENT);
      Press(sheet, IDOK);
    });
    ASSERT_EQ(Run(field), 1);
    EXPECT_EQ(enabled, c.indentEnabled);
    EXPECT_EQ(amount, c.amountShown);
    if (!c.indentEnabled) {
      EXPECT_EQ(kindAfter, 0);
    }
    EXPECT_EQ(field->anchor, c.storedJustification);
    EXPECT_EQ(field->indent, c.storedIndent);
  }
}

TEST_F(ParagraphSheet, LineSpacingMovesTheSampleLinesApart) {
  for (const int percent : {0, 50, 100}) {
    CParagraphField* field = Existing();
    std::vector<int> tops;
    DialogScript script;
    script.Then([&](HWND sheet) {
      HWND page = ShowPage(sheet, 1);
      Type(page, IDC_PARA_SPACING, std::to_string(percent));
      ::UpdateWindow(::GetDlgItem(page, IDC_PARA_SAMPLE));
      uitest::RunUntilIdle();
      auto* sample = dynamic_cast<CParaSample*>(CWnd::FromHandlePermanent(::GetDlgItem(page, IDC_PARA_SAMPLE)));
      if (sample) tops = sample->lineTops;
      if (percent == 50) {
        EXPECT_TRUE(uitest::SaveWindowPng(sheet, PicturePath("paragraph_format_spacing50_en.png")));
      }
      Press(sheet, IDOK);
    });
    ASSERT_EQ(Run(field), 1);
    EXPECT_DOUBLE_EQ(field->lineSpacing, percent / 100.0);
    ASSERT_GE(tops.size(), 2u) << percent;
    // The pitch is the height of a line of the sample's font (bold Arial of
    // 14 pixels, measured here on its own) widened by the percentage.
    LOGFONTA lf{};
    lf.lfHeight = 14;
    lf.lfWeight = FW_BOLD;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "Arial");
    HDC screen = ::GetDC(nullptr);
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(screen, font);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(screen, &tm);
    ::SelectObject(screen, old);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, screen);
    ASSERT_GT(tm.tmHeight, 0);
    EXPECT_NEAR(tops[1] - tops[0], tm.tmHeight * (1 + percent / 100.0), 1.0) << percent;
  }
}

TEST_F(ParagraphSheet, ANewParagraphIsHalfAsWideAsTheLabel) {
  doc.labelSetup.labelWidth = 3000;
  std::string shown;
  DialogScript script;
  script.Then([&](HWND sheet) {
    HWND data = ::GetDlgItem(CurrentPage(sheet), IDC_PARA_PANEL_PLACE + 1);
    Type(data, IDC_DS_DATA, "A new paragraph");
    shown = Text(ShowPage(sheet, 1), IDC_PARA_WIDTH);
    Press(sheet, IDOK);
    if (::IsWindowVisible(sheet)) Press(sheet, IDCANCEL);
  });
  CField* made = nullptr;
  ASSERT_EQ(RunParagraphSetupSheet(&doc.labelSetup, &made, doc.fieldList, nullptr), 1);
  std::unique_ptr<CField> owned(made);
  EXPECT_EQ(script.captions.at(0), "Paragragh Setup");
  EXPECT_EQ(shown, "1.500");
  auto* p = dynamic_cast<CParagraphField*>(made);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->wrapWidth, 1500);
  EXPECT_STREQ(p->name.GetData(), "Paragraph_1");
}

TEST_F(ParagraphSheet, SizeAndPlaceAreKeptUnlessTheLayoutChanged) {
  // A colour alone: size and corner kept.
  CParagraphField* field = Existing();
  field->width += 37;  // not what a measurement would give
  const SIZE size{field->width, field->height};
  const RECT before = GetFieldBoundingRect(*field, 0, 0, 0, 0);
  DialogScript colour;
  colour.Then([](HWND sheet) {
    HWND page = ShowPage(sheet, 2);
    Press(page, IDC_PARA_FORE_COLOUR);
    Press(sheet, IDOK);
  });
  colour.Then([](HWND dialog) {
    Type(dialog, 706, "200");  // red
    Press(dialog, IDOK);
  });
  ASSERT_EQ(Run(field), 1);
  EXPECT_EQ(field->foreColor, RGB(200, 0, 0));
  EXPECT_EQ(field->width, size.cx);
  EXPECT_EQ(field->height, size.cy);
  EXPECT_EQ(GetFieldBoundingRect(*field, 0, 0, 0, 0).left, before.left);
  // A bigger font: measured again.
  DialogScript font;
  font.Then([](HWND sheet) {
    Type(CurrentPage(sheet), IDC_FONT_SIZE, "20");
    Press(sheet, IDOK);
  });
  ASSERT_EQ(Run(field), 1);
  EXPECT_EQ(field->logFont.lfHeight, 20);
  EXPECT_GT(field->height, size.cy);
  // The Options page: an empty name keeps the old one.
  DialogScript name;
  name.Then([](HWND sheet) {
    Type(ShowPage(sheet, 2), IDC_PARA_NAME, "");
    Press(sheet, IDOK);
  });
  ASSERT_EQ(Run(field), 1);
  EXPECT_STREQ(field->name.GetData(), "Paragraph_3");
}

class ParagraphSheetRoundTrip : public ParagraphSheet, public ::testing::WithParamInterface<RoundTripUnit> {};

TEST_P(ParagraphSheetRoundTrip, AnUntouchedOkLeavesRandomParagraphsAsTheyWere) {
  std::mt19937 rng(123 + GetParam());
  auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  doc.labelSetup.DefaultUnits = static_cast<uint8_t>(GetParam());
  for (int i = 0; i < kRoundTripFields; ++i) {
    CParagraphField* field = Existing();
    field->lineSpacing = any(0, 300) / 137.0;  // not a whole percent
    field->wrapWidth = any(100, 3999);
    field->indent = any(-400, 400);
    field->anchor = static_cast<int16_t>(field->indent ? -1 : any(-1, 2));
    field->wordWrap = static_cast<uint8_t>(any(0, 1));
    field->fitFont = static_cast<uint8_t>(any(0, 1));
    field->logFont.lfHeight = any(6, 30);
    field->SetRotation(any(0, 359999));
    field->tabSpaces = static_cast<int16_t>(any(1, 9));
    const std::vector<uint8_t> before = RecordBytes(*field);
    DialogScript script;
    script.Then([](HWND sheet) {
      ShowPage(sheet, 1);
      ShowPage(sheet, 2);
      ShowPage(sheet, 0);
      Press(sheet, IDOK);
    });
    ASSERT_EQ(Run(field), 1) << i;
    ASSERT_EQ(RecordBytes(*field), before) << "#" << i;
  }
  EXPECT_TRUE(messages.shown.empty());
}
TAV_ROUND_TRIP_UNITS(ParagraphSheetRoundTrip);

TEST_F(ParagraphSheet, PicturesInEnglishAndChinese) {
  for (const dialogstest::PictureLanguage& shot : dialogstest::kPictureLanguages) {
    const int language = shot.language;
    const std::string suffix = shot.suffix;
        LanguageScope scope(language);
    CParagraphField* field = Existing();
    DialogScript script;
    script.Then([&](HWND sheet) {
      uitest::RunUntilIdle();
      const char* const names[] = {"paragraph_font_data_", "paragraph_format_", "paragraph_options_"};
      for (int page = 0; page < 3; ++page) {
        ShowPage(sheet, page);
        EXPECT_TRUE(uitest::SaveWindowPng(sheet, PicturePath(std::string(names[page]) + suffix + ".png")));
      }
      Press(sheet, IDCANCEL);
    });
    EXPECT_EQ(Run(field), 0);
  }
}

}  // namespace
