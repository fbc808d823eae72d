// The entry the font lists keep for one installed face, and a list that owns
// its entries.
#pragma once

#include <memory>
#include <vector>

#include "foundation/build.h"
#include "foundation/string/astring.h"
#include "platform/gdi/gdi.h"

FOUNDATION_BEGIN

inline constexpr int kFontTypeTrueType = 512;

// Display-name tags of the two Chinese character sets.
inline constexpr const char* kGbTag = "[GB]";
inline constexpr const char* kBig5Tag = "[BIG5]";

struct FontListEntry {
  // Display name: a tag for character sets 134 and 136 and a blank (none
  // before a vertical face, whose name begins with '@'), then the face.
  FontListEntry(const LOGFONT& font, int fontType, const char* script);

  AString faceName;
  AString displayName;
  AString scriptName;
  LOGFONT logFont;
  int fontType;  // 512 for a TrueType face, else 0
};

class FontList {
 public:
  int GetSize() const { return static_cast<int>(entries_.size()); }
  bool IsEmpty() const { return entries_.empty(); }
  const FontListEntry& operator[](int i) const { return *entries_[static_cast<size_t>(i)]; }
  void Append(std::unique_ptr<FontListEntry> entry) { entries_.push_back(std::move(entry)); }
  void InsertFront(std::unique_ptr<FontListEntry> entry) { entries_.insert(entries_.begin(), std::move(entry)); }
  void RemoveAll() { entries_.clear(); }

 private:
  std::vector<std::unique_ptr<FontListEntry>> entries_;
};

FOUNDATION_END
