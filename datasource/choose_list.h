// Choose-list files (".chl"): "CHCE0001", an item count (int32 >= 1), then
// each item as a 32-bit length and its bytes. The files were written in text
// mode: every 0x0A of that stream stands on disk as 0D 0A.
#pragma once

#include "foundation/containers/aarray.h"
#include "foundation/string/astring.h"

// Replaces the list by the file's items and returns how many were read; 0
// (the list kept) when the file cannot be read or its header is wrong. An item
// whose bytes end early is dropped; a CR LF pair reads as LF; 0x1A is a byte
// like any other.
int ReadChooseListFile(const char* path, AArray<AString>* items);
// The longest item's byte length divided by 2; 0 when the list cannot be read.
int GetChooseListMaxLength(const AString& name);
// The logical stream of a list, before the CR LF translation (for writers and tests).
AString ChooseListBytes(const AArray<AString>& items);
