#include "fields/design/font_combo_fill.h"

#include <set>
#include <string>
#include <vector>

#include "platform/gdi/gdi_owners.h"

namespace {

// Faces in the order the device gives them, each once.
struct Faces {
  std::vector<std::string> names;
  std::set<std::string> seen;
};

int TakeFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM param) {
  auto* faces = reinterpret_cast<Faces*>(param);
  const std::string name = lf->lfFaceName;
  if (!name.empty() && faces->seen.insert(name).second) faces->names.push_back(name);
  return 1;
}

}  // namespace

int InitFontCombo(CComboBox& combo, HDC dc) {
  WindowDc screen(nullptr);
  if (!dc) dc = screen.get();
  Faces faces;
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  if (dc) EnumFontFamiliesExA(dc, &all, TakeFace, reinterpret_cast<LPARAM>(&faces), 0);
  combo.ResetContent();
  for (const std::string& name : faces.names) combo.AddString(name.c_str());
  const int arial = combo.FindStringExact(-1, "Arial");
  combo.SetCurSel(arial >= 0 ? arial : 0);
  return 1;
}
