// CArchive: objects and their classes, with the tags of the object layout.
#include "platform/framework/archive.h"

void CArchive::CheckCount() const {
  if (m_nMapCount >= nMaxMapCount) Throw(CArchiveException::badIndex);
}

void CArchive::MapObject(const CObject* object) {
  CheckCount();
  if (IsStoring()) {
    if (object && !m_storeMap.count(object)) m_storeMap[object] = m_nMapCount++;
  } else {
    m_loadArray.push_back({nullptr, const_cast<CObject*>(object), 0});
    ++m_nMapCount;
  }
}

void CArchive::WriteClass(const CRuntimeClass* cls) {
  RequireStoring();
  if (!cls->IsSerializable()) AfxThrowNotSupportedException();
  auto found = m_storeMap.find(cls);
  if (found != m_storeMap.end()) {
    const DWORD index = found->second;
    if (index < wBigObjectTag) {
      *this << static_cast<WORD>(wClassTag | index);
    } else {
      *this << wBigObjectTag << static_cast<DWORD>(dwBigClassTag | index);
    }
    return;
  }
  *this << wNewClassTag;
  cls->Store(*this);
  CheckCount();
  m_storeMap[cls] = m_nMapCount++;
}

void CArchive::WriteObject(const CObject* object) {
  RequireStoring();
  if (!object) {
    *this << wNullTag;
    return;
  }
  auto found = m_storeMap.find(object);
  if (found != m_storeMap.end()) {
    const DWORD index = found->second;
    if (index < wBigObjectTag) {
      *this << static_cast<WORD>(index);
    } else {
      *this << wBigObjectTag << index;
    }
    return;
  }
  WriteClass(object->GetRuntimeClass());
  CheckCount();
  m_storeMap[object] = m_nMapCount++;
  const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* expected, UINT* schema, DWORD* objectTag) {
  RequireLoading();
  if (expected && !expected->IsSerializable()) AfxThrowNotSupportedException();
  WORD tag = 0;
  *this >> tag;
  DWORD obTag = 0;
  if (tag == wBigObjectTag) {
    *this >> obTag;
  } else {
    obTag = (static_cast<DWORD>(tag & wClassTag) << 16) | (tag & ~wClassTag);
  }
  if (!(obTag & dwBigClassTag)) {
    // An object reference (or null): the caller must be reading an object.
    if (!objectTag) Throw(CArchiveException::badIndex);
    *objectTag = obTag;
    return nullptr;
  }
  const CRuntimeClass* cls = nullptr;
  UINT loadedSchema = 0;
  if (tag == wNewClassTag) {
    cls = CRuntimeClass::Load(*this, &loadedSchema);
    if (!cls || !cls->IsSerializable()) Throw(CArchiveException::badClass);
    const UINT own = cls->m_wSchema & ~VERSIONABLE_SCHEMA;
    if (own != loadedSchema && !(cls->m_wSchema & VERSIONABLE_SCHEMA)) Throw(CArchiveException::badSchema);
    CheckCount();
    m_loadArray.push_back({cls, nullptr, loadedSchema});
    ++m_nMapCount;
  } else {
    const DWORD index = obTag & ~dwBigClassTag;
    // The index must name a class read before, not an object.
    if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].cls) Throw(CArchiveException::badIndex);
    cls = m_loadArray[index].cls;
    loadedSchema = m_loadArray[index].schema;
  }
  if (expected && !cls->IsDerivedFrom(expected)) Throw(CArchiveException::badClass);
  if (schema) *schema = loadedSchema;
  return cls;
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected) {
  UINT schema = 0;
  DWORD obTag = 0;
  const CRuntimeClass* cls = ReadClass(expected, &schema, &obTag);
  if (!cls) {
    if (obTag >= m_loadArray.size() || m_loadArray[obTag].cls) Throw(CArchiveException::badIndex);
    CObject* object = m_loadArray[obTag].object;
    if (object && expected && !object->IsKindOf(expected)) Throw(CArchiveException::badClass);
    return object;
  }
  CObject* object = cls->CreateObject();
  if (!object) Throw(CArchiveException::badClass);
  CheckCount();
  const size_t entry = m_loadArray.size();
  m_loadArray.push_back({nullptr, object, 0});
  ++m_nMapCount;
  const UINT saved = m_nObjectSchema;
  m_nObjectSchema = schema;
  try {
    object->Serialize(*this);
  } catch (...) {
    m_nObjectSchema = saved;
    // The object is the archive's until Serialize succeeds; a reader that
    // fails part way leaves nothing behind. Later references to it are gone too.
    m_loadArray[entry].object = nullptr;
    delete object;
    throw;
  }
  m_nObjectSchema = saved;
  return object;
}

void CArchive::SerializeClass(const CRuntimeClass* cls) {
  if (IsStoring()) {
    WriteClass(cls);
  } else {
    ReadClass(cls, &m_nObjectSchema);
  }
}

UINT CArchive::GetObjectSchema() {
  const UINT schema = m_nObjectSchema;
  m_nObjectSchema = static_cast<UINT>(-1);  // read once, as the framework's callers expect
  return schema;
}
