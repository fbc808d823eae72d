// Every call on a dead handle fails cleanly and touches nothing else: a device
// context, file, search, mapping, metafile or object made after the dead one
// keeps its state, whatever was asked of the old handle.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/metafile.h"
#include "platform/win.h"
#include "tests/platform/kernel_test_util.h"

namespace {

struct DeadCall {
  const char* name;
  std::function<long long(HDC dead, HDC live)> call;
  long long failure;  // what the call answers for a dead handle
};

const std::vector<DeadCall>& DeadDcCalls() {
  static const std::vector<DeadCall> calls = {
      {"SetTextColor", [](HDC d, HDC) { return SetTextColor(d, RGB(255, 0, 0)); }, CLR_INVALID},
      {"GetTextColor", [](HDC d, HDC) { return GetTextColor(d); }, CLR_INVALID},
      {"SetBkColor", [](HDC d, HDC) { return SetBkColor(d, RGB(0, 255, 0)); }, CLR_INVALID},
      {"SetBkMode", [](HDC d, HDC) { return SetBkMode(d, TRANSPARENT); }, 0},
      {"SetTextAlign", [](HDC d, HDC) { return SetTextAlign(d, TA_BASELINE); }, GDI_ERROR},
      {"SetROP2", [](HDC d, HDC) { return SetROP2(d, R2_NOT); }, 0},
      {"SetMapMode", [](HDC d, HDC) { return SetMapMode(d, MM_LOMETRIC); }, 0},
      {"SetWindowOrgEx", [](HDC d, HDC) { return SetWindowOrgEx(d, 5, 5, nullptr); }, FALSE},
      {"SetViewportOrgEx", [](HDC d, HDC) { return SetViewportOrgEx(d, 5, 5, nullptr); }, FALSE},
      {"SelectObject",
       [](HDC d, HDC) { return reinterpret_cast<intptr_t>(SelectObject(d, GetStockObject(WHITE_PEN))); }, 0},
      {"SaveDC", [](HDC d, HDC) { return SaveDC(d); }, 0},
      {"RestoreDC", [](HDC d, HDC) { return RestoreDC(d, -1); }, FALSE},
      {"MoveToEx", [](HDC d, HDC) { return MoveToEx(d, 3, 3, nullptr); }, FALSE},
      {"LineTo", [](HDC d, HDC) { return LineTo(d, 0, 3); }, FALSE},
      {"Rectangle", [](HDC d, HDC) { return Rectangle(d, 0, 0, 4, 4); }, FALSE},
      {"Ellipse", [](HDC d, HDC) { return Ellipse(d, 0, 0, 4, 4); }, FALSE},
      {"PatBlt", [](HDC d, HDC) { return PatBlt(d, 0, 0, 4, 4, BLACKNESS); }, FALSE},
      {"FillRect",
       [](HDC d, HDC) {
         RECT r{0, 0, 4, 4};
         return FillRect(d, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
       },
       0},
      {"SetPixel", [](HDC d, HDC) { return SetPixel(d, 1, 1, RGB(0, 0, 0)); }, CLR_INVALID},
      {"GetPixel", [](HDC d, HDC) { return GetPixel(d, 1, 1); }, CLR_INVALID},
      {"TextOutW", [](HDC d, HDC) { return TextOutW(d, 0, 0, u"x", 1); }, FALSE},
      {"BitBlt to the dead one", [](HDC d, HDC l) { return BitBlt(d, 0, 0, 4, 4, l, 0, 0, SRCCOPY); }, FALSE},
      {"BitBlt from the dead one", [](HDC d, HDC l) { return BitBlt(l, 0, 0, 4, 4, d, 0, 0, SRCCOPY); }, FALSE},
      {"IntersectClipRect", [](HDC d, HDC) { return IntersectClipRect(d, 0, 0, 1, 1); }, ERROR},
      {"BeginPath", [](HDC d, HDC) { return BeginPath(d); }, FALSE},
      {"GetDeviceCaps", [](HDC d, HDC) { return GetDeviceCaps(d, LOGPIXELSX); }, 0},
      {"GetObjectType", [](HDC d, HDC) { return GetObjectType(d); }, 0},
      {"DeleteObject", [](HDC d, HDC) { return DeleteObject(d); }, FALSE},
      {"DeleteDC", [](HDC d, HDC) { return DeleteDC(d); }, FALSE},
  };
  return calls;
}

// A memory device context on a white 4 x 4 bitmap.
struct LiveDc {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  LiveDc() { PatBlt(dc, 0, 0, 4, 4, WHITENESS); }
  ~LiveDc() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
};

void ExpectUntouched(HDC dc) {
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetTextAlign(dc), static_cast<UINT>(TA_LEFT | TA_TOP));
  EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
  EXPECT_EQ(GetMapMode(dc), MM_TEXT);
  POINT origin{-1, -1};
  GetWindowOrgEx(dc, &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  POINT position{-1, -1};
  GetCurrentPositionEx(dc, &position);
  EXPECT_EQ(position.x, 0);
  EXPECT_EQ(position.y, 0);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(GetPixel(dc, x, y), RGB(255, 255, 255)) << x << "," << y;
}

TEST(DeadHandles, EveryCallOnADeletedDcFailsAndLeavesTheNextDcAlone) {
  for (const auto& row : DeadDcCalls()) {
    SCOPED_TRACE(row.name);
    HDC dead = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(DeleteDC(dead));
    LiveDc live;  // made right after, where an address table would have put it
    EXPECT_EQ(row.call(dead, live.dc), row.failure);
    ExpectUntouched(live.dc);
  }
}

TEST(DeadHandles, ADcHandleIsNoOtherKindOfHandle) {
  LiveDc live;
  EXPECT_FALSE(DeleteObject(live.dc));
  EXPECT_FALSE(CloseHandle(live.dc));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  EXPECT_EQ(SetTextColor(reinterpret_cast<HDC>(pen), RGB(255, 0, 0)), CLR_INVALID);
  EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(pen)));
  EXPECT_FALSE(CloseHandle(pen));
  EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
  EXPECT_TRUE(DeleteObject(pen));
  ExpectUntouched(live.dc);
}

TEST(DeadHandles, DeletedObjectsCannotBeSelectedOrDescribed) {
  LiveDc live;
  for (HGDIOBJ dead : {static_cast<HGDIOBJ>(CreatePen(PS_SOLID, 1, RGB(255, 0, 0))),
                       static_cast<HGDIOBJ>(CreateSolidBrush(RGB(255, 0, 0))),
                       static_cast<HGDIOBJ>(CreateRectRgn(0, 0, 2, 2)),
                       static_cast<HGDIOBJ>(CreateBitmap(2, 2, 1, 32, nullptr))}) {
    ASSERT_TRUE(DeleteObject(dead));
    EXPECT_EQ(SelectObject(live.dc, dead), nullptr);
    EXPECT_EQ(GetObjectType(dead), 0u);
    EXPECT_EQ(GetObjectW(dead, 0, nullptr), 0);
    EXPECT_FALSE(DeleteObject(dead));
  }
  ExpectUntouched(live.dc);
}

class DeadKernelHandles : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  HANDLE Open(const std::string& name) {
    return CreateFileA((folder_ / name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
};

TEST_F(DeadKernelHandles, EveryCallOnAClosedFileFailsAndLeavesTheNextFileAlone) {
  struct Row {
    const char* name;
    std::function<BOOL(HANDLE)> call;
  };
  const std::vector<Row> rows = {
      {"ReadFile",
       [](HANDLE h) {
         char b[4];
         DWORD n = 0;
         return ReadFile(h, b, sizeof b, &n, nullptr);
       }},
      {"WriteFile",
       [](HANDLE h) {
         DWORD n = 0;
         return WriteFile(h, "dead", 4, &n, nullptr);
       }},
      {"SetFilePointer", [](HANDLE h) { return SetFilePointer(h, 2, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER; }},
      {"GetFileSize", [](HANDLE h) { return GetFileSize(h, nullptr) != INVALID_FILE_SIZE; }},
      {"CloseHandle", [](HANDLE h) { return CloseHandle(h); }},
      {"FindClose", [](HANDLE h) { return FindClose(h); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    HANDLE dead = Open("dead");
    ASSERT_NE(dead, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(CloseHandle(dead));
    HANDLE live = Open("live");
    ASSERT_NE(live, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(live, "abc", 3, &written, nullptr));
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(row.call(dead));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GetFileSize(live, nullptr), 3u);
    EXPECT_EQ(SetFilePointer(live, 0, nullptr, FILE_CURRENT), 3u);
    EXPECT_TRUE(CloseHandle(live));
  }
}

TEST_F(DeadKernelHandles, SearchesAndMappingsAreDeadAfterClosing) {
  HANDLE file = Open("data");
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file, "0123456789", 10, &written, nullptr));
  HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  ASSERT_TRUE(CloseHandle(mapping));
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0), nullptr);
  EXPECT_FALSE(FindClose(file));  // a file is no search
  EXPECT_TRUE(CloseHandle(file));

  WIN32_FIND_DATAA data{};
  HANDLE find = FindFirstFileA((folder_ / "*").c_str(), &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(FindClose(find));
  EXPECT_FALSE(FindNextFileA(find, &data));
  EXPECT_FALSE(FindClose(find));
}

TEST(DeadHandles, AFreedMovableBlockIsDeadAndLeavesTheNextBlockAlone) {
  HGLOBAL dead = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
  ASSERT_NE(dead, nullptr);
  ASSERT_EQ(GlobalFree(dead), nullptr);
  HGLOBAL live = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
  ASSERT_NE(live, nullptr);
  EXPECT_NE(live, dead);
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GlobalLock(dead), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GlobalSize(dead), 0u);
  EXPECT_EQ(GlobalReAlloc(dead, 64, GMEM_MOVEABLE), nullptr);
  EXPECT_EQ(GlobalFree(dead), dead);  // refused: the handle comes back
  EXPECT_EQ(GlobalSize(live), 16u);
  auto* bytes = static_cast<char*>(GlobalLock(live));
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes[15], 0);
  GlobalUnlock(live);
  EXPECT_EQ(GlobalFree(live), nullptr);
}

// The smallest enhanced metafile: a header and the end record.
std::vector<BYTE> SmallestEmf() {
  std::vector<BYTE> bytes;
  auto put = [&](uint32_t v, int n = 4) {
    for (int i = 0; i < n; ++i) bytes.push_back(static_cast<BYTE>(v >> (8 * i)));
  };
  put(EMR_HEADER);
  put(88);
  for (uint32_t v : {0u, 0u, 9u, 9u, 0u, 0u, 100u, 100u}) put(v);  // bounds and frame
  put(ENHMETA_SIGNATURE);
  put(0x10000);
  put(108);  // bytes
  put(2);    // records
  put(1, 2);  // handles
  put(0, 2);
  put(0);  // description
  put(0);
  put(0);  // palette entries
  for (uint32_t v : {1920u, 1080u, 508u, 286u}) put(v);  // device size in pixels and millimetres
  put(14);  // EMR_EOF
  put(20);
  put(0);
  put(16);
  put(20);
  return bytes;
}

TEST(DeadHandles, ADeletedMetafileIsDead) {
  const auto bytes = SmallestEmf();
  HENHMETAFILE dead = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
  ASSERT_NE(dead, nullptr);
  ASSERT_TRUE(DeleteEnhMetaFile(dead));
  HENHMETAFILE live = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
  ASSERT_NE(live, nullptr);
  LiveDc dc;
  RECT r{0, 0, 4, 4};
  EXPECT_EQ(GetEnhMetaFileHeader(dead, 0, nullptr), 0u);
  EXPECT_EQ(GetEnhMetaFilePaletteEntries(dead, 0, nullptr), static_cast<UINT>(-1));
  EXPECT_FALSE(PlayEnhMetaFile(dc.dc, dead, &r));
  EXPECT_FALSE(DeleteEnhMetaFile(dead));
  EXPECT_FALSE(DeleteEnhMetaFile(reinterpret_cast<HENHMETAFILE>(dc.dc)));
  EXPECT_EQ(GetEnhMetaFileHeader(live, 0, nullptr), sizeof(ENHMETAHEADER));
  EXPECT_TRUE(PlayEnhMetaFile(dc.dc, live, &r));
  EXPECT_TRUE(DeleteEnhMetaFile(live));
}

}  // namespace
