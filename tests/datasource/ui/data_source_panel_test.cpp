// The data-source panel hosted in a page as the field property pages host
// it, driven as a person would: for each page kind and each source the
// field may take, the source is chosen in the list, its group filled in, and
// the field's members read after the page's OK; real counter and choose-list
// files in a temporary folder, a real SQLite database through unixODBC.
// Pictures of every group in English and Chinese.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "../odbc_environment.h"
#include "../temp_folder.h"
#include "datasource/choose_list.h"
#include "datasource/counter_file.h"
#include "datasource/data_folders.h"
#include "datasource/db_bindings.h"
#include "datasource/db_source_lists.h"
#include "datasource/field_sources.h"
#include "datasource/ui/panel/data_source_panel.h"
#include "datasource/ui/panel/panel_ids.h"
#include "datasource/ui/records/records_ids.h"
#include "grid/grid_ctrl.h"
#include "fields/model/field_kinds.h"
#include "foundation/settings/process_settings.h"
#include "panel_test_support.h"

namespace {

using dsui_test::ChooseByData;
using dsui_test::ChooseByText;
using dsui_test::IsShown;
using dsui_test::ItemText;
using dsui_test::TypeInto;

constexpr int kFixed = 0, kLinkFile = 1, kPrompt = 2, kChooseList = 3, kCounter = 4, kDate = 5, kTime = 6,
              kLinkExpression = 7, kDatabase = 8, kStrings = 11;

std::string Narrow(const AString& text) { return std::string(text.GetData(), static_cast<size_t>(text.GetLength())); }

// A wide field string as UTF-8.
std::string WideUtf8(const AString& text) {
  EXPECT_TRUE(text.IsWide()) << "the string is narrow: " << Narrow(text);
  return dsui_test::ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(text.GetData()),
                                          static_cast<size_t>(text.GetLength() / 2)));
}

AString Utf16(const char16_t* text) {
  const std::u16string units(text);
  AString out(static_cast<int>(units.size() * 2), reinterpret_cast<const char*>(units.data()));
  out.SetWide(true);
  return out;
}

std::unique_ptr<CField> TextField() { return std::make_unique<CTextField>(); }
std::unique_ptr<CField> Code128Field() {
  auto field = std::make_unique<CBarcodeField>();
  field->symbology = 4;
  return field;
}
std::unique_ptr<CField> QrField() {
  auto field = std::make_unique<CBarcodeField>();
  field->symbology = 33;
  return field;
}
std::unique_ptr<CField> ParagraphField() { return std::make_unique<CParagraphField>(); }
std::unique_ptr<CField> ImageField() { return std::make_unique<CImageField>(); }

AString& DataOf(CField& field) {
  switch (field.Kind()) {
    case FieldKind::kBarcode: return static_cast<CBarcodeField&>(field).data;
    case FieldKind::kParagraph: return static_cast<CParagraphField&>(field).data;
    default: return static_cast<CTextField&>(field).data;
  }
}

struct PanelCase {
  const char* name;
  DataPageKind page;
  std::unique_ptr<CField> (*make)();
  int type;
  // What the person does in the type's group.
  std::function<void(HWND panel)> act;
  // The field (and the layout's bindings) after OK.
  std::function<void(CField& field, CLabelSetup& setup)> check;
};

class DataSourcePanelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    odbc_test::Sqlite(
        "DROP TABLE IF EXISTS panel_items; CREATE TABLE panel_items (code VARCHAR(10), name VARCHAR(40));"
        "INSERT INTO panel_items VALUES ('A1', 'Anchor'), ('B2', 'Bolt');");
  }
  void SetUp() override {
    oldImages_ = GetFolder(FolderKind::kImage);
    oldLinked_ = GetFolder(FolderKind::kLinkedText);
    SetDataFolder(DataFolder::kCounters, AString(folder_.path().c_str()));
    SetDataFolder(DataFolder::kChooseLists, AString(folder_.path().c_str()));
    SetFolder(FolderKind::kImage, AString((folder_.path() + "/").c_str()));
    SetFolder(FolderKind::kLinkedText, AString((folder_.path() + "/").c_str()));
    CCounterFileData counter;
    counter.value = "0042";
    counter.description = Utf16(u"Lot counter");
    WriteCounterFile(folder_.File("lot.cntr").c_str(), counter);
    AArray<AString> items;
    items.Add(Utf16(u"red"));
    items.Add(Utf16(u"green"));
    const AString list = ChooseListBytes(items);
    std::vector<uint8_t> disk;
    for (int i = 0; i < list.GetLength(); ++i) {
      const auto byte = static_cast<uint8_t>(list.GetData()[i]);
      if (byte == 0x0A) disk.push_back(0x0D);
      disk.push_back(byte);
    }
    WriteBytes(folder_.File("colours.chl"), disk);
    WriteText(folder_.File("logo.png"), "not looked at");
    WriteText(folder_.File("names.txt"), "Ann,Bob,Cy");
    RememberDbSource(AString(odbc_test::kSqliteDsn), 0);
    host_ = dsui_test::CreateHostPage();
  }
  void TearDown() override {
    ::DestroyWindow(host_);
    uitest::RunUntilIdle();
    SetDataFolder(DataFolder::kCounters, AString());
    SetDataFolder(DataFolder::kChooseLists, AString());
    SetFolder(FolderKind::kImage, oldImages_);
    SetFolder(FolderKind::kLinkedText, oldLinked_);
    CWnd::DeleteTempMap();
  }

  apptest::LanguageScope english_{kUiEnglish};
  TempFolder folder_;
  HWND host_ = nullptr;
  CLabelSetup setup_;
  AString oldImages_, oldLinked_;
};

const std::vector<PanelCase>& Cases() {
  static const std::vector<PanelCase> cases = {
      {"text_fixed", DataPageKind::kText, TextField, kFixed,
       [](HWND p) { TypeInto(p, IDC_DS_DATA, "Lot [cr]7"); },
       [](CField& f, CLabelSetup&) {
         // A text field keeps typed data as UTF-16; the name is the character.
         EXPECT_EQ(WideUtf8(DataOf(f)), "Lot \r7");
       }},
      {"barcode_fixed", DataPageKind::kBarcode, Code128Field, kFixed,
       [](HWND p) { TypeInto(p, IDC_DS_DATA, "12[gs]34"); },
       [](CField& f, CLabelSetup&) {
         EXPECT_FALSE(DataOf(f).IsWide());
         EXPECT_EQ(Narrow(DataOf(f)), "12\x1d" "34");
       }},
      {"text_prompt", DataPageKind::kText, TextField, kPrompt,
       [](HWND p) {
         TypeInto(p, IDC_DS_PROMPT, "Lot number?");
         TypeInto(p, IDC_DS_DEFAULT_DATA, "L-0001-extra");
         TypeInto(p, IDC_DS_MAX_CHARS, "6");
         TypeInto(p, IDC_DS_MIN_CHARS, "2");
         ASSERT_TRUE(ChooseByData(p, IDC_DS_ALIGN, 1));
         ASSERT_TRUE(ChooseByData(p, IDC_DS_AFTER_PRINT, 1));
       },
       [](CField& f, CLabelSetup&) {
         EXPECT_EQ(WideUtf8(f.prompt), "Lot number?");
         EXPECT_EQ(WideUtf8(DataOf(f)), "L-0001");  // cut to the maximum
         EXPECT_EQ(f.maxChars, 6);
         EXPECT_EQ(f.minChars, 2);
         EXPECT_EQ(f.anchor, 1);
         EXPECT_EQ(f.resetAfterPrint, 2);  // "Clear data"
       }},
      {"text_choose_list", DataPageKind::kText, TextField, kChooseList,
       [](HWND p) {
         ASSERT_TRUE(ChooseByText(p, IDC_DS_LIST_FILE, "colours.chl"));
         EXPECT_EQ(dsui_test::ComboItems(p, IDC_DS_DEFAULT_ITEM), (std::vector<std::string>{"red", "green"}));
         ASSERT_TRUE(ChooseByText(p, IDC_DS_DEFAULT_ITEM, "green"));
         TypeInto(p, IDC_DS_PROMPT, "Colour?");
         ASSERT_TRUE(ChooseByData(p, IDC_DS_AFTER_PRINT, 0));  // "No"
       },
       [](CField& f, CLabelSetup&) {
         EXPECT_EQ(Narrow(f.listFile), "colours.chl");
         EXPECT_EQ(WideUtf8(DataOf(f)), "green");
         EXPECT_EQ(WideUtf8(f.prompt), "Colour?");
         EXPECT_EQ(f.maxChars, 5);
         EXPECT_EQ(f.minChars, 0);
         EXPECT_EQ(f.resetAfterPrint, 0);
       }},
      {"text_counter", DataPageKind::kText, TextField, kCounter,
       [](HWND p) {
         ASSERT_TRUE(ChooseByText(p, IDC_DS_COUNTER_FILE, "lot.cntr"));
         EXPECT_EQ(ItemText(p, IDC_DS_COUNTER_VALUE), u"0042");
         EXPECT_EQ(ItemText(p, IDC_DS_COUNTER_DESCRIPTION), u"Lot counter");
       },
       [](CField& f, CLabelSetup&) {
         EXPECT_EQ(Narrow(f.counterFile), "lot.cntr");
         EXPECT_EQ(Narrow(DataOf(f)), "0042");
       }},
      {"text_date", DataPageKind::kText, TextField, kDate,
       [](HWND p) {
         EXPECT_FALSE(IsShown(p, IDC_DS_CLOCK));
         EXPECT_FALSE(IsShown(p, IDC_DS_CLOCK_CAPTION));
         EXPECT_EQ(dsui_test::ComboItems(p, IDC_DS_UNIT), (std::vector<std::string>{"Days", "Months", "Years"}));
         ASSERT_TRUE(ChooseByText(p, IDC_DS_FORMAT, "yyyy-mm-dd"));
         TypeInto(p, IDC_DS_OFFSET, "5");
         ASSERT_TRUE(ChooseByData(p, IDC_DS_UNIT, 1));
       },
       [](CField& f, CLabelSetup&) {
         auto& t = static_cast<CTextField&>(f);
         EXPECT_EQ(Narrow(t.offsetUnit), "yyyy-mm-dd");
         EXPECT_EQ(t.dateOffset, 5);
         EXPECT_EQ(t.dateFormat, 1);  // months
         EXPECT_EQ(t.clockSource, 0);
       }},
      {"barcode_time", DataPageKind::kBarcode, Code128Field, kTime,
       [](HWND p) {
         EXPECT_EQ(dsui_test::ComboItems(p, IDC_DS_UNIT), (std::vector<std::string>{"Hours", "Minutes"}));
         ASSERT_TRUE(ChooseByText(p, IDC_DS_FORMAT, "hh:mm"));
         TypeInto(p, IDC_DS_OFFSET, "-2");
         ASSERT_TRUE(ChooseByData(p, IDC_DS_UNIT, 3));
       },
       [](CField& f, CLabelSetup&) {
         auto& b = static_cast<CBarcodeField&>(f);
         EXPECT_EQ(Narrow(b.offsetUnit), "hh:mm");
         EXPECT_EQ(b.dateOffset, -2);
         EXPECT_EQ(b.timeFormat, 3);
       }},
      {"text_link_expression", DataPageKind::kText, TextField, kLinkExpression,
       [](HWND p) { TypeInto(p, IDC_DS_EXPRESSION, "Name + Lot"); },
       [](CField& f, CLabelSetup&) { EXPECT_EQ(WideUtf8(DataOf(f)), "Name + Lot"); }},
      {"text_database", DataPageKind::kText, TextField, kDatabase,
       [](HWND p) {
         ASSERT_TRUE(ChooseByText(p, IDC_DS_DB_SOURCE, odbc_test::kSqliteDsn));
         ASSERT_TRUE(ChooseByText(p, IDC_DS_DB_TABLE, "panel_items"));
         EXPECT_EQ(dsui_test::ComboItems(p, IDC_DS_DB_COLUMN), (std::vector<std::string>{"code", "name"}));
         EXPECT_EQ(dsui_test::ComboItems(p, IDC_DS_DB_KEY), (std::vector<std::string>{"code", "name"}));
         EXPECT_TRUE(IsShown(p, IDC_DS_RECORDS));
         EXPECT_TRUE(IsShown(p, IDC_DS_DB_PROMPT));
         EXPECT_FALSE(IsShown(p, IDC_DS_DB_KEY_VALUE));
         ASSERT_TRUE(ChooseByText(p, IDC_DS_DB_COLUMN, "name"));
         ASSERT_TRUE(ChooseByText(p, IDC_DS_DB_KEY, "code"));
         // "..." browses the table's records.
         std::vector<std::string> rows;
         apptest::DialogScript script;
         script.Then([&rows](HWND records) {
           HWND grid = ::GetDlgItem(records, IDC_RECORD_GRID);
           auto* shown = dynamic_cast<CGridCtrl*>(CWnd::FromHandlePermanent(grid));
           ASSERT_NE(shown, nullptr);
           for (int row = 1; row < shown->GetRowCount(); ++row) rows.emplace_back(shown->GetItemText(row, 0).GetData());
           apptest::Press(records, IDOK);
         });
         dsui_test::Click(p, IDC_DS_RECORDS);
         EXPECT_EQ(rows, (std::vector<std::string>{"A1", "B2"}));
         TypeInto(p, IDC_DS_DB_MAX, "20");
       },
       [](CField& f, CLabelSetup& setup) {
         EXPECT_EQ(Narrow(f.dbSource), odbc_test::kSqliteDsn);
         EXPECT_EQ(Narrow(f.dbTable), "panel_items");
         EXPECT_EQ(Narrow(f.dbColumn), "name");
         EXPECT_EQ(f.maxChars, 20);
         CDbBinding binding;
         ASSERT_EQ(FindDbBinding(setup.dbBindings, f.dbSource, f.dbTable, &binding), 1);
         EXPECT_EQ(Narrow(binding.keyColumn), "code");
         EXPECT_EQ(binding.useLinkedKeyValue, 0);
       }},
      {"text_strings_in_file", DataPageKind::kText, TextField, kStrings,
       [](HWND p) {
         ::SetDlgItemTextA(p, IDC_DS_STRINGS_PATH, "");
         TypeInto(p, IDC_DS_STRINGS_PATH, "/data/names.txt");
         ASSERT_TRUE(ChooseByData(p, IDC_DS_STRINGS_SEPARATOR, ','));
         TypeInto(p, IDC_DS_STRINGS_MAX, "8");
         ASSERT_TRUE(ChooseByData(p, IDC_DS_DB_ALIGN, 0));
       },
       [](CField& f, CLabelSetup&) {
         EXPECT_EQ(Narrow(f.stringsFile), "/data/names.txt");
         EXPECT_EQ(f.stringsDelimiter, ',');
         EXPECT_EQ(f.maxChars, 8);
         EXPECT_EQ(f.anchor, 0);
       }},
      {"barcode_link_file", DataPageKind::kBarcode, QrField, kLinkFile,
       [](HWND p) {
         // The field starts with the default folder: its files are listed.
         EXPECT_TRUE(IsShown(p, IDC_DS_FOLDER_FILE));
         EXPECT_FALSE(IsShown(p, IDC_DS_PATH));
         dsui_test::Click(p, IDC_DS_USE_DEFAULT_FOLDER);
         EXPECT_TRUE(IsShown(p, IDC_DS_PATH));
         EXPECT_TRUE(IsShown(p, IDC_DS_BROWSE));
         EXPECT_FALSE(IsShown(p, IDC_DS_FOLDER_FILE));
         TypeInto(p, IDC_DS_PATH, "/srv/codes/serial.txt");
       },
       [](CField& f, CLabelSetup&) {
         EXPECT_EQ(f.useFolder, 0);
         EXPECT_EQ(Narrow(DataOf(f)), "/srv/codes/serial.txt");
       }},
      {"paragraph_prompt", DataPageKind::kParagraph, ParagraphField, kPrompt,
       [](HWND p) {
         EXPECT_FALSE(IsShown(p, IDC_DS_DEFAULT_DATA));  // the paragraph row has no default-data box
         TypeInto(p, IDC_DS_PROMPT, "Notes?");
         TypeInto(p, IDC_DS_MAX_CHARS, "40");
       },
       [](CField& f, CLabelSetup&) {
         EXPECT_EQ(WideUtf8(f.prompt), "Notes?");
         EXPECT_EQ(f.maxChars, 40);
       }},
      {"image_link_file", DataPageKind::kImage, ImageField, kLinkFile,
       [](HWND p) {
         ASSERT_TRUE(IsShown(p, IDC_DS_FOLDER_FILE));
         ASSERT_TRUE(ChooseByText(p, IDC_DS_FOLDER_FILE, "logo.png"));
       },
       [](CField& f, CLabelSetup&) {
         EXPECT_EQ(f.useFolder, 1);
         EXPECT_EQ(Narrow(static_cast<CImageField&>(f).fileName), "logo.png");
       }},
      {"image_prompt", DataPageKind::kImage, ImageField, kPrompt,
       [](HWND p) {
         EXPECT_FALSE(IsShown(p, IDC_DS_MAX_CHARS));
         TypeInto(p, IDC_DS_PROMPT, "Picture?");
         ASSERT_TRUE(ChooseByData(p, IDC_DS_AFTER_PRINT, 0));
       },
       [](CField& f, CLabelSetup&) {
         EXPECT_EQ(WideUtf8(f.prompt), "Picture?");
         EXPECT_EQ(f.resetAfterPrint, 1);  // "Keep default data"
       }},
      {"paragraph_database", DataPageKind::kParagraph, ParagraphField, kDatabase,
       [](HWND p) {
         ASSERT_TRUE(ChooseByText(p, IDC_DS_DB_SOURCE, odbc_test::kSqliteDsn));
         ASSERT_TRUE(ChooseByText(p, IDC_DS_DB_TABLE, "panel_items"));
         EXPECT_FALSE(IsShown(p, IDC_DS_DB_MAX));
         dsui_test::Click(p, IDC_DS_DB_LINKED_KEY);
         EXPECT_TRUE(IsShown(p, IDC_DS_DB_KEY_VALUE));
         EXPECT_FALSE(IsShown(p, IDC_DS_DB_PROMPT));
         TypeInto(p, IDC_DS_DB_KEY_VALUE, "B2");
       },
       [](CField& f, CLabelSetup& setup) {
         EXPECT_EQ(Narrow(f.dbColumn), "code");
         CDbBinding binding;
         ASSERT_EQ(FindDbBinding(setup.dbBindings, f.dbSource, f.dbTable, &binding), 1);
         EXPECT_EQ(binding.useLinkedKeyValue, 1);
         EXPECT_EQ(WideUtf8(binding.keyValueText), "B2");
       }},
  };
  return cases;
}

// The controls of the panel that show, apart from the type list.
std::set<int> ShownControls(HWND panel) {
  std::set<int> shown;
  for (HWND child = ::GetWindow(panel, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(child);
    if (id != IDC_DS_TYPE && id != IDC_DS_TYPE_CAPTION && (::GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) shown.insert(id);
  }
  return shown;
}

TEST_F(DataSourcePanelTest, EachSourceShowsItsRowAndStoresItsValues) {
  for (const PanelCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    auto field = c.make();
    CLabelSetup setup;
    CDataSourcePanel panel(c.page, *field, &setup);
    ASSERT_TRUE(panel.CreateInPlaceholder(CWnd::FromHandle(host_), dsui_test::kPlaceholder));
    uitest::RunUntilIdle();
    HWND p = panel.m_hWnd;
    ASSERT_TRUE(ChooseByData(p, IDC_DS_TYPE, c.type)) << "the source is not offered";
    // Only controls of the chosen type's row show, never the clock.
    const DataSourceControlRow& row = DataPageControlTable(c.page)[c.type];
    for (const int id : ShownControls(p)) {
      EXPECT_NE(std::find(row.begin(), row.end(), id), row.end()) << "control " << id << " shows";
      EXPECT_NE(id, IDC_DS_CLOCK);
    }
    c.act(p);
    uitest::SaveWindowPng(host_, dsui_test::PicturePath("panel_" + std::string(c.name) + "_en.png"));
    ASSERT_EQ(panel.ApplyDataSourceSection(), 1);
    EXPECT_EQ(field->dataSourceType, c.type);
    c.check(*field, setup);
    panel.DestroyWindow();
  }
}

TEST_F(DataSourcePanelTest, OffersOnlyTheSourcesTheFieldMayTake) {
  struct Offer {
    const char* name;
    DataPageKind page;
    std::unique_ptr<CField> (*make)();
    std::vector<int> types;
  };
  const Offer offers[] = {
      {"text", DataPageKind::kText, TextField, {0, 7, 8, 11, 2, 4, 3, 5, 6}},
      {"Code 128", DataPageKind::kBarcode, Code128Field, {0, 7, 8, 11, 2, 4, 3, 5, 6}},
      {"QR Code", DataPageKind::kBarcode, QrField, {0, 1, 7, 8, 11, 2}},
      {"paragraph", DataPageKind::kParagraph, ParagraphField, {0, 1, 8, 2}},
      {"image", DataPageKind::kImage, ImageField, {1, 7, 8, 2}},
  };
  for (const Offer& offer : offers) {
    SCOPED_TRACE(offer.name);
    auto field = offer.make();
    CDataSourcePanel panel(offer.page, *field, nullptr);
    ASSERT_TRUE(panel.CreateInPlaceholder(CWnd::FromHandle(host_), dsui_test::kPlaceholder));
    std::vector<int> offered;
    HWND combo = ::GetDlgItem(panel.m_hWnd, IDC_DS_TYPE);
    for (int i = 0; i < ::SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i)
      offered.push_back(static_cast<int>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
    EXPECT_EQ(offered, offer.types);
    panel.DestroyWindow();
  }
}

TEST_F(DataSourcePanelTest, AStoredFieldShowsItsValues) {
  CTextField field;
  field.SetDataSourceType(kDate, 0);
  field.offsetUnit = "dd.mm.yyyy";
  field.dateOffset = -20000;
  field.dateFormat = 2;
  CDataSourcePanel panel(DataPageKind::kText, field, nullptr);
  ASSERT_TRUE(panel.CreateInPlaceholder(CWnd::FromHandle(host_), dsui_test::kPlaceholder));
  HWND p = panel.m_hWnd;
  EXPECT_EQ(::SendDlgItemMessageW(p, IDC_DS_TYPE, CB_GETITEMDATA,
                                  static_cast<WPARAM>(::SendDlgItemMessageW(p, IDC_DS_TYPE, CB_GETCURSEL, 0, 0)), 0),
            kDate);
  // The offset shows no lower than -9999.
  EXPECT_EQ(ItemText(p, IDC_DS_OFFSET), u"-9999");
  EXPECT_EQ(ItemText(p, IDC_DS_FORMAT), u"dd.mm.yyyy");
  EXPECT_EQ(ItemText(p, IDC_DS_UNIT), u"Years");
  panel.DestroyWindow();

  // A narrow barcode text shows its control characters by name.
  CBarcodeField barcode;
  barcode.symbology = 4;
  barcode.data = AString("A\r\nB");
  CDataSourcePanel second(DataPageKind::kBarcode, barcode, nullptr);
  ASSERT_TRUE(second.CreateInPlaceholder(CWnd::FromHandle(host_), dsui_test::kPlaceholder));
  EXPECT_EQ(ItemText(second.m_hWnd, IDC_DS_DATA), u"A[cr][lf]B");
  second.DestroyWindow();
}

TEST_F(DataSourcePanelTest, RefusedValuesNameTheirControlAndKeepTheField) {
  struct Refusal {
    const char* name;
    int type;
    std::function<void(HWND)> act;
    int focus;
    const char* message;
  };
  const Refusal refusals[] = {
      {"no maximum", kPrompt, [](HWND p) { TypeInto(p, IDC_DS_MAX_CHARS, "0"); }, IDC_DS_MAX_CHARS,
       "Max must be at least 1."},
      {"maximum below minimum", kPrompt,
       [](HWND p) {
         TypeInto(p, IDC_DS_MAX_CHARS, "3");
         TypeInto(p, IDC_DS_MIN_CHARS, "5");
       },
       IDC_DS_MIN_CHARS, "The maximum number of characters must not be less than the minimum."},
      {"no counter file", kCounter, [](HWND) {}, IDC_DS_COUNTER_FILE, "Counter File must not be empty."},
      {"no choose list", kChooseList, [](HWND) {}, IDC_DS_LIST_FILE, "Chooselist File must not be empty."},
      {"empty data", kFixed, [](HWND p) { TypeInto(p, IDC_DS_DATA, ""); }, IDC_DS_DATA, "Data must not be empty."},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.name);
    // No file is listed: the folders are empty.
    SetDataFolder(DataFolder::kCounters, AString((folder_.path() + "/none").c_str()));
    SetDataFolder(DataFolder::kChooseLists, AString((folder_.path() + "/none").c_str()));
    CTextField field;
    CDataSourcePanel panel(DataPageKind::kText, field, nullptr);
    ASSERT_TRUE(panel.CreateInPlaceholder(CWnd::FromHandle(host_), dsui_test::kPlaceholder));
    ASSERT_TRUE(ChooseByData(panel.m_hWnd, IDC_DS_TYPE, r.type));
    r.act(panel.m_hWnd);
    std::vector<std::string> shown;
    apptest::DialogScript script;
    script.Then([&](HWND box) {
      shown.push_back(dsui_test::ShownText(box));
      ::EndDialog(box, IDOK);
    });
    EXPECT_EQ(panel.ApplyDataSourceSection(), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(r.message), std::string::npos) << shown[0];
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(panel.m_hWnd, r.focus));
    EXPECT_EQ(field.dataSourceType, kFixed);
    panel.DestroyWindow();
  }
}

}  // namespace

namespace {

TEST_F(DataSourcePanelTest, EveryGroupInChinese) {
  apptest::LanguageScope chinese(kUiChineseSimplified);
  for (const PanelCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    auto field = c.make();
    CDataSourcePanel panel(c.page, *field, nullptr);
    ASSERT_TRUE(panel.CreateInPlaceholder(CWnd::FromHandle(host_), dsui_test::kPlaceholder));
    ASSERT_TRUE(ChooseByData(panel.m_hWnd, IDC_DS_TYPE, c.type));
    // The source's name in Chinese ("数据库" for Database).
    if (c.type == kDatabase) {
      EXPECT_EQ(ItemText(panel.m_hWnd, IDC_DS_TYPE), u"\u6570\u636e\u5e93");
    }
    uitest::SaveWindowPng(host_, dsui_test::PicturePath("panel_" + std::string(c.name) + "_zh.png"));
    panel.DestroyWindow();
  }
}

}  // namespace

namespace {

// Database chosen while no source is known: the linked key's caption and
// note, which share the length row's place, stay hidden until the box is
// ticked.
TEST_F(DataSourcePanelTest, WithoutASourceTheLinkedKeyNoteStaysHidden) {
  const std::vector<NamedValue> remembered = LikelyUsedDbSources();
  LikelyUsedDbSources().clear();
  CTextField field;
  CDataSourcePanel panel(DataPageKind::kText, field, nullptr);
  ASSERT_TRUE(panel.CreateInPlaceholder(CWnd::FromHandle(host_), dsui_test::kPlaceholder));
  HWND p = panel.m_hWnd;
  ASSERT_TRUE(ChooseByData(p, IDC_DS_TYPE, kDatabase));
  EXPECT_LT(::SendDlgItemMessageW(p, IDC_DS_DB_SOURCE, CB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(IsShown(p, IDC_DS_DB_MAX));
  EXPECT_FALSE(IsShown(p, IDC_DS_KEY_VALUE_NOTE));
  EXPECT_FALSE(IsShown(p, IDC_DS_KEY_VALUE_CAPTION));
  EXPECT_FALSE(IsShown(p, IDC_DS_DB_KEY_VALUE));
  uitest::SaveWindowPng(host_, dsui_test::PicturePath("panel_database_no_source_en.png"));
  panel.DestroyWindow();
  LikelyUsedDbSources() = remembered;
}

TEST_F(DataSourcePanelTest, ViewOpensTheStringsFileInTheEditDialog) {
  CTextField field;
  CDataSourcePanel panel(DataPageKind::kText, field, nullptr);
  ASSERT_TRUE(panel.CreateInPlaceholder(CWnd::FromHandle(host_), dsui_test::kPlaceholder));
  ASSERT_TRUE(ChooseByData(panel.m_hWnd, IDC_DS_TYPE, kStrings));
  ASSERT_TRUE(IsShown(panel.m_hWnd, IDC_DS_STRINGS_VIEW));
  TypeInto(panel.m_hWnd, IDC_DS_STRINGS_PATH, folder_.File("names.txt").c_str());
  std::string shown;
  apptest::DialogScript script;
  script.Then([&shown](HWND edit) {
    shown = dsui_test::ShownText(edit);
    apptest::Press(edit, IDCANCEL);
  });
  dsui_test::Click(panel.m_hWnd, IDC_DS_STRINGS_VIEW);
  ASSERT_EQ(script.captions.size(), 1u);
  EXPECT_EQ(script.captions[0], "Edit");
  EXPECT_NE(shown.find("Ann,Bob,Cy"), std::string::npos) << shown;
  panel.DestroyWindow();
}

}  // namespace
