// The designer as the program starts it (its composition root, then its
// application object), headless: every service that a lower layer leaves to
// the program answers with the program's own implementation.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "datasource/counter_file.h"
#include "document/core/rvo_doc.h"
#include "document/file/file_calls.h"
#include "document/file/version_store.h"
#include "designer_fixture.h"
#include "app/ui/message_pane.h"
#include "barcode/kalvo.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/barcode/symbology_catalogue.h"
#include "fields/design/design_values.h"
#include "fields/model/field_kinds.h"
#include "foundation/system/system_message.h"
#include "platform/testing/ui.h"
#include "program/compose/program_services.h"

namespace {

using programtest::DesignerTest;
using programtest::ShownDialog;

constexpr int16_t kSourceCounterFile = static_cast<int16_t>(DataSourceType::kCounterFile);
constexpr int16_t kSourceDate = static_cast<int16_t>(DataSourceType::kDate);
constexpr int16_t kSourceTime = static_cast<int16_t>(DataSourceType::kTime);
constexpr uint8_t kSourcePrompt = static_cast<uint8_t>(DataSourceType::kPromptBeforePrint);

// The clock of the kernel's test hook, for a scope.
class FixedClock {
 public:
  explicit FixedClock(const SYSTEMTIME& moment) { SetLocalTimeForTesting(&moment); }
  ~FixedClock() { SetLocalTimeForTesting(nullptr); }
};

std::string DesignValue(CField& field) {
  CLabelSetup setup;
  GetFieldDesignValue(field, {}, setup, -1);
  return static_cast<CTextField&>(field).data.GetData();
}

class DesignerServices : public DesignerTest {
 protected:
  void SetUp() override {
    WriteProfile("[Config]\nbFirstTimeRun=0\nAppLanguage=0\n");
    ASSERT_TRUE(StartProgram({}));
  }
  CRvoDoc* NewLayout() {
    ::SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_NEW, 0);
    Pump();
    return dynamic_cast<CRvoDoc*>(App().GetActiveLayoutDoc());
  }
};

TEST_F(DesignerServices, NothingIsMissing) {
  EXPECT_TRUE(MissingProgramServices().empty());
}

TEST_F(DesignerServices, DateAndTimeFieldsShowTheClocksMoment) {
  const FixedClock clock(SYSTEMTIME{2031, 5, 0, 17, 14, 5, 9, 0});
  CTextField date;
  date.dataSourceType = kSourceDate;
  date.offsetUnit = "dd.mm.yyyy";
  EXPECT_EQ(DesignValue(date), "17.05.2031");
  CTextField time;
  time.dataSourceType = kSourceTime;
  time.offsetUnit = "hh:mm";
  EXPECT_EQ(DesignValue(time), "14:05");
}

TEST_F(DesignerServices, ACounterFileFieldShowsTheFilesValue) {
  // The counter folder of the settings, as the program set it up.
  const std::string folder = AppSettings().Folder(SettingsFolder::CounterFiles).GetData();
  ASSERT_FALSE(folder.empty());
  std::filesystem::create_directories(folder);
  CCounterFileData counter;
  counter.value = "000731";
  counter.description = "Serial numbers";
  ASSERT_EQ(WriteCounterFile((folder + "serial.cntr").c_str(), counter), 1);
  CTextField field;
  field.dataSourceType = kSourceCounterFile;
  field.counterFile = "serial.cntr";
  EXPECT_EQ(DesignValue(field), "000731");
}

TEST_F(DesignerServices, AnInvalidCharacterInBarcodeDataShowsTheMessageBox) {
  CBarcodeField code39;
  code39.symbology = 1;
  code39.data = "AB~";
  picture = "invalid_character.png";
  EXPECT_EQ(ValidateBarcodeData(MainWindow(), code39, 1), 0);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "The value \"~\" is not valid here.");
  EXPECT_EQ(shown[0].buttons, std::vector<int>{IDOK});
}

TEST_F(DesignerServices, ASystemMessageShowsAMessageBox) {
  ShowSystemMessage("The printer Label-1 cannot be reached.", "Printing");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "The printer Label-1 cannot be reached.");
}

TEST_F(DesignerServices, AnAiPlaceholderFindsItsTableEntry) {
  const typAIdef* gtin = FindAIDefinition("01");
  ASSERT_NE(gtin, nullptr);
  EXPECT_EQ(gtin->minLength, 14);
  CBarcodeField gs1;
  gs1.symbology = static_cast<int16_t>(kalvo::CodeOf(kalvo::Symbology::UccEan128Ais));
  gs1.aiCode[0] = "01";
  gs1.aiSource[0] = kSourcePrompt;
  EXPECT_EQ(FillAiPlaceholders(gs1), 1);
  EXPECT_EQ(gs1.aiData[0].GetLength(), 14);
}

TEST_F(DesignerServices, SaveAsShowsTheFileDialogInSaveMode) {
  CRvoDoc* doc = NewLayout();
  ASSERT_NE(doc, nullptr);
  doc->AddLineField(RECT{200, 300, 1800, 300});
  const std::string file = temp / "saved.bcd";
  // The file dialog: its name box gets the path, then OK.
  int dialogs = 0;
  act = [&](const ShownDialog& d) {
    if (HWND name = ::GetDlgItem(d.window, 0x480)) {
      ++dialogs;
      ::SetWindowTextA(name, file.c_str());
      ::PostMessageA(d.window, WM_COMMAND, IDOK, 0);
      return;
    }
    ::EndDialog(d.window, IDOK);
  };
  picture = "save_as_dialog.png";
  ::SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_SAVE_AS, 0);
  Pump();
  EXPECT_EQ(dialogs, 1);
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_STREQ(doc->GetPathName().GetString(), file.c_str());
  EXPECT_FALSE(doc->IsModified());
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFileBytes(file.c_str(), bytes));
  EXPECT_TRUE(IsVersionStoreBytes(bytes));

  // Again onto the same, now existing, file: the dialog asks first. No keeps
  // the dialog open (and the file as it was); Yes saves over it.
  const std::vector<uint8_t> before = bytes;
  doc->AddBoxField(RECT{100, 100, 900, 900}, nullptr);
  shown.clear();
  HWND fileDialog = nullptr;
  int questions = 0;
  act = [&](const ShownDialog& d) {
    if (HWND name = ::GetDlgItem(d.window, 0x480)) {
      fileDialog = d.window;
      ::SetWindowTextA(name, file.c_str());
      ::PostMessageA(d.window, WM_COMMAND, IDOK, 0);
      return;
    }
    if (d.text == "File already exists. Overwrite it?") {
      ++questions;
      programtest::Press(d, questions == 1 ? IDNO : IDYES);
      // After No the file dialog is still there: OK once more.
      if (questions == 1) {
        EXPECT_TRUE(::IsWindow(fileDialog));
        ::SetWindowTextA(::GetDlgItem(fileDialog, 0x480), file.c_str());
        ::PostMessageA(fileDialog, WM_COMMAND, IDOK, 0);
      }
      return;
    }
    ::EndDialog(d.window, IDCANCEL);
  };
  ::SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_SAVE_AS, 0);
  Pump();
  EXPECT_EQ(questions, 2);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[1].text, "File already exists. Overwrite it?");
  EXPECT_EQ(shown[1].buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_FALSE(doc->IsModified());
  ASSERT_TRUE(ReadWholeFileBytes(file.c_str(), bytes));
  EXPECT_NE(bytes, before);
  EXPECT_TRUE(std::filesystem::exists(file + ".010"));
}

// File > Print (Ctrl+P) opens the print dialog on the active layout; a new
// layout names no printer, so only pictures can be printed.
TEST_F(DesignerServices, PrintOpensThePrintDialog) {
  CRvoDoc* doc = NewLayout();
  ASSERT_NE(doc, nullptr);
  doc->labelSetup.lastPrinter = "";
  doc->AddLineField(RECT{200, 300, 1800, 300});
  bool toImageOnly = false;
  act = [&](const ShownDialog& d) {
    toImageOnly = ::IsDlgButtonChecked(d.window, 1237) == BST_CHECKED && !::IsWindowEnabled(::GetDlgItem(d.window, 1237));
    ::EndDialog(d.window, IDCANCEL);
  };
  picture = "print_dialog_no_printer.png";
  ::SendMessageA(MainWindow(), WM_COMMAND, 57607, 0);
  Pump();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "Print to Image/Printer");
  EXPECT_TRUE(toImageOnly);
}

TEST_F(DesignerServices, ClosingWithUnsavedChangesCanBeCancelled) {
  CRvoDoc* doc = NewLayout();
  ASSERT_NE(doc, nullptr);
  doc->AddLineField(RECT{200, 300, 1800, 300});
  act = [&](const ShownDialog& d) { programtest::Press(d, IDCANCEL); };
  picture = "exit_question.png";
  ::SendMessageA(MainWindow(), WM_CLOSE, 0, 0);
  Pump();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown[0].buttons, (std::vector<int>{IDYES, IDNO, IDCANCEL}));
  EXPECT_NE(MainWindow(), nullptr) << "the designer still runs";
  EXPECT_TRUE(doc->IsModified());
  // Then No: the designer closes without saving.
  act = [&](const ShownDialog& d) { programtest::Press(d, IDNO); };
  ::SendMessageA(MainWindow(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_EQ(MainWindow(), nullptr);
}

TEST_F(DesignerServices, TheRulersTipIsTheProgramsMessagePane) {
  ASSERT_NE(NewLayout(), nullptr);
  RECT beside{100, 100, 120, 120};
  App().ShowMessagePane("Barcode Layout Rotation", beside);
  Pump();
  const HWND pane = MessagePaneWindow();
  ASSERT_NE(pane, nullptr);
  EXPECT_TRUE(::IsWindowVisible(pane));
  EXPECT_STREQ(MessagePaneText().GetData(), "Barcode Layout Rotation");
  App().HideMessagePane();
  EXPECT_FALSE(::IsWindowVisible(pane));
}

}  // namespace
