// The combo-box base of the font name and font size combos: the font items
// beside the entries (each item the item data of its entry, found by face
// name through the face map), the text limit, and the small searches both
// combos share.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/string/astring.h"
#include "platform/framework.h"

inline constexpr DWORD kFontItemTrueType = 0x200;

// One listed face: its scripts with their character sets, in enumeration
// order, the character set and pitch and family of its first report.
struct FontItem {
  AString faceName;
  std::vector<AString> scripts;
  std::vector<int> charsets;
  BYTE charset = 0;
  BYTE pitchAndFamily = 0;
  DWORD flags = 0;
};

class CFontComboBase : public CComboBox {
 public:
  CFontComboBase() = default;
  ~CFontComboBase() override = default;

  std::unordered_map<std::string, FontItem*> m_faceMap;
  int m_textLimit = 0;

  // The selected entry's text, or the window text when none is selected.
  void GetText(AString& text) const;
  void GetItemText(int index, AString& text) const;
  // Selects the entry found by an exact or a prefix search over the whole
  // list; when none is found the selection is cleared and the window text
  // becomes the text.
  void SelectName(const char* text, bool exact);
  BOOL LimitText(int n);
  BOOL GetDroppedState() const { return CComboBox::GetDroppedState(); }

  // The item of a face, null when it is not listed.
  FontItem* FindItem(const char* face) const;

 protected:
  FontItem* NewItem(const AString& face);
  void DeleteItems();
  std::vector<std::unique_ptr<FontItem>> items_;
};

// Whether a face name equals a string (the name test of font searches).
int FaceNameEquals(const char* face, const char* text);
