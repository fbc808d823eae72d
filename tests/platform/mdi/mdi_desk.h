// The desk both MDI tests start from: a "Designer" frame with a menu bar,
// an MDI client filling it and three documents that paint their titles.
#pragma once

#include <vector>

#include "platform/win.h"

namespace mditest {

inline constexpr UINT kFirstChild = 0xFF00;

// A document that paints its title, centred on the window colour.
LRESULT TitledDocumentProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam);

struct DeskOptions {
  const char16_t* frameClass;  // registered with frameProc on first use
  WNDPROC frameProc;
  const char16_t* documentClass;  // registered with TitledDocumentProc on first use
  bool fileMenu = false;          // a "&File" popup before "&Window"
  DWORD clientScroll = 0;         // WS_HSCROLL | WS_VSCROLL as the framework makes it
  HICON documentIcon = nullptr;
};

struct Desk {
  HMENU windowMenu = nullptr;  // "&Window", with "&Cascade"
  HMENU bar = nullptr;
  HWND frame = nullptr;
  HWND client = nullptr;
  std::vector<HWND> documents;  // "Label 1", "Label 2", "Label 3"
};

// Makes the desk; `client` is set as soon as the MDI client exists, for a
// frame procedure that passes it to DefFrameProc.
Desk MakeDesk(const DeskOptions& options, HWND& client);

}  // namespace mditest
