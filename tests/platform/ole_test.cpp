// Data objects, the clipboard through them, and drag and drop between two
// windows of the process, with a drop target that records what it hears.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/framework.h"
#include "platform/framework/ole_data.h"
#include "platform/ole/com_object.h"
#include "platform/testing/ui.h"
#include "platform/user/input_events.h"

namespace {

LRESULT PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(int x) {
  static const uitest::TestWindowClass plain{u"OleTestWindow", PlainProc};
  uitest::RegisterTestClass(plain);
  return uitest::CreateTestWindow(plain, u"ole", WS_POPUP | WS_VISIBLE, x, 0, 200, 150);
}

HGLOBAL Block(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

std::string BytesOf(HANDLE block) {
  const char* bytes = static_cast<const char*>(GlobalLock(block));
  std::string out(bytes, GlobalSize(block));
  GlobalUnlock(block);
  return out;
}

// Logs its events and answers with `answer` while the pointer is in its
// window's left half.
class LoggingTarget final : public ComObject<IDropTarget, IID_IDropTarget> {
 public:
  HWND window = nullptr;
  DROPEFFECT answer = DROPEFFECT_COPY;
  std::vector<std::string> log;
  std::string dropped;

  HRESULT DragEnter(IDataObject*, DWORD, POINTL point, DROPEFFECT* effect) override {
    log.push_back("enter");
    *effect = Choose(point, *effect);
    return S_OK;
  }
  HRESULT DragOver(DWORD, POINTL point, DROPEFFECT* effect) override {
    if (log.back() != "over") log.push_back("over");
    *effect = Choose(point, *effect);
    return S_OK;
  }
  HRESULT DragLeave() override {
    log.push_back("leave");
    return S_OK;
  }
  HRESULT Drop(IDataObject* data, DWORD, POINTL, DROPEFFECT* effect) override {
    log.push_back("drop");
    FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (SUCCEEDED(data->GetData(&text, &medium))) {
      dropped = BytesOf(medium.hGlobal);
      ReleaseStgMedium(&medium);
    }
    *effect &= answer;
    return S_OK;
  }

 private:
  DROPEFFECT Choose(POINTL point, DROPEFFECT allowed) const {
    POINT p{point.x, point.y};
    ScreenToClient(window, &p);
    return p.x < 100 ? allowed & answer : DROPEFFECT_NONE;
  }
};

// Esc gives up, letting the left button go drops.
class ButtonSource final : public ComObject<IDropSource, IID_IDropSource> {
 public:
  HRESULT QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT GiveFeedback(DROPEFFECT) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

TEST(Ole, DropTargetsAreRegisteredOncePerWindow) {
  HWND window = MakeWindow(0);
  auto* target = new LoggingTarget;
  EXPECT_EQ(RegisterDragDrop(window, target), S_OK);
  EXPECT_EQ(RegisterDragDrop(window, target), DRAGDROP_E_ALREADYREGISTERED);
  EXPECT_EQ(RegisterDragDrop(nullptr, target), DRAGDROP_E_INVALIDHWND);
  EXPECT_EQ(RevokeDragDrop(window), S_OK);
  EXPECT_EQ(RevokeDragDrop(window), DRAGDROP_E_NOTREGISTERED);
  // The registration held its own reference: this is the last.
  EXPECT_EQ(target->Release(), 0u);
  DestroyWindow(window);
}

TEST(Ole, TheClipboardTakesEveryFormatOfADataSource) {
  const UINT custom = RegisterClipboardFormatA("Ole Test Cells");
  {
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, Block(std::string("a\tb\0", 4)));
    source.CacheGlobalData(static_cast<CLIPFORMAT>(custom), Block("raw"));
    ASSERT_TRUE(source.SetClipboard());
  }
  // The source is gone; the clipboard kept copies.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(BytesOf(GetClipboardData(CF_TEXT)), std::string("a\tb\0", 4));
  EXPECT_EQ(BytesOf(GetClipboardData(custom)), "raw");
  CloseClipboard();
  COleDataObject clipboard;
  ASSERT_TRUE(clipboard.AttachClipboard());
  EXPECT_TRUE(clipboard.IsDataAvailable(static_cast<CLIPFORMAT>(custom)));
  HGLOBAL copy = clipboard.GetGlobalData(static_cast<CLIPFORMAT>(custom));
  EXPECT_EQ(BytesOf(copy), "raw");
  GlobalFree(copy);
  IDataObject* object = nullptr;
  ASSERT_EQ(OleGetClipboard(&object), S_OK);
  IEnumFORMATETC* formats = nullptr;
  ASSERT_EQ(object->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
  std::vector<UINT> listed;
  for (FORMATETC f; formats->Next(1, &f, nullptr) == S_OK;) listed.push_back(f.cfFormat);
  EXPECT_NE(std::find(listed.begin(), listed.end(), CF_TEXT), listed.end());
  EXPECT_NE(std::find(listed.begin(), listed.end(), custom), listed.end());
  formats->Release();
  object->Release();
  EXPECT_EQ(OleSetClipboard(nullptr), S_OK);
  EXPECT_FALSE(IsClipboardFormatAvailable(custom));
}

struct DragCase {
  const char* name;
  int endX;              // where the button comes up, in the target window
  bool escape;           // Esc before the button comes up
  DROPEFFECT answer;     // what the target takes
  HRESULT result;
  DROPEFFECT effect;
  std::vector<std::string> log;
};

class OleDrag : public ::testing::TestWithParam<DragCase> {};

TEST_P(OleDrag, TheLoopFollowsTheMouseToTheTargetUnderIt) {
  const DragCase& c = GetParam();
  HWND from = MakeWindow(0), to = MakeWindow(250);
  auto* target = new LoggingTarget;
  target->window = to;
  target->answer = c.answer;
  ASSERT_EQ(RegisterDragDrop(to, target), S_OK);
  COleDataSource source;
  source.CacheGlobalData(CF_TEXT, Block(std::string("moved\0", 6)));
  // The drag starts at a press in the first window; the rest of the input
  // is already queued when the loop reads it.
  POINT start{20, 20};
  ClientToScreen(from, &start);
  user::DeviceMouseMove(start);
  user::DeviceMouseButton(user::MouseButton::Left, true, start);
  MSG press{};
  while (PeekMessageW(&press, nullptr, 0, 0, PM_REMOVE) && press.message != WM_LBUTTONDOWN) DispatchMessageW(&press);
  SetCapture(from);
  POINT over{40, 40}, end{c.endX, 60};
  ClientToScreen(to, &over);
  ClientToScreen(to, &end);
  user::DeviceMouseMove(over);
  // Moves not yet read merge into the newest: a key between keeps them
  // apart (Esc, or one nobody uses).
  constexpr int kUnusedKey = 0x87;
  user::DeviceKey(c.escape ? VK_ESCAPE : kUnusedKey, true);
  if (!c.escape) user::DeviceKey(kUnusedKey, false);
  user::DeviceMouseMove(end);
  user::DeviceMouseButton(user::MouseButton::Left, false, end);
  if (c.escape) user::DeviceKey(VK_ESCAPE, false);
  auto* button = new ButtonSource;
  DROPEFFECT effect = 99;
  EXPECT_EQ(DoDragDrop(source.GetDataObject(), button, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect), c.result);
  button->Release();
  uitest::RunUntilIdle();
  EXPECT_EQ(effect, c.effect);
  EXPECT_EQ(target->log, c.log);
  EXPECT_EQ(target->dropped, c.effect ? std::string("moved\0", 6) : "");
  EXPECT_EQ(GetCapture(), nullptr);
  RevokeDragDrop(to);
  target->Release();
  DestroyWindow(from);
  DestroyWindow(to);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OleDrag,
    ::testing::Values(DragCase{"DropCopies", 50, false, DROPEFFECT_COPY, DRAGDROP_S_DROP, DROPEFFECT_COPY,
                               {"enter", "over", "drop"}},
                      DragCase{"DropMoves", 50, false, DROPEFFECT_MOVE, DRAGDROP_S_DROP, DROPEFFECT_MOVE,
                               {"enter", "over", "drop"}},
                      // Let go where the target takes nothing: it only hears the leave.
                      DragCase{"RefusedPlace", 150, false, DROPEFFECT_COPY, DRAGDROP_S_CANCEL, DROPEFFECT_NONE,
                               {"enter", "over", "leave"}},
                      DragCase{"EscapeGivesUp", 50, true, DROPEFFECT_COPY, DRAGDROP_S_CANCEL, DROPEFFECT_NONE,
                               {"enter", "leave"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
