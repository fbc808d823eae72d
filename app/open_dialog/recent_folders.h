// The folders of the last successful choices in a file dialog, kept in a
// profile section as "Folder1" (the newest) to "Folder16".
#pragma once

#include <functional>
#include <string>
#include <vector>

inline constexpr int kRecentFolderCount = 15;

// The profile as the list sees it.
struct RecentFolderProfile {
  std::function<std::string(const std::string& key)> read;
  std::function<void(const std::string& key, const std::string& value)> write;
};

// "Folder1".."Folder15" that are not empty and still exist, in order.
std::vector<std::string> ReadRecentFolders(const RecentFolderProfile& profile);
// Which entry the list opens on: the current folder when listed, else the
// first; -1 for an empty list.
int InitialRecentFolder(const std::vector<std::string>& folders, const std::string& current);
// A folder with its trailing separator (folders longer than one character).
std::string WithTrailingSeparator(std::string folder);
// Records a chosen folder: it leaves its place in `shown` (the list as the
// dialog holds it), the first 15 others go to "Folder2" on, and it becomes
// "Folder1".
void AddRecentFolder(const RecentFolderProfile& profile, std::vector<std::string>& shown, const std::string& folder);
