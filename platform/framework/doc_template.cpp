// Document templates: making documents and their frames, titles of new
// documents, matching files to templates.
#include "platform/framework/doc_template.h"

#include "platform/framework/app.h"
#include "platform/framework/document.h"
#include "platform/framework/frame.h"
#include "platform/framework/resources.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT id, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                           const CRuntimeClass* viewClass)
    : m_nIDResource(id), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass) {}

CDocTemplate::~CDocTemplate() {
  // Documents still open are closed with their template.
  while (!m_docList.IsEmpty()) {
    auto* doc = static_cast<CDocument*>(m_docList.GetHead());
    doc->OnCloseDocument();
    if (!m_docList.IsEmpty() && m_docList.GetHead() == doc) m_docList.RemoveHead();
  }
  if (m_hMenuShared) ::DestroyMenu(m_hMenuShared);
  if (m_hAccelTable) ::DestroyAcceleratorTable(m_hAccelTable);
}

void CDocTemplate::LoadTemplate() {
  const auto name = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(m_nIDResource));
  if (m_strDocStrings.IsEmpty()) m_strDocStrings.LoadString(m_nIDResource);
  if (!m_hMenuShared) m_hMenuShared = ::LoadMenuA(AfxGetResourceHandle(), name);
  if (!m_hAccelTable) m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), name);
}

BOOL CDocTemplate::GetDocString(CString& text, DocStringIndex index) const {
  // Substrings separated by '\n', in the order of DocStringIndex.
  int start = 0;
  for (int i = 0; i < index; ++i) {
    const int next = m_strDocStrings.Find('\n', start);
    if (next < 0) {
      text.Empty();
      return FALSE;
    }
    start = next + 1;
  }
  const int end = m_strDocStrings.Find('\n', start);
  text = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
  return TRUE;
}

void CDocTemplate::AddDocument(CDocument* doc) {
  m_docList.AddTail(doc);
  doc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* doc) {
  if (POSITION pos = m_docList.Find(doc)) m_docList.RemoveAt(pos);
  doc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument() {
  auto* doc = static_cast<CDocument*>(m_pDocClass->CreateObject());
  if (!doc) return nullptr;
  AddDocument(doc);
  return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other) {
  CCreateContext context;
  context.m_pCurrentFrame = other;
  context.m_pCurrentDoc = doc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  auto* frame = static_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
  if (!frame) return nullptr;
  // A frame that fails to be created deletes itself (PostNcDestroy).
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible) {
  frame->InitialUpdateFrame(doc, makeVisible);
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(const char* path, CDocument*& match) {
  match = nullptr;
  for (POSITION pos = GetFirstDocPosition(); pos;) {
    CDocument* doc = GetNextDoc(pos);
    if (doc->GetPathName().CompareNoCase(path) == 0) {
      match = doc;
      return yesAlreadyOpen;
    }
  }
  CString ext;
  if (GetDocString(ext, filterExt) && !ext.IsEmpty()) {
    const CString name(path);
    if (name.GetLength() >= ext.GetLength() && name.Right(ext.GetLength()).CompareNoCase(ext) == 0)
      return yesAttemptNative;
  }
  return yesAttemptForeign;
}

BOOL CDocTemplate::SaveAllModified() {
  for (POSITION pos = GetFirstDocPosition(); pos;)
    if (!GetNextDoc(pos)->SaveModified()) return FALSE;
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  while (!m_docList.IsEmpty()) {
    auto* doc = static_cast<CDocument*>(m_docList.GetHead());
    const BOOL autoDelete = doc->m_bAutoDelete;
    doc->OnCloseDocument();
    // A document kept alive on purpose still leaves this template.
    if (!autoDelete && !m_docList.IsEmpty() && m_docList.GetHead() == doc) RemoveDocument(doc);
  }
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* path, BOOL makeVisible) {
  CDocument* doc = CreateNewDocument();
  if (!doc) return nullptr;
  // A file is read before its window is made: one that cannot be opened
  // (and says so) leaves the windows as they were, not an empty frame
  // behind its message.
  if (path) {
    CWaitCursor wait;
    if (!doc->OnOpenDocument(path)) {
      delete doc;
      return nullptr;
    }
  }
  // The document stays while its first frame is made, even if that fails.
  const BOOL autoDelete = doc->m_bAutoDelete;
  doc->m_bAutoDelete = FALSE;
  CFrameWnd* frame = CreateNewFrame(doc, nullptr);
  doc->m_bAutoDelete = autoDelete;
  if (!frame) {
    delete doc;
    return nullptr;
  }
  if (!path) {
    SetDefaultTitle(doc);
    if (!doc->OnNewDocument()) {
      frame->DestroyWindow();
      return nullptr;
    }
    ++m_nUntitledCount;
  } else {
    doc->SetPathName(path);
  }
  InitialUpdateFrame(frame, doc, makeVisible);
  return doc;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* doc) {
  CString name;
  if (!GetDocString(name, docName) || name.IsEmpty()) name = "Untitled";
  CString title;
  title.Format("%s%u", name.GetString(), m_nUntitledCount + 1);
  doc->SetTitle(title);
}
