#include "datasource/ui/prompt/prompt_item.h"

#include "app/ui/ui_language.h"
#include "datasource/ui/prompt/prompt_list.h"
#include "platform/nls/nls_text.h"
#include "platform/richedit/richedit.h"

namespace {

constexpr int kComboId = 712;
constexpr int kEditId = 713;
constexpr int kButtonId = 714;
constexpr int kUtf16 = 1200;
// Where windows wait until the list places them.
constexpr int kOutside = -1000;
// What an editor without a limit holds.
constexpr LPARAM kNoLimit = 0x7FFFFFFE;

std::u16string UnitsOf(const AString& text, int codePage) {
  if (text.IsWide() || codePage == kUtf16)
    return std::u16string(reinterpret_cast<const char16_t*>(text.GetData()), static_cast<size_t>(text.GetLength() / 2));
  return nls::ToUtf16(static_cast<UINT>(codePage), std::string_view(text.GetData(), text.GetLength()));
}

AString WideStringOf(const std::u16string& units) {
  AString out(static_cast<int>(units.size() * 2), reinterpret_cast<const char*>(units.data()));
  out.SetWide(true);
  out.SetCodePage(kUtf16);
  return out;
}

std::u16string WindowUnits(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::u16string units(static_cast<size_t>(length > 0 ? length : 0) + 1, u'\0');
  const int got = ::GetWindowTextW(window, reinterpret_cast<LPWSTR>(units.data()), length + 1);
  units.resize(static_cast<size_t>(got > 0 ? got : 0));
  return units;
}

HWND MakeChild(const char16_t* cls, DWORD style, HWND parent, int id, int index) {
  HWND window = ::CreateWindowExW(0, reinterpret_cast<LPCWSTR>(cls), u"", WS_CHILD | style, kOutside, kOutside, 60, 20,
                                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  ::SetWindowLongPtrW(window, GWLP_USERDATA, index);
  return window;
}

}  // namespace

void CPromptItem::Init(const AString& caption, const AString& initialText, int codePage, int source,
                       PromptRowType type, const AString& thirdText, int capacity, CPromptList* list,
                       const std::vector<AString>& choices, int maxLength, bool upperCase, bool digitsOnly) {
  (void)capacity;  // the strings grow as needed
  m_codePage = codePage < 0 ? static_cast<int>(::GetACP()) : codePage;
  m_caption = caption;
  m_captionCodePage = m_codePage;
  m_text = choices.empty() ? initialText : choices.front();
  m_index = list->GetCount() - 1;
  m_source = source;
  m_type = type;
  m_maxLength = maxLength;
  m_thirdText = thirdText;
  m_list = list;
  m_selectable = 1;
  if (type != PromptRowType::kNote) list->m_hasWindows = 1;
  const HWND parent = list->m_hWnd;
  if (type == PromptRowType::kChoice || type == PromptRowType::kPart) {
    combo_.reset(MakeChild(u"ComboBox", CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL, parent, kComboId + m_index,
                           m_index));
    ::SendMessageW(combo_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(list->Font()), 0);
    for (const AString& choice : choices) {
      const std::u16string units = UnitsOf(choice, m_codePage);
      ::SendMessageW(combo_.get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(units.c_str()));
    }
    if (type == PromptRowType::kChoice) {
      const std::u16string units = UnitsOf(m_text, m_codePage);
      ::SendMessageW(combo_.get(), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(units.c_str()));
      return;
    }
  }
  if (type == PromptRowType::kText || type == PromptRowType::kPart) {
    if (upperCase || digitsOnly) {
      const DWORD style = ES_AUTOHSCROLL | WS_BORDER | (upperCase ? ES_UPPERCASE : 0) | (digitsOnly ? ES_NUMBER : 0);
      edit_.reset(MakeChild(u"Edit", style, parent, kEditId + m_index, m_index));
    } else {
      richEdit_.reset(MakeChild(u"RichEdit20W", ES_AUTOHSCROLL | WS_BORDER, parent, kEditId + m_index, m_index));
    }
    ::SendMessageW(Editor(), WM_SETFONT, reinterpret_cast<WPARAM>(list->Font()), 0);
    SetWindowUnits(Editor(), UnitsOf(m_text, m_codePage));
    ApplyLimit();
    if (type == PromptRowType::kText) return;
  }
  if (type == PromptRowType::kNote) {
    m_selectable = 0;
    return;
  }
  button_.reset(MakeChild(u"Button", BS_PUSHBUTTON, parent, kButtonId, m_index));
  ::SetWindowTextW(button_.get(), u"...");
  if (type == PromptRowType::kPart) SetSource(source);
}

void CPromptItem::SetLimit(int limit) {
  if (!Editor()) return;
  if (richEdit_) {
    ::SendMessageW(Editor(), EM_EXLIMITTEXT, 0, limit > 0 ? limit : kNoLimit);
  } else {
    ::SendMessageW(Editor(), EM_LIMITTEXT, static_cast<WPARAM>(limit > 0 ? limit : 0), 0);
  }
}

void CPromptItem::ApplyLimit() {
  if (m_maxLength <= 0) return;
  if (m_source == kPartSourceFixed || m_list->m_alwaysLimit) SetLimit(m_maxLength);
}

void CPromptItem::SetSource(int source) {
  m_source = source;
  if (m_type != PromptRowType::kPart) return;
  if (Editor()) {
    // A fixed piece keeps to its length; a linked one takes any text.
    SetLimit(source == kPartSourceFixed || m_list->m_alwaysLimit ? m_maxLength : 0);
    ::ShowWindow(Editor(), ShowsEditor() ? SW_SHOW : SW_HIDE);
    if (m_list->m_answerPrompts) ::SendMessageW(Editor(), EM_SETREADONLY, source != kPartSourcePrompt, 0);
  }
  if (combo_) ::ShowWindow(combo_.get(), SW_HIDE);
}

bool CPromptItem::ShowsEditor() const {
  if (!Editor()) return false;
  return m_type != PromptRowType::kPart || m_source != kPartSourcePrompt || (m_list && m_list->m_answerPrompts);
}

bool CPromptItem::ShowsCombo() const { return combo_ && m_type == PromptRowType::kChoice; }

HWND CPromptItem::FocusWindow() const {
  if (ShowsCombo()) return combo_.get();
  if (ShowsEditor()) return Editor();
  return button_.get();
}

void CPromptItem::SetWindowUnits(HWND window, const std::u16string& units) const {
  ::SetWindowTextW(window, reinterpret_cast<LPCWSTR>(units.c_str()));
}

std::u16string CPromptItem::WideText() const { return UnitsOf(m_text, m_codePage); }

void CPromptItem::TakeEditorText() {
  if (m_type == PromptRowType::kRecords) return;
  if (ShowsCombo()) {
    const int selected = static_cast<int>(::SendMessageW(combo_.get(), CB_GETCURSEL, 0, 0));
    if (selected >= 0) {
      const int length = static_cast<int>(::SendMessageW(combo_.get(), CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0));
      std::u16string units(static_cast<size_t>(length) + 1, u'\0');
      ::SendMessageW(combo_.get(), CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(units.data()));
      units.resize(static_cast<size_t>(length));
      m_text = WideStringOf(units);
      m_codePage = kUtf16;
    }
    return;
  }
  if (richEdit_) {
    m_text = WideStringOf(WindowUnits(richEdit_.get()));
    m_codePage = kUtf16;
  } else if (edit_) {
    const std::string bytes = nls::FromUtf16(static_cast<UINT>(m_codePage), WindowUnits(edit_.get()));
    m_text = AString(static_cast<int>(bytes.size()), bytes.data());
  }
}

AString CPromptItem::GetText() {
  TakeEditorText();
  AString text = m_text;
  if (m_codePage == kUtf16) {
    text.SetWide(true);
    text.SetCodePage(kUtf16);
  }
  return text;
}

void CPromptItem::SetText(const AString& text) {
  m_text = text;
  const std::u16string units = WideText();
  if (combo_) {
    SetWindowUnits(combo_.get(), units);
    ::SendMessageW(combo_.get(), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(units.c_str()));
  }
  if (Editor()) SetWindowUnits(Editor(), units);
}
