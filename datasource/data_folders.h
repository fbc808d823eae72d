// The folders of the data files: counters, choose lists, text data files and
// the database lists. Each ends with '/'; they follow the settings (counters,
// text files and choose lists follow the foundation's folders, which the
// program sets from its settings; the program puts the database lists in
// the user's own folder) and tests set them.
#pragma once

#include "foundation/string/astring.h"

enum class DataFolder { kCounters, kChooseLists, kTextFiles, kDbLists };

AString GetDataFolder(DataFolder kind);
// Sets a folder (a '/' added when missing); an empty text brings back the default.
void SetDataFolder(DataFolder kind, const AString& folder);
// The folder joined with a name ("%s%s").
AString DataFilePath(DataFolder kind, const AString& name);
