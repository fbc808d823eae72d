// Document templates: which document, frame and view classes make up one
// kind of document, its strings (window title, file-new name, filter,
// extension), its menu and accelerators, and the documents open of it.
#pragma once

#include "platform/framework/cmd_target.h"
#include "platform/framework/collections.h"
#include "platform/framework/cstring.h"
#include "platform/win.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)

 public:
  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
  enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative,
                    yesAlreadyOpen };

  ~CDocTemplate() override;
  // Loads the strings, menu and accelerators of the resource id.
  virtual void LoadTemplate();
  virtual BOOL GetDocString(CString& text, DocStringIndex index) const;
  // The strings as the resource holds them: "\nDoc\nDocument\nFilter\n.ext\n...".
  void SetDocStrings(const char* strings) { m_strDocStrings = strings; }

  virtual void AddDocument(CDocument* doc);
  virtual void RemoveDocument(CDocument* doc);
  virtual POSITION GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }
  virtual CDocument* GetNextDoc(POSITION& pos) const { return static_cast<CDocument*>(m_docList.GetNext(pos)); }
  virtual CDocument* CreateNewDocument();
  virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
  virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible = TRUE);
  virtual CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) = 0;
  virtual void SetDefaultTitle(CDocument* doc) = 0;
  virtual Confidence MatchDocType(const char* path, CDocument*& match);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL endSession);

  UINT m_nIDResource;
  const CRuntimeClass* m_pDocClass;
  const CRuntimeClass* m_pFrameClass;
  const CRuntimeClass* m_pViewClass;
  HMENU m_hMenuShared = nullptr;
  HACCEL m_hAccelTable = nullptr;
  CString m_strDocStrings;

 protected:
  CDocTemplate(UINT id, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
               const CRuntimeClass* viewClass);
  CPtrList m_docList;
  UINT m_nUntitledCount = 0;
};

// Many documents at once, each in MDI child frames.
class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)

 public:
  CMultiDocTemplate(UINT id, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                    const CRuntimeClass* viewClass)
      : CDocTemplate(id, docClass, frameClass, viewClass) {}
  CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* doc) override;
};
