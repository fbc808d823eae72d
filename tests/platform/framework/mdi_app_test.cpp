// The MDI test program driven as a person would: new, open, save, close
// with the modified prompt, command routing, command-update states,
// splitters, print preview, a dialog with data exchange; pictures of the
// frame and the preview in the build folder.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework_test_util.h"
#include "mdi_app.h"
#include "platform/gdi/printer_settings.h"
#include "platform/testing/ui.h"

namespace {

using fwapp::CItemsDoc;
using fwapp::CItemsView;
using fwapp::CTestApp;
using fwapp::CTestMainFrame;

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Answers the next modal dialogs (message boxes) by clicking a button, and
// keeps their texts.
class Answers {
 public:
  Answers() { user::SetModalDialogHook(&Answers::Hook, this); }
  ~Answers() { user::SetModalDialogHook(nullptr, nullptr); }
  void Push(int button) { buttons_.push_back(button); }
  std::vector<std::string> seen;

 private:
  static void Hook(HWND dialog, void* context) {
    auto* self = static_cast<Answers*>(context);
    user::SetModalDialogHook(&Answers::Hook, self);  // a hook answers one dialog; stay for the next
    char text[256] = {};
    // The message is the static text of the box.
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      char cls[32] = {};
      ::GetClassNameA(child, cls, sizeof cls);
      if (std::string(cls) == "Static" && ::GetWindowTextLengthA(child) > 0) ::GetWindowTextA(child, text, sizeof text);
    }
    self->seen.emplace_back(text);
    const int button = self->buttons_.empty() ? IDCANCEL : self->buttons_.front();
    if (!self->buttons_.empty()) self->buttons_.erase(self->buttons_.begin());
    if (HWND b = ::GetDlgItem(dialog, button)) {
      ::SendMessageA(b, BM_CLICK, 0, 0);
    } else {
      ::EndDialog(dialog, button);
    }
  }
  std::vector<int> buttons_;
};

class FrameworkMdiApp : public ::testing::Test {
 protected:
  void SetUp() override {
    fwapp::Log().clear();
    app = std::make_unique<CTestApp>();
    app->m_profile = dir / "app.ini";
    ASSERT_TRUE(app->InitInstance());
    frame = static_cast<CTestMainFrame*>(app->m_pMainWnd);
    Idle();
  }
  void TearDown() override {
    if (app->m_pMainWnd) {
      Answers answers;
      answers.Push(IDNO);
      answers.Push(IDNO);
      answers.Push(IDNO);
      ::SendMessageA(app->m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
    }
    uitest::RunUntilIdle();
    app->ExitInstance();
    app.reset();
    CWnd::DeleteTempMap();
  }
  // What the program's loop does between messages.
  void Idle() {
    uitest::RunUntilIdle();
    for (LONG count = 0; app->OnIdle(count); ++count) {
    }
  }
  void Command(UINT id) {
    ::SendMessageA(frame->m_hWnd, WM_COMMAND, id, 0);
    Idle();
  }
  CItemsDoc* ActiveDoc() { return static_cast<CItemsDoc*>(frame->GetActiveDocument()); }
  int ChildCount() {
    int n = 0;
    for (HWND c = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) ++n;
    return n;
  }

  fwtest::Scratch dir;
  std::unique_ptr<CTestApp> app;
  CTestMainFrame* frame = nullptr;
};

TEST_F(FrameworkMdiApp, NewMakesADocumentInAChildFrameWithTwoViews) {
  Command(ID_FILE_NEW);
  ASSERT_EQ(ChildCount(), 1);
  CItemsDoc* doc = ActiveDoc();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), CString("Items1"));
  EXPECT_EQ(doc->GetViewCount(), 2);
  EXPECT_FALSE(doc->IsModified());
  CString title;
  frame->MDIGetActive()->GetWindowText(title);
  EXPECT_EQ(title, CString("Items1"));
  frame->GetWindowText(title);
  EXPECT_EQ(title, CString("Framework Test - Items1"));
  Command(ID_FILE_NEW);
  EXPECT_EQ(ChildCount(), 2);
  EXPECT_EQ(ActiveDoc()->GetTitle(), CString("Items2"));
  EXPECT_EQ(app->GetOpenDocumentCount(), 2);
}

TEST_F(FrameworkMdiApp, CommandsRouteViewDocumentFrameApplication) {
  Command(ID_FILE_NEW);
  // The view handles the mark before the document can; the document handles
  // what the view does not; then the frame; then the application.
  struct RouteCase {
    UINT id;
    const char* handler;
  };
  const RouteCase cases[] = {{ID_TEST_MARK, "view ID_TEST_MARK"},
                             {ID_TEST_ADD, "document ID_TEST_ADD"},
                             {ID_TEST_FRAMECMD, "frame ID_TEST_FRAMECMD"},
                             {ID_TEST_APPCMD, "app ID_TEST_APPCMD"}};
  for (const auto& c : cases) {
    fwapp::Log().clear();
    Command(c.id);
    EXPECT_EQ(fwapp::Log(), (std::vector<std::string>{c.handler})) << c.handler;
  }
  // With no document open, document and view commands find no handler.
  Command(ID_FILE_NEW);
  Answers answers;
  answers.Push(IDNO);
  Command(ID_FILE_CLOSE);
  Command(ID_FILE_CLOSE);
  ASSERT_EQ(ChildCount(), 0);
  fwapp::Log().clear();
  Command(ID_TEST_ADD);
  EXPECT_TRUE(fwapp::Log().empty());
}

// The titles of the frame's menu bar.
std::vector<std::string> BarTitles(HWND frame) {
  std::vector<std::string> titles;
  HMENU bar = ::GetMenu(frame);
  for (int i = 0, n = ::GetMenuItemCount(bar); i < n; ++i) {
    char text[32] = {};
    ::GetMenuStringA(bar, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    titles.emplace_back(text);
  }
  return titles;
}

TEST_F(FrameworkMdiApp, TheActiveDocumentsMenuIsTheFramesMenu) {
  const std::vector<std::string> frameMenu{"&File", "&View"}, documentMenu{"&File", "&Edit", "&Window"};
  EXPECT_EQ(BarTitles(frame->m_hWnd), frameMenu);
  Command(ID_FILE_NEW);
  EXPECT_EQ(BarTitles(frame->m_hWnd), documentMenu);
  Command(ID_FILE_NEW);
  EXPECT_EQ(BarTitles(frame->m_hWnd), documentMenu);
  // The window menu lists the documents.
  HMENU window = ::GetSubMenu(::GetMenu(frame->m_hWnd), 2);
  int listed = 0;
  for (int i = 0, n = ::GetMenuItemCount(window); i < n; ++i)
    if (::GetMenuItemID(window, i) >= AFX_IDM_FIRST_MDICHILD) ++listed;
  EXPECT_EQ(listed, 2);
  Command(ID_FILE_CLOSE);
  EXPECT_EQ(BarTitles(frame->m_hWnd), documentMenu) << "another document is still open";
  Command(ID_FILE_CLOSE);
  EXPECT_EQ(BarTitles(frame->m_hWnd), frameMenu) << "the last document gone, the frame's own menu";
}

TEST_F(FrameworkMdiApp, IdleUpdatesDriveToolBarStatusBarAndMenus) {
  // Nothing open: the save button has no handler and is disabled.
  EXPECT_FALSE(frame->m_wndToolBar.SendMessage(TB_ISBUTTONENABLED, ID_FILE_SAVE));
  EXPECT_TRUE(frame->m_wndToolBar.SendMessage(TB_ISBUTTONENABLED, ID_FILE_NEW));
  EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(1), CString("Items: 0"));
  Command(ID_FILE_NEW);
  EXPECT_TRUE(frame->m_wndToolBar.SendMessage(TB_ISBUTTONENABLED, ID_FILE_SAVE));
  Command(ID_TEST_ADD);
  Command(ID_TEST_ADD);
  EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(1), CString("Items: 2"));
  // The Edit menu of the document's menu: Clear is enabled with items,
  // Mark is checked once the view is marked.
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_TESTDOC));
  // (a menu handle, not a temporary object: those go at idle time)
  HMENU edit = ::GetSubMenu(menu.m_hMenu, 1);
  ::SendMessageA(frame->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_EQ(::GetMenuState(edit, ID_TEST_CLEAR, MF_BYCOMMAND) & MF_GRAYED, 0u);
  EXPECT_EQ(::GetMenuState(edit, ID_TEST_MARK, MF_BYCOMMAND) & MF_CHECKED, 0u);
  Command(ID_TEST_MARK);
  Command(ID_TEST_CLEAR);
  ::SendMessageA(frame->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_NE(::GetMenuState(edit, ID_TEST_CLEAR, MF_BYCOMMAND) & MF_GRAYED, 0u);
  EXPECT_NE(::GetMenuState(edit, ID_TEST_MARK, MF_BYCOMMAND) & MF_CHECKED, 0u);
  // A disabled command is not carried out even when sent.
  fwapp::Log().clear();
  Command(ID_TEST_CLEAR);
  EXPECT_TRUE(fwapp::Log().empty());
}

TEST_F(FrameworkMdiApp, SaveOpenAndTheRecentFileList) {
  Command(ID_FILE_NEW);
  Command(ID_TEST_ADD);
  Command(ID_TEST_ADD);
  ASSERT_TRUE(ActiveDoc()->IsModified());
  const std::string path = dir / "first.itm";
  app->m_nextFileName = path.c_str();
  Command(ID_FILE_SAVE);
  EXPECT_FALSE(ActiveDoc()->IsModified());
  EXPECT_EQ(ActiveDoc()->GetTitle(), CString("first.itm"));
  // The file: the magic string, then the list's count and strings.
  EXPECT_EQ(Contents(path), std::string("\x05" "ITEMS" "\x02\x00" "\x06" "Item 1" "\x06" "Item 2", 22));
  // Opening the open file again brings its window forward instead.
  Command(ID_FILE_OPEN);
  EXPECT_EQ(ChildCount(), 1);
  Command(ID_FILE_CLOSE);
  ASSERT_EQ(ChildCount(), 0);
  Command(ID_FILE_OPEN);
  ASSERT_EQ(ChildCount(), 1);
  EXPECT_EQ(ActiveDoc()->m_items.GetCount(), 2);
  EXPECT_EQ(ActiveDoc()->m_items.GetTail(), CString("Item 2"));
  ASSERT_NE(app->m_pRecentFileList, nullptr);
  EXPECT_EQ((*app->m_pRecentFileList)[0], CString(path.c_str()));
  app->SaveStdProfileSettings();
  char stored[512] = {};
  ::GetPrivateProfileStringA("Recent File List", "File1", "", stored, sizeof stored, app->m_profile.c_str());
  EXPECT_EQ(std::string(stored), path);
}

TEST_F(FrameworkMdiApp, ADamagedFileIsRefusedWithItsReason) {
  const std::string path = dir / "damaged.itm";
  std::ofstream(path, std::ios::binary) << std::string("\x05" "ITEMS" "\xFF\x7F", 8);  // 32767 items, none there
  Answers answers;
  answers.Push(IDOK);
  app->m_nextFileName = path.c_str();
  Command(ID_FILE_OPEN);
  EXPECT_EQ(ChildCount(), 0);
  EXPECT_EQ(app->GetOpenDocumentCount(), 0);
  ASSERT_EQ(answers.seen.size(), 1u);
  EXPECT_NE(answers.seen[0].find("past its end"), std::string::npos) << answers.seen[0];
}

TEST_F(FrameworkMdiApp, ClosingAModifiedDocumentAsksFirst) {
  Command(ID_FILE_NEW);
  const std::string path = dir / "kept.itm";
  app->m_nextFileName = path.c_str();
  Command(ID_TEST_ADD);
  Command(ID_FILE_SAVE);
  const std::string saved = Contents(path);
  Command(ID_TEST_ADD);
  Answers answers;
  answers.Push(IDCANCEL);
  Command(ID_FILE_CLOSE);
  ASSERT_EQ(answers.seen.size(), 1u);
  EXPECT_EQ(answers.seen[0], "Save changes to kept.itm?");
  EXPECT_EQ(ChildCount(), 1);  // cancelled: still open, still modified
  EXPECT_TRUE(ActiveDoc()->IsModified());
  answers.Push(IDNO);
  Command(ID_FILE_CLOSE);
  EXPECT_EQ(ChildCount(), 0);
  EXPECT_EQ(Contents(path), saved);  // not saved
  // Yes saves before closing; closing the frame's window asks the same.
  Command(ID_FILE_NEW);
  app->m_nextFileName = (dir / "second.itm").c_str();
  Command(ID_TEST_ADD);
  answers.Push(IDYES);
  ::SendMessageA(frame->MDIGetActive()->m_hWnd, WM_CLOSE, 0, 0);
  Idle();
  EXPECT_EQ(ChildCount(), 0);
  EXPECT_EQ(Contents(dir / "second.itm").size(), 15u);
}

TEST_F(FrameworkMdiApp, ADocumentIsSavedOnlyWhenItsFileIsWrittenWhole) {
  Command(ID_FILE_NEW);
  const std::string path = dir / "whole.itm";
  app->m_nextFileName = path.c_str();
  Command(ID_TEST_ADD);
  Command(ID_FILE_SAVE);
  const std::string before = Contents(path);
  Command(ID_TEST_ADD);
  // A write that fails part way: the old file stays, the document stays modified.
  ActiveDoc()->m_bFailWhileSaving = TRUE;
  Answers answers;
  answers.Push(IDOK);
  Command(ID_FILE_SAVE);
  EXPECT_TRUE(ActiveDoc()->IsModified());
  EXPECT_EQ(Contents(path), before);
  ASSERT_EQ(answers.seen.size(), 1u);
  EXPECT_NE(answers.seen[0].find("Disk full"), std::string::npos) << answers.seen[0];
  // A folder that does not exist: nothing written, still modified.
  ActiveDoc()->m_bFailWhileSaving = FALSE;
  answers.Push(IDOK);
  app->m_nextFileName = (dir / "missing/folder/x.itm").c_str();
  Command(ID_FILE_SAVE_AS);
  EXPECT_TRUE(ActiveDoc()->IsModified());
  EXPECT_EQ(ActiveDoc()->GetPathName(), CString(path.c_str()));
  // No stray temporary files beside the target.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);  // the document alone (the profile is written at exit)
}

TEST_F(FrameworkMdiApp, StaticSplitterBarFollowsTheMouse) {
  Command(ID_FILE_NEW);
  auto* child = static_cast<fwapp::CItemsChildFrame*>(frame->MDIGetActive());
  CSplitterWnd& splitter = child->m_wndSplitter;
  ASSERT_EQ(splitter.GetColumnCount(), 2);
  int width = 0, min = 0;
  splitter.GetColumnInfo(0, width, min);
  EXPECT_EQ(width, 160);
  const CPoint bar(160 + splitter.m_cxSplitterGap / 2, 20);
  uitest::Drag(splitter.m_hWnd, bar, CPoint(100, 20));
  splitter.GetColumnInfo(0, width, min);
  EXPECT_EQ(width, 100);
  CRect pane;
  splitter.GetPane(0, 1)->GetWindowRect(&pane);
  CRect whole;
  splitter.GetWindowRect(&whole);
  EXPECT_EQ(pane.left - whole.left, width + splitter.m_cxSplitterGap);
  // A click in a pane makes it the frame's active view.
  uitest::Click(splitter.GetPane(0, 1)->m_hWnd);
  EXPECT_EQ(static_cast<CWnd*>(child->GetActiveView()), splitter.GetPane(0, 1));
}

TEST_F(FrameworkMdiApp, PrintPreviewShowsTwoPagesAndGivesTheViewBack) {
  Command(ID_FILE_NEW);
  Command(ID_TEST_ADD);
  CMDIChildWnd* child = frame->MDIGetActive();
  CView* view = child->GetActiveView();
  ASSERT_NE(view, nullptr);
  ::SendMessageA(child->m_hWnd, WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
  Idle();
  auto* preview = DYNAMIC_DOWNCAST(CPreviewView, child->GetActiveView());
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->m_nPages, 2u);
  EXPECT_EQ(preview->m_pPreviewInfo->GetMaxPage(), 3u);
  EXPECT_FALSE(view->IsWindowVisible());
  child->MDIMaximize();
  Idle();
  ::UpdateWindow(frame->m_hWnd);
  EXPECT_TRUE(uitest::SaveWindowPng(frame->m_hWnd, std::string(TAV_BUILD_DIR) + "/framework_preview.png"));
  // Two pages side by side: white paper left and right of the middle.
  CRect left = preview->m_pageInfo[0].rectScreen, right = preview->m_pageInfo[1].rectScreen;
  EXPECT_LT(left.right, right.left);
  EXPECT_EQ(uitest::ClientPixel(preview->m_hWnd, left.left + 2, left.top + 2), RGB(255, 255, 255));
  EXPECT_EQ(uitest::ClientPixel(preview->m_hWnd, right.left + 2, right.top + 2), RGB(255, 255, 255));
  // Next page, then one page, then back.
  ::SendMessageA(child->m_hWnd, WM_COMMAND, ID_PREVIEW_NEXT, 0);
  EXPECT_EQ(preview->m_nCurrentPage, 2u);
  ::SendMessageA(child->m_hWnd, WM_COMMAND, ID_PREVIEW_NEXT, 0);
  EXPECT_EQ(preview->m_nCurrentPage, 2u);  // pages 2 and 3 are the last pair
  ::SendMessageA(child->m_hWnd, WM_COMMAND, ID_PREVIEW_NUMPAGE, 0);
  EXPECT_EQ(preview->m_nPages, 1u);
  ::SendMessageA(child->m_hWnd, WM_COMMAND, ID_PREVIEW_ZOOMIN, 0);
  EXPECT_EQ(preview->m_nZoomState, 1u);
  ::SendMessageA(child->m_hWnd, WM_COMMAND, ID_PREVIEW_CLOSE, 0);
  Idle();
  EXPECT_EQ(child->GetActiveView(), view);
  EXPECT_TRUE(view->IsWindowVisible());
  EXPECT_EQ(child->GetDescendantWindow(static_cast<int>(AFX_IDW_PREVIEW_BAR)), nullptr);
}

// A frame whose client is a dynamic splitter of up to two rows and columns.
class CDynamicFrame : public CFrameWnd {
 public:
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    return m_wndSplitter.Create(this, 2, 2, CSize(20, 20), context);
  }
  CSplitterWnd m_wndSplitter;
};

TEST_F(FrameworkMdiApp, DynamicSplitterSplitsAndJoinsWithViewsOfTheDocument) {
  Command(ID_FILE_NEW);
  CItemsDoc* doc = ActiveDoc();
  ASSERT_NE(doc, nullptr);
  const int viewsBefore = doc->GetViewCount();
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CItemsView);
  context.m_pCurrentDoc = doc;
  auto* dynamic = new CDynamicFrame;  // a frame deletes itself when its window goes
  ASSERT_TRUE(dynamic->Create(nullptr, "Dynamic", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr,
                              nullptr, 0, &context));
  CSplitterWnd& splitter = dynamic->m_wndSplitter;
  Idle();
  struct Step {
    const char* name;
    std::function<void()> act;
    int rows, cols;
  } const steps[] = {
      {"made", [] {}, 1, 1},
      {"split into rows", [&] { splitter.SplitRow(120); }, 2, 1},
      {"split into columns", [&] { splitter.SplitColumn(150); }, 2, 2},
      {"second row joined", [&] { splitter.DeleteRow(1); }, 1, 2},
      {"second column joined", [&] { splitter.DeleteColumn(1); }, 1, 1},
  };
  for (const Step& step : steps) {
    step.act();
    Idle();
    EXPECT_TRUE(splitter.IsDynamic());
    EXPECT_EQ(splitter.GetRowCount(), step.rows) << step.name;
    EXPECT_EQ(splitter.GetColumnCount(), step.cols) << step.name;
    for (int r = 0; r < step.rows; ++r)
      for (int c = 0; c < step.cols; ++c) {
        auto* view = DYNAMIC_DOWNCAST(CItemsView, splitter.GetPane(r, c));
        ASSERT_NE(view, nullptr) << step.name << " " << r << "," << c;
        EXPECT_EQ(view->GetDocument(), doc);
      }
    EXPECT_EQ(doc->GetViewCount(), viewsBefore + step.rows * step.cols) << step.name;
  }
  // Splitting at a place too small for a pane does not split.
  EXPECT_FALSE(splitter.SplitRow(5));
  EXPECT_EQ(splitter.GetRowCount(), 1);
  dynamic->DestroyWindow();
  Idle();
  EXPECT_EQ(doc->GetViewCount(), viewsBefore);
}

// A file printer of 300 dpi, there for one test.
class FilePrinter {
 public:
  FilePrinter(const char* name, std::string port) : name_(name), port_(std::move(port)) {
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(name_);
    info.pPortName = port_.data();
    info.pDriverName = const_cast<char*>("Label Driver");
    handle_ = ::AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    gdi::RegisterPrinterSettings(name_, gdi::PrinterSettings{300, 300, {2480, 3508}, {50, 50}, {2380, 3408}});
  }
  ~FilePrinter() {
    if (handle_) ::DeletePrinter(handle_);
  }
  FilePrinter(const FilePrinter&) = delete;
  FilePrinter& operator=(const FilePrinter&) = delete;

 private:
  const char* name_;
  std::string port_;
  HANDLE handle_ = nullptr;
};

struct PrintChoice {
  const char* printer;
  const char* from;
  const char* to;
  int button;
};

void ChoosePrint(HWND dialog, void* context) {
  const auto* choice = static_cast<const PrintChoice*>(context);
  const HWND combo = ::GetDlgItem(dialog, cmb4);
  const LRESULT at =
      ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(choice->printer));
  ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  uitest::Click(::GetDlgItem(dialog, rad3));
  ::SetDlgItemTextA(dialog, edt1, choice->from);
  ::SetDlgItemTextA(dialog, edt2, choice->to);
  uitest::Click(::GetDlgItem(dialog, choice->button));
}

TEST_F(FrameworkMdiApp, FilePrintAsksForThePrinterAndPrintsThePagesChosen) {
  const std::string port = dir / "printed.bin";
  FilePrinter printer("Framework Test Printer", port);
  Command(ID_FILE_NEW);
  Command(ID_TEST_ADD);
  CMDIChildWnd* child = frame->MDIGetActive();
  ASSERT_NE(child, nullptr);
  PrintChoice choice{"Framework Test Printer", "2", "3", IDOK};
  fwapp::Log().clear();
  user::SetModalDialogHook(&ChoosePrint, &choice);
  ::SendMessageA(child->m_hWnd, WM_COMMAND, ID_FILE_PRINT, 0);
  user::SetModalDialogHook(nullptr, nullptr);
  // The pages chosen, drawn for the printer chosen.
  EXPECT_EQ(fwapp::Log(), (std::vector<std::string>{"printed page 2 at 300 dpi", "printed page 3 at 300 dpi"}));

  // Cancelled, nothing is printed.
  choice.button = IDCANCEL;
  fwapp::Log().clear();
  user::SetModalDialogHook(&ChoosePrint, &choice);
  ::SendMessageA(child->m_hWnd, WM_COMMAND, ID_FILE_PRINT, 0);
  user::SetModalDialogHook(nullptr, nullptr);
  EXPECT_TRUE(fwapp::Log().empty());
}

TEST_F(FrameworkMdiApp, FramePicture) {
  Command(ID_FILE_NEW);
  Command(ID_TEST_ADD);
  Command(ID_TEST_ADD);
  Command(ID_FILE_NEW);
  Command(ID_TEST_ADD);
  Command(ID_TEST_MARK);
  Command(ID_WINDOW_CASCADE);
  ::RedrawWindow(frame->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASE);
  Idle();
  EXPECT_TRUE(uitest::SaveWindowPng(frame->m_hWnd, std::string(TAV_BUILD_DIR) + "/framework_mdi_frame.png"));
  // The tool bar sits at the top of the client area, the status bar at the bottom.
  CRect client, bar, status;
  frame->GetClientRect(&client);
  frame->m_wndToolBar.GetWindowRect(&bar);
  frame->m_wndStatusBar.GetWindowRect(&status);
  frame->ScreenToClient(&bar);
  frame->ScreenToClient(&status);
  EXPECT_EQ(bar.top, 0);
  EXPECT_EQ(bar.Width(), client.Width());
  EXPECT_EQ(status.bottom, client.bottom);
  CRect mdi;
  ::GetWindowRect(frame->m_hWndMDIClient, &mdi);
  frame->ScreenToClient(&mdi);
  EXPECT_EQ(mdi.top, bar.bottom);
  EXPECT_EQ(mdi.bottom, status.top);
}

struct Script {
  std::vector<std::string> counts;
  std::vector<std::string> messages;
  int shown = 0;
};

// Types into the settings dialog as a person would; closes the check's
// message boxes, keeping their texts.
void ScriptHook(HWND dlg, void* ctx) {
  auto* s = static_cast<Script*>(ctx);
  user::SetModalDialogHook(&ScriptHook, ctx);  // a hook answers one dialog: stay for the next
  char caption[64] = {};
  ::GetWindowTextA(dlg, caption, sizeof caption);
  if (std::string(caption) != "Item Settings") {
    for (HWND c = ::GetWindow(dlg, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
      char text[200] = {};
      char cls[32] = {};
      ::GetClassNameA(c, cls, sizeof cls);
      if (std::string(cls) == "Static" && ::GetWindowTextA(c, text, sizeof text) > 0) s->messages.emplace_back(text);
    }
    ::SendMessageA(::GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    return;
  }
  ++s->shown;
  char name[64] = {};
  ::GetDlgItemTextA(dlg, IDC_TEST_NAME, name, sizeof name);
  s->messages.push_back(std::string("name=") + name);
  ::SetDlgItemTextA(dlg, IDC_TEST_NAME, "second");
  ::SendMessageA(::GetDlgItem(dlg, IDC_TEST_ENABLED), BM_CLICK, 0, 0);
  for (const std::string& count : s->counts) {
    ::SetDlgItemTextA(dlg, IDC_TEST_COUNT, count.c_str());
    ::SendMessageA(::GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
  }
}

TEST_F(FrameworkMdiApp, SettingsDialogExchangesAndChecksItsData) {
  fwapp::CSettingsDlg dialog(frame);
  Script script;
  script.counts = {"abc", "150", "42"};
  user::SetModalDialogHook(&ScriptHook, &script);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  user::SetModalDialogHook(nullptr, nullptr);
  EXPECT_EQ(script.shown, 1);
  EXPECT_EQ(script.messages, (std::vector<std::string>{"name=first", "Please enter an integer.",
                                                       "Please enter an integer between 1 and 99."}));
  EXPECT_EQ(dialog.m_name, CString("second"));
  EXPECT_EQ(dialog.m_count, 42);
  EXPECT_EQ(dialog.m_enabled, 0);
}

}  // namespace
