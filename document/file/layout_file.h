// Opening and saving layout files: a version store of the layout's inner
// label streams, or a bare inner label stream.
#pragma once

#include "fields/model/field_list.h"
#include "fields/services/label_setup.h"

class CRvoDoc;

// How a save treats the versions already in the file.
enum class SaveVersions {
  kAddVersion,   // the file's store gains the new version (Save As, the main frame)
  kFreshStore,   // the file becomes a store holding only the new version (Save)
};

// Reads the current version (or the bare stream) into the setup and the
// field list (bounds, when given, receives the fields' bounding rectangle).
// 1 on success; 0 leaves setup and list untouched.
// problem, when given, says what failed on 0.
struct LayoutProblem;
int LoadLayoutFile(const char* path, CRvoDoc* doc, CLabelSetup& setup, CFieldList& fieldList, RECT* bounds,
                   LayoutProblem* problem = nullptr);

// Saves the layout to path: the stream beside it (".tmp"), the preview
// (".vue"), the store written whole to a temporary file and renamed over
// path, the old file kept as ".010". 1 on success; on any failure path and
// its ".010" are as they were and no temporary file is left.
int SaveLayoutFile(const char* path, const CLabelSetup& setup, const CFieldList& fieldList, SaveVersions versions);

// Whether a file may not be replaced: it exists and is read-only for its
// owner or for this process, or is not a regular file. 1 read-only, 2 a
// "system" file (not a regular file), 0 writable or missing.
int LayoutFileWriteBlock(const char* path);
