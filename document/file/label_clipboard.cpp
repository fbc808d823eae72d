#include "document/file/label_clipboard.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "document/file/label_stream.h"
#include "document/layout_shell.h"
#include "foundation/system/clipboard_text.h"

int SaveLabelToClipboardFile(const CLabelSetup& setup, const CFieldList& fieldList) {
  CLayoutShell* shell = LayoutShell();
  const AString holder = shell->ClipboardHolderPath();
  if (holder.IsEmpty()) return 0;
  if (WriteLabelStream(holder.GetData(), setup, fieldList) <= 0) return 0;
  const std::string path(holder.GetData());
  return WriteClipboardData(shell->LayoutClipboardFormat(), path.c_str(), static_cast<int>(path.size() + 1)) ? 1 : 0;
}

int LoadLabelFromClipboardFile(CLabelSetup& setup, CRvoDoc* doc, CFieldList& fieldList, RECT* bounds) {
  uint8_t* raw = nullptr;
  int size = 0;
  if (!ReadClipboardData(LayoutShell()->LayoutClipboardFormat(), &raw, &size) || !raw) return 0;
  const std::unique_ptr<uint8_t, decltype(&std::free)> data(raw, &std::free);
  // The path is what lies before the first zero, which must be inside the data.
  const void* end = size > 0 ? std::memchr(raw, 0, static_cast<size_t>(size)) : nullptr;
  if (!end || end == raw) return 0;
  const std::string path(reinterpret_cast<const char*>(raw));
  return ReadLabelStream(path.c_str(), doc, setup, &fieldList, bounds);
}
