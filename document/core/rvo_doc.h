// CRvoDoc: the document of one label layout. It owns the label setup, the
// fields in drawing order (head first; new fields go to the tail), the undo
// list and the read-only lock of the file it came from, and it opens and
// saves layout files.
#pragma once

#include <cstdint>

#include "document/core/file_status.h"
#include "document/core/undo_list.h"
#include "fields/model/field_list.h"
#include "fields/services/label_setup.h"
#include "foundation/string/astring.h"
#include "platform/framework.h"

// The Layout Setup command (menu Options).
inline constexpr UINT kLayoutSetupCommand = 57809;

class CRvoDoc : public CDocument {
  DECLARE_DYNCREATE(CRvoDoc)

 public:
  CRvoDoc();
  ~CRvoDoc() override;

  // --- Framework operations.
  void SetTitle(const char* title) override;
  BOOL OnOpenDocument(const char* path) override;
  BOOL OnSaveDocument(const char* path) override;
  BOOL SaveModified() override;
  BOOL DoSave(const char* path, BOOL replace = TRUE) override;
  BOOL DoFileSave() override;
  void DeleteContents() override;

  // --- Commands.
  void OnFileSave();
  void OnFileSaveAs();
  // "Barcode Layout Setup...": the Layout Setup dialog on the label setup.
  void OnLayoutSetup();
  void OnUpdateAlways(CCmdUI* ui) { ui->Enable(TRUE); }
  // Save As; 1 when the layout was saved.
  int SaveAs();
  // Save; 1 when the layout was saved.
  int Save();

  // --- Field operations of the design view: each appends at the tail and
  // records an undo step of the kind "fields added".
  int AddParagraphField(CField* field);
  int AddTextField(CField* field);
  int AddImageField(CField* field);
  int AddBarcodeField(CField* field);
  // New shape fields from a rectangle in mils (left, top, right, bottom).
  // An ellipse when isEllipse is set, else a rounded rectangle; its outline
  // thickness and corner radius in mils.
  CField* AddEllipseField(const RECT& rect, int isEllipse, int32_t lineWidth, int32_t cornerRadius);
  CField* AddLineField(const RECT& rect);
  // Both line widths from widths when given, else DefaultBoxWidth.
  CField* AddBoxField(const RECT& rect, const POINT* widths);
  // Deletes every field (only beeps while the document is locked).
  void DeleteAllFields();
  // Puts newField where oldField is and deletes oldField; 0 when oldField is
  // not in the list.
  int ReplaceField(CField* oldField, CField* newField);
  // Saves to the title path (the main frame's save).
  BOOL SaveToStoredPath();

  // --- Undo (the design view applies the records).
  void RecordUndo(const UndoRecord& record);
  void RecordFieldAdded(int index);
  int GetNextUndo() const { return undoList.NextUndo(); }
  int GetRedoPosition() const { return undoList.RedoPosition(); }
  void ClearUndo() { undoList.Clear(); }

  // The index of a field in the list, -1 when absent.
  int IndexOfField(const CField* field) const;

  CFieldList fieldList;
  CLabelSetup labelSetup;
  // 1 when the file was opened read-only: Save asks for another file and
  // Delete All beeps.
  int locked = 0;
  LayoutFileStatus fileStatus;
  // The file's status when the main frame last reported an outside change.
  LayoutFileStatus outsideChangeStatus;
  int outsideChangeNoted = 0;
  AString titlePath;
  UndoList undoList;

 private:
  int AppendField(CField* field, FieldKind kind);
  CField* AppendShape(std::unique_ptr<CField> field, const RECT& rect);
  void InitNewDocument();

  // Set while Save runs: the file then keeps only the new version.
  bool saveFresh_ = false;

  DECLARE_MESSAGE_MAP()
};
