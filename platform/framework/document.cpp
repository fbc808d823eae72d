// Documents: views, titles, the modified flag, and loading and saving
// through archives.
#include "platform/framework/document.h"

#include <cstdio>
#include <string>

#include "platform/framework/app.h"
#include "platform/framework/doc_template.h"
#include "platform/framework/frame.h"
#include "platform/framework/framework_ids.h"
#include "platform/framework/view.h"
#include "platform/kernel/kernel.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
  ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
  ON_COMMAND(ID_FILE_SAVE, OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::~CDocument() {
  // Views still attached lose their document; the template forgets it.
  for (POSITION pos = GetFirstViewPosition(); pos;) GetNextView(pos)->m_pDocument = nullptr;
  m_viewList.RemoveAll();
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const char* title) {
  m_strTitle = title;
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    if (CFrameWnd* frame = GetNextView(pos)->GetParentFrame()) frame->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::SetPathName(const char* path, BOOL addToMru) {
  char full[MAX_PATH * 4];
  const DWORD n = ::GetFullPathNameA(path, sizeof full, full, nullptr);
  m_strPathName = n > 0 && n < sizeof full ? CString(full) : CString(path);
  const int slash = m_strPathName.ReverseFind('/');
  SetTitle(m_strPathName.Mid(slash + 1));
  if (addToMru) {
    if (CWinApp* app = AfxGetApp()) app->AddToRecentFileList(m_strPathName);
  }
}

void CDocument::AddView(CView* view) {
  m_viewList.AddTail(view);
  view->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* view) {
  if (POSITION pos = m_viewList.Find(view)) m_viewList.RemoveAt(pos);
  view->m_pDocument = nullptr;
  OnChangedViewList();
}

void CDocument::OnChangedViewList() {
  // A document nobody shows any more closes, unless it is kept on purpose.
  if (m_viewList.IsEmpty() && m_bAutoDelete) {
    OnCloseDocument();
    return;
  }
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    if (CFrameWnd* frame = GetNextView(pos)->GetParentFrame()) frame->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CView* view = GetNextView(pos);
    if (view != sender) view->OnUpdate(sender, hint, hintObject);
  }
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path) {
  CFile file;
  CFileException error;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error)) {
    ReportSaveLoadException(path, &error, FALSE, 0);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag(TRUE);  // while the contents are half read
  try {
    CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    Serialize(ar);
    ar.Close();
    file.Close();
  } catch (CException* e) {
    file.Abort();
    DeleteContents();
    ReportSaveLoadException(path, e, FALSE, 0);
    e->Delete();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(const char* path) {
  // Written beside the target first and moved over it only once complete,
  // so a failed save leaves the old file whole and the document unsaved.
  std::string temp = std::string(path) + ".tmp-XXXXXX";
  {
    FILE* probe = nullptr;
    for (int attempt = 0; attempt < 100 && !probe; ++attempt) {
      char suffix[16];
      std::snprintf(suffix, sizeof suffix, ".tmp%02d", attempt);
      temp = std::string(path) + suffix;
      if (::GetFileAttributesA(temp.c_str()) == INVALID_FILE_ATTRIBUTES) probe = ::fopenA(temp.c_str(), "wb");
    }
    if (!probe) {
      CFileException error(CFileException::accessDenied, -1, path);
      ReportSaveLoadException(path, &error, TRUE, 0);
      return FALSE;
    }
    std::fclose(probe);
  }
  CFile file;
  CFileException error;
  if (!file.Open(temp.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error)) {
    ::DeleteFileA(temp.c_str());
    error.m_strFileName = path;
    ReportSaveLoadException(path, &error, TRUE, 0);
    return FALSE;
  }
  try {
    CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    ar.m_strFileName = path;
    Serialize(ar);
    ar.Close();
    file.Flush();
    file.Close();
  } catch (CException* e) {
    file.Abort();
    ::DeleteFileA(temp.c_str());
    ReportSaveLoadException(path, e, TRUE, 0);
    e->Delete();
    return FALSE;
  }
  if (!::MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING)) {
    const auto os = static_cast<LONG>(::GetLastError());
    ::DeleteFileA(temp.c_str());
    CFileException failed(CFileException::OsErrorToException(os), os, path);
    ReportSaveLoadException(path, &failed, TRUE, 0);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::ReportSaveLoadException(const char* path, CException* e, BOOL saving, UINT) {
  char text[600];
  if (!e || !e->GetErrorMessage(text, sizeof text)) {
    std::snprintf(text, sizeof text, saving ? "Failed to save document %s." : "Failed to open document %s.",
                  path ? path : "");
  }
  AfxMessageBox(text, MB_ICONEXCLAMATION | MB_OK);
}

void CDocument::OnCloseDocument() {
  // The frames go first (their views leave the list); the document stays
  // alive while they do.
  const BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.IsEmpty()) {
    CView* view = static_cast<CView*>(m_viewList.GetHead());
    CFrameWnd* frame = view->GetParentFrame();
    if (frame && frame->m_hWnd) {
      PreCloseFrame(frame);
      frame->DestroyWindow();
    } else {
      RemoveView(view);
    }
  }
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame) {
  // Another frame still shows the document: closing this one loses nothing.
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CFrameWnd* other = GetNextView(pos)->GetParentFrame();
    if (other && other != frame) return TRUE;
  }
  return SaveModified();
}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  CString name = m_strPathName;
  if (name.IsEmpty()) name = m_strTitle;
  const int slash = name.ReverseFind('/');
  CString prompt;
  prompt.Format("Save changes to %s?", name.Mid(slash + 1).GetString());
  switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    default: return TRUE;
  }
}

BOOL CDocument::DoFileSave() {
  const DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
  // No name yet, or a read-only file: ask for a name.
  if (m_strPathName.IsEmpty() || (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)))
    return DoSave(nullptr);
  return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(const char* path, BOOL replace) {
  CString name = path ? CString(path) : CString();
  if (name.IsEmpty()) {
    name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    CString ext;
    if (m_pDocTemplate && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty() &&
        name.Find('.') < 0)
      name += ext;
    CWinApp* app = AfxGetApp();
    if (!app || !app->DoPromptFileName(name, 0, 0, FALSE, m_pDocTemplate)) return FALSE;
  }
  if (!OnSaveDocument(name)) return FALSE;
  if (replace) SetPathName(name);
  return TRUE;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose() {
  if (!SaveModified()) return;
  OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(nullptr); }
