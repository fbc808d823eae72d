// The file calls of opening and saving layouts, each checked, with one seam
// through which tests make a chosen call fail (or stop the process there).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <sys/types.h>

enum class FileCall { kOpen, kWrite, kSync, kClose, kRename, kRemove, kRead, kChmod, kLink };

// Consulted before each call: true makes the call fail (errno EIO) without
// doing it. Null (the default) lets every call run.
using FileCallFault = bool (*)(FileCall call, const char* path, void* context);
void SetFileCallFault(FileCallFault fault, void* context);

// The whole file into bytes; false when it cannot be read.
bool ReadWholeFileBytes(const char* path, std::vector<uint8_t>& out);
// Creates or truncates the file and writes the bytes; with sync they reach
// the disk before the file is closed. False when any step fails.
bool WriteWholeFile(const char* path, std::span<const uint8_t> bytes, bool sync = false, mode_t mode = 0666);
bool RenameFile(const char* from, const char* to);
bool RemoveFile(const char* path);
// A second name for an existing file.
bool LinkFile(const char* existing, const char* newName);
// Makes the folder's entries (a rename) durable.
bool SyncFolderOf(const char* path);
bool ChangeMode(const char* path, mode_t mode);
// A name in path's folder that no file has: path + suffix + a number.
std::string UniqueSiblingName(const std::string& path, const char* suffix);
