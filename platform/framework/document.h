// Documents: the data a program edits, its path and title, whether it has
// changed since it was saved, the views that show it, and reading and
// writing it through an archive. A document is marked saved only once its
// file has been written completely: it is written beside the target and
// moved over it at the end, so a failure leaves the old file as it was.
#pragma once

#include "platform/framework/archive.h"
#include "platform/framework/cmd_target.h"
#include "platform/framework/collections.h"
#include "platform/framework/cstring.h"

class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)

 public:
  CDocument() = default;
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(const char* title);
  const CString& GetPathName() const { return m_strPathName; }
  virtual void SetPathName(const char* path, BOOL addToMru = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

  void AddView(CView* view);
  void RemoveView(CView* view);
  POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  CView* GetNextView(POSITION& pos) const { return static_cast<CView*>(m_viewList.GetNext(pos)); }
  int GetViewCount() const { return static_cast<int>(m_viewList.GetCount()); }
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
  virtual void OnChangedViewList();

  virtual void DeleteContents() {}
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(const char* path);
  virtual BOOL OnSaveDocument(const char* path);
  virtual void OnCloseDocument();
  virtual void ReportSaveLoadException(const char* path, CException* e, BOOL saving, UINT defaultPromptId);
  virtual BOOL CanCloseFrame(CFrameWnd* frame);
  virtual void PreCloseFrame(CFrameWnd*) {}
  // Asks whether to save a changed document: TRUE to go on (saved or not
  // wanted), FALSE when the user cancels or the save fails.
  virtual BOOL SaveModified();
  virtual BOOL DoSave(const char* path, BOOL replace = TRUE);
  virtual BOOL DoFileSave();
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  void OnFileClose();
  void OnFileSave();
  void OnFileSaveAs();

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  CPtrList m_viewList;
  BOOL m_bModified = FALSE;
  BOOL m_bAutoDelete = TRUE;
  BOOL m_bEmbedded = FALSE;

  DECLARE_MESSAGE_MAP()
};
