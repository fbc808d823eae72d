// The MDI client: creating, activating, cycling, maximising, restoring,
// cascading and tiling documents, the window-menu list, and a picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/testing/ui.h"
#include "platform/win.h"
#include "tests/platform/mdi/mdi_desk.h"

namespace {

using mditest::kFirstChild;
HWND theClient = nullptr;

LRESULT FrameProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefFrameProcW(w, theClient, message, wParam, lParam);
}

class MdiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mditest::Desk desk = mditest::MakeDesk({u"TavMdiFrame", FrameProc, u"TavMdiDocument"}, theClient);
    windowMenu_ = desk.windowMenu;
    frame_ = desk.frame;
    client_ = desk.client;
    documents_ = std::move(desk.documents);
    uitest::RunUntilIdle();
  }
  void TearDown() override {
    DestroyWindow(frame_);
    theClient = nullptr;
  }
  HWND Active(BOOL* maximized = nullptr) {
    return reinterpret_cast<HWND>(SendMessageW(client_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
  }
  HMENU windowMenu_ = nullptr;
  HWND frame_ = nullptr, client_ = nullptr;
  std::vector<HWND> documents_;
};

TEST_F(MdiTest, CreateActivateAndCycle) {
  for (HWND d : documents_) ASSERT_NE(d, nullptr);
  EXPECT_EQ(Active(), documents_[2]) << "the newest is active";
  EXPECT_EQ(GetDlgCtrlID(documents_[0]), static_cast<int>(kFirstChild));
  EXPECT_NE(GetWindowLongW(documents_[0], GWL_EXSTYLE) & WS_EX_MDICHILD, 0);
  SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(documents_[0]), 0);
  EXPECT_EQ(Active(), documents_[0]);
  EXPECT_EQ(GetFocus(), documents_[0]);
  // WM_MDINEXT: the window at the back comes forward, in turn.
  std::vector<HWND> visited;
  for (int i = 0; i < 3; ++i) {
    SendMessageW(client_, WM_MDINEXT, 0, 0);
    visited.push_back(Active());
  }
  EXPECT_EQ(visited.back(), documents_[0]) << "three steps come round";
  EXPECT_NE(visited[0], visited[1]);
}

TEST_F(MdiTest, MaximiseRestoreAndTheMaximisedStatePassesOn) {
  SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(documents_[2]), 0);
  BOOL maximized = FALSE;
  EXPECT_EQ(Active(&maximized), documents_[2]);
  EXPECT_TRUE(maximized);
  RECT client, document;
  GetClientRect(client_, &client);
  GetClientRect(documents_[2], &document);
  EXPECT_EQ(document.right, client.right) << "the document's client area fills the MDI client";
  EXPECT_EQ(document.bottom, client.bottom);
  SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(documents_[1]), 0);
  EXPECT_EQ(Active(&maximized), documents_[1]);
  EXPECT_TRUE(maximized) << "the next active document is maximised in turn";
  EXPECT_EQ(GetWindowLongW(documents_[2], GWL_STYLE) & WS_MAXIMIZE, 0);
  SendMessageW(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(documents_[1]), 0);
  Active(&maximized);
  EXPECT_FALSE(maximized);
}

TEST_F(MdiTest, CascadeAndTile) {
  SendMessageW(client_, WM_MDICASCADE, 0, 0);
  std::vector<RECT> rects;
  for (HWND d : documents_) {
    RECT r;
    GetWindowRect(d, &r);
    rects.push_back(r);
  }
  // Back to front, each a caption lower and further right.
  EXPECT_NE(rects[0].left, rects[1].left);
  EXPECT_EQ(rects[2].left - rects[1].left, rects[1].left - rects[0].left);
  SendMessageW(client_, WM_MDITILE, MDITILE_VERTICAL, 0);
  RECT area;
  GetClientRect(client_, &area);
  long covered = 0;
  for (HWND d : documents_) {
    RECT r;
    GetWindowRect(d, &r);
    covered += (r.right - r.left) * (r.bottom - r.top);
    for (HWND other : documents_) {
      if (other == d) continue;
      RECT o, overlap;
      GetWindowRect(other, &o);
      EXPECT_FALSE(IntersectRect(&overlap, &r, &o)) << "tiles do not overlap";
    }
  }
  EXPECT_GE(covered, static_cast<long>(area.right) * area.bottom * 9 / 10) << "tiles cover the client";
}

// The caption's colour near its left end, as a COLORREF.
COLORREF CaptionColour(HWND document) {
  const uitest::Picture p = uitest::CaptureWindow(document);
  const int edge = GetSystemMetrics(SM_CXFRAME) + 3;
  const uint32_t rgb = p.At(edge, edge);
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

TEST_F(MdiTest, TheActiveDocumentsCaptionStaysActiveWhenItsFrameIsRepainted) {
  SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(documents_[1]), 0);
  // Tiling moves every document and repaints its frame through WM_NCPAINT;
  // tiles do not overlap, so each caption can be read.
  SendMessageW(client_, WM_MDITILE, MDITILE_VERTICAL, 0);
  RedrawWindow(client_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  uitest::RunUntilIdle();
  ASSERT_EQ(Active(), documents_[1]);
  EXPECT_EQ(CaptionColour(documents_[1]), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(CaptionColour(documents_[0]), GetSysColor(COLOR_INACTIVECAPTION));
  SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(documents_[0]), 0);
  RedrawWindow(client_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  uitest::RunUntilIdle();
  EXPECT_EQ(CaptionColour(documents_[0]), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(CaptionColour(documents_[1]), GetSysColor(COLOR_INACTIVECAPTION));
}

TEST_F(MdiTest, TheWindowMenuListsTheDocuments) {
  EXPECT_EQ(GetMenuItemCount(windowMenu_), 1 + 1 + 3) << "Cascade, a separator, three documents";
  WCHAR text[32];
  GetMenuStringW(windowMenu_, kFirstChild + 1, text, 32, MF_BYCOMMAND);
  EXPECT_EQ(std::u16string(text), u"&2 Label 2");
  EXPECT_NE(GetMenuState(windowMenu_, kFirstChild + 2, MF_BYCOMMAND) & MF_CHECKED, 0u) << "the active one is checked";
  // Choosing an entry activates its document.
  SendMessageW(frame_, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(kFirstChild), 0), 0);
  EXPECT_EQ(Active(), documents_[0]);
  SendMessageW(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(documents_[0]), 0);
  EXPECT_FALSE(IsWindow(documents_[0]));
  EXPECT_NE(Active(), nullptr) << "another document becomes active";
  EXPECT_EQ(GetMenuItemCount(windowMenu_), 1 + 1 + 2);
  SendMessageW(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(frame_), 0);  // not a document: ignored
  EXPECT_TRUE(IsWindow(frame_));
}

TEST_F(MdiTest, PictureOfThreeDocumentsOneMaximised) {
  SendMessageW(client_, WM_MDITILE, MDITILE_VERTICAL, 0);
  SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(documents_[1]), 0);
  SendMessageW(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(documents_[1]), 0);
  // Two tiled documents and a third maximised over them would hide them, so
  // the picture shows the maximised one with its neighbours in the window menu.
  SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(documents_[2]), 0);
  uitest::RunUntilIdle();
  const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures";
  std::filesystem::create_directories(folder);
  ASSERT_TRUE(uitest::SaveWindowPng(frame_, folder + "/mdi_three_one_maximised.png"));
  SendMessageW(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(documents_[2]), 0);
  SendMessageW(client_, WM_MDICASCADE, 0, 0);
  uitest::RunUntilIdle();
  ASSERT_TRUE(uitest::SaveWindowPng(frame_, folder + "/mdi_three_cascaded.png"));
}

}  // namespace

namespace {

// What a document's WM_CREATE saw: its creation parameter is the MDI record,
// whose lParam is the caller's parameter.
LPARAM g_seenParam = 0;
const char16_t* g_seenClass = nullptr;

LRESULT RecordingDocumentProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    const auto* mcs = static_cast<const MDICREATESTRUCTW*>(cs->lpCreateParams);
    g_seenParam = mcs ? mcs->lParam : -1;
    g_seenClass = mcs ? mcs->szClass : nullptr;
  }
  return DefMDIChildProcW(w, message, wParam, lParam);
}

TEST_F(MdiTest, ADocumentsCreationParameterIsTheMdiRecord) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = RecordingDocumentProc;
  wc.lpszClassName = u"TavMdiRecording";
  RegisterClassExW(&wc);
  HWND doc = CreateMDIWindowW(u"TavMdiRecording", u"Record", 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, client_, nullptr, 0x1234);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(g_seenParam, 0x1234);
  ASSERT_NE(g_seenClass, nullptr);
  EXPECT_EQ(std::u16string(g_seenClass), u"TavMdiRecording");
}

}  // namespace
