// Run-time classes of the collections and the serialisation of those that
// hold objects or strings. A count read from an archive is checked against
// the bytes left before anything is allocated for it.
#include "platform/framework/collections.h"

IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_SERIAL(CStringList, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)

void afx::ThrowBadIndex() { AfxThrowInvalidArgException(); }

namespace {

// Every element takes at least `minBytes` in the archive.
DWORD_PTR ReadBoundedCount(CArchive& ar, ULONGLONG minBytes) {
  const DWORD_PTR count = ar.ReadCount();
  if (count > ar.GetBytesLeft() / minBytes) AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
  return count;
}

}  // namespace

void CObList::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(GetCount()));
    for (Node* n = m_pHead; n; n = n->next) ar << n->data;
    return;
  }
  for (DWORD_PTR i = ReadBoundedCount(ar, 2); i > 0; --i) {
    CObject* object = nullptr;
    ar >> object;
    AddTail(object);
  }
}

void CStringList::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(GetCount()));
    for (Node* n = m_pHead; n; n = n->next) ar << n->data;
    return;
  }
  for (DWORD_PTR i = ReadBoundedCount(ar, 1); i > 0; --i) {
    CString s;
    ar >> s;
    AddTail(s);
  }
}

void CObArray::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
    for (CObject* object : m_data) ar << object;
    return;
  }
  const DWORD_PTR count = ReadBoundedCount(ar, 2);
  SetSize(static_cast<INT_PTR>(count));
  for (CObject*& object : m_data) ar >> object;
}

void CStringArray::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
    for (const CString& s : m_data) ar << s;
    return;
  }
  const DWORD_PTR count = ReadBoundedCount(ar, 1);
  SetSize(static_cast<INT_PTR>(count));
  for (CString& s : m_data) ar >> s;
}

void CDWordArray::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
    for (DWORD v : m_data) ar << v;
    return;
  }
  const DWORD_PTR count = ReadBoundedCount(ar, 4);
  SetSize(static_cast<INT_PTR>(count));
  for (DWORD& v : m_data) ar >> v;
}

void CMapStringToString::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(GetCount()));
    POSITION pos = GetStartPosition();
    while (pos) {
      CString key, value;
      GetNextAssoc(pos, key, value);
      ar << key << value;
    }
    return;
  }
  for (DWORD_PTR i = ReadBoundedCount(ar, 2); i > 0; --i) {
    CString key, value;
    ar >> key >> value;
    SetAt(key, value);
  }
}
