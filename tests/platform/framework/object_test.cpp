// Run-time class records: kinds, creation by name, the class chain.
#include <gtest/gtest.h>

#include <memory>

#include "platform/framework.h"

namespace {

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
};
class CCircle : public CShape {
  DECLARE_DYNCREATE(CCircle)
};
class CSquare : public CShape {
  DECLARE_SERIAL(CSquare)
};

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CCircle, CShape)
IMPLEMENT_SERIAL(CSquare, CShape, 3)

struct KindCase {
  const char* name;
  const CRuntimeClass* of;
  const CRuntimeClass* asked;
  bool expected;
};

TEST(FrameworkObject, IsKindOfFollowsTheBaseChain) {
  const KindCase cases[] = {
      {"circle is a circle", RUNTIME_CLASS(CCircle), RUNTIME_CLASS(CCircle), true},
      {"circle is a shape", RUNTIME_CLASS(CCircle), RUNTIME_CLASS(CShape), true},
      {"circle is an object", RUNTIME_CLASS(CCircle), RUNTIME_CLASS(CObject), true},
      {"circle is no square", RUNTIME_CLASS(CCircle), RUNTIME_CLASS(CSquare), false},
      {"shape is no circle", RUNTIME_CLASS(CShape), RUNTIME_CLASS(CCircle), false},
      {"square is a shape", RUNTIME_CLASS(CSquare), RUNTIME_CLASS(CShape), true},
  };
  for (const auto& c : cases) EXPECT_EQ(c.of->IsDerivedFrom(c.asked) != 0, c.expected) << c.name;
}

TEST(FrameworkObject, CreatesByNameOnlyCreatableClasses) {
  std::unique_ptr<CObject> circle(CRuntimeClass::CreateObject("CCircle"));
  ASSERT_NE(circle, nullptr);
  EXPECT_TRUE(circle->IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_STREQ(circle->GetRuntimeClass()->m_lpszClassName, "CCircle");
  EXPECT_EQ(CRuntimeClass::CreateObject("CShape"), nullptr);  // dynamic, not creatable
  EXPECT_EQ(CRuntimeClass::CreateObject("CNoSuchClass"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName("CSquare"), RUNTIME_CLASS(CSquare));
}

TEST(FrameworkObject, SchemasMarkSerialisableClasses) {
  EXPECT_EQ(RUNTIME_CLASS(CSquare)->m_wSchema, 3u);
  EXPECT_TRUE(RUNTIME_CLASS(CSquare)->IsSerializable());
  EXPECT_FALSE(RUNTIME_CLASS(CCircle)->IsSerializable());
  EXPECT_EQ(RUNTIME_CLASS(CSquare)->m_pBaseClass, RUNTIME_CLASS(CShape));
  EXPECT_EQ(RUNTIME_CLASS(CSquare)->m_nObjectSize, static_cast<int>(sizeof(CSquare)));
}

TEST(FrameworkObject, DynamicDowncastChecksTheKind) {
  CCircle circle;
  CObject* object = &circle;
  EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, object), &circle);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CSquare, object), nullptr);
}

TEST(FrameworkException, KindsAndMessages) {
  try {
    AfxThrowFileException(CFileException::fileNotFound, 2, "/tmp/missing.lbl");
  } catch (CException* e) {
    ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
    char text[200];
    EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
    EXPECT_STREQ(text, "/tmp/missing.lbl was not found.");
    e->Delete();
  }
  struct OsCase {
    DWORD os;
    int cause;
  };
  const OsCase cases[] = {{ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
                          {ERROR_PATH_NOT_FOUND, CFileException::badPath},
                          {ERROR_ACCESS_DENIED, CFileException::accessDenied},
                          {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
                          {ERROR_DISK_FULL, CFileException::diskFull},
                          {ERROR_HANDLE_EOF, CFileException::endOfFile},
                          {ERROR_INVALID_DATA, CFileException::genericException}};
  for (const auto& c : cases)
    EXPECT_EQ(CFileException::OsErrorToException(static_cast<LONG>(c.os)), c.cause) << c.os;
}

}  // namespace
