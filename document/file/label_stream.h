// The inner label stream: the binary form of one layout (magic "###Label",
// three version digits, the setup block with its length, the setup's
// strings and bindings, then the field list). It is each version's content
// in a layout file's store and the clipboard holder file's content.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "fields/model/field_list.h"
#include "fields/services/label_setup.h"

class CRvoDoc;

// The version this program writes.
inline constexpr int kLabelStreamVersion = 4;

// The stream of a layout; empty when it cannot be made.
std::vector<uint8_t> LabelStreamBytes(const CLabelSetup& setup, const CFieldList& fieldList);

// Reads a stream: every length is checked against the bytes left, and a
// stream that ends early, has another magic, a setup block longer than 854
// bytes or an unreadable field list fails (0) leaving setup and list as they
// were. On success (1) the setup takes the stream's values and strings and,
// when fieldList is given, the fields read are appended to it (re-measured
// against the stream's setup); bounds, when given, receives their bounding
// rectangle.
// fault, when given, receives where a stream that fails went wrong.
struct LabelStreamFault {
  size_t byte = 0;        // where the part that could not be read begins (the field list: where reading stopped)
  const char* part = "";  // "the magic", "the label setup", "the field list"...
};
int ReadLabelStreamBytes(std::span<const uint8_t> bytes, CRvoDoc* doc, CLabelSetup& setup, CFieldList* fieldList,
                         RECT* bounds, LabelStreamFault* fault = nullptr);

// The same on files. WriteLabelStream gives the file's length (0 when the
// file cannot be written in full).
long WriteLabelStream(const char* path, const CLabelSetup& setup, const CFieldList& fieldList);
int ReadLabelStream(const char* path, CRvoDoc* doc, CLabelSetup& setup, CFieldList* fieldList, RECT* bounds);
