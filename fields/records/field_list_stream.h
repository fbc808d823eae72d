// The field list inside the layout file: a uint32 count, then one record per
// field (the raw block of recordSize bytes, then its strings).
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "fields/model/field_list.h"
#include "platform/kernel/byte_reader.h"
#include "platform/kernel/types.h"

class CLabelSetup;

// Appends one field's record (raw block and strings); false for a kind that
// has no record (OLE, border).
bool AppendFieldRecord(std::vector<uint8_t>& out, const CField& field);

// The list's bytes: the count of fields that have a record (OLE fields are
// left out, so the count matches what follows), then their records.
std::vector<uint8_t> FieldListBytes(const CFieldList& list);

// Writes the list at the file's position; 1, or 0 when writing fails.
int WriteFieldList(const CFieldList& list, FILE* file);

// Reads a list from the bytes, appending the fields to list. Every count,
// size word and string length is checked against the bytes left: a list that
// ends early gives 0 (the fields read completely stay), as does an unknown
// kind or the border kind 8; a size word below 10 ends the list with 1. A
// record shorter than its kind's keeps the defaults of what it lacks; a
// longer one is consumed whole. OLE records are skipped by their size word.
// boundsOut, when given, receives the union of the fields' bounding
// rectangles. The reader is left just after what was read.
int ReadFieldListBytes(CFieldList& list, ByteReader& bytes, int16_t version, RECT* boundsOut);

// Reads the list from the file's position (the label setup gives the label
// stream's version) and leaves the file just after it.
int ReadFieldList(CFieldList& list, FILE* file, const CLabelSetup& setup, RECT* boundsOut, void* oleContext);
