#include "app/small_dialogs/about_dlg.h"

#include "app/small_dialogs/product_info.h"
#include "app/small_dialogs/small_dialogs_ids.h"
#include "app/ui/ui_language.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CSkinDialog(IDD_ABOUTBOX, parent) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx) {
  CSkinDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_ABOUT_WEB, m_webLink);
  DDX_Control(dx, IDC_ABOUT_MAIL, m_mailLink);
}

BOOL CAboutDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  Skin().SetDlgItemText(IDC_ABOUT_PRODUCT, TranslateUiString(GetProductTitle().GetData()).GetData());
  m_webLink.SetWindowText(kProductWebAddress);
  m_webLink.m_link = kSupportWebPage;
  m_mailLink.SetWindowText(kSupportMailAddress);
  m_mailLink.m_mail = 1;
  AString version;
  version.Format("%s %s", TranslateUiString("Version").GetData(), GetVersionText().GetData());
  Skin().SetDlgItemText(IDC_ABOUT_VERSION, version.GetData());
  Skin().SetDlgItemText(IDC_ABOUT_LEGAL, LegalNotice(CurrentYear()).GetData());
  return TRUE;
}
