// Message boxes as real dialogs: an icon, the text, and the buttons of the
// type, laid out from the measured text; MessageBeep.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/nls/nls_text.h"
#include "platform/user/controls/control_support.h"
#include "platform/user/dialogs/dialog_internal.h"
#include "platform/user/dialogs/template_writer.h"

namespace dialogs {
namespace {

constexpr int kIconId = 0xFFF0, kTextId = 0xFFFF;

struct ButtonRow {
  int id;
  const char16_t* text;
};

std::vector<ButtonRow> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, u"OK"}, {IDCANCEL, u"Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, u"&Abort"}, {IDRETRY, u"&Retry"}, {IDIGNORE, u"&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, u"&Yes"}, {IDNO, u"&No"}, {IDCANCEL, u"Cancel"}};
    case MB_YESNO: return {{IDYES, u"&Yes"}, {IDNO, u"&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, u"&Retry"}, {IDCANCEL, u"Cancel"}};
    case MB_CANCELTRYCONTINUE: return {{IDCANCEL, u"Cancel"}, {IDTRYAGAIN, u"&Try Again"}, {IDCONTINUE, u"&Continue"}};
    default: return {{IDOK, u"OK"}};
  }
}

LPCSTR IconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return nullptr;
  }
}

struct Box {
  UINT type;
  std::vector<ButtonRow> buttons;
};

INT_PTR BoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* box = reinterpret_cast<const Box*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      if (LPCSTR icon = IconOf(box->type))
        SendDlgItemMessageW(dialog, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, icon)), 0);
      return TRUE;
    }
    case WM_COMMAND: {
      const auto* box = reinterpret_cast<const Box*>(GetWindowLongPtrW(dialog, DWLP_USER));
      const int id = LOWORD(static_cast<DWORD_PTR>(wParam));
      const bool known = std::any_of(box->buttons.begin(), box->buttons.end(), [&](const ButtonRow& b) { return b.id == id; });
      if (known) EndDialog(dialog, id);
      // Esc (IDCANCEL) ends a box with a single OK button as OK.
      else if (id == IDCANCEL && box->buttons.size() == 1) EndDialog(dialog, box->buttons[0].id);
      return TRUE;
    }
    default: return FALSE;
  }
}

// The text's size in dialog units with the box's font.
SIZE TextUnits(std::u16string_view text) {
  LOGFONTW lf{};
  lf.lfHeight = -11;  // 8 points at 96 dots an inch
  const char16_t face[] = u"MS Shell Dlg";
  std::copy(std::begin(face), std::end(face), lf.lfFaceName);
  HFONT font = CreateFontIndirectW(&lf);
  const SIZE base = controls::FontCellSize(font);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, 280 * base.cx / 4, 0};
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
  return SIZE{(r.right * 4 + base.cx - 1) / base.cx, (r.bottom * 8 + base.cy - 1) / base.cy};
}

}  // namespace
}  // namespace dialogs

using namespace dialogs;

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  Box box{type, ButtonsOf(type)};
  const std::u16string body = text ? text : u"";
  const SIZE textSize = TextUnits(body);
  const bool icon = IconOf(type) != nullptr;
  const short margin = 7, iconSize = 21, buttonWidth = 50, buttonHeight = 14, gap = 4;
  const short textLeft = static_cast<short>(margin + (icon ? iconSize + margin : 0));
  const short buttonsWidth = static_cast<short>(box.buttons.size() * buttonWidth + (box.buttons.size() - 1) * gap);
  const short width = static_cast<short>(std::max<int>(textLeft + textSize.cx + margin, buttonsWidth + 2 * margin));
  const short textHeight = static_cast<short>(std::max<int>(textSize.cy, icon ? iconSize : 8));
  const short buttonsTop = static_cast<short>(margin + textHeight + margin);
  const short height = static_cast<short>(buttonsTop + buttonHeight + margin);
  TemplateWriter t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 0, 0, 0, width, height,
                   caption ? caption : u"Error");
  if (icon) t.Add(0x82, WS_CHILD | WS_VISIBLE | SS_ICON, 0, margin, margin, iconSize, iconSize, kIconId, u"");
  t.Add(0x82, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, textLeft, margin, static_cast<short>(textSize.cx),
        textHeight, kTextId, body);
  const size_t defaultIndex = std::min<size_t>((type & MB_DEFMASK) >> 8, box.buttons.size() - 1);
  short x = static_cast<short>((width - buttonsWidth) / 2);
  for (size_t i = 0; i < box.buttons.size(); ++i) {
    const DWORD kind = i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    t.Add(0x80, WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | kind, 0, x, buttonsTop, buttonWidth,
          buttonHeight, static_cast<DWORD>(box.buttons[i].id), box.buttons[i].text);
    x = static_cast<short>(x + buttonWidth + gap);
  }
  const HWND disabled = DisableModalOwner(owner);
  const HWND dialog = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(t.words().data()), owner,
                                                 BoxProc, reinterpret_cast<LPARAM>(&box));
  if (!dialog) {
    FailModal(disabled);
    return 0;
  }
  // The default button has the focus.
  if (const HWND def = GetDlgItem(dialog, box.buttons[defaultIndex].id)) SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(def), TRUE);
  return static_cast<int>(RunModal(dialog, disabled, static_cast<int>(MSGF_MESSAGEBOX)));
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  auto wide = [](LPCSTR s) { return nls::ToUtf16(CP_ACP, nls::OrEmpty(s)); };
  const std::u16string t = wide(text), c = wide(caption);
  return MessageBoxW(owner, text ? t.c_str() : nullptr, caption ? c.c_str() : nullptr, type);
}

namespace {
struct Beeps {
  UINT last = 0;
  int count = 0;
};
Beeps& TheBeeps() {
  thread_local Beeps beeps;
  return beeps;
}
}  // namespace

BOOL MessageBeep(UINT type) {
  TheBeeps().last = type;
  ++TheBeeps().count;
  return TRUE;
}

UINT user::LastMessageBeep(int* count) {
  if (count) *count = TheBeeps().count;
  return TheBeeps().last;
}
