#include "app/frame/menu_texts.h"

#include "app/ui/ui_language.h"
#include "foundation/string/astring.h"

namespace {

std::u16string ItemText(HMENU menu, UINT position) {
  char16_t text[512] = {};
  ::GetMenuStringW(menu, position, reinterpret_cast<LPWSTR>(text), 512, MF_BYPOSITION);
  return text;
}

std::string Narrow(const std::u16string& text) {
  std::string out(text.size() * 3 + 1, '\0');
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<LPCWSTR>(text.c_str()), -1, out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
  return out;
}

// The record's text in the current language: the label translated, the
// shortcut as it stands.
std::u16string Shown(const std::string& text) {
  const size_t tab = text.find('\t');
  const std::string label = text.substr(0, tab);
  std::u16string shown = UiTextToWide(TranslateUiString(label.c_str()));
  if (tab != std::string::npos) {
    std::u16string shortcut(text.size() - tab, u'\0');
    for (size_t i = tab; i < text.size(); ++i) shortcut[i - tab] = static_cast<unsigned char>(text[i]);
    shown += shortcut;
  }
  return shown;
}

}  // namespace

void COwnerDrawMenuTable::Free() {
  records_.clear();
  built_ = false;
}

void COwnerDrawMenuTable::Prepare(HMENU menu) {
  if (!menu) return;
  Walk(menu, nullptr);
  built_ = true;
}

void COwnerDrawMenuTable::Walk(HMENU menu, OwnerDrawMenuItem* parent) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT position = static_cast<UINT>(i);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    if (!::GetMenuItemInfoW(menu, position, TRUE, &info)) continue;
    auto* record = reinterpret_cast<OwnerDrawMenuItem*>(info.dwItemData);
    bool ours = false;
    for (const auto& r : records_) ours = ours || r.get() == record;
    if (!ours) {
      record = nullptr;
      const std::u16string text = ItemText(menu, position);
      if ((info.wID != 0 || info.hSubMenu) && !text.empty() && records_.size() < kCapacity) {
        records_.push_back(std::make_unique<OwnerDrawMenuItem>(OwnerDrawMenuItem{Narrow(text), parent, 0, 0}));
        record = records_.back().get();
        MENUITEMINFOW data{};
        data.cbSize = sizeof data;
        data.fMask = MIIM_DATA;
        data.dwItemData = reinterpret_cast<ULONG_PTR>(record);
        ::SetMenuItemInfoW(menu, position, TRUE, &data);
      }
    }
    if (record) {
      const std::u16string shown = Shown(record->text);
      MENUITEMINFOW set{};
      set.cbSize = sizeof set;
      set.fMask = MIIM_STRING;
      set.dwTypeData = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(shown.c_str()));
      ::SetMenuItemInfoW(menu, position, TRUE, &set);
    }
    if (info.hSubMenu) Walk(info.hSubMenu, record);
  }
}
