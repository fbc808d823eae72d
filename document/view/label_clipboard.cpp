#include "document/view/label_clipboard.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "document/file/label_stream.h"
#include "document/layout_shell.h"
#include "foundation/system/clipboard_text.h"
#include "platform/user/clipboard.h"

UINT LabelClipboardFormat() { return ::RegisterClipboardFormatA("Nerrow Object"); }

int SaveLabelToClipboardFile(const CLabelSetup& setup, const CFieldList& fieldList) {
  const AString path = LayoutShell()->ClipboardHolderPath();
  if (path.IsEmpty()) return 0;
  if (WriteLabelStream(path.GetData(), setup, fieldList) <= 0) return 0;
  return WriteClipboardData(LabelClipboardFormat(), path.GetData(), path.GetLength() + 1);
}

int LoadLabelFromClipboardFile(CLabelSetup& setup, CRvoDoc* doc, CFieldList& fieldList, RECT* bounds) {
  uint8_t* data = nullptr;
  int size = 0;
  if (!ReadClipboardData(LabelClipboardFormat(), &data, &size) || !data) return 0;
  // The path ends at its terminating zero or at the end of the block,
  // whichever comes first.
  const std::string path(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data),
                                                                      static_cast<size_t>(std::max(size, 0))));
  std::free(data);
  if (path.empty()) return 0;
  return ReadLabelStream(path.c_str(), doc, setup, &fieldList, bounds);
}
