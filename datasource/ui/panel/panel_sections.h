// The groups of the data-source panel, each filled from a field and stored
// back into it. The routines address the controls by their numbers
// (panel_ids.h), so they serve any dialog that holds those controls.
#pragma once

#include <vector>

#include "datasource/db_source_lists.h"
#include "fields/model/field.h"
#include "fields/services/label_setup.h"
#include "platform/framework.h"

// Prompt Before Print: the prompt, default data, lengths, justification and
// what happens after printing.
void InitPromptControls(HWND dialog, const CField& field);
int ApplyPromptControls(HWND dialog, CField& field, bool withLengths);
// Justification lists: "Left", "Center", "Right" (item data -1, 0, 1) set to
// the field's justification.
void FillAlignmentCombo(HWND dialog, int id, const CField& field);
int GetAlignmentChoice(HWND dialog, int id);
// Caption 1649: "Link Expression" when isLink, else "Prompt".
void SetPromptCaption(HWND dialog, bool isLink);

// Choose From List: the list files of the choose-list folder, the list's
// items as the default item, reset after printing.
void InitChooseListControls(HWND dialog, const CField& field);
void FillChooseListItems(HWND dialog, const CField& field);
int ApplyChooseListControls(HWND dialog, CField& field);

// Counter File: the counter files of the counter folder and the chosen
// file's value and description.
void InitCounterFileControls(HWND dialog, CField& field);
void ShowCounterFileValue(HWND dialog, CField& field);
int ApplyCounterFileControls(HWND dialog, CField& field);
// The increment group that the text and barcode pages keep.
int ShowNumberBaseControls(HWND dialog);
void EnableIncrementControls(HWND dialog, bool enable, bool withBase);
void FillNumberBaseCombo(HWND dialog, int base);

// Date and Time: the format, offset and offset unit (the clock is the PC's).
void InitDateTimeControls(HWND dialog, CField& field, int type);
void FillDateTimeControls(HWND dialog, const CField& field, int type);
// 0 (nothing more stored after the clock and the offset) when an offset
// other than 0 has no unit or no format.
int ApplyDateTimeControls(HWND dialog, CField& field, int type);

// Link To File and the default folder of the field's kind.
void ShowLinkFileFolderControls(HWND dialog, CField& field, bool keep);
void SelectLinkedFileInCombo(HWND dialog, bool useDefault, const AString& name);
int ApplyLinkFileControls(HWND dialog, CField& field);
// The file the group names now: the default folder's chosen file, else the
// path as its combo shows it (typed or chosen, whichever came last).
AString LinkedFileShown(HWND dialog, bool useDefault);
// The open-file dialog; the chosen path goes to the top of the combo.
int BrowseForDataFile(CWnd* page, const char* title, int combo, const AString& initialName);

// Strings In File: the file, its separator, the length and justification.
void InitStringsFileControls(HWND dialog, const CField& field);
int ApplyStringsFileControls(HWND dialog, CField& field);

// Database: source, table, output column, key column and the linked key.
void InitDbSourceControls(HWND dialog, const CLabelSetup* setup, const CField& field);
void FillDbTableCombo(HWND dialog, const CLabelSetup* setup, const CField& field);
void FillDbColumnCombo(HWND dialog, const CLabelSetup* setup, const CField& field);
void FillDbColumnList(HWND dialog, const std::vector<DbColumnInfo>& columns, const AString& selectName);
int SetupDbKeyControls(HWND dialog, const CLabelSetup* setup, const AString& source, const AString& table,
                       const std::vector<DbColumnInfo>& columns);
// "Use Linked Key Value" ticked: the key-value editor, its caption and note
// and the expression caption; clear: the prompt editor and its caption.
void ShowLinkedKeyControls(HWND dialog, bool linked);
int StoreDbBindingFromPage(HWND dialog, CLabelSetup* setup, const CField& field);
int ApplyDbFieldSelection(HWND dialog, CLabelSetup* setup, CField& field);
// Runs the Select Data Source dialog; a chosen source not yet listed is
// remembered, added and selected, and its tables listed. 1 when a source
// was chosen.
int AddDbSourceFromDialog(HWND dialog, const CLabelSetup* setup, const CField& field);
// Browses the records of the chosen source and table (the "..." button).
int ShowDbRecords(HWND dialog, CLabelSetup* setup, const CField& field);
