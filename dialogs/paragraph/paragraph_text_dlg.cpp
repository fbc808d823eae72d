#include "dialogs/paragraph/paragraph_text_dlg.h"

#include "app/open_dialog/mru_file_dlg.h"
#include "app/ui/skin_dialog.h"
#include "app/ui/ui_language.h"
#include "dialogs/paragraph/paragraph_ids.h"
#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"
#include "foundation/util/file_io.h"

namespace {

constexpr int kUtf16 = 1200;
constexpr char kTextFilter[] = "Text files|*.txt;*.dat;*.ini;*.gb;*.big5|All files(*.*)|*.*||";

}  // namespace

BEGIN_MESSAGE_MAP(CParagraphDlg, CSkinDialog)
  ON_BN_CLICKED(IDC_PTEXT_OPEN, OnOpenFile)
END_MESSAGE_MAP()

CParagraphDlg::CParagraphDlg(CWnd* parent)
    : CSkinDialog(IDD_PARAGRAPH_TEXT, parent),
      m_codePage(CodePageFromLanguage(UiLanguageKind(), true)),
      m_language(UiLanguageKind()) {}

CParagraphDlg::~CParagraphDlg() = default;

void CParagraphDlg::DoDataExchange(CDataExchange* dx) {
  CSkinDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_PTEXT_EDIT, m_box);
}

BOOL CParagraphDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  if (m_saveAndClose) {
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_PTEXT_OPEN), SW_HIDE);
    Skin().SetDlgItemText(IDOK, TranslateUiString("Save && Close").GetData());
  }
  m_box.Setup(m_language, 0, 0);
  m_box.SetText(m_text, 0, 0, m_codePage);
  ::SetFocus(m_box.m_hWnd);
  m_box.SetSel(0, 0);
  ::SetDlgItemTextA(m_hWnd, IDC_PTEXT_FILE, m_fileName.GetData());
  return FALSE;
}

void CParagraphDlg::OnOpenFile() {
  CMRUFileDlg files(1, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, kTextFilter, this);
  files.m_section = "TXTMRULST";
  if (files.DoModal() != IDOK) return;
  const CString path = files.GetPathName();
  m_fileName = static_cast<const char*>(path);
  int mark = 0;
  const AString text = ReadFileToStringWide(m_fileName.GetData(), true, true, &mark);
  // A byte-order mark says UTF-16; any other file is in the system's code page.
  const int codePage = mark ? kUtf16 : 0;
  m_box.SetText(AString(), 0, 0, codePage);
  m_box.SetText(text, 0, 0, codePage);
  ::SetDlgItemTextA(m_hWnd, IDC_PTEXT_FILE, m_fileName.GetData());
}

void CParagraphDlg::OnOK() {
  m_box.GetUnicodeText(m_text);
  m_codePage = kUtf16;
  CSkinDialog::OnOK();
}
