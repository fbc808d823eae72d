// Run-time class records and the list of classes creatable by name.
#include "platform/framework/object.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "platform/framework/archive.h"
#include "platform/framework/exceptions.h"

namespace {

// Every class registered by IMPLEMENT_DYNAMIC/DYNCREATE/SERIAL, filled while
// the program's static objects are built and read afterwards.
struct ClassList {
  std::mutex lock;
  std::vector<const CRuntimeClass*> classes;
};

ClassList& Classes() {
  static ClassList list;
  return list;
}

// Longest class name an archive may name; a longer one is a damaged archive.
constexpr WORD kMaxClassNameLength = 64;

}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr};
static const AFX_CLASSINIT afx_init_CObject(&CObject::classCObject);

AFX_CLASSINIT::AFX_CLASSINIT(const CRuntimeClass* cls) {
  ClassList& list = Classes();
  std::lock_guard<std::mutex> hold(list.lock);
  list.classes.push_back(cls);
}

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
    if (c == base) return TRUE;
  return FALSE;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className) {
  if (!className) return nullptr;
  ClassList& list = Classes();
  std::lock_guard<std::mutex> hold(list.lock);
  for (const CRuntimeClass* c : list.classes)
    if (std::strcmp(c->m_lpszClassName, className) == 0) return c;
  return nullptr;
}

CObject* CRuntimeClass::CreateObject(const char* className) {
  const CRuntimeClass* c = FromName(className);
  return c ? c->CreateObject() : nullptr;
}

void CRuntimeClass::Store(CArchive& ar) const {
  const auto length = static_cast<WORD>(std::strlen(m_lpszClassName));
  ar << static_cast<WORD>(m_wSchema & 0xFFFF) << length;
  ar.Write(m_lpszClassName, length);
}

const CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* schema) {
  WORD storedSchema = 0, length = 0;
  ar >> storedSchema >> length;
  if (length == 0 || length > kMaxClassNameLength) return nullptr;
  char name[kMaxClassNameLength + 1];
  if (ar.Read(name, length) != length) AfxThrowArchiveException(CArchiveException::endOfFile);
  name[length] = '\0';
  if (schema) *schema = storedSchema;
  return FromName(name);
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
