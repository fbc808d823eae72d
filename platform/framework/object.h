// The root object and its run-time class records: every framework class can
// say what it is (IsKindOf), be created by class name (CreateObject), and be
// written to and read from an archive with a schema number (Serialize).
#pragma once

#include "platform/kernel/types.h"

class CArchive;
class CObject;

// A class's record: its name, size, schema, how to create one, its base.
struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF for classes that are not serialisable
  CObject* (*m_pfnCreateObject)();
  const CRuntimeClass* m_pBaseClass;

  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* base) const;
  BOOL IsSerializable() const { return (m_wSchema & 0xFFFF) != 0xFFFF; }
  // The registered class of this name; null when none is.
  static const CRuntimeClass* FromName(const char* className);
  static CObject* CreateObject(const char* className);
  // Archive form: schema (16 bits), name length (16 bits), name bytes.
  void Store(CArchive& ar) const;
  // Reads a class record; null when its name is not registered. `schema`
  // receives the stored schema.
  static const CRuntimeClass* Load(CArchive& ar, UINT* schema);
};

// Adds a class to the list CreateObject searches by name.
struct AFX_CLASSINIT {
  explicit AFX_CLASSINIT(const CRuntimeClass* cls);
};

// A schema with this bit lets an object read older schemas itself
// (CArchive::GetObjectSchema) instead of the archive refusing them.
inline constexpr UINT VERSIONABLE_SCHEMA = 0x80000000;

class CObject {
 public:
  virtual ~CObject() = default;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const {}
  BOOL IsKindOf(const CRuntimeClass* cls) const;
  BOOL IsSerializable() const { return GetRuntimeClass()->IsSerializable(); }

  static const CRuntimeClass classCObject;
  static const CRuntimeClass* GetThisClass() { return &classCObject; }

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                       \
 public:                                                  \
  static const CRuntimeClass class##class_name;           \
  static const CRuntimeClass* GetThisClass() { return &class##class_name; } \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)  \
  DECLARE_DYNCREATE(class_name)     \
  friend CArchive& operator>>(CArchive& ar, class_name*& object);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, create)                             \
  const CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), \
                                                       schema, create, RUNTIME_CLASS(base_class_name)};   \
  static const AFX_CLASSINIT afx_init_##class_name(RUNTIME_CLASS(class_name));                           \
  const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                             \
  CObject* class_name::CreateObject() { return new class_name; }                     \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                                          \
  CObject* class_name::CreateObject() { return new class_name; }                                       \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, class_name::CreateObject)                \
  [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& object) {                                          \
    object = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                       \
    return ar;                                                                                         \
  }

// Checked conversion of a framework object: null when it is not of the class.
template <class T>
T* DYNAMIC_DOWNCAST_IMPL(CObject* object) {
  return object && object->IsKindOf(T::GetThisClass()) ? static_cast<T*>(object) : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object) DYNAMIC_DOWNCAST_IMPL<class_name>(object)
#define STATIC_DOWNCAST(class_name, object) static_cast<class_name*>(object)
