// File names and folders: building, resolving and cleaning names, listing and
// deleting files by pattern, file attributes. The path separator is '/'.
#pragma once

#include "foundation/build.h"
#include "foundation/containers/aarray.h"
#include "foundation/containers/ahashmap.h"
#include "foundation/string/astring.h"

FOUNDATION_BEGIN

inline constexpr char kPathSeparator = '/';

// folder, a separator when the folder does not end in one (none for an empty
// folder), then the name. The extension is first appended to name itself
// unless the name already ends with it (compared without case).
AString MakeFilePath(const char* folder, AString& name, const char* ext);

// A text shorter than 2 characters, or without a drive colon in second place
// and not starting with '/' or '\\', is relative: out = base + rel and
// wasRelative = 1; else out = rel and 0. Returns 1 when out does not end in a
// separator and either acceptMissing is set or the file exists.
int ResolvePath(const char* base, const AString& rel, AString* out, bool acceptMissing, int* wasRelative);
// The same absoluteness test over the first len characters (0: all).
bool IsAbsolutePath(const char* p, int len);
// A trailing separator is dropped (except for a root such as "/" or "C:/");
// 1 when the path exists and is a folder.
int IsDirectory(const char* path);

// folder, separator, base, "_", the number padded with zeros to width (0..20),
// ".", ext, for the first number from 0 up whose file does not exist; empty
// when every number up to the largest integer is taken.
AString MakeNumberedFileName(const char* base, const char* folder, const char* ext, int width);
// folder, separator, prefix, today's date as "%y%m%d", ".", ext.
AString MakeDatedFileName(const char* prefix, const char* folder, const char* ext);

// Removes '\\', '*' and '?'; for a full path longer than 3 characters keeps
// the first 3 (a drive prefix) and removes ':' from the rest, keeping the '/'
// separators; otherwise '/' and ':' are removed too. Then '<', '>', '|' and
// '"' are removed. Returns the new length.
int RemoveInvalidFileNameChars(AString& name, bool fullPath);

// Empties out and adds the names of the files (not folders) matching
// folder + pattern; returns the count.
int ListFilesByPattern(const char* folder, const char* pattern, AArray<AString>& out);
// Deletes each file (not folder) matching folder + pattern (a separator added
// to the folder when missing) that is not in keep (by name or by full path)
// and whose status can be read, when minAgeHours <= 0 or its age in whole
// days * 24 reaches minAgeHours; with force through ForceDeleteFile, else a
// plain delete (which leaves read-only files alone). Returns
// the number deleted; 0 for an empty folder name.
int DeleteFilesByPattern(const char* folder, const char* pattern, int minAgeHours, bool force,
                         const AHashMap<AString, void*>* keep);

// Clears the asked attributes that are set; returns whether any was.
int ClearFileAttributes(const char* path, bool readOnly, bool hidden);
// Sets the asked attributes that are clear; returns whether anything was to be
// done (hidden is kept by no file system here, so asking for it always is).
int SetFileAttributesFlags(const char* path, bool readOnly, bool hidden);
// Clears read-only and hidden, then removes the file. 1 when it was removed.
int ForceDeleteFile(const char* path);

FOUNDATION_END
