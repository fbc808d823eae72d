// The About box: product, version, the maker's web page and mail as links,
// and the legal notice up to this year.
#pragma once

#include "app/small_dialogs/static_hotlink.h"
#include "app/ui/skin_dialog.h"

class CAboutDlg : public CSkinDialog {
 public:
  explicit CAboutDlg(CWnd* parent = nullptr);
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

  CStaticHotlink m_webLink;
  CStaticHotlink m_mailLink;
};
