#include "datasource/ui/files/text_files_dlg.h"

#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "datasource/data_folders.h"
#include "datasource/ui/files/data_file_edit_dlg.h"
#include "datasource/ui/files/dialog_text.h"
#include "datasource/ui/files/files_ids.h"
#include "foundation/codepage/codepage.h"

namespace {

constexpr int kTextFileTip = 35007;

int CodePageOfLanguage(int language) { return CodePageFromLanguage(language, true); }

const char* FormName(TextFileForm form) {
  switch (form) {
    case TextFileForm::kUtf16Le: return "Unicode (UTF-16 little-endian)";
    case TextFileForm::kUtf16Be: return "Unicode (UTF-16 big-endian)";
    case TextFileForm::kUtf8: return "Unicode (UTF-8)";
    case TextFileForm::kCodePage: break;
  }
  return "Text in the chosen language";
}

// The form to write an edited text in: a new file as UTF-16 with its mark;
// an existing one in its own form, unless its code page cannot hold the text.
TextFileForm FormToWrite(bool add, TextFileForm form, const std::u16string& text, int codePage) {
  if (add) return TextFileForm::kUtf16Le;
  if (form == TextFileForm::kCodePage && !FitsCodePage(text, codePage)) return TextFileForm::kUtf16Le;
  return form;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTextFilesDlg, CLikelyDbListDlg)
  ON_CBN_SELCHANGE(IDC_TEXT_LANGUAGE, OnLanguageChange)
END_MESSAGE_MAP()

CTextFilesDlg::CTextFilesDlg(CWnd* parent) : CLikelyDbListDlg(IDD_TEXT_FILES, parent) {
  m_extension = ".txt";
  m_folder = GetDataFolder(DataFolder::kTextFiles);
  m_codePage = UiCodePage();
}

void CTextFilesDlg::DoDataExchange(CDataExchange* dx) {
  CLikelyDbListDlg::DoDataExchange(dx);
  DDX_Control(dx, IDC_TEXT_TIP, m_tip);
}

BOOL CTextFilesDlg::OnInitDialog() {
  CLikelyDbListDlg::OnInitDialog();
  SetDisplayBackground(m_hWnd, IDC_TEXT_SHOW);
  FillLanguageCombo(IDC_TEXT_LANGUAGE, m_hWnd, UiLanguage());
  m_tip.SetTipMessage(kTextFileTip);
  Skin().SetDlgItemText(IDC_TEXT_UNICODE_NOTE,
                        TranslateUiString("UTF-16 file: the language does not change how it is read").GetData());
  // Again, now that the languages are there to choose from.
  ShowSelection();
  return TRUE;
}

void CTextFilesDlg::EnableFileControls(bool selected) {
  for (int id : {IDC_TEXT_LANGUAGE, IDC_TEXT_TIP, IDC_TEXT_ENCODING, IDC_TEXT_UNICODE_NOTE}) {
    if (CWnd* item = GetDlgItem(id)) item->EnableWindow(selected);
  }
  if (CWnd* encoding = GetDlgItem(IDC_TEXT_ENCODING)) encoding->ShowWindow(selected ? SW_SHOW : SW_HIDE);
  if (CWnd* note = GetDlgItem(IDC_TEXT_UNICODE_NOTE))
    note->ShowWindow(selected && IsUtf16Form(m_form) ? SW_SHOW : SW_HIDE);
}

void CTextFilesDlg::ShowEntry(const char* path) {
  if (!path) {
    m_form = TextFileForm::kCodePage;
    SetItemUnits(m_hWnd, IDC_TEXT_SHOW, u"");
    EnableFileControls(false);
    return;
  }
  const auto remembered = m_languages.find(SelectedName().GetData());
  const int language = remembered != m_languages.end() ? remembered->second : UiLanguage();
  m_codePage = CodePageOfLanguage(language);
  HWND combo = ::GetDlgItem(m_hWnd, IDC_TEXT_LANGUAGE);
  const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == language)
      ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
  }
  TextFileContent content;
  ReadTextFileContent(path, m_codePage, &content);
  m_form = content.form;
  SetItemUnits(m_hWnd, IDC_TEXT_SHOW, content.text);
  Skin().SetDlgItemText(IDC_TEXT_ENCODING, TranslateUiString(FormName(m_form)).GetData());
  EnableFileControls(true);
}

void CTextFilesDlg::OnLanguageChange() {
  HWND combo = ::GetDlgItem(m_hWnd, IDC_TEXT_LANGUAGE);
  const int selected = static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
  if (selected < 0) return;
  const int language = static_cast<int>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
  if (m_list.GetCurSel() >= 0) m_languages[SelectedName().GetData()] = language;
  ShowSelection();
}

int CTextFilesDlg::AddOrEdit(int add) {
  CTextFileEditDlg edit(this);
  PrepareEdit(edit, add, "Text", IDC_TEXT_SHOW);
  const int result = edit.DoModal() == IDOK;
  if (result) {
    const AString path = EntryPath(edit.m_name);
    const TextFileForm form = FormToWrite(add, m_form, edit.m_value, m_codePage);
    if (WriteTextFileContent(path.GetData(), edit.m_value, form, m_codePage)) {
      if (add) SelectOrAddName(edit.m_name);
    } else {
      ReportDataFileWriteFailure(this, path);
    }
  }
  ShowSelection();
  return result;
}

int EditDataFileText(const char* path, CWnd* owner) {
  TextFileContent content;
  const int codePage = UiCodePage();
  if (!ReadTextFileContent(path, codePage, &content)) return 0;
  CTextFileEditDlg edit(owner);
  edit.m_title = "Edit";
  edit.m_nameCaption = TranslateUiString("File Name");
  edit.m_valueCaption = TranslateUiString("Text");
  edit.m_name = path;
  edit.m_value = content.text;
  edit.m_existingFile = 1;
  if (edit.DoModal() != IDOK) return 0;
  const TextFileForm form = FormToWrite(false, content.form, edit.m_value, codePage);
  if (!WriteTextFileContent(path, edit.m_value, form, codePage)) {
    ReportDataFileWriteFailure(owner, AString(path));
    return 0;
  }
  return 1;
}
