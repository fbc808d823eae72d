// The main frame's work on the open layouts: the list of them, commands sent
// to the active one's view, the workspace at exit and start, the reload of
// files changed outside, and files handed over by a second instance.
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "app/frame/frame_host.h"
#include "app/frame/frame_ids.h"
#include "app/frame/layout_windows.h"
#include "app/frame/main_frame.h"
#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"

namespace {

// The program's message box, its text translated line by line unless it
// already is; Yes is the default of a question.
int AskYesNo(CWnd* owner, const AString& text) { return ShowMsgBoxDlg(owner, text, kMsgBoxYesNo, 0, IDYES); }

void Report(CWnd* owner, const char* text) { ShowMsgBoxDlg(owner, AString(text), kMsgBoxOk, 0, IDOK); }

AString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return AString(text.GetString());
}

bool Readable(const std::string& path) { return !path.empty() && ::access(path.c_str(), R_OK) == 0; }

CString DocumentPath(CDocument* document) { return document ? document->GetPathName() : CString(); }

}  // namespace

CMDIChildWnd* CMainFrame::ActiveLayoutChild() const {
  CMDIChildWnd* child = MDIGetActive();
  return child && LayoutWindows().IsLayoutChild(child) ? child : nullptr;
}

void CMainFrame::CollectOpenDocuments() {
  m_openLayouts.clear();
  if (!m_hWndMDIClient) return;
  for (HWND h = ::GetWindow(m_hWndMDIClient, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    auto* child = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(h));
    if (!child || !LayoutWindows().IsLayoutChild(child)) continue;
    CDocument* document = child->GetActiveDocument();
    CView* view = child->GetActiveView();
    const CString path = DocumentPath(document);
    if (path.IsEmpty() || !view) continue;
    m_openLayouts.push_back(OpenLayoutEntry{h, path.GetString(), document, view});
  }
}

LRESULT CMainFrame::SendToActiveView(UINT command) {
  CMDIChildWnd* child = ActiveLayoutChild();
  CView* view = child ? child->GetActiveView() : nullptr;
  return view ? view->SendMessage(WM_COMMAND, command, 0) : 0;
}

void CMainFrame::OnUndo() { SendToActiveView(ID_EDIT_UNDO_LAYOUT); }
void CMainFrame::OnRedo() { SendToActiveView(ID_EDIT_REDO_LAYOUT); }

// Reached only when the active layout's view keeps no state of its own for
// the command (or no layout is active): nothing to send it to then.
void CMainFrame::OnUpdateUndoRedo(CCmdUI* ui) { ui->Enable(ActiveLayoutChild() != nullptr); }

void CMainFrame::RefreshAllLayouts() {
  CollectOpenDocuments();
  for (const OpenLayoutEntry& e : m_openLayouts) {
    LayoutWindows().RefreshFromSettings(e.activeView);
    if (CWnd* child = CWnd::FromHandlePermanent(e.child)) child->RedrawWindow();
  }
}

CDocument* CMainFrame::OpenLayoutFile(const char* path, bool readOnly) {
  CWinApp* app = AfxGetApp();
  CDocument* document = app ? app->OpenDocumentFile(path) : nullptr;
  if (document && readOnly) {
    LayoutWindows().SetLocked(document, true);
    if (CMDIChildWnd* child = MDIGetActive()) child->MDIMaximize();
    SetReadOnlyPane(true);
  }
  return document;
}

void CMainFrame::RestoreLayoutScroll(WorkspaceRecord& record, CView* view) {
  record.rect = WorkspaceWindowRect(record.rect);
  if (!view) return;
  LayoutWindows().RefreshFromSettings(view);
  const SIZE label = LayoutWindows().LabelSizePixels(view);
  const POINT at = ClampWorkspaceScroll(POINT{record.scrollX, record.scrollY}, label, record.rect);
  LayoutWindows().ScrollTo(view, at);
}

int CMainFrame::ReopenWorkspaceLayouts() {
  bool notAllOpened = false;
  CWinApp* app = AfxGetApp();
  for (size_t i = 0; i < m_workspace.m_records.size(); ++i) {
    WorkspaceRecord& record = m_workspace.m_records[i];
    CDocument* document = Readable(record.path) && app ? app->OpenDocumentFile(record.path.c_str()) : nullptr;
    if (!document) {
      notAllOpened = true;
      continue;
    }
    LayoutWindows().SetLocked(document, IsReadOnly(FileStatusNow(record.path).value_or(LayoutFileStatus{})));
    CMDIChildWnd* child = MDIGetActive();
    if (!child) continue;
    RestoreLayoutScroll(record, child->GetActiveView());
    const bool last = i + 1 == m_workspace.m_records.size();
    if (last) child->SetFocus();
    if (last && m_workspace.m_layoutMaximised == 1) {
      child->MDIMaximize();
    } else {
      const CRect r(record.rect);
      child->MoveWindow(r.left, r.top, r.Width(), r.Height(), TRUE);
    }
    child->Invalidate();
    child->UpdateWindow();
  }
  m_workspace.m_records.clear();
  if (notAllOpened) Report(this, "Not all files can be opened.");
  if (!m_workspace.m_currentFolder.empty() && ::chdir(m_workspace.m_currentFolder.c_str()) != 0) {
    // A folder gone since the last run leaves the current folder as it is.
  }
  return 1;
}

void CMainFrame::CollectWorkspace() {
  m_workspace.m_records.clear();
  m_workspace.m_layoutMaximised = 0;
  if (!m_hWndMDIClient) return;
  for (HWND h = ::GetWindow(m_hWndMDIClient, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    auto* child = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(h));
    if (!child || !LayoutWindows().IsLayoutChild(child)) continue;
    CDocument* document = child->GetActiveDocument();
    CView* view = child->GetActiveView();
    if (!document || !view) continue;
    WorkspaceRecord record;
    const POINT scroll = LayoutWindows().ScrollOrigin(view);
    record.scrollX = scroll.x;
    record.scrollY = scroll.y;
    record.path = DocumentPath(document).GetString();
    CRect r;
    child->GetWindowRect(&r);
    ::ScreenToClient(m_hWndMDIClient, reinterpret_cast<POINT*>(&r.left));
    ::ScreenToClient(m_hWndMDIClient, reinterpret_cast<POINT*>(&r.right));
    record.rect = r;
    if (::IsZoomed(h)) m_workspace.m_layoutMaximised = 1;
    // Paths too long for the file's field are not recorded.
    if (!record.path.empty() && record.path.size() < CWorkspace::kPathBytes) m_workspace.m_records.push_back(record);
  }
}

void CMainFrame::OnClose() {
  CollectWorkspace();
  char folder[CWorkspace::kPathBytes] = {};
  m_workspace.m_currentFolder = ::getcwd(folder, sizeof folder) ? folder : "";
  if (!NoSaveMode()) m_workspace.Write();
  m_pViewActive = nullptr;
  CMDIFrameWnd::OnClose();
}

// The remembered view may have been deleted with its window, so it is only
// compared, never read: it stays while an open document still has it.
void CMainFrame::CheckRememberedView() {
  if (!m_pViewActive) return;
  if (CWinApp* app = AfxGetApp()) {
    for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
      CDocTemplate* docTemplate = app->GetNextDocTemplate(t);
      for (POSITION d = docTemplate ? docTemplate->GetFirstDocPosition() : nullptr; d;) {
        CDocument* document = docTemplate->GetNextDoc(d);
        for (POSITION v = document->GetFirstViewPosition(); v;)
          if (document->GetNextView(v) == m_pViewActive) return;
      }
    }
  }
  m_pViewActive = nullptr;
}

void CMainFrame::OnEnable(BOOL enable) {
  if (!enable) CheckRememberedView();
  Default();
}

void CMainFrame::OnActivateApp(BOOL active, DWORD threadId) {
  Default();
  (void)threadId;
  if (active && !StartingUp()) CheckOutsideChanges();
}

int CMainFrame::CheckOutsideChanges() {
  if (m_checkingOutsideChanges) return 0;
  m_checkingOutsideChanges = true;
  CollectOpenDocuments();
  std::vector<std::unique_ptr<CLayoutFileWatch>> watches;
  std::vector<CLayoutFileWatch*> layouts;
  for (const OpenLayoutEntry& e : m_openLayouts) {
    auto* child = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(e.child));
    if (auto watch = child ? LayoutWindows().Watch(child) : nullptr) {
      layouts.push_back(watch.get());
      watches.push_back(std::move(watch));
    }
  }
  const int asked = ::CheckOutsideChanges(layouts, [this](const CLayoutFileWatch& layout, bool modified) {
    AString suffix;
    if (modified) {
      suffix = " (";
      suffix += TranslateUiString("and lose changes");
      suffix += ")";
    }
    // Translated as a format whose arguments are typed and checked.
    return UiMessageBoxText(this, "File %s has been modified outside. Do you want to reload it%s?", kMsgBoxYesNo,
                            false, layout.Path(), suffix);
  });
  if (CMDIChildWnd* child = ActiveLayoutChild()) {
    for (const auto& watch : watches) {
      if (watch->Path() == DocumentPath(child->GetActiveDocument()).GetString())
        SetReadOnlyPane(IsReadOnly(FileStatusNow(watch->Path()).value_or(LayoutFileStatus{})));
    }
  }
  m_checkingOutsideChanges = false;
  return asked;
}

void CMainFrame::ReloadLayout(CMDIChildWnd* child, const LayoutFileStatus& now) {
  CDocument* document = child ? child->GetActiveDocument() : nullptr;
  if (!document) return;
  const CString path = DocumentPath(document);
  document->SetModifiedFlag(FALSE);
  WorkspaceRecord place;
  if (CView* view = child->GetActiveView()) {
    const POINT scroll = LayoutWindows().ScrollOrigin(view);
    place.scrollX = scroll.x;
    place.scrollY = scroll.y;
  }
  CRect r;
  child->GetWindowRect(&r);
  ::ScreenToClient(m_hWndMDIClient, reinterpret_cast<POINT*>(&r.left));
  ::ScreenToClient(m_hWndMDIClient, reinterpret_cast<POINT*>(&r.right));
  place.rect = r;
  CheckRememberedView();
  child->SendMessage(WM_CLOSE);
  CWinApp* app = AfxGetApp();
  CDocument* again = app ? app->OpenDocumentFile(path) : nullptr;
  if (!again) return;
  if (auto watchChild = MDIGetActive()) {
    if (auto watch = LayoutWindows().Watch(watchChild)) watch->SetKeptStatus(now);
    if (CView* view = watchChild->GetActiveView()) {
      m_pViewActive = view;
      RestoreLayoutScroll(place, view);
      view->Invalidate();
    }
  }
}

LRESULT CMainFrame::OnOpenMessage(WPARAM, LPARAM lParam) {
  char path[257] = {};
  if (::GlobalGetAtomNameA(static_cast<ATOM>(lParam), path, sizeof path) == 0 || path[0] == '\0') return 0;
  CWinApp* app = AfxGetApp();
  CDocument* document = app ? app->OpenDocumentFile(path) : nullptr;
  return document && DocumentPath(document).CompareNoCase(path) == 0 ? 1 : 0;
}

void CMainFrame::OnReloadActiveFile() {
  CMDIChildWnd* child = ActiveLayoutChild();
  if (!child) return;
  CRect was;
  child->GetWindowRect(&was);
  ::ScreenToClient(m_hWndMDIClient, reinterpret_cast<POINT*>(&was.left));
  ::ScreenToClient(m_hWndMDIClient, reinterpret_cast<POINT*>(&was.right));
  CRect shrunk(m_defaultChildRect);
  shrunk.DeflateRect(4, 4);
  child->MoveWindow(shrunk.left, shrunk.top, shrunk.Width(), shrunk.Height(), TRUE);
  CDocument* document = child->GetActiveDocument();
  const bool modified = document && document->IsModified();
  if (AskYesNo(this, LoadText(modified ? IDS_RELOAD_MODIFIED : IDS_RELOAD_UNMODIFIED)) != IDYES) {
    child->MoveWindow(was.left, was.top, was.Width(), was.Height(), TRUE);
    return;
  }
  const CString path = DocumentPath(document);
  if (path.IsEmpty()) {
    ::MessageBeep(static_cast<UINT>(-1));
    return;
  }
  if (!Readable(path.GetString())) {
    Report(this, LoadText(IDS_CANNOT_OPEN_FILE).GetData());
    return;
  }
  document->SetModifiedFlag(FALSE);
  child->SendMessage(WM_CLOSE);
  if (CWinApp* app = AfxGetApp()) app->OpenDocumentFile(path);
}

void CMainFrame::OnHelpButton() {
  // The Help menu: the last popup of the menu bar from its fifth position on.
  CMenu* bar = GetMenu();
  if (!bar) return;
  CMenu* popup = nullptr;
  for (int i = 4; i < bar->GetMenuItemCount(); ++i)
    if (CMenu* sub = bar->GetSubMenu(i)) popup = sub;
  if (!popup) return;
  POINT at{};
  ::GetCursorPos(&at);
  popup->TrackPopupMenu(0, at.x, at.y + 13, this);
}

void CMainFrame::OnHelpContent() {
  const CString help = FrameHost().HelpFilePath();
  if (help.IsEmpty() || !Readable(help.GetString()) ||
      reinterpret_cast<INT_PTR>(::ShellExecuteA(m_hWnd, "open", help, nullptr, nullptr, SW_SHOWNORMAL)) <= 32)
    Report(this, LoadText(IDS_CANNOT_OPEN_FILE).GetData());
}
