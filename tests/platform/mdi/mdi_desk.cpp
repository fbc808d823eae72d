#include "tests/platform/mdi/mdi_desk.h"

#include "platform/testing/ui.h"

namespace mditest {

LRESULT TitledDocumentProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT r;
    GetClientRect(w, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    WCHAR title[64] = {};
    GetWindowTextW(w, title, 64);
    DrawTextW(dc, title, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(w, &ps);
    return 0;
  }
  return DefMDIChildProcW(w, message, wParam, lParam);
}

Desk MakeDesk(const DeskOptions& options, HWND& client) {
  uitest::RegisterTestClass({options.frameClass, options.frameProc, -1});
  uitest::RegisterTestClass({options.documentClass, TitledDocumentProc, -1, options.documentIcon});
  Desk d;
  d.windowMenu = CreatePopupMenu();
  AppendMenuW(d.windowMenu, MF_STRING, 100, u"&Cascade");
  d.bar = CreateMenu();
  if (options.fileMenu) AppendMenuW(d.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), u"&File");
  AppendMenuW(d.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(d.windowMenu), u"&Window");
  d.frame = CreateWindowExW(0, options.frameClass, u"Designer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                            nullptr, d.bar, nullptr, nullptr);
  CLIENTCREATESTRUCT ccs{d.windowMenu, kFirstChild};
  RECT r;
  GetClientRect(d.frame, &r);
  d.client = CreateWindowExW(WS_EX_CLIENTEDGE, u"MDIClient", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | options.clientScroll, 0, 0, r.right, r.bottom,
                             d.frame, nullptr, nullptr, &ccs);
  client = d.client;
  for (const char16_t* title : {u"Label 1", u"Label 2", u"Label 3"})
    d.documents.push_back(CreateMDIWindowW(options.documentClass, title, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, d.client, nullptr, 0));
  return d;
}

}  // namespace mditest
