// The layout file's version store: an XML document (root ComboDoc, its Docs
// element) holding every saved version of the layout as a Doc element with
// the author, the save time, the inner label stream and the preview, both in
// Base64. The current version has current="1".
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct _xmlDoc;

struct XmlDocFree {
  void operator()(_xmlDoc* doc) const;
};
using UniqueXmlDoc = std::unique_ptr<_xmlDoc, XmlDocFree>;

// The seed a new store starts from, shipped in the program folder.
inline constexpr const char* kVersionStoreSeed = "docseed.xml";

// Whether the bytes are a store: not empty and beginning with "<?xml".
bool IsVersionStoreBytes(std::span<const uint8_t> bytes);
bool IsVersionStoreFile(const char* path);

// Parses a store (blanks dropped, no network, no entities substituted, huge
// documents allowed); null when it does not parse or its root is not
// ComboDoc.
// problem, when given, says why a store is refused (kStoreXml with the
// parser's line and words, or kNotALayout for another root).
struct LayoutProblem;
UniqueXmlDoc ParseVersionStore(std::span<const uint8_t> bytes, LayoutProblem* problem = nullptr);
UniqueXmlDoc OpenVersionStore(const char* path);

// Adds a version to the store: every current Doc becomes "0", a new Doc with
// current="1", Author "Prg", MTime (local time "%04d/%02d/%02d %02d:%02d:%2d"),
// DocData and, when preview is not empty, PreviewJpeg is appended to Docs.
// False when the store has no Docs or the stream is empty.
bool AddVersionToStore(_xmlDoc* store, std::span<const uint8_t> stream, std::span<const uint8_t> preview,
                       std::time_t when);
// The store written as libxml2 writes a file; empty when the writer fails.
std::vector<uint8_t> VersionStoreBytes(_xmlDoc* store);

// The inner label stream of a version: with mtime, the first Doc whose MTime
// equals it, else the first current one. False when there is none, it has
// no DocData or its Base64 does not decode.
// problem, when given, says why there is none (kNoCurrentVersion or
// kVersionData).
bool VersionStream(_xmlDoc* store, const char* mtime, std::vector<uint8_t>& out, LayoutProblem* problem = nullptr);
// The decompressed preview (a BMP) of a version: with mtime the Doc whose
// MTime equals it, else the last Doc. False when there is none or it does
// not decode.
bool VersionPreview(_xmlDoc* store, const char* mtime, std::vector<uint8_t>& out);

// The MTime text of a time.
std::string FormatVersionTime(std::time_t when);

// The file forms. ExtractCurrentVersion writes the version's stream to
// outPath (default: the store's path with ".tmp"); ExtractVersionPreview its
// BMP to outPath through a temporary file beside it. 1 on success.
int ExtractCurrentVersion(const char* path, const char* mtime, std::string& outPath);
int ExtractVersionPreview(const char* path, const char* mtime, const char* outPath);

// The clock of MTime (tests set one); null restores the system's.
void SetVersionStoreClock(std::time_t (*clock)());
std::time_t VersionStoreNow();
