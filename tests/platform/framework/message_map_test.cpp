// Message-map dispatch: every handler signature of the ON_WM_* entries as a
// table (message, parameters, the arguments the handler saw, the result),
// commands, ranges, update handlers, notifications, reflection, registered
// and plain messages.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "framework_test_util.h"

namespace {

std::vector<std::string> g_log;

void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Log(const char* format, ...) {
  char text[200];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  g_log.emplace_back(text);
}

UINT g_registered = 0;
// Notification codes are negative numbers carried in a UINT.
constexpr UINT NM_CLICK_CODE = static_cast<UINT>(-2);
constexpr UINT NM_DBLCLK_CODE = static_cast<UINT>(-3);
constexpr UINT kAppMessage = WM_USER + 7;

// Handles every ON_WM_* entry and logs what it was given.
class CProbeWnd : public CWnd {
 public:
  int OnCreate(LPCREATESTRUCT cs) {
    Log("OnCreate(%s)", cs && cs->lpszName ? cs->lpszName : "");
    return 0;
  }
  void OnDestroy() { Log("OnDestroy"); }
  void OnPaint() {
    CPaintDC dc(this);
    Log("OnPaint");
  }
  void OnClose() { Log("OnClose"); }
  void OnSysColorChange() { Log("OnSysColorChange"); }
  void OnCancelMode() { Log("OnCancelMode"); }
  BOOL OnEraseBkgnd(CDC* dc) {
    Log("OnEraseBkgnd(%d)", dc != nullptr);
    return 7;
  }
  void OnSize(UINT type, int cx, int cy) { Log("OnSize(%u,%d,%d)", type, cx, cy); }
  void OnMove(int x, int y) { Log("OnMove(%d,%d)", x, y); }
  void OnTimer(UINT_PTR id) { Log("OnTimer(%lu)", static_cast<unsigned long>(id)); }
  void OnSetFocus(CWnd* old) { Log("OnSetFocus(%s)", old ? "wnd" : "null"); }
  void OnKillFocus(CWnd* next) { Log("OnKillFocus(%s)", next == this ? "self" : next ? "wnd" : "null"); }
  void OnCaptureChanged(CWnd* w) { Log("OnCaptureChanged(%s)", w == this ? "self" : w ? "wnd" : "null"); }
  void OnShowWindow(BOOL show, UINT status) { Log("OnShowWindow(%d,%u)", show, status); }
  void OnActivate(UINT state, CWnd* other, BOOL minimized) {
    Log("OnActivate(%u,%s,%d)", state, other == this ? "self" : other ? "wnd" : "null", minimized);
  }
  void OnActivateApp(BOOL active, DWORD thread) { Log("OnActivateApp(%d,%u)", active, thread); }
  void OnEnable(BOOL enable) { Log("OnEnable(%d)", enable); }
  void OnLButtonDown(UINT f, CPoint p) { Log("OnLButtonDown(%u,%d,%d)", f, p.x, p.y); }
  void OnLButtonUp(UINT f, CPoint p) { Log("OnLButtonUp(%u,%d,%d)", f, p.x, p.y); }
  void OnLButtonDblClk(UINT f, CPoint p) { Log("OnLButtonDblClk(%u,%d,%d)", f, p.x, p.y); }
  void OnRButtonDown(UINT f, CPoint p) { Log("OnRButtonDown(%u,%d,%d)", f, p.x, p.y); }
  void OnRButtonUp(UINT f, CPoint p) { Log("OnRButtonUp(%u,%d,%d)", f, p.x, p.y); }
  void OnMouseMove(UINT f, CPoint p) { Log("OnMouseMove(%u,%d,%d)", f, p.x, p.y); }
  BOOL OnMouseWheel(UINT f, short delta, CPoint p) {
    Log("OnMouseWheel(%u,%d,%d,%d)", f, delta, p.x, p.y);
    return TRUE;
  }
  void OnKeyDown(UINT c, UINT r, UINT f) { Log("OnKeyDown(%u,%u,%u)", c, r, f); }
  void OnKeyUp(UINT c, UINT r, UINT f) { Log("OnKeyUp(%u,%u,%u)", c, r, f); }
  void OnChar(UINT c, UINT r, UINT f) { Log("OnChar(%u,%u,%u)", c, r, f); }
  void OnSysKeyDown(UINT c, UINT r, UINT f) { Log("OnSysKeyDown(%u,%u,%u)", c, r, f); }
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar) { Log("OnHScroll(%u,%d,%s)", code, static_cast<int>(pos), bar ? "bar" : "null"); }
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) { Log("OnVScroll(%u,%d,%s)", code, static_cast<int>(pos), bar ? "bar" : "null"); }
  BOOL OnSetCursor(CWnd* w, UINT hit, UINT message) {
    Log("OnSetCursor(%s,%u,%u)", w == this ? "self" : "other", hit, message);
    return TRUE;
  }
  HBRUSH OnCtlColor(CDC* dc, CWnd* w, UINT kind) {
    Log("OnCtlColor(%d,%s,%u)", dc != nullptr, w ? "wnd" : "null", kind);
    return reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(0x1234));
  }
  void OnDrawItem(int id, LPDRAWITEMSTRUCT dis) { Log("OnDrawItem(%d,%u)", id, dis->itemID); }
  void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis) {
    Log("OnMeasureItem(%d,%u)", id, mis->itemID);
    mis->itemHeight = 21;
  }
  void OnContextMenu(CWnd* w, CPoint p) { Log("OnContextMenu(%s,%d,%d)", w == this ? "self" : "other", p.x, p.y); }
  void OnInitMenuPopup(CMenu* menu, UINT index, BOOL sys) { Log("OnInitMenuPopup(%d,%u,%d)", menu != nullptr, index, sys); }
  void OnGetMinMaxInfo(MINMAXINFO* info) { Log("OnGetMinMaxInfo(%d)", info != nullptr); }
  void OnWindowPosChanged(WINDOWPOS* pos) { Log("OnWindowPosChanged(%d,%d)", pos->cx, pos->cy); }
  int OnMouseActivate(CWnd* top, UINT hit, UINT message) {
    Log("OnMouseActivate(%s,%u,%u)", top == this ? "self" : "other", hit, message);
    return MA_NOACTIVATE;
  }
  LRESULT OnNcHitTest(CPoint p) {
    Log("OnNcHitTest(%d,%d)", p.x, p.y);
    return HTCAPTION;
  }
  void OnNcLButtonDown(UINT hit, CPoint p) { Log("OnNcLButtonDown(%u,%d,%d)", hit, p.x, p.y); }
  UINT OnGetDlgCode() {
    Log("OnGetDlgCode");
    return DLGC_WANTALLKEYS;
  }
  void OnSysCommand(UINT id, LPARAM lParam) { Log("OnSysCommand(%x,%ld)", id, static_cast<long>(lParam)); }
  void OnParentNotify(UINT message, LPARAM lParam) { Log("OnParentNotify(%u,%ld)", message, static_cast<long>(lParam)); }
  void OnMenuSelect(UINT id, UINT flags, HMENU menu) { Log("OnMenuSelect(%u,%x,%d)", id, flags, menu != nullptr); }
  void OnImeChar(UINT c, UINT r, UINT f) { Log("OnImeChar(%u,%u,%u)", c, r, f); }
  void OnSettingChange(UINT flags, const char* section) { Log("OnSettingChange(%u,%s)", flags, section ? section : ""); }
  LRESULT OnApp(WPARAM w, LPARAM l) {
    Log("OnApp(%lu,%ld)", static_cast<unsigned long>(w), static_cast<long>(l));
    return 99;
  }
  LRESULT OnRegistered(WPARAM w, LPARAM l) {
    Log("OnRegistered(%lu,%ld)", static_cast<unsigned long>(w), static_cast<long>(l));
    return 77;
  }
  void OnFileNew() { Log("OnFileNew"); }
  BOOL OnFileEx(UINT id) {
    Log("OnFileEx(%u)", id);
    return id == 201;  // 202 goes on routing
  }
  void OnColour(UINT id) { Log("OnColour(%u)", id); }
  void OnUpdateColour(CCmdUI* ui) {
    Log("OnUpdateColour(%u)", ui->m_nID);
    ui->Enable(ui->m_nID != 303);
  }
  void OnButton() { Log("OnButton"); }
  void OnEditChange(UINT id) { Log("OnEditChange(%u)", id); }
  void OnNotifyClick(NMHDR* h, LRESULT* r) {
    Log("OnNotifyClick(%lu,%d)", static_cast<unsigned long>(h->idFrom), static_cast<int>(h->code));
    *r = 5;
  }
  void OnNotifyRange(UINT id, NMHDR* h, LRESULT* r) {
    Log("OnNotifyRange(%u,%d)", id, static_cast<int>(h->code));
    *r = 6;
  }
  void PostNcDestroy() override { Log("PostNcDestroy"); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_CLOSE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_CANCELMODE()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_MOVE()
  ON_WM_TIMER()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_CAPTURECHANGED()
  ON_WM_SHOWWINDOW()
  ON_WM_ACTIVATE()
  ON_WM_ACTIVATEAPP()
  ON_WM_ENABLE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_RBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSEWHEEL()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_CHAR()
  ON_WM_SYSKEYDOWN()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_SETCURSOR()
  ON_WM_CTLCOLOR()
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_CONTEXTMENU()
  ON_WM_INITMENUPOPUP()
  ON_WM_GETMINMAXINFO()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_MOUSEACTIVATE()
  ON_WM_NCHITTEST()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_SYSCOMMAND()
  ON_WM_PARENTNOTIFY()
  ON_WM_MENUSELECT()
  ON_WM_IME_CHAR()
  ON_WM_SETTINGCHANGE()
  ON_MESSAGE(kAppMessage, OnApp)
  ON_REGISTERED_MESSAGE(g_registered, OnRegistered)
  ON_COMMAND(100, OnFileNew)
  ON_COMMAND_EX(201, OnFileEx)
  ON_COMMAND_EX(202, OnFileEx)
  ON_COMMAND_RANGE(300, 309, OnColour)
  ON_UPDATE_COMMAND_UI_RANGE(300, 309, OnUpdateColour)
  ON_BN_CLICKED(400, OnButton)
  ON_CONTROL_RANGE(EN_CHANGE, 500, 510, OnEditChange)
  ON_NOTIFY(NM_CLICK_CODE, 600, OnNotifyClick)
  ON_NOTIFY_RANGE(NM_DBLCLK_CODE, 610, 619, OnNotifyRange)
END_MESSAGE_MAP()

// A child that handles its own notifications when its parent reflects them.
class CReflectingChild : public CWnd {
 public:
  void OnClicked() { Log("child OnClicked"); }
  void OnNotifyReflect(NMHDR* h, LRESULT* r) {
    Log("child OnNotifyReflect(%d)", static_cast<int>(h->code));
    *r = 42;
  }
  HBRUSH CtlColor(CDC*, UINT kind) {
    Log("child CtlColor(%u)", kind);
    return reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(0x5678));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
  ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
  ON_NOTIFY_REFLECT(NM_CLICK_CODE, OnNotifyReflect)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class FrameworkMessageMap : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!g_registered) g_registered = ::RegisterWindowMessageA("FrameworkProbeMessage");
    g_log.clear();
    ASSERT_TRUE(probe.CreateEx(0, nullptr, "probe", WS_POPUP, 10, 10, 200, 100, nullptr, nullptr));
    g_log.clear();
  }
  void TearDown() override {
    if (probe.m_hWnd) probe.DestroyWindow();
    CWnd::DeleteTempMap();
  }
  LRESULT Send(UINT message, WPARAM w, LPARAM l) { return ::SendMessageA(probe.m_hWnd, message, w, l); }
  CProbeWnd probe;
};

struct DispatchCase {
  const char* name;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  const char* logged;
  LRESULT result;
};

LPARAM Pack(int lo, int hi) { return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(lo), static_cast<WORD>(hi))); }

TEST_F(FrameworkMessageMap, EveryWindowMessageSignatureCracksItsParameters) {
  HDC dc = ::GetDC(probe.m_hWnd);
  const auto hdc = reinterpret_cast<WPARAM>(dc);
  const auto self = reinterpret_cast<WPARAM>(probe.m_hWnd);
  const auto selfL = reinterpret_cast<LPARAM>(probe.m_hWnd);
  MINMAXINFO mmi{};
  WINDOWPOS pos{};
  pos.cx = 33;
  pos.cy = 44;
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemID = 9;
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = 8;
  HMENU popup = ::CreatePopupMenu();
  const DispatchCase cases[] = {
      {"size", WM_SIZE, SIZE_MAXIMIZED, Pack(300, 200), "OnSize(2,300,200)", 0},
      {"move with negative origin", WM_MOVE, 0, Pack(-5, 7), "OnMove(-5,7)", 0},
      {"timer", WM_TIMER, 17, 0, "OnTimer(17)", 0},
      {"erase", WM_ERASEBKGND, hdc, 0, "OnEraseBkgnd(1)", 7},
      {"close", WM_CLOSE, 0, 0, "OnClose", 0},
      {"system colours", WM_SYSCOLORCHANGE, 0, 0, "OnSysColorChange", 0},
      {"cancel mode", WM_CANCELMODE, 0, 0, "OnCancelMode", 0},
      {"set focus from nothing", WM_SETFOCUS, 0, 0, "OnSetFocus(null)", 0},
      {"kill focus to self", WM_KILLFOCUS, self, 0, "OnKillFocus(self)", 0},
      {"capture changed", WM_CAPTURECHANGED, 0, selfL, "OnCaptureChanged(self)", 0},
      {"show", WM_SHOWWINDOW, TRUE, 3, "OnShowWindow(1,3)", 0},
      {"activate minimised", WM_ACTIVATE, MAKELONG(WA_CLICKACTIVE, 1), selfL, "OnActivate(2,self,1)", 0},
      {"activate app", WM_ACTIVATEAPP, TRUE, 1234, "OnActivateApp(1,1234)", 0},
      {"enable", WM_ENABLE, FALSE, 0, "OnEnable(0)", 0},
      {"left down", WM_LBUTTONDOWN, MK_LBUTTON, Pack(12, -3), "OnLButtonDown(1,12,-3)", 0},
      {"left up", WM_LBUTTONUP, 0, Pack(12, 34), "OnLButtonUp(0,12,34)", 0},
      {"left double", WM_LBUTTONDBLCLK, MK_LBUTTON, Pack(1, 2), "OnLButtonDblClk(1,1,2)", 0},
      {"right down", WM_RBUTTONDOWN, MK_RBUTTON, Pack(3, 4), "OnRButtonDown(2,3,4)", 0},
      {"right up", WM_RBUTTONUP, 0, Pack(3, 4), "OnRButtonUp(0,3,4)", 0},
      {"move", WM_MOUSEMOVE, MK_SHIFT, Pack(50, 60), "OnMouseMove(4,50,60)", 0},
      {"wheel towards the user", WM_MOUSEWHEEL, MAKELONG(MK_CONTROL, static_cast<WORD>(-120)), Pack(70, 80),
       "OnMouseWheel(8,-120,70,80)", TRUE},
      {"key down", WM_KEYDOWN, 'A', static_cast<LPARAM>(0x001E0001), "OnKeyDown(65,1,30)", 0},
      {"key up", WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001u), "OnKeyUp(13,1,49180)", 0},
      {"character", WM_CHAR, 'x', static_cast<LPARAM>(0x00020003), "OnChar(120,3,2)", 0},
      {"system key", WM_SYSKEYDOWN, VK_F10, static_cast<LPARAM>(0x20440001), "OnSysKeyDown(121,1,8260)", 0},
      {"input-method character", WM_IME_CHAR, 0x4E2D, 1, "OnImeChar(20013,1,0)", 0},
      {"horizontal scroll", WM_HSCROLL, MAKELONG(SB_THUMBTRACK, 250), 0, "OnHScroll(5,250,null)", 0},
      {"vertical scroll", WM_VSCROLL, MAKELONG(SB_LINEDOWN, 0), 0, "OnVScroll(1,0,null)", 0},
      {"set cursor", WM_SETCURSOR, self, Pack(HTCLIENT, WM_MOUSEMOVE), "OnSetCursor(self,1,512)", TRUE},
      {"edit colours", WM_CTLCOLOREDIT, hdc, 0, "OnCtlColor(1,null,1)", 0x1234},
      {"static colours", WM_CTLCOLORSTATIC, hdc, 0, "OnCtlColor(1,null,6)", 0x1234},
      {"menu item drawn", WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis), "OnDrawItem(0,9)", TRUE},
      {"menu item measured", WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis), "OnMeasureItem(0,8)", TRUE},
      {"context menu", WM_CONTEXTMENU, self, Pack(-1, -1), "OnContextMenu(self,-1,-1)", 0},
      {"popup opening", WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELONG(2, 0), "OnInitMenuPopup(1,2,0)", 0},
      {"min max", WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi), "OnGetMinMaxInfo(1)", 0},
      {"position changed", WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos), "OnWindowPosChanged(33,44)", 0},
      {"mouse activate", WM_MOUSEACTIVATE, self, Pack(HTCLIENT, WM_LBUTTONDOWN), "OnMouseActivate(self,1,513)",
       MA_NOACTIVATE},
      {"hit test", WM_NCHITTEST, 0, Pack(-20, 30), "OnNcHitTest(-20,30)", HTCAPTION},
      {"caption press", WM_NCLBUTTONDOWN, HTCAPTION, Pack(5, 6), "OnNcLButtonDown(2,5,6)", 0},
      {"dialog code", WM_GETDLGCODE, 0, 0, "OnGetDlgCode", DLGC_WANTALLKEYS},
      {"system command", WM_SYSCOMMAND, SC_CLOSE, 0, "OnSysCommand(f060,0)", 0},
      {"parent notify", WM_PARENTNOTIFY, MAKELONG(WM_LBUTTONDOWN, 0), Pack(1, 1), "OnParentNotify(513,65537)", 0},
      {"menu select", WM_MENUSELECT, MAKELONG(100, MF_POPUP), reinterpret_cast<LPARAM>(popup), "OnMenuSelect(100,10,1)", 0},
      {"setting change", WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"), "OnSettingChange(0,intl)", 0},
      {"plain message", kAppMessage, 5, -6, "OnApp(5,-6)", 99},
      {"registered message", g_registered, 1, 2, "OnRegistered(1,2)", 77},
  };
  for (const auto& c : cases) {
    g_log.clear();
    const LRESULT result = Send(c.message, c.wParam, c.lParam);
    ASSERT_EQ(g_log.size(), 1u) << c.name;
    EXPECT_EQ(g_log[0], c.logged) << c.name;
    EXPECT_EQ(result, c.result) << c.name;
  }
  ::DestroyMenu(popup);
  ::ReleaseDC(probe.m_hWnd, dc);
}

struct CommandCase {
  const char* name;
  WPARAM wParam;
  std::vector<std::string> logged;
  LRESULT result;
};

TEST_F(FrameworkMessageMap, CommandsRangesAndUpdateHandlers) {
  const CommandCase cases[] = {
      {"plain command", 100, {"OnFileNew"}, 1},
      {"accelerator code counts as a command", MAKELONG(100, 1), {"OnFileNew"}, 1},
      {"extended command that handles it", 201, {"OnFileEx(201)"}, 1},
      // Not handled: it falls through to the default procedure, which answers 0.
      {"extended command that passes it on", 202, {"OnFileEx(202)"}, 0},
      {"range asks its update handler first", 305, {"OnUpdateColour(305)", "OnColour(305)"}, 1},
      {"a disabled command is not carried out", 303, {"OnUpdateColour(303)"}, 1},
      {"no handler", 999, {}, 0},
  };
  for (const auto& c : cases) {
    g_log.clear();
    EXPECT_EQ(Send(WM_COMMAND, c.wParam, 0), c.result) << c.name;
    EXPECT_EQ(g_log, c.logged) << c.name;
  }
}

TEST_F(FrameworkMessageMap, UpdateHandlersDriveCommandUiObjects) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 100, "New");
  menu.AppendMenu(MF_STRING, 303, "Red");
  menu.AppendMenu(MF_STRING, 777, "Nobody");
  for (UINT i = 0; i < 3; ++i) {
    CCmdUI ui;
    ui.m_pMenu = &menu;
    ui.m_nIndex = i;
    ui.m_nID = menu.GetMenuItemID(static_cast<int>(i));
    ui.DoUpdate(&probe, TRUE);
  }
  EXPECT_EQ(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED, 0u);  // handled, no update handler
  EXPECT_NE(menu.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED, 0u);  // its update handler disables it
  EXPECT_NE(menu.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED, 0u);  // nobody handles it
}

TEST_F(FrameworkMessageMap, ControlNotificationsAndNotifyCodes) {
  HWND edit = ::CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 10, 10, probe.m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(505)), nullptr, nullptr);
  g_log.clear();
  EXPECT_EQ(Send(WM_COMMAND, MAKELONG(505, EN_CHANGE), reinterpret_cast<LPARAM>(edit)), 1);
  EXPECT_EQ(g_log, (std::vector<std::string>{"OnEditChange(505)"}));
  NMHDR header{edit, 600, NM_CLICK_CODE};
  g_log.clear();
  EXPECT_EQ(Send(WM_NOTIFY, 600, reinterpret_cast<LPARAM>(&header)), 5);
  EXPECT_EQ(g_log, (std::vector<std::string>{"OnNotifyClick(600,-2)"}));
  header = {edit, 612, NM_DBLCLK_CODE};
  g_log.clear();
  EXPECT_EQ(Send(WM_NOTIFY, 612, reinterpret_cast<LPARAM>(&header)), 6);
  EXPECT_EQ(g_log, (std::vector<std::string>{"OnNotifyRange(612,-3)"}));
  ::DestroyWindow(edit);
}

TEST_F(FrameworkMessageMap, ControlsHandleReflectedNotificationsFirst) {
  CReflectingChild child;
  ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD, CRect(0, 0, 20, 20), &probe, 400));
  g_log.clear();
  const auto childL = reinterpret_cast<LPARAM>(child.m_hWnd);
  // The child's reflected handler takes the click; the parent's ON_BN_CLICKED does not run.
  EXPECT_EQ(Send(WM_COMMAND, MAKELONG(400, BN_CLICKED), childL), 1);
  EXPECT_EQ(g_log, (std::vector<std::string>{"child OnClicked"}));
  NMHDR header{child.m_hWnd, 400, NM_CLICK_CODE};
  g_log.clear();
  EXPECT_EQ(Send(WM_NOTIFY, 400, reinterpret_cast<LPARAM>(&header)), 42);
  EXPECT_EQ(g_log, (std::vector<std::string>{"child OnNotifyReflect(-2)"}));
  // The colour message goes to the parent's handler, whose default would
  // reflect it; the parent here answers itself.
  g_log.clear();
  HDC dc = ::GetDC(child.m_hWnd);
  EXPECT_EQ(Send(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), childL), 0x1234);
  EXPECT_EQ(g_log, (std::vector<std::string>{"OnCtlColor(1,wnd,3)"}));
  ::ReleaseDC(child.m_hWnd, dc);
}

// A parent that leaves colours to its children through the default handler.
class CPlainParent : public CWnd {};

TEST(FrameworkWnd, DefaultColourHandlerReflectsToTheChild) {
  g_log.clear();
  CPlainParent parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  CReflectingChild child;
  ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD, CRect(0, 0, 20, 20), &parent, 401));
  HDC dc = ::GetDC(child.m_hWnd);
  EXPECT_EQ(::SendMessageA(parent.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(child.m_hWnd)),
            0x5678);
  EXPECT_EQ(g_log, (std::vector<std::string>{"child CtlColor(6)"}));
  ::ReleaseDC(child.m_hWnd, dc);
  parent.DestroyWindow();
}

TEST_F(FrameworkMessageMap, DestroyingSendsDestroyThenPostNcDestroyAndDetaches) {
  HWND window = probe.m_hWnd;
  probe.DestroyWindow();
  EXPECT_EQ(g_log, (std::vector<std::string>{"OnDestroy", "PostNcDestroy"}));
  EXPECT_EQ(probe.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
}

}  // namespace

namespace {
// Owner-drawn list and combo boxes that log the item members a reflected
// message reaches.
class CLoggingListBox : public CListBox {
 public:
  void DrawItem(LPDRAWITEMSTRUCT dis) override { Log("list DrawItem(%u)", dis->itemID); }
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override { Log("list MeasureItem(%u)", mis->itemID); }
};
class CLoggingComboBox : public CComboBox {
 public:
  void DrawItem(LPDRAWITEMSTRUCT dis) override { Log("combo DrawItem(%u)", dis->itemID); }
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override { Log("combo MeasureItem(%u)", mis->itemID); }
};
}  // namespace

TEST(FrameworkWnd, OwnerDrawnListAndComboItemsAreDrawnAndMeasuredByTheControl) {
  CPlainParent parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
  CLoggingListBox list;
  ASSERT_TRUE(list.Create(WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, CRect(0, 0, 80, 80), &parent, 501));
  CLoggingComboBox combo;
  ASSERT_TRUE(
      combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, CRect(90, 0, 180, 80), &parent, 502));
  struct Case {
    CWnd* control;
    UINT type;
    const char* measured;
    const char* drawn;
  };
  for (const Case& c : {Case{&list, ODT_LISTBOX, "list MeasureItem(3)", "list DrawItem(4)"},
                        Case{&combo, ODT_COMBOBOX, "combo MeasureItem(3)", "combo DrawItem(4)"}}) {
    const UINT id = static_cast<UINT>(c.control->GetDlgCtrlID());
    MEASUREITEMSTRUCT mis{c.type, id, 3, 0, 0, 0};
    g_log.clear();
    EXPECT_EQ(::SendMessageA(parent.m_hWnd, WM_MEASUREITEM, id, reinterpret_cast<LPARAM>(&mis)), TRUE);
    EXPECT_EQ(g_log, (std::vector<std::string>{c.measured}));
    DRAWITEMSTRUCT dis{};
    dis.CtlType = c.type;
    dis.CtlID = id;
    dis.itemID = 4;
    dis.hwndItem = c.control->m_hWnd;
    g_log.clear();
    EXPECT_EQ(::SendMessageA(parent.m_hWnd, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&dis)), TRUE);
    EXPECT_EQ(g_log, (std::vector<std::string>{c.drawn}));
  }
  parent.DestroyWindow();
}
