// The designer's MDI main window: four tool bars, the status bar, the menus
// and accelerators of resource 2, the list of open layouts, the workspace
// file, the reload of layouts changed on disk, the hand-over of files from a
// second instance, and Undo/Redo sent to the active layout's view.
#pragma once

#include <string>
#include <vector>

#include "app/frame/label_status_bar.h"
#include "app/frame/owner_draw_menu.h"
#include "app/frame/outside_changes.h"
#include "app/frame/workspace.h"
#include "platform/framework.h"

// One open layout window, rebuilt each time the list is asked for.
struct OpenLayoutEntry {
  HWND child = nullptr;
  std::string path;
  CDocument* document = nullptr;  // not owned
  CView* activeView = nullptr;    // not owned
};

class CMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)

 public:
  CMainFrame();
  ~CMainFrame() override;

  // The one main frame while it exists, else null.
  static CMainFrame* Get();

  void CollectOpenDocuments();
  const std::vector<OpenLayoutEntry>& OpenLayouts() const { return m_openLayouts; }
  void RefreshAllLayouts();
  CDocument* OpenLayoutFile(const char* path, bool readOnly);
  int ReopenWorkspaceLayouts();
  void RestoreLayoutScroll(WorkspaceRecord& record, CView* view);
  LRESULT SendToActiveView(UINT command);
  void CheckRememberedView();
  void SetFrameIcons(bool rebuildMenus);
  // Makes a menu owner-drawn (drawn in the interface language): kind 0 the
  // frame's own menu, 1 the layout windows' menu; with reset both are done
  // again (the language changed).
  void PrepareOwnerDrawMenu(int kind, bool reset);
  // The layout windows' shared menu, or null.
  HMENU LayoutMenu() const;
  void RebuildMenus();

  // Status panes.
  void SetLabelSizePane(int width, int height, int unit);
  void SetDpiPane(const char* text);
  void SetPrinterPane(const char* name);
  void SetCursorPosPane(double x, double y, int unit);
  void SetReadOnlyPane(bool readOnly);
  // Runs the outside-change check now (as activating the program does).
  int CheckOutsideChanges();
  // Closes a layout window and opens its file again, keeping its place.
  void ReloadLayout(CMDIChildWnd* child, const LayoutFileStatus& now);

  void RecalcLayout(BOOL notify = TRUE) override;
  // Also blanks the layout panes once the last layout window has gone.
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;

  int OnCreate(LPCREATESTRUCT cs);
  void OnDestroy();
  void OnClose();
  void OnActivateApp(BOOL active, DWORD threadId);
  void OnEnable(BOOL enable);
  void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
  void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);
  BOOL OnEraseBkgnd(CDC* dc);
  LRESULT OnOpenMessage(WPARAM wParam, LPARAM lParam);
  void OnReloadActiveFile();
  void OnUndo();
  void OnRedo();
  void OnUpdateUndoRedo(CCmdUI* ui);
  void OnHelpButton();
  void OnHelpContent();
  BOOL OnToggleBar(UINT id);
  void OnUpdateToggleBar(CCmdUI* ui);

  CLabelStatusBar m_wndStatusBar;
  int m_creationState = 0;
  int m_rulerOffsetX = 9999;
  int m_rulerOffsetY = 9999;
  CToolBar m_wndStandardBar;
  CToolBar m_wndToolsBar;
  CToolBar m_wndViewToolBar;
  CToolBar m_wndAlignToolBar;
  std::vector<OpenLayoutEntry> m_openLayouts;
  CRect m_defaultChildRect;
  CWorkspace m_workspace;
  COwnerDrawMenuTable m_menuTables[2];
  MenuMetrics m_menuMetrics = MenuMetrics::Read();
  HBITMAP m_menuCheck = nullptr;

 private:
  CMDIChildWnd* ActiveLayoutChild() const;
  // The record of an owner-drawn item of ours, else null.
  MenuItemRecord* OwnRecord(ULONG_PTR itemData) const;
  void CollectWorkspace();
  // Docks the bar right of its neighbour, in the neighbour's dock bar and
  // row; after creation only when the bar is not on that row already and
  // the neighbour ends inside the frame.
  void DockBarNextTo(CControlBar& bar, CControlBar& leftNeighbour);
  void SavePlacement();
  bool m_checkingOutsideChanges = false;
  bool m_hadActiveChild = false;
  DECLARE_MESSAGE_MAP()
};

// The registered message a second instance sends with a file to open.
UINT BarcodeLabelOpenMessage();
