// The GDI owners: objects deleted and device contexts deleted or released when
// their owner goes, selections undone at the end of their scope, in the order
// that lets an object be deselected before it is deleted.
#include <gtest/gtest.h>

#include "platform/gdi/gdi_owners.h"
#include "platform/win.h"

namespace {

TEST(GdiOwners, ObjectsAreDeletedWithTheirOwner) {
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HRGN region = nullptr;
  {
    UniquePen p(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
    UniqueBrush b(CreateSolidBrush(RGB(4, 5, 6)));
    UniqueRgn r(CreateRectRgn(0, 0, 2, 2));
    pen = p.get();
    brush = b.get();
    region = r.get();
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetObjectType(region), static_cast<DWORD>(OBJ_REGION));
  }
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(GetObjectType(region), 0u);
}

TEST(GdiOwners, ReleaseHandsTheObjectOver) {
  UniqueBrush owner(CreateSolidBrush(RGB(9, 9, 9)));
  HBRUSH brush = owner.release();
  EXPECT_FALSE(owner);
  EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_TRUE(DeleteObject(brush));
}

TEST(GdiOwners, DeviceContextsAreDeletedOrReleased) {
  HDC memory = nullptr;
  HDC screen = nullptr;
  {
    UniqueDc dc(CreateCompatibleDC(nullptr));
    memory = dc.get();
    WindowDc screenDc;
    screen = screenDc.get();
    EXPECT_EQ(GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(screen), static_cast<DWORD>(OBJ_DC));
  }
  EXPECT_EQ(GetObjectType(memory), 0u);
  EXPECT_EQ(GetObjectType(screen), 0u);
}

TEST(GdiOwners, ASelectionIsUndoneBeforeItsObjectIsDeleted) {
  UniqueDc dc(CreateCompatibleDC(nullptr));
  HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_PEN);
  HPEN pen = nullptr;
  {
    UniquePen owner(CreatePen(PS_DASH, 1, RGB(0, 0, 255)));
    pen = owner.get();
    SelectScope select(dc.get(), owner.get());
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), pen);
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), original);
  EXPECT_EQ(GetObjectType(pen), 0u);  // deleted, not kept alive by a selection
}

TEST(GdiOwners, SelectingNothingChangesNothing) {
  UniqueDc dc(CreateCompatibleDC(nullptr));
  HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BRUSH);
  {
    SelectScope select(dc.get(), nullptr);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), original);
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), original);
}

}  // namespace
