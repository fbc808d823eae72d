// Control bars docked in a frame: each takes a strip of the frame's client
// area (top or bottom, in the order the bars were made) when the frame lays
// itself out, and updates its items through CCmdUI at idle time. The tool
// bar and status bar wrap the common controls of the same name.
#pragma once

#include <vector>

#include "platform/framework/cmd_target.h"
#include "platform/framework/frame.h"
#include "platform/framework/wnd.h"
#include "platform/win.h"

// CBRS_* bar styles (the bar object's, kept apart from the window's).
inline constexpr DWORD CBRS_ALIGN_LEFT = 0x1000, CBRS_ALIGN_TOP = 0x2000, CBRS_ALIGN_RIGHT = 0x4000,
                       CBRS_ALIGN_BOTTOM = 0x8000, CBRS_ALIGN_ANY = 0xF000, CBRS_BORDER_LEFT = 0x0100,
                       CBRS_BORDER_TOP = 0x0200, CBRS_BORDER_RIGHT = 0x0400, CBRS_BORDER_BOTTOM = 0x0800,
                       CBRS_TOOLTIPS = 0x0010, CBRS_FLYBY = 0x0020, CBRS_SIZE_DYNAMIC = 0x0040,
                       CBRS_SIZE_FIXED = 0x0080, CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM,
                       CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP, CBRS_NOALIGN = 0;

// What a frame hands each bar as it lays itself out.
struct AFX_SIZEPARENTPARAMS {
  RECT rect;       // what is left of the client area
  SIZE sizeTotal;  // the bars' total size
  BOOL bStretch;
};

class CDockBar;

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)

 public:
  ~CControlBar() override;
  virtual CSize CalcFixedLayout(BOOL stretch, BOOL horizontal);
  virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) = 0;
  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBarStyle(DWORD style) { m_dwStyle = style; }
  int GetCount() const { return static_cast<int>(m_nCount); }
  // The sides (CBRS_ALIGN_*) the bar may be docked on.
  void EnableDocking(DWORD style);
  BOOL IsVisible() const { return (GetStyle() & WS_VISIBLE) != 0; }

  LRESULT OnSizeParent(WPARAM, LPARAM lParam);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM);
  int OnCreate(LPCREATESTRUCT cs);

  DWORD m_dwStyle = 0;
  UINT m_nCount = 0;
  CFrameWnd* m_pDockSite = nullptr;
  DWORD m_dwDockStyle = 0;
  // The dock bar holding the bar, while one does.
  CDockBar* m_pDockBar = nullptr;

 protected:
  // Creates the control window of a class over this bar object.
  BOOL CreateBar(const char* className, DWORD windowStyle, DWORD barStyle, CWnd* parent, UINT id);
  DECLARE_MESSAGE_MAP()
};

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)

 public:
  BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = AFX_IDW_TOOLBAR);
  BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = 0x0800 /* TBSTYLE_FLAT */,
                DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect borders = CRect(0, 0, 0, 0),
                UINT id = AFX_IDW_TOOLBAR);
  // The button ids and image size of a tool-bar resource (type 241) and its bitmap.
  BOOL LoadToolBar(UINT id);
  BOOL LoadBitmap(UINT id);
  BOOL SetBitmap(HBITMAP bitmap);
  void SetSizes(SIZE button, SIZE image);
  // ID_SEPARATOR makes a separator; images are numbered in order of the other ids.
  BOOL SetButtons(const UINT* ids, int count);
  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  void GetItemRect(int index, LPRECT rect) const;
  // Stretched, a whole edge's length; otherwise the extent of the buttons.
  CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

 private:
  void StandButtons(bool upright);
  std::vector<UINT> m_ids;
  bool m_upright = false;
  CSize m_sizeImage{16, 15};
  CSize m_sizeButton{23, 22};
};

// A status-bar pane: its id, style and width.
inline constexpr UINT SBPS_NORMAL = 0x0000, SBPS_NOBORDERS = 0x0100, SBPS_POPOUT = 0x0200, SBPS_OWNERDRAW = 0x1000,
                      SBPS_DISABLED = 0x04000000, SBPS_STRETCH = 0x08000000;

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)

 public:
  BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
  // Panes with these ids; each pane's text starts as the string of its id
  // (an indicator's text sets its width). ID_SEPARATOR is the stretching message pane.
  BOOL SetIndicators(const UINT* ids, int count);
  BOOL SetPaneText(int index, const char* text, BOOL update = TRUE);
  CString GetPaneText(int index) const;
  void SetPaneInfo(int index, UINT id, UINT style, int width);
  void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
  UINT GetItemID(int index) const { return m_panes.at(static_cast<size_t>(index)).id; }
  int CommandToIndex(UINT id) const;
  CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
  LRESULT OnSetText(WPARAM, LPARAM lParam);
  LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetTextLength(WPARAM, LPARAM);
  void OnSize(UINT type, int cx, int cy);

 private:
  struct Pane {
    UINT id;
    UINT style;
    int width;
    CString text;
  };
  void UpdateParts();
  void SendPaneText(int index);
  std::vector<Pane> m_panes;
  DECLARE_MESSAGE_MAP()
};

// A bar made from a dialog template, its controls updated like the others.
class CDialogBar : public CControlBar {
  DECLARE_DYNAMIC(CDialogBar)

 public:
  BOOL Create(CWnd* parent, UINT templateId, UINT style, UINT id);
  CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

 private:
  CSize m_sizeDefault;
};
