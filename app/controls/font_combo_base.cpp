#include "app/controls/font_combo_base.h"

#include <algorithm>
#include <cstring>

#include "app/controls/input_helpers.h"

void CFontComboBase::GetItemText(int index, AString& text) const {
  const int length = GetLBTextLen(index);
  AString result;
  if (length > 0) {
    char* buffer = result.GetBuffer(length + 1);
    const int got = GetLBText(index, buffer);
    result.ReleaseBuffer(std::max(got, 0));
  }
  text = result;
}

void CFontComboBase::GetText(AString& text) const {
  const int at = GetCurSel();
  if (at >= 0) {
    GetItemText(at, text);
    return;
  }
  GetWindowString(GetSafeHwnd(), &text);
}

void CFontComboBase::SelectName(const char* text, bool exact) {
  const int found = exact ? FindStringExact(-1, text) : FindString(-1, text);
  if (found >= 0) {
    SetCurSel(found);
    return;
  }
  SetCurSel(-1);
  SetWindowText(text);
}

BOOL CFontComboBase::LimitText(int n) {
  const BOOL ok = CComboBox::LimitText(n);
  if (ok) m_textLimit = n;
  return ok;
}

FontItem* CFontComboBase::FindItem(const char* face) const {
  const auto at = m_faceMap.find(face ? face : "");
  return at == m_faceMap.end() ? nullptr : at->second;
}

FontItem* CFontComboBase::NewItem(const AString& face) {
  auto item = std::make_unique<FontItem>();
  item->faceName = face;
  FontItem* raw = item.get();
  items_.push_back(std::move(item));
  m_faceMap[std::string(face.GetData(), static_cast<size_t>(face.GetLength()))] = raw;
  return raw;
}

void CFontComboBase::DeleteItems() {
  m_faceMap.clear();
  items_.clear();
}

int FaceNameEquals(const char* face, const char* text) {
  return face && text && std::strcmp(face, text) == 0 ? 1 : 0;
}
