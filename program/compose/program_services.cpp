#include "program/compose/program_services.h"

#include <cstdio>

#include "app/shell/app_reports.h"
#include "app/shell/data_file_commands.h"
#include "datasource/data_folders.h"
#include "datasource/db_source_lists.h"
#include "datasource/field_sources.h"
#include "datasource/ui/files/data_file_runners.h"
#include "datasource/ui/prompt/print_prompt_rows.h"
#include "datasource/ui/prompt/prompt_actions.h"
#include "datasource/ui/select_source/select_data_source_dlg.h"
#include "dialogs/barcode/ai_entry_dlg.h"
#include "dialogs/barcode/barcode_runner.h"
#include "dialogs/image/image_sheet.h"
#include "dialogs/paragraph/paragraph_sheet.h"
#include "dialogs/paragraph/paragraph_text_dlg.h"
#include "dialogs/shapes/shape_runners.h"
#include "dialogs/text/text_sheet.h"
#include "document/layout_shell.h"
#include "document/view/design_view.h"
#include "document/view/field_sheets.h"
#include "document/view/print_commands.h"
#include "fields/barcode/symbology_catalogue.h"
#include "fields/services/field_services.h"
#include "fields/services/ui_messages.h"
#include "foundation/settings/process_settings.h"
#include "foundation/system/system_message.h"
#include "image/decode/rich_picture.h"
#include "print/dialog/print_prompts.h"
#include "print/thread/print_thread.h"
#include "program/compose/print_command.h"

namespace {

int ReportFieldMessageOnConsole(HWND, const UiMessage& message) {
  std::fprintf(stderr, "message %u", message.id);
  for (const std::string& a : message.args) std::fprintf(stderr, " \"%s\"", a.c_str());
  std::fprintf(stderr, "\n");
  return IDOK;
}

// The dialogs the design view opens on the fields and the label border.
constexpr FieldSheetRunners kFieldSheetRunners{
    .runTextSetupSheet = &RunTextSetupSheet,
    .runParagraphSetupSheet = &RunParagraphSetupSheet,
    .runImageSetupSheet = &RunImageSetupSheet,
    .runBarcodeSetupSheet = &RunBarcodeSetupSheet,
    .runLineDialog = &RunLineDialog,
    .runBoxDialog = &RunBoxDialog,
    .runEllipseDialog = &RunEllipseDialog,
    .runBorderDialog = &RunBorderDialog,
};

// The dialogs of the text data files and counter files commands.
constexpr DataFileDialogs kDataFileDialogs{
    .runTextFiles = &RunTextFilesDialog,
    .runCounterFiles = &RunCounterFilesDialog,
    .runLikelyDatabases = &RunLikelyDatabasesDialog,
};

void ReportSystemMessageOnConsole(const char* text, const char* caption) {
  std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
}

const PrintCommands kPrintCommands{&RunPrintDialog, &RunPrintPreview, &EndPrintThread, &RunTargetDpiDialog};

}  // namespace

// A prompt row's long text, edited in the paragraph text dialog; the row
// keeps the text as the dialog gives it back (UTF-16).
int RunLongTextForPromptRow(CWnd* parent, CPromptItem& row) {
  CParagraphDlg dialog(parent);
  dialog.m_text = row.GetText();
  dialog.m_codePage = dialog.m_text.IsWide() ? 1200 : row.m_codePage;
  if (dialog.DoModal() != IDOK) return IDCANCEL;
  row.m_codePage = dialog.m_codePage;
  row.SetText(dialog.m_text);
  return IDOK;
}

int RunAiEntryForPromptRowOver(CWnd* parent, CPromptItem& row) { return RunAiEntryForPromptRow(row, parent); }

namespace {

// The prompt rows' dialogs that stand above the data sources.
constexpr PromptRowDialogs kPromptRowDialogs{
    .longText = &RunLongTextForPromptRow,
    .applicationIdentifiers = &RunAiEntryForPromptRowOver,
};

// The layout code's messages where nobody sits at a screen: on the standard
// error stream, each question answered with its default answer.
class ConsoleLayoutShell : public CLayoutShell {
 public:
  int UiMessageBox(const char* text, UINT type) override {
    std::fprintf(stderr, "%s\n", text ? text : "");
    return DefaultMessageAnswer(type);
  }
  int ShowMsgBoxDlg(const char* text, UINT type) override { return UiMessageBox(text, type); }
  void Beep() override {}
  int UiMessageNumber(int number, UINT type) override {
    ReportFieldMessageOnConsole(nullptr, UiMessage{static_cast<UINT>(number), type, {}});
    return DefaultMessageAnswer(type);
  }
};

}  // namespace

std::vector<std::string> InstallProgramServices(ProgramFront front) {
  const bool desktop = front == ProgramFront::kDesktop;
  // Before anything can report: the system's flags, and where reports go.
  InitOsVersionFlags();
  SetSystemMessageHandler(desktop ? &ShowSystemMessageInBox : &ReportSystemMessageOnConsole);
  SetUiMessageHook(desktop ? &ShowFieldMessageInBox : &ReportFieldMessageOnConsole);
  // The designer's application object is the layout code's shell; without
  // it the layout code reports on the console.
  if (!desktop) {
    static ConsoleLayoutShell console;
    SetStandInLayoutShell(&console);
  }
  // The design view's cursors and the symbology catalogue with the
  // application-identifier table, before the first layout.
  if (desktop) LoadDesignCursors();
  SetFieldSheetRunners(&kFieldSheetRunners);
  SetDataFileDialogs(&kDataFileDialogs);
  SetPromptRowDialogs(&kPromptRowDialogs);
  InitSymbologyTables();
  // Pictures in rich text, and the values of Date, Time and Counter File
  // fields, for whatever draws a label.
  image::InstallRichPictureDecoder();
  InstallDataSourceServices();
  // Printing: the design view's Print command, and the print thread's end.
  SetPrintCommands(&kPrintCommands);
  // The print dialog asks for the values given when printing in the data
  // sources' prompt list.
  SetPrintPromptsFactory(&MakePrintPromptRows);

  const std::vector<std::string> missing = MissingProgramServices();
  for (const std::string& name : missing) std::fprintf(stderr, "the program lacks a service: %s\n", name.c_str());
  return missing;
}

std::vector<std::string> MissingProgramServices() {
  std::vector<std::string> missing;
  if (!GetSystemMessageHandler()) missing.emplace_back("system messages");
  if (!GetUiMessageHook()) missing.emplace_back("field messages");
  if (!GetFieldDataServices()) missing.emplace_back("field data services");
  if (!GetDataFileDialogs()) missing.emplace_back("data file dialogs");
  if (GetAiDefinitions().empty()) missing.emplace_back("application-identifier table");
  if (!GetPrintCommands()) missing.emplace_back("printing");
  if (!GetPromptRowDialogs()) missing.emplace_back("prompt row dialogs");
  if (!GetPrintPromptsFactory()) missing.emplace_back("print prompts");
  return missing;
}

void LoadDesignerDataLists(const std::string& perUserFolder) {
  SetDataFolder(DataFolder::kDbLists, AString(perUserFolder.c_str()));
  // The lists are the files' content; missing files (a first start) leave them empty.
  LikelyUsedDbSources().clear();
  FileDsnList().RemoveAll();
  LoadDbSourceLists();
}

void SaveDesignerDataLists() {
  if (!SaveDbSourceLists()) std::fprintf(stderr, "the data source lists could not be written\n");
}
