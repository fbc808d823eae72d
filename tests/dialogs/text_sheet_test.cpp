// The Text Setup sheet driven as a person would: a new field made through
// the insert command and placed by a click, Cancel leaving nothing; the font
// half (faces from fontconfig, sizes, width scaling, styles), the rotation,
// the data through the data-source panel; the Options page's name rules and
// number modes as tables; an untouched OK leaving random fields' stored
// records unchanged in inches and millimetres; pictures in English and
// Chinese.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "datasource/ui/panel/panel_ids.h"
#include "dialogs/setup/font_data_ids.h"
#include "dialogs/setup/font_data_page.h"
#include "dialogs/text/text_ids.h"
#include "dialogs/text/text_options_page.h"
#include "dialogs/text/text_sheet.h"
#include "document/core/rvo_doc.h"
#include "document/view/field_sheets.h"
#include "fields/geometry/field_geometry.h"
#include "fields/measure/text_measure.h"
#include "fields/model/field_kinds.h"
#include "tests/app/dialog_script.h"
#include "tests/dialogs/dialogs_test_support.h"
#include "tests/document/view_session.h"

namespace {

using apptest::DialogScript;
using apptest::LanguageScope;
using namespace dialogstest;

// The data-source panel inside the Font / Data page.
HWND Panel(HWND page) { return ::GetDlgItem(page, IDC_TEXT_PANEL_PLACE + 1); }

// Chooses a combo entry by its text.
void ChooseText(HWND dialog, int id, const char* text) {
  HWND combo = ::GetDlgItem(dialog, id);
  const LRESULT at = ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  ASSERT_GE(at, 0) << "no entry " << text;
  Choose(dialog, id, static_cast<int>(at));
}

std::vector<std::string> Entries(HWND dialog, int id) {
  HWND combo = ::GetDlgItem(dialog, id);
  std::vector<std::string> entries;
  for (LRESULT i = 0; i < ::SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
    char text[256] = {};
    ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    entries.emplace_back(text);
  }
  return entries;
}

class TextSheet : public ::testing::Test {
 protected:
  void TearDown() override { CWnd::DeleteTempMap(); }
  CTextField* Existing() {
    auto f = std::make_unique<CTextField>();
    f->name = "Text_7";
    f->data = "Hello";
    f->offset = {500, 400};
    const SIZE size = MeasureTextField(*f, doc.fieldList, doc.labelSetup, 0);
    f->width = size.cx;
    f->height = size.cy;
    CTextField* raw = f.get();
    doc.fieldList.push_back(std::move(f));
    return raw;
  }
  viewtest::ShellApp app;
  MessageRecorder messages;
  CRvoDoc doc;
};

TEST_F(TextSheet, ANewFieldTakesTheFontTheDataAndTheRotation) {
  std::vector<std::string> faces;
  std::string note;
  bool noteShown = false;
  DialogScript script;
  script.Then([&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    faces = Entries(page, IDC_FONT_TRUETYPE_LIST);
    ChooseText(page, IDC_FONT_TRUETYPE_LIST, "DejaVu Serif");
    Type(page, IDC_FONT_SIZE, "14");
    SetCheck(page, IDC_FONT_BOLD, true);
    Type(page, IDC_FONT_WIDTH, "80%");
    Type(page, IDC_FONT_ROTATION, "37.5");
    Type(Panel(page), IDC_DS_DATA, "Tavrendel");
    // Printer fonts: the layout names no printer, and the list says so.
    SetCheck(page, IDC_FONT_PRINTER, true);
    noteShown = Shown(page, IDC_FONT_PRINTER_NOTE);
    note = Text(page, IDC_FONT_PRINTER_NOTE);
    SetCheck(page, IDC_FONT_TRUETYPE, true);
    Press(sheet, IDOK);
  });
  CField* made = nullptr;
  ASSERT_EQ(RunTextSetupSheet(&doc.labelSetup, &made, doc.fieldList, nullptr), 1);
  std::unique_ptr<CField> owned(made);
  ASSERT_EQ(script.captions.size(), 1u);
  EXPECT_EQ(script.captions[0], "Text Setup");
  EXPECT_TRUE(noteShown);
  EXPECT_EQ(note, "This printer has no fonts of its own.");
  // The faces are the system's, from fontconfig.
  EXPECT_NE(std::find(faces.begin(), faces.end(), "DejaVu Sans"), faces.end());
  EXPECT_NE(std::find(faces.begin(), faces.end(), "Liberation Serif"), faces.end());
  auto* text = dynamic_cast<CTextField*>(made);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text->name.GetData(), "Text_1");
  EXPECT_STREQ(text->fontName.GetData(), "DejaVu Serif");
  EXPECT_STREQ(text->logFont.lfFaceName, "DejaVu Serif");
  EXPECT_EQ(text->logFont.lfHeight, 14);
  EXPECT_EQ(text->logFont.lfWeight, 700);
  EXPECT_EQ(text->logFont.lfWidth, 8000);
  EXPECT_EQ(text->windowsFont, 1);
  EXPECT_EQ(text->rotation, 37500);
  EXPECT_EQ(text->logFont.lfEscapement, 375);
  EXPECT_EQ(text->dataSourceType, 0);
  EXPECT_EQ(DataText(text->data), u"Tavrendel");
  // Measured on OK.
  EXPECT_GT(text->width, 0);
  EXPECT_GT(text->height, 0);
}

TEST_F(TextSheet, WidthScalingAndSizesAsStoredAndShown) {
  const struct {
    LONG stored;
    const char* shown;
    const char* typed;
    LONG result;
  } cases[] = {{0, "100%", "80%", 8000}, {8050, "80.50%", "100%", 0}, {12000, "120.00%", "80.5%", 8050}};
  for (const auto& c : cases) {
    CTextField* field = Existing();
    field->logFont.lfWidth = c.stored;
    std::string shown;
    DialogScript script;
    script.Then([&](HWND sheet) {
      HWND page = CurrentPage(sheet);
      shown = Text(page, IDC_FONT_WIDTH);
      Type(page, IDC_FONT_WIDTH, c.typed);
      Press(sheet, IDOK);
    });
    CField* edited = field;
    ASSERT_EQ(RunTextSetupSheet(&doc.labelSetup, &edited, doc.fieldList, nullptr), 1);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(field->logFont.lfWidth, c.result) << c.typed;
  }
  // A size of 1 or less shows 10, and OK stores what is shown.
  CTextField* tiny = Existing();
  tiny->logFont.lfHeight = 1;
  std::string size;
  DialogScript script;
  script.Then([&](HWND sheet) {
    size = Text(CurrentPage(sheet), IDC_FONT_SIZE);
    Press(sheet, IDOK);
  });
  CField* edited = tiny;
  ASSERT_EQ(RunTextSetupSheet(&doc.labelSetup, &edited, doc.fieldList, nullptr), 1);
  EXPECT_EQ(size, "10");
  EXPECT_EQ(tiny->logFont.lfHeight, 10);
}

TEST_F(TextSheet, FieldNamesAndNumberModesOnTheOptionsPage) {
  const struct {
    const char* name;
    bool accepted;
  } names[] = {{"Qty_1", true}, {"A$", true}, {"1Qty", false}, {"Qty 1", false}, {"Qty-1", false}, {"", false}};
  for (const auto& n : names) {
    CTextField* field = Existing();
    messages.shown.clear();
    DialogScript script;
    script.Then([&](HWND sheet) {
      HWND page = ShowPage(sheet, 1);
      Type(page, IDC_TEXT_NAME, n.name);
      Press(sheet, IDOK);
      if (::IsWindowVisible(sheet)) Press(sheet, IDCANCEL);
    });
    CField* edited = field;
    EXPECT_EQ(RunTextSetupSheet(&doc.labelSetup, &edited, doc.fieldList, nullptr), n.accepted ? 1 : 0) << n.name;
    EXPECT_EQ(messages.Last(), n.accepted ? 0u : 50085u) << n.name;
    EXPECT_STREQ(field->name.GetData(), n.accepted ? n.name : "Text_7");
  }
  // Currency sets Formatted Number, clears the sign and the template, and
  // proposes 2 decimals and "$"; Template clears both; clearing Formatted
  // Number clears Currency.
  CTextField* field = Existing();
  field->showSign = 1;
  field->useFormatTemplate = 1;
  field->formatTemplate = "?? ??";
  field->decimalPlaces = 4;
  struct States {
    bool currency, number, sign, useTemplate, templateEnabled;
    std::string decimals, prefix, templateText;
  };
  std::vector<States> seen;
  auto look = [&](HWND page) {
    seen.push_back({Checked(page, IDC_TEXT_CURRENCY), Checked(page, IDC_TEXT_NUMBER), Checked(page, IDC_TEXT_SIGN),
                    Checked(page, IDC_TEXT_USE_TEMPLATE),
                    ::IsWindowEnabled(::GetDlgItem(page, IDC_TEXT_TEMPLATE)) != FALSE, Text(page, IDC_TEXT_DECIMALS),
                    Text(page, IDC_TEXT_PREFIX), Text(page, IDC_TEXT_TEMPLATE)});
  };
  DialogScript script;
  script.Then([&](HWND sheet) {
    HWND page = ShowPage(sheet, 1);
    look(page);
    Press(page, IDC_TEXT_CURRENCY);
    look(page);
    Press(page, IDC_TEXT_NUMBER);
    look(page);
    Press(page, IDC_TEXT_USE_TEMPLATE);
    look(page);
    Press(page, IDC_TEXT_CURRENCY);
    Press(sheet, IDOK);
  });
  CField* edited = field;
  ASSERT_EQ(RunTextSetupSheet(&doc.labelSetup, &edited, doc.fieldList, nullptr), 1);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_TRUE(seen[0].useTemplate && seen[0].templateEnabled && seen[0].sign);
  EXPECT_EQ(seen[0].templateText, "?? ??");
  EXPECT_TRUE(seen[1].currency && seen[1].number && !seen[1].sign && !seen[1].useTemplate);
  EXPECT_FALSE(seen[1].templateEnabled);
  EXPECT_EQ(seen[1].templateText, "");
  EXPECT_EQ(seen[1].decimals, "2");
  EXPECT_EQ(seen[1].prefix, "$");
  EXPECT_FALSE(seen[2].currency || seen[2].number);
  EXPECT_TRUE(seen[3].useTemplate && seen[3].templateEnabled);
  EXPECT_FALSE(seen[3].currency || seen[3].number);
  // Currency last: stored with its proposals.
  EXPECT_EQ(field->currencyFormat, 1);
  EXPECT_EQ(field->numberFormat, 1);
  EXPECT_EQ(field->useFormatTemplate, 0);
  EXPECT_EQ(field->showSign, 0);
  EXPECT_EQ(field->decimalPlaces, 2);
  EXPECT_STREQ(field->prefix.GetData(), "$");
}

// Random text fields as the designer stores them (measured).
std::unique_ptr<CTextField> RandomText(std::mt19937& rng, CRvoDoc& doc) {
  auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  static const char* const kFaces[] = {"DejaVu Sans", "Liberation Serif", "Liberation Mono", "No Such Face"};
  auto f = std::make_unique<CTextField>();
  f->name = ("Text_" + std::to_string(any(1, 999))).c_str();
  // Fixed data typed into the sheet is kept as UTF-16, as the designer keeps it.
  f->data = ("Value " + std::to_string(any(0, 99999))).c_str();
  f->data.ConvertToWide();
  f->data.SetCodePage(1200);
  f->offset = {any(0, 4000), any(0, 2500)};
  f->fontName = kFaces[any(0, 3)];
  std::snprintf(f->logFont.lfFaceName, sizeof f->logFont.lfFaceName, "%s", f->fontName.GetData());
  f->logFont.lfHeight = any(2, 72);
  f->logFont.lfWidth = any(0, 1) ? 0 : any(2, 20000);
  f->logFont.lfWeight = any(0, 1) ? 400 : 700;
  f->logFont.lfItalic = static_cast<BYTE>(any(0, 1));
  f->logFont.lfUnderline = static_cast<BYTE>(any(0, 1));
  f->logFont.lfCharSet = static_cast<BYTE>(any(0, 1) ? 0 : 134);
  f->SetRotation(any(0, 359999));
  f->foreColor = static_cast<COLORREF>(any(0, 0xFFFFFF));
  f->backColor = static_cast<COLORREF>(any(0, 0xFFFFFF));
  f->doNotPrint = static_cast<uint8_t>(any(0, 1));
  f->inverse = static_cast<uint8_t>(any(0, 1));
  f->tabSpaces = static_cast<int16_t>(any(1, 12));
  f->increment = any(-50, 50);
  f->duplicates = any(1, 9);
  f->decimalPlaces = static_cast<uint8_t>(any(0, 6));
  f->numberFormat = static_cast<uint8_t>(any(0, 1));
  f->prefix = any(0, 1) ? "" : "No.";
  const SIZE size = MeasureTextField(*f, doc.fieldList, doc.labelSetup, 0);
  f->width = size.cx;
  f->height = size.cy;
  // Turned about its position, a field can lie wholly off the label: the
  // designer keeps every field at least partly on it.
  KeepFieldInsideLabel(*f, doc.labelSetup);
  return f;
}

class TextSheetRoundTrip : public TextSheet, public ::testing::WithParamInterface<RoundTripUnit> {};

TEST_P(TextSheetRoundTrip, AnUntouchedOkLeavesRandomFieldsAsTheyWere) {
  std::mt19937 rng(36 + GetParam());
  doc.labelSetup.DefaultUnits = static_cast<uint8_t>(GetParam());
  for (int i = 0; i < kRoundTripFields; ++i) {
    std::unique_ptr<CTextField> field = RandomText(rng, doc);
    const std::vector<uint8_t> before = RecordBytes(*field);
    DialogScript script;
    script.Then([](HWND sheet) {
      // Both pages opened, as a person looking through them would.
      ShowPage(sheet, 1);
      ShowPage(sheet, 0);
      Press(sheet, IDOK);
    });
    CField* edited = field.get();
    ASSERT_EQ(RunTextSetupSheet(&doc.labelSetup, &edited, doc.fieldList, nullptr), 1) << i;
    const std::vector<uint8_t> after = RecordBytes(*field);
    size_t at = 0;
    while (at < after.size() && at < before.size() && after[at] == before[at]) ++at;
    std::string around;
    for (size_t k = at > 8 ? at - 8 : 0; k < at + 24 && k < after.size() && k < before.size(); ++k)
      around += std::to_string(before[k]) + "/" + std::to_string(after[k]) + " ";
    ASSERT_EQ(after, before) << around << "#" << i << " face " << field->fontName.GetData() << ", first difference at byte " << at;
  }
  EXPECT_TRUE(messages.shown.empty());
}
TAV_ROUND_TRIP_UNITS(TextSheetRoundTrip);

TEST_F(TextSheet, PicturesInEnglishAndChinese) {
  for (const dialogstest::PictureLanguage& shot : dialogstest::kPictureLanguages) {
    const int language = shot.language;
    const std::string suffix = shot.suffix;
        LanguageScope scope(language);
    CTextField* field = Existing();
    DialogScript script;
    script.Then([&](HWND sheet) {
      uitest::RunUntilIdle();
      EXPECT_TRUE(uitest::SaveWindowPng(sheet, PicturePath(std::string("text_font_data_") + suffix + ".png")));
      ShowPage(sheet, 1);
      EXPECT_TRUE(uitest::SaveWindowPng(sheet, PicturePath(std::string("text_options_") + suffix + ".png")));
      Press(sheet, IDCANCEL);
    });
    CField* edited = field;
    RunTextSetupSheet(&doc.labelSetup, &edited, doc.fieldList, nullptr);
  }
}

// The insert command: the sheet makes the field, the next click places it;
// Cancel leaves nothing behind.
TEST_F(TextSheet, TheInsertCommandPlacesTheNewField) {
  const FieldSheetRunners runners{.runTextSetupSheet = &RunTextSetupSheet};
  SetFieldSheetRunners(&runners);
  {
    viewtest::Session s(4000, 2500);
    EXPECT_TRUE(CommandEnabled(s.view, viewcmd::kAddText));
    EXPECT_FALSE(CommandEnabled(s.view, viewcmd::kAddBarcode));
    DialogScript cancel;
    cancel.Then([](HWND sheet) {
      Type(Panel(CurrentPage(sheet)), IDC_DS_DATA, "Gone");
      Press(sheet, IDCANCEL);
    });
    s.Command(viewcmd::kAddText);
    EXPECT_EQ(s.view->EditMode(), kModeIdle);
    EXPECT_TRUE(s.doc->fieldList.empty());
    DialogScript ok;
    ok.Then([](HWND sheet) {
      Type(Panel(CurrentPage(sheet)), IDC_DS_DATA, "Placed");
      Press(sheet, IDOK);
    });
    s.Command(viewcmd::kAddText);
    EXPECT_EQ(s.view->EditMode(), kModePlaceText);
    uitest::Click(s.hwnd(), s.Px(1000, 800));
    uitest::RunUntilIdle();
    ASSERT_EQ(s.doc->fieldList.size(), 1u);
    auto* placed = dynamic_cast<CTextField*>(s.doc->fieldList[0].get());
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(DataText(placed->data), u"Placed");
    EXPECT_NEAR(placed->offset.x, 1000, 20);
    EXPECT_NEAR(placed->offset.y, 800, 20);
    // Double click: the same sheet on the placed field, with undo.
    DialogScript edit;
    edit.Then([](HWND sheet) {
      Type(CurrentPage(sheet), IDC_FONT_ROTATION, "90");
      Press(sheet, IDOK);
    });
    uitest::DoubleClick(s.hwnd(), s.Body(placed));
    uitest::RunUntilIdle();
    EXPECT_EQ(placed->rotation, 90000);
    s.Command(viewcmd::kEditUndo);
    EXPECT_EQ(s.doc->fieldList[0]->rotation, 0);
  }
  SetFieldSheetRunners(nullptr);
}

}  // namespace
