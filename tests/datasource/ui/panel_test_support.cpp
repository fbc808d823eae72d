#include "panel_test_support.h"

#include "platform/user/input_events.h"

namespace dsui_test {
namespace {

LRESULT HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(window, message, wParam, lParam);
}

std::u16string FromUtf8(const char* utf8) {
  const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::u16string text(static_cast<size_t>(units > 0 ? units : 1), u'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, reinterpret_cast<LPWSTR>(text.data()), units);
  text.resize(text.size() - 1);
  return text;
}

}  // namespace

std::string ToUtf8(const std::u16string& text) {
  if (text.empty()) return {};
  const auto units = static_cast<int>(text.size());
  const auto* wide = reinterpret_cast<LPCWSTR>(text.data());
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide, units, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide, units, out.data(), bytes, nullptr, nullptr);
  return out;
}

HWND CreateHostPage(int width, int height) {
  static const uitest::TestWindowClass kClass{u"DsPanelHost", HostProc};
  uitest::RegisterTestClass(kClass);
  HWND host = uitest::CreateTestWindow(kClass, u"Data", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 40, 40, width, height);
  HWND placeholder = ::CreateWindowExW(0, u"Static", u"", WS_CHILD | WS_VISIBLE, 8, 8, 20, 20, host,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPlaceholder)), nullptr, nullptr);
  (void)placeholder;
  uitest::RunUntilIdle();
  return host;
}

bool ChooseByData(HWND dialog, int id, LPARAM data) {
  HWND combo = ::GetDlgItem(dialog, id);
  const auto count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) != data) continue;
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    uitest::RunUntilIdle();
    return true;
  }
  return false;
}

bool ChooseByText(HWND dialog, int id, const char* text) {
  HWND combo = ::GetDlgItem(dialog, id);
  const std::u16string wanted = FromUtf8(text);
  const auto index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(wanted.c_str()));
  if (index < 0) return false;
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  uitest::RunUntilIdle();
  return true;
}

void TypeInto(HWND dialog, int id, const char* utf8) {
  HWND box = ::GetDlgItem(dialog, id);
  ::SetFocus(box);
  uitest::Key('A', false, true);
  uitest::Key(VK_DELETE);
  uitest::TypeText(std::string_view(utf8));
  uitest::RunUntilIdle();
}

void Click(HWND dialog, int id) { uitest::Click(::GetDlgItem(dialog, id)); }

std::u16string ItemTextOf(HWND item) {
  const int length = ::GetWindowTextLengthW(item);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  const int got = ::GetWindowTextW(item, reinterpret_cast<LPWSTR>(text.data()), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

std::u16string ItemText(HWND dialog, int id) { return ItemTextOf(::GetDlgItem(dialog, id)); }

bool IsShown(HWND dialog, int id) {
  HWND item = ::GetDlgItem(dialog, id);
  return item && (::GetWindowLongW(item, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::vector<std::string> ListItems(HWND dialog, int id, UINT countMessage, UINT lengthMessage, UINT textMessage) {
  std::vector<std::string> items;
  HWND list = ::GetDlgItem(dialog, id);
  const auto count = static_cast<int>(::SendMessageW(list, countMessage, 0, 0));
  for (int i = 0; i < count; ++i) {
    const auto length = static_cast<int>(::SendMessageW(list, lengthMessage, static_cast<WPARAM>(i), 0));
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    ::SendMessageW(list, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    items.push_back(ToUtf8(text));
  }
  return items;
}

std::vector<std::string> ComboItems(HWND dialog, int id) {
  return ListItems(dialog, id, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

}  // namespace dsui_test

#include "app/ui/msg_box.h"
#include "platform/user/dialogs/dialogs.h"

namespace dsui_test {

std::string ShownText(HWND dialog) {
  std::string texts = ToUtf8(ItemTextOf(dialog));
  // A message box draws its text itself.
  if (auto* box = dynamic_cast<CMsgBoxDlg*>(CWnd::FromHandlePermanent(dialog))) texts += "|" + ToUtf8(UiTextToWide(box->m_text));
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    texts += "|" + ToUtf8(ItemTextOf(child));
  return texts;
}

}  // namespace dsui_test
