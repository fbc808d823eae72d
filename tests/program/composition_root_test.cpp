// Every service table, hook and override that the lower layers leave to the
// program, checked on the designer as the program's own start-up makes it
// (its composition root, then its application object), headless. One table
// names each with what the program must have put in its place; a second
// reads the layers' headers, so a hook or a layout-shell method added later
// fails here until the table says who provides it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "app/shell/app_reports.h"
#include "app/shell/data_file_commands.h"
#include "datasource/counter_file.h"
#include "datasource/data_folders.h"
#include "app/core/app_settings.h"
#include "app/ui/ui_language.h"
#include "datasource/ui/files/data_file_runners.h"
#include "designer_fixture.h"
#include "dialogs/barcode/barcode_runner.h"
#include "dialogs/image/image_sheet.h"
#include "dialogs/paragraph/paragraph_sheet.h"
#include "dialogs/shapes/shape_runners.h"
#include "dialogs/text/text_sheet.h"
#include "document/layout_shell.h"
#include "document/view/design_view.h"
#include "document/view/field_sheets.h"
#include "document/view/print_commands.h"
#include "fields/barcode/symbology_catalogue.h"
#include "fields/design/design_values.h"
#include "fields/model/field_kinds.h"
#include "fields/services/field_services.h"
#include "fields/services/label_setup.h"
#include "fields/services/ui_messages.h"
#include "foundation/settings/process_settings.h"
#include "foundation/system/system_message.h"
#include "image/decode/rich_picture.h"
#include "platform/richedit/richedit.h"
#include "program/compose/print_command.h"
#include "datasource/ui/prompt/print_prompt_rows.h"
#include "datasource/ui/prompt/prompt_actions.h"
#include "print/dialog/print_prompts.h"
#include "program/compose/program_services.h"
#include "print/thread/print_thread.h"

namespace {

namespace fs = std::filesystem;
using programtest::DesignerTest;

// The class that declares a member function: the application when it
// overrides the layout shell's method, the shell when it does not.
template <class Member>
struct DeclaringClass;
template <class R, class C, class... A>
struct DeclaringClass<R (C::*)(A...)> {
  using type = C;
};
template <class R, class C, class... A>
struct DeclaringClass<R (C::*)(A...) const> {
  using type = C;
};
template <auto member>
constexpr bool kAppDeclares = std::is_same_v<typename DeclaringClass<decltype(member)>::type, CLabelDesignerApp>;

// A layout-shell method the application answers itself.
struct Override {
  const char* name;
  bool declared;
};
constexpr Override kOverrides[] = {
    {"GetLabelDefaults", kAppDeclares<&CLabelDesignerApp::GetLabelDefaults>},
    {"DefaultBoxWidth", kAppDeclares<&CLabelDesignerApp::DefaultBoxWidth>},
    {"GridShown", kAppDeclares<&CLabelDesignerApp::GridShown>},
    {"GridSpacing", kAppDeclares<&CLabelDesignerApp::GridSpacing>},
    {"ClipboardUsesBitmap", kAppDeclares<&CLabelDesignerApp::ClipboardUsesBitmap>},
    {"IsReaderMode", kAppDeclares<&CLabelDesignerApp::IsReaderMode>},
    {"IsNoSave", kAppDeclares<&CLabelDesignerApp::IsNoSave>},
    {"IsSmall", kAppDeclares<&CLabelDesignerApp::IsSmall>},
    {"IsStartingUp", kAppDeclares<&CLabelDesignerApp::IsStartingUp>},
    {"TranslateUiString", kAppDeclares<&CLabelDesignerApp::TranslateUiString>},
    {"UiMessageBox", kAppDeclares<&CLabelDesignerApp::UiMessageBox>},
    {"ShowMsgBoxDlg", kAppDeclares<&CLabelDesignerApp::ShowMsgBoxDlg>},
    {"UiMessageNumber", kAppDeclares<&CLabelDesignerApp::UiMessageNumber>},
    {"SkinDialog", kAppDeclares<&CLabelDesignerApp::SkinDialog>},
    {"SpinUnitEdit", kAppDeclares<&CLabelDesignerApp::SpinUnitEdit>},
    {"SetLabelSizePane", kAppDeclares<&CLabelDesignerApp::SetLabelSizePane>},
    {"SetDpiPane", kAppDeclares<&CLabelDesignerApp::SetDpiPane>},
    {"SetPrinterPane", kAppDeclares<&CLabelDesignerApp::SetPrinterPane>},
    {"SetReadOnlyPane", kAppDeclares<&CLabelDesignerApp::SetReadOnlyPane>},
    {"SetCursorPane", kAppDeclares<&CLabelDesignerApp::SetCursorPane>},
    {"PromptSaveFileName", kAppDeclares<&CLabelDesignerApp::PromptSaveFileName>},
    {"ProgramFolder", kAppDeclares<&CLabelDesignerApp::ProgramFolder>},
    {"WorkFolder", kAppDeclares<&CLabelDesignerApp::WorkFolder>},
    {"ClipboardHolderPath", kAppDeclares<&CLabelDesignerApp::ClipboardHolderPath>},
    {"MaximiseLayoutWindows", kAppDeclares<&CLabelDesignerApp::MaximiseLayoutWindows>},
    {"SetCursorPosPane", kAppDeclares<&CLabelDesignerApp::SetCursorPosPane>},
    {"ShowMessagePane", kAppDeclares<&CLabelDesignerApp::ShowMessagePane>},
    {"HideMessagePane", kAppDeclares<&CLabelDesignerApp::HideMessagePane>},
    {"IsFrameMenuPrepared", kAppDeclares<&CLabelDesignerApp::IsFrameMenuPrepared>},
    {"PrepareLayoutMenu", kAppDeclares<&CLabelDesignerApp::PrepareLayoutMenu>},
    {"CheckRememberedView", kAppDeclares<&CLabelDesignerApp::CheckRememberedView>},
};

// Layout-shell methods whose own answer is what the program gives, and why.
struct KeptDefault {
  const char* name;
  const char* why;
};
constexpr KeptDefault kKeptDefaults[] = {
    {"GetProfileString", "reads the running application's profile, which is the designer's"},
    {"GetProfileInt", "reads the running application's profile, which is the designer's"},
    {"WriteProfileString", "writes the running application's profile, which is the designer's"},
    {"WriteProfileInt", "writes the running application's profile, which is the designer's"},
    {"Beep", "the system's beep"},
    {"IsOpenInOtherDocument", "goes through the running application's documents"},
    {"LayoutClipboardFormat", "registers the designer's clipboard format by its name"},
    {"RulerOffsets", "kept in the shell, which is the application object"},
    {"SetRulerOffsets", "kept in the shell, which is the application object"},
    {"RulerBackgroundBrush", "the system's face colour, as every bar of the frame"},
};

// A process-wide hook of a layer: what the program must have installed, or
// why the program leaves it as it is.
struct LayerHook {
  const char* setter;
  std::function<std::string(CLabelDesignerApp&)> check;  // empty text: installed
};

constexpr int16_t kSourceDate = static_cast<int16_t>(DataSourceType::kDate);
constexpr int16_t kSourceCounterFile = static_cast<int16_t>(DataSourceType::kCounterFile);

std::string Unless(bool installed, const char* what) { return installed ? std::string() : what; }

std::string DesignValue(CTextField& field) {
  CLabelSetup setup;
  GetFieldDesignValue(field, {}, setup, -1);
  return field.data.GetData();
}

std::string FieldDataServicesAnswer(CLabelDesignerApp&) {
  if (!GetFieldDataServices()) return "no field data services";
  // The data sources' own: a date from the clock, a counter file's value.
  const SYSTEMTIME moment{2031, 5, 0, 17, 14, 5, 9, 0};
  SetLocalTimeForTesting(&moment);
  CTextField date;
  date.dataSourceType = kSourceDate;
  date.offsetUnit = "dd.mm.yyyy";
  const std::string dated = DesignValue(date);
  SetLocalTimeForTesting(nullptr);
  if (dated != "17.05.2031") return "a Date field shows \"" + dated + "\"";
  const AString folder = GetFolder(FolderKind::kCounter);
  fs::create_directories(folder.GetData());
  CCounterFileData counter;
  counter.value = "000042";
  if (WriteCounterFile((std::string(folder.GetData()) + "root.cntr").c_str(), counter) != 1)
    return "the counter file could not be written";
  CTextField counted;
  counted.dataSourceType = kSourceCounterFile;
  counted.counterFile = "root.cntr";
  const std::string value = DesignValue(counted);
  return Unless(value == "000042", "a Counter File field does not show its file's value");
}

std::string FieldSheetsInstalled(CLabelDesignerApp&) {
  const FieldSheetRunners& r = GetFieldSheetRunners();
  if (r.runTextSetupSheet != &RunTextSetupSheet) return "the text sheet";
  if (r.runParagraphSetupSheet != &RunParagraphSetupSheet) return "the paragraph sheet";
  if (r.runBarcodeSetupSheet != &RunBarcodeSetupSheet) return "the barcode sheet";
  if (r.runLineDialog != &RunLineDialog || r.runBoxDialog != &RunBoxDialog || r.runEllipseDialog != &RunEllipseDialog)
    return "a shape dialog";
  if (r.runBorderDialog != &RunBorderDialog) return "the border dialog";
  if (r.runImageSetupSheet != &RunImageSetupSheet) return "the picture sheet";
  return {};
}

const std::vector<LayerHook>& Hooks() {
  static const std::vector<LayerHook> hooks = {
      // Installed by the composition root.
      {"SetSystemMessageHandler",
       [](CLabelDesignerApp&) {
         return Unless(GetSystemMessageHandler() == &ShowSystemMessageInBox, "system messages are not shown in a box");
       }},
      {"SetUiMessageHook",
       [](CLabelDesignerApp&) {
         return Unless(GetUiMessageHook() == &ShowFieldMessageInBox, "field messages are not shown in a box");
       }},
      {"SetFieldDataServices", &FieldDataServicesAnswer},
      {"InstallDataSourceServices", &FieldDataServicesAnswer},
      {"InitSymbologyTables",
       [](CLabelDesignerApp&) {
         const typAIdef* gtin = FindAIDefinition("01");
         return Unless(gtin && gtin->minLength == 14, "the application-identifier table is empty");
       }},
      {"SetRichPictureDecoder",
       [](CLabelDesignerApp&) {
         return Unless(GetRichPictureDecoder() == &image::DrawRichPicture, "rich text draws no PNG or JPEG");
       }},
      {"InstallRichPictureDecoder",
       [](CLabelDesignerApp&) {
         return Unless(GetRichPictureDecoder() == &image::DrawRichPicture, "rich text draws no PNG or JPEG");
       }},
      {"LoadDesignCursors",
       [](CLabelDesignerApp&) { return Unless(DesignCursorsLoaded(), "the design view has no cursors"); }},
      {"SetFieldSheetRunners", &FieldSheetsInstalled},
      {"SetDataFileDialogs",
       [](CLabelDesignerApp&) {
         const DataFileDialogs* d = GetDataFileDialogs();
         return Unless(d && d->runTextFiles == &RunTextFilesDialog && d->runCounterFiles == &RunCounterFilesDialog,
                       "the data file dialogs");
       }},
      {"SetPrintCommands",
       [](CLabelDesignerApp&) {
         const PrintCommands* p = GetPrintCommands();
         return Unless(p && p->print == &RunPrintDialog && p->end == &EndPrintThread &&
                           p->targetDpi == &RunTargetDpiDialog,
                       "printing");
       }},
      // The application object itself answers the layout code.
      {"SetStandInLayoutShell",
       [](CLabelDesignerApp& app) {
         return Unless(LayoutShell() == static_cast<CLayoutShell*>(&app), "the layout code asks another shell");
       }},
      // The folders follow the designer's settings.
      {"SetFolder",
       [](CLabelDesignerApp&) {
         const CAppSettings& s = AppSettings();
         return Unless(GetFolder(FolderKind::kCounter) == s.Folder(SettingsFolder::CounterFiles) &&
                           GetFolder(FolderKind::kImage) == s.Folder(SettingsFolder::ImageFiles) &&
                           GetFolder(FolderKind::kLinkedText) == s.Folder(SettingsFolder::TextFiles) &&
                           GetFolder(FolderKind::kChooseList) == s.Folder(SettingsFolder::ChooselistFiles),
                       "the layers' folders are not the settings'");
       }},
      {"SetUiLanguageFolder",
       [](CLabelDesignerApp& app) {
         return Unless(UiLanguageFolder() == app.Folders().language.c_str(), "the language files are looked for elsewhere");
       }},
      {"SetDataFolder",
       [](CLabelDesignerApp& app) {
         const std::string lists = GetDataFolder(DataFolder::kDbLists).GetData();
         return Unless(fs::path(lists) == fs::path(app.Folders().perUser + "/") ||
                           fs::path(lists) == fs::path(app.Folders().perUser),
                       "the database lists are not in the user's folder");
       }},

      {"SetPromptRowDialogs",
       [](CLabelDesignerApp&) {
         const PromptRowDialogs* d = GetPromptRowDialogs();
         return Unless(d && d->longText == &RunLongTextForPromptRow &&
                           d->applicationIdentifiers == &RunAiEntryForPromptRowOver,
                       "the prompt rows' long text and identifier dialogs");
       }},
      {"SetPrintPromptsFactory",
       [](CLabelDesignerApp&) {
         return Unless(GetPrintPromptsFactory() == &MakePrintPromptRows,
                       "the print dialog asks for no values before printing");
       }},

      // The layers' own answers are what the program gives.
      {"SetLabelPreviewWriter", [](CLabelDesignerApp&) { return std::string(); }},  // the built-in 75 dpi preview
      {"SetLauncher", [](CLabelDesignerApp&) { return std::string(); }},            // starts the program asked for
      {"SetLayoutWindows", [](CLabelDesignerApp&) { return std::string(); }},  // the layout windows' own answers
      // Installed by the platform itself where it is built: the spooler's
      // documents and settings, the window DCs and system brushes.
      {"SetDocumentOpener", [](CLabelDesignerApp&) { return std::string(); }},
      {"SetPrinterSettingsSource", [](CLabelDesignerApp&) { return std::string(); }},
      {"SetWindowDcFactory", [](CLabelDesignerApp&) { return std::string(); }},
      {"SetSystemBrushResolver", [](CLabelDesignerApp&) { return std::string(); }},
      // The display is chosen by the start-up from the environment
      // (InstallFromEnvironment); the sink is the window layer's.
      {"InstallFromEnvironment", [](CLabelDesignerApp&) { return std::string(); }},
      {"SetSink", [](CLabelDesignerApp&) { return std::string(); }},
      // Test support, asked for by name: no program installs them.
      {"SetModalDialogHook", [](CLabelDesignerApp&) { return std::string(); }},
      {"SetMenuLoopHook", [](CLabelDesignerApp&) { return std::string(); }},
      {"SetFileCallFault", [](CLabelDesignerApp&) { return std::string(); }},
      {"SetVersionStoreClock", [](CLabelDesignerApp&) { return std::string(); }},
      {"SetVirtualClock", [](CLabelDesignerApp&) { return std::string(); }},
  };
  return hooks;
}

class CompositionRoot : public DesignerTest {
 protected:
  void SetUp() override {
    WriteProfile("[Config]\nbFirstTimeRun=0\nAppLanguage=0\n");
    ASSERT_TRUE(StartProgram({}));
  }
};

TEST_F(CompositionRoot, EveryServiceHookAndOverrideIsTheProgramsOwn) {
  CLabelDesignerApp& app = App();
  for (const LayerHook& hook : Hooks()) {
    const std::string missing = hook.check(app);
    EXPECT_TRUE(missing.empty()) << hook.setter << ": " << missing;
  }
  // The layout code asks this very object, so the application's overrides
  // are the ones that answer.
  ASSERT_EQ(LayoutShell(), static_cast<CLayoutShell*>(&app));
  for (const Override& o : kOverrides) EXPECT_TRUE(o.declared) << "the designer does not answer " << o.name;
  // A few answered through the shell as the layout code asks them: the
  // program's folders and clipboard format, not the shell's defaults.
  EXPECT_STREQ(LayoutShell()->ProgramFolder().GetData(), (app.Folders().program).c_str());
  EXPECT_EQ(LayoutShell()->LayoutClipboardFormat(), app.ObjectClipboardFormat());
  EXPECT_TRUE(MissingProgramServices().empty());
}

// Names found in the layers' headers.
std::set<std::string> Declared(const std::regex& pattern, const std::vector<std::string>& folders,
                               const std::string& onlyFile = {}) {
  std::set<std::string> names;
  for (const std::string& folder : folders) {
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(fs::path(TAV_SOURCE_DIR) / folder)) {
      if (e.path().extension() != ".h") continue;
      if (!onlyFile.empty() && e.path().filename() != onlyFile) continue;
      if (e.path().string().find("/testing/") != std::string::npos) continue;
      std::ifstream in(e.path());
      for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (std::regex_search(line, m, pattern)) names.insert(m[1]);
      }
    }
  }
  return names;
}

TEST_F(CompositionRoot, TheTableNamesEveryHookTheLayersDeclare) {
  // Free functions (not indented) that install a hook, a table, a shell or
  // a service for the process.
  const std::regex setter(
      R"re(^[A-Za-z][\w:<>*& ]*[ *&]((Set\w*(Hook|Handler|Services|Runners|Dialogs|Commands|Decoder|Writer|Opener|Source|Launcher|Resolver|Factory|Shell|Windows|Sink|Fault|Clock|Folder))|Install\w*(Services|Decoder|Environment)|Init\w*Tables|Load\w*Cursors)\s*\()re");
  const std::set<std::string> declared =
      Declared(setter, {"platform", "foundation", "image", "fields", "document", "datasource", "print", "grid",
                        "dialogs", "app"});
  std::set<std::string> named;
  for (const LayerHook& hook : Hooks()) named.insert(hook.setter);
  for (const std::string& name : declared)
    EXPECT_TRUE(named.count(name)) << name << " is declared by a layer and not in the program's table";
  EXPECT_GE(declared.size(), 15u) << "the headers were not read";

  const std::regex method(R"re(^\s*virtual [^(~]*\b(\w+)\()re");
  std::set<std::string> answered;
  for (const Override& o : kOverrides) answered.insert(o.name);
  for (const KeptDefault& k : kKeptDefaults) answered.insert(k.name);
  const std::set<std::string> methods = Declared(method, {"document"}, "layout_shell.h");
  for (const std::string& name : methods)
    EXPECT_TRUE(answered.count(name)) << "CLayoutShell::" << name << " is neither answered by the designer nor kept";
  EXPECT_GE(methods.size(), 30u);
}

}  // namespace
