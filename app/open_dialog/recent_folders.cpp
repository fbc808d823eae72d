#include "app/open_dialog/recent_folders.h"

#include <algorithm>
#include <filesystem>

std::vector<std::string> ReadRecentFolders(const RecentFolderProfile& profile) {
  std::vector<std::string> folders;
  for (int n = 1; n <= kRecentFolderCount; ++n) {
    const std::string folder = profile.read("Folder" + std::to_string(n));
    std::error_code ec;
    if (!folder.empty() && std::filesystem::is_directory(folder, ec)) folders.push_back(folder);
  }
  return folders;
}

int InitialRecentFolder(const std::vector<std::string>& folders, const std::string& current) {
  if (folders.empty()) return -1;
  const auto at = std::find(folders.begin(), folders.end(), WithTrailingSeparator(current));
  return at == folders.end() ? 0 : static_cast<int>(at - folders.begin());
}

std::string WithTrailingSeparator(std::string folder) {
  if (folder.size() > 1 && folder.back() != '/') folder += '/';
  return folder;
}

void AddRecentFolder(const RecentFolderProfile& profile, std::vector<std::string>& shown, const std::string& chosen) {
  const std::string folder = WithTrailingSeparator(chosen);
  shown.erase(std::remove(shown.begin(), shown.end(), folder), shown.end());
  int key = 2;
  const size_t count = std::min<size_t>(shown.size(), kRecentFolderCount);
  for (size_t i = 0; i < count; ++i)
    if (!shown[i].empty()) profile.write("Folder" + std::to_string(key++), shown[i]);
  profile.write("Folder1", folder);
}
