// The property page base with its skin.
#include "app/ui/skin_property_page.h"

#include "app/ui/my_prop_sheet.h"

BEGIN_MESSAGE_MAP(CSkinPropertyPage, CPropertyPage)
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CSkinPropertyPage::CSkinPropertyPage(UINT pageId) : CPropertyPage(pageId), pageId_(static_cast<int>(pageId)) {}

CSkinPropertyPage::~CSkinPropertyPage() = default;

BOOL CSkinPropertyPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  skin_.SetPageFlag(true);
  skin_.Attach(this, pageId_);
  return TRUE;
}

BOOL CSkinPropertyPage::PreTranslateMessage(MSG* msg) {
  // The first Tab or arrow key also shows the sheet's own focus marks.
  const bool firstKey = msg->message == WM_KEYDOWN &&
                        (msg->wParam == VK_TAB || msg->wParam == VK_UP || msg->wParam == VK_DOWN);
  if (firstKey) {
    if (auto* sheet = dynamic_cast<CMyPropSheet*>(GetSheet())) sheet->Skin().RefreshFocusLook();
  }
  if (skin_.PreTranslateMessage(msg)) return TRUE;
  return CPropertyPage::PreTranslateMessage(msg);
}

CPropertyPage* CSkinPropertyPage::GetSheetPage(int n) const {
  CPropertySheet* sheet = GetSheet();
  return sheet ? sheet->GetPage(n) : nullptr;
}

void CSkinPropertyPage::OnPaint() {
  CPaintDC dc(this);
  skin_.Paint(dc);
}

void CSkinPropertyPage::OnDestroy() {
  CPropertyPage::OnDestroy();
  skin_.Detach();
}
