#include "document/core/rvo_doc.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

#include "document/file/layout_file.h"
#include "document/file/layout_problem.h"
#include "document/frame/doc_frame.h"
#include "document/layout/layout_setup_dialog.h"
#include "document/layout_shell.h"
#include "document/setup/last_printer.h"
#include "fields/design/design_values.h"
#include "fields/lifecycle/field_lifecycle.h"

IMPLEMENT_DYNCREATE(CRvoDoc, CDocument)

BEGIN_MESSAGE_MAP(CRvoDoc, CDocument)
  ON_COMMAND(ID_FILE_SAVE, OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
  ON_COMMAND(kLayoutSetupCommand, OnLayoutSetup)
  ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateAlways)
  ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateAlways)
  ON_UPDATE_COMMAND_UI(kLayoutSetupCommand, OnUpdateAlways)
END_MESSAGE_MAP()

namespace {
constexpr UINT kFitInFrame = 57808;
constexpr LPARAM kSetupChangedHint = 99;

// A translated sentence with its "%s" places filled in order, each text put
// in as it stands (a file name is never read as a format).
std::string FillIn(const AString& translated, std::initializer_list<std::string_view> texts) {
  std::string sentence = translated.GetData();
  size_t from = 0;
  for (const std::string_view text : texts) {
    const size_t at = sentence.find("%s", from);
    if (at == std::string::npos) break;
    sentence.replace(at, 2, text);
    from = at + text.size();
  }
  return sentence;
}

std::string TranslatePhrase(const char* english) { return LayoutShell()->TranslateUiString(english).GetData(); }
}

CRvoDoc::CRvoDoc() {
  labelSetup.LoadDefaults();
  InitNewDocument();
}

CRvoDoc::~CRvoDoc() = default;

void CRvoDoc::InitNewDocument() {
  ReadLastPrinter(labelSetup);
  labelSetup.IsSysPrinter = 1;
  if (labelSetup.dpiX < 1) labelSetup.dpiX = labelSetup.dpiY = 300;
  LayoutShell()->SetLabelSizePane(labelSetup.labelWidth, labelSetup.labelHeight, labelSetup.DefaultUnits);
}

void CRvoDoc::SetTitle(const char* title) {
  if (titlePath.IsEmpty()) {
    const CString& path = GetPathName();
    titlePath = AString(path.IsEmpty() ? (title ? title : "") : static_cast<const char*>(path));
  }
  CDocument::SetTitle(titlePath.GetData());
}

void CRvoDoc::DeleteContents() {
  undoList.Clear();
  fieldList.clear();
}

BOOL CRvoDoc::OnOpenDocument(const char* path) {
  DeleteContents();
  SetModifiedFlag(FALSE);
  LayoutProblem problem;
  const int result = LoadLayoutFile(path, this, labelSetup, fieldList, nullptr, &problem);
  if (!result) {
    // Said once, with what failed, so the person knows whether the file is
    // another kind, cut short or damaged at a place.
    const std::string text =
        FillIn(LayoutShell()->TranslateUiString("Cannot open %s: %s."),
               {path ? path : "", DescribeLayoutProblem(problem, TranslatePhrase)});
    LayoutShell()->UiMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
  }
  if (result && ReadLayoutFileStatus(path, fileStatus) && (fileStatus.attribute & 1)) locked = 1;
  if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_COMMAND, kFitInFrame, 0);
  return result ? TRUE : FALSE;
}

BOOL CRvoDoc::OnSaveDocument(const char* path) {
  const SaveVersions versions = saveFresh_ ? SaveVersions::kFreshStore : SaveVersions::kAddVersion;
  // The document's own file is never replaced while it is locked, whatever
  // the route.
  if (locked && !GetPathName().IsEmpty() && GetPathName().CompareNoCase(path) == 0) return FALSE;
  const int result = SaveLayoutFile(path, labelSetup, fieldList, versions);
  if (!result) return FALSE;
  SetModifiedFlag(FALSE);
  if (ReadLayoutFileStatus(path, fileStatus)) outsideChangeNoted = 0;
  titlePath.Empty();
  SetTitle(path);
  return TRUE;
}

BOOL CRvoDoc::SaveModified() {
  if (!IsModified()) return TRUE;
  CString name = GetPathName().IsEmpty() ? GetTitle() : GetPathName();
  const std::string prompt = FillIn(LayoutShell()->TranslateUiString("Save changes to %s?"), {static_cast<const char*>(name)});
  int answer = LayoutShell()->UiMessageBox(prompt.c_str(), MB_YESNOCANCEL | MB_ICONEXCLAMATION);
  BOOL ok = TRUE;
  if (answer == IDCANCEL) ok = FALSE;
  else if (answer == IDYES) ok = Save() ? TRUE : FALSE;
  if (!ok) LayoutShell()->UiMessageBox("Document not saved!", MB_OK | MB_ICONEXCLAMATION);
  return ok;
}

BOOL CRvoDoc::DoSave(const char* path, BOOL replace) {
  if (!path || !*path) return SaveAs() ? TRUE : FALSE;
  CWaitCursor wait;
  if (!OnSaveDocument(path)) {
    LayoutShell()->UiMessageBox("File not saved!", MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  if (replace) SetPathName(path, TRUE);
  return TRUE;
}

BOOL CRvoDoc::DoFileSave() { return Save() ? TRUE : FALSE; }

void CRvoDoc::OnLayoutSetup() {
  const int result = RunLayoutSetup(*this);
  if (result == 0) return;
  // The first view's layout window shows the change: its title's modified
  // sign and the corner that shows the label's orientation.
  POSITION pos = GetFirstViewPosition();
  if (CView* view = pos ? GetNextView(pos) : nullptr) {
    CWnd* parent = view->GetParent();
    if (auto* frame = dynamic_cast<CDocFrmWnd*>(parent ? parent->GetParent() : nullptr)) {
      frame->UpdateTitleModifiedMark(true);
      frame->CornerBar().Invalidate(TRUE);
    }
  }
  UpdateAllViews(nullptr, kSetupChangedHint);
  if (result == 2) {
    if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_COMMAND, kFitInFrame, 0);
  }
}

void CRvoDoc::OnFileSave() { Save(); }
void CRvoDoc::OnFileSaveAs() { SaveAs(); }

int CRvoDoc::Save() {
  CLayoutShell* shell = LayoutShell();
  if (GetPathName().IsEmpty()) return SaveAs();
  const CString path = GetPathName();
  const int block = LayoutFileWriteBlock(path);
  if (block != 0 || locked) {
    shell->Beep();
    std::string question = block == 2 ? "This is System File! Cannot write!" : "Readonly File!Cannot write!";
    question += " Want to save to a different file?";
    if (shell->ShowMsgBoxDlg(question.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES) return SaveAs();
    shell->UiMessageBox("File not saved!", MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  saveFresh_ = true;
  const BOOL saved = OnSaveDocument(path);
  saveFresh_ = false;
  if (!saved) {
    shell->UiMessageBox("File not saved!", MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  return 1;
}

int CRvoDoc::SaveAs() {
  CLayoutShell* shell = LayoutShell();
  AString chosen(static_cast<const char*>(GetPathName()));
  if (shell->PromptSaveFileName(chosen) != IDOK || chosen.IsEmpty()) return 0;
  const char* path = chosen.GetData();
  const bool own = GetPathName().CompareNoCase(path) == 0;
  const int block = LayoutFileWriteBlock(path);
  if (block != 0 || (own && locked)) {
    shell->Beep();
    shell->UiMessageBox(block == 2 ? "This is System File! Cannot write!" : "Readonly File!Cannot write!",
                        MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  if (!own && shell->IsOpenInOtherDocument(path, this)) {
    shell->UiMessageBox("This file is currently open for editing. Please use another name!",
                        MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  CWaitCursor wait;
  if (!OnSaveDocument(path)) {
    shell->UiMessageBox("File not saved!", MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  SetPathName(path, TRUE);
  titlePath.Empty();
  SetTitle(path);
  return 1;
}

BOOL CRvoDoc::SaveToStoredPath() { return OnSaveDocument(titlePath.GetData()); }

// --- Fields.

int CRvoDoc::AppendField(CField* field, FieldKind kind) {
  if (!field) return 0;
  field->kind = ToWord(kind);
  fieldList.emplace_back(field);
  RecordFieldAdded(static_cast<int>(fieldList.size()) - 1);
  return 1;
}

int CRvoDoc::AddParagraphField(CField* field) { return AppendField(field, FieldKind::kParagraph); }
int CRvoDoc::AddTextField(CField* field) { return AppendField(field, FieldKind::kText); }
int CRvoDoc::AddImageField(CField* field) { return AppendField(field, FieldKind::kImage); }
int CRvoDoc::AddBarcodeField(CField* field) { return AppendField(field, FieldKind::kBarcode); }

CField* CRvoDoc::AppendShape(std::unique_ptr<CField> field, const RECT& rect) {
  field->width = rect.right - rect.left;
  field->height = rect.bottom - rect.top;
  field->rotation = 0;
  field->position = {rect.left, rect.top, rect.right, rect.bottom};
  field->offset = FieldPoint{rect.left, rect.top};
  field->name = MakeDefaultFieldName(field->kind, fieldList);
  CField* raw = field.get();
  fieldList.push_back(std::move(field));
  RecordFieldAdded(static_cast<int>(fieldList.size()) - 1);
  return raw;
}

// The style bit tells the ellipse (1) from the rounded rectangle (4). The two
// values are the outline's thickness and the corner radius: the record keeps
// them side by side (the line data's width, then the radius), the view hands
// over a thin outline (13) and a fifth of the shorter side, and the shape
// flags (fill, circle) keep their defaults so a new shape is neither filled
// nor held to a circle.
CField* CRvoDoc::AddEllipseField(const RECT& rect, int isEllipse, int32_t lineWidth, int32_t cornerRadius) {
  auto field = std::make_unique<CEllipseField>();
  field->styleFlags = isEllipse ? 1 : 4;
  field->line.width = lineWidth;
  field->cornerRadius = cornerRadius;
  return AppendShape(std::move(field), rect);
}

CField* CRvoDoc::AddLineField(const RECT& rect) { return AppendShape(std::make_unique<CLineField>(), rect); }

CField* CRvoDoc::AddBoxField(const RECT& rect, const POINT* widths) {
  auto field = std::make_unique<CBoxField>();
  field->horizontalLineWidth = widths ? widths->x : LayoutShell()->DefaultBoxWidth();
  field->verticalLineWidth = widths ? widths->y : LayoutShell()->DefaultBoxWidth();
  return AppendShape(std::move(field), rect);
}

void CRvoDoc::DeleteAllFields() {
  if (locked) {
    LayoutShell()->Beep();
    return;
  }
  DeleteFieldList(fieldList);
  SetModifiedFlag(TRUE);
}

int CRvoDoc::ReplaceField(CField* oldField, CField* newField) {
  const int i = IndexOfField(oldField);
  if (i < 0) return 0;
  std::unique_ptr<CField> old = std::move(fieldList[static_cast<size_t>(i)]);
  fieldList[static_cast<size_t>(i)].reset(newField);
  DeleteField(std::move(old));
  return 1;
}

int CRvoDoc::IndexOfField(const CField* field) const {
  const auto it = std::find_if(fieldList.begin(), fieldList.end(), [&](const auto& f) { return f.get() == field; });
  return it == fieldList.end() ? -1 : static_cast<int>(it - fieldList.begin());
}

// --- Undo.

void CRvoDoc::RecordUndo(const UndoRecord& record) {
  undoList.Record(record);
  SetModifiedFlag(TRUE);
}

void CRvoDoc::RecordFieldAdded(int index) {
  UndoRecord record;
  record.kind = UndoKind::kAdded;
  record.entries.push_back(UndoFieldEntry{index, nullptr, {0, 0}, 0});
  RecordUndo(record);
}
