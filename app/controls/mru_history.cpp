#include "app/controls/mru_history.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "app/core/app_folders.h"
#include "foundation/codepage/codepage.h"
#include "platform/kernel/kernel.h"

std::string HistoryFilePath(const std::string& folder, const char* key) {
  return folder + "combomru" + key + ".bin";
}

std::string DefaultHistoryFolder() { return LocateAppFolders(ExecutableFolder()).perUser; }

AString CutHistoryEntry(const AString& text, int codePage) {
  if (text.GetLength() <= kHistoryEntryLimit) return text;
  const char* data = text.GetData();
  int keep = 0;
  while (keep < kHistoryEntryLimit) {
    const bool pair = keep + 1 < text.GetLength() && fdn_app::IsCjkCodePage(codePage) &&
                      fdn_app::IsDbcsCodePagePair(static_cast<BYTE>(data[keep]), static_cast<BYTE>(data[keep + 1]), codePage);
    const int n = pair ? 2 : 1;
    if (keep + n > kHistoryEntryLimit) break;
    keep += n;
  }
  return text.Left(keep);
}

std::vector<AString> ReadHistoryFile(const std::string& path, int maximum, int codePage) {
  std::vector<AString> entries;
  std::ifstream in(path, std::ios::binary);
  if (!in) return entries;
  std::string line;
  // Whole lines: an entry as long as the limit comes back as one entry.
  while (static_cast<int>(entries.size()) < maximum && std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (line.empty()) continue;
    entries.push_back(CutHistoryEntry(AString(static_cast<int>(line.size()), line.data()), codePage));
  }
  return entries;
}

bool WriteHistoryFile(const std::string& path, const std::vector<AString>& entries) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  const std::string temporary = path + ".new";
  std::FILE* out = std::fopen(temporary.c_str(), "wb");
  if (!out) return false;
  bool ok = true;
  for (const AString& entry : entries) {
    if (entry.IsEmpty()) continue;
    ok = ok && std::fwrite(entry.GetData(), 1, static_cast<size_t>(entry.GetLength()), out) ==
                   static_cast<size_t>(entry.GetLength());
    ok = ok && std::fputs("\r\n", out) >= 0;
  }
  ok = std::fclose(out) == 0 && ok;
  if (!ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
  return true;
}
