#include "document/file/version_store.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlversion.h>

#include "document/file/file_calls.h"
#include "document/file/gzip_bytes.h"
#include "document/file/layout_problem.h"
#include "foundation/util/base64.h"

namespace {

// A stored preview grows to a 1-bit picture of the label; anything larger
// than this is not one.
constexpr size_t kMaxPreviewBytes = 64u << 20;

std::time_t (*g_clock)() = nullptr;

// The library is checked once and its global state freed once at exit.
void InitXml() {
  static std::once_flag once;
  std::call_once(once, [] {
    LIBXML_TEST_VERSION;
    std::atexit(xmlCleanupParser);
  });
}

const xmlChar* X(const char* s) { return reinterpret_cast<const xmlChar*>(s); }

bool NameIs(const xmlNode* n, const char* name) {
  return n && n->type == XML_ELEMENT_NODE && xmlStrcmp(n->name, X(name)) == 0;
}

xmlNode* FirstChild(xmlNode* parent, const char* name) {
  for (xmlNode* n = parent ? parent->children : nullptr; n; n = n->next) {
    if (NameIs(n, name)) return n;
  }
  return nullptr;
}

xmlNode* DocsOf(_xmlDoc* store) { return store ? FirstChild(xmlDocGetRootElement(store), "Docs") : nullptr; }

// The text of a node, freed with the scope.
struct XmlText {
  explicit XmlText(xmlChar* t) : text(t) {}
  XmlText(const XmlText&) = delete;
  XmlText& operator=(const XmlText&) = delete;
  ~XmlText() { xmlFree(text); }
  bool Equals(const char* s) const { return text && xmlStrEqual(text, X(s)); }
  xmlChar* text;
};

bool IsCurrent(xmlNode* doc) { return XmlText(xmlGetProp(doc, X("current"))).Equals("1"); }

bool MTimeEquals(xmlNode* doc, const char* mtime) {
  xmlNode* t = FirstChild(doc, "MTime");
  return t && XmlText(xmlNodeGetContent(t)).Equals(mtime);
}

bool DecodeBase64Node(xmlNode* node, std::vector<uint8_t>& out) {
  out.clear();
  if (!node) return false;
  XmlText text(xmlNodeGetContent(node));
  if (!text.text) return false;
  const size_t length = std::strlen(reinterpret_cast<const char*>(text.text));
  if (length == 0 || length > 0x7FFFFFF0u / 3 * 4) return false;
  out.resize(length / 4 * 3 + 3);
  const int n = Base64Decode(AString(reinterpret_cast<const char*>(text.text)), out.data(), static_cast<int>(out.size()));
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return n > 0;
}

xmlNode* AddBase64Child(xmlNode* parent, const char* name, std::span<const uint8_t> bytes) {
  if (bytes.size() > 0x7FFFFFFFu / 4 * 3 - 3) return nullptr;
  AString text;
  if (EncodeBase64(bytes.data(), static_cast<int>(bytes.size()), text) <= 0) return nullptr;
  return xmlNewChild(parent, nullptr, X(name), X(text.GetData()));
}

// The parser's first error: its line and its words.
struct FirstXmlError {
  bool seen = false;
  long line = 0;
  std::string words;
};

// A structured error routine of one parser context (its user data is the
// context, whose private pointer holds the FirstXmlError).
void KeepFirstXmlError(void* user, xmlErrorPtr error) {
  auto* context = static_cast<xmlParserCtxtPtr>(user);
  auto* first = context ? static_cast<FirstXmlError*>(context->_private) : nullptr;
  if (!first || first->seen || !error || error->level < XML_ERR_ERROR) return;
  first->seen = true;
  first->line = error->line;
  first->words = error->message ? error->message : "";
  while (!first->words.empty() && (first->words.back() == '\n' || first->words.back() == ' ')) first->words.pop_back();
}

}  // namespace

void XmlDocFree::operator()(_xmlDoc* doc) const { xmlFreeDoc(doc); }

bool IsVersionStoreBytes(std::span<const uint8_t> bytes) {
  return bytes.size() >= 5 && std::memcmp(bytes.data(), "<?xml", 5) == 0;
}

bool IsVersionStoreFile(const char* path) {
  std::vector<uint8_t> bytes;
  return ReadWholeFileBytes(path, bytes) && IsVersionStoreBytes(bytes);
}

UniqueXmlDoc ParseVersionStore(std::span<const uint8_t> bytes, LayoutProblem* problem) {
  InitXml();
  LayoutProblem ignored;
  LayoutProblem& p = problem ? *problem : ignored;
  if (bytes.empty() || bytes.size() > 0x7FFFFFFFu) {
    p = {LayoutProblemKind::kNotALayout, false, 0, 0, "too large for a version store"};
    return nullptr;
  }
  const int options = XML_PARSE_NOBLANKS | XML_PARSE_NONET | XML_PARSE_HUGE | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
  // A context of its own, so the parser's last error (and its line) is this
  // document's whatever other threads parse.
  std::unique_ptr<xmlParserCtxt, void (*)(xmlParserCtxtPtr)> context(xmlNewParserCtxt(), xmlFreeParserCtxt);
  if (!context) return nullptr;
  // The first error is where the damage is; the parser's last one is often
  // only the end of the document it could not finish.
  FirstXmlError first;
  context->_private = &first;
  context->sax->serror = KeepFirstXmlError;
  UniqueXmlDoc doc(xmlCtxtReadMemory(context.get(), reinterpret_cast<const char*>(bytes.data()),
                                     static_cast<int>(bytes.size()), nullptr, nullptr, options));
  if (!doc || !context->wellFormed) {
    p = {LayoutProblemKind::kStoreXml, false, first.line, 0, first.words};
    return nullptr;
  }
  const xmlNode* root = xmlDocGetRootElement(doc.get());
  if (!NameIs(root, "ComboDoc")) {
    p = {LayoutProblemKind::kNotALayout, false, 0, 0, "its XML holds no version store"};
    return nullptr;
  }
  return doc;
}

UniqueXmlDoc OpenVersionStore(const char* path) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFileBytes(path, bytes)) return nullptr;
  return ParseVersionStore(bytes);
}

std::string FormatVersionTime(std::time_t when) {
  std::tm t{};
  localtime_r(&when, &t);
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%2d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

bool AddVersionToStore(_xmlDoc* store, std::span<const uint8_t> stream, std::span<const uint8_t> preview,
                       std::time_t when) {
  xmlNode* docs = DocsOf(store);
  if (!docs || stream.empty()) return false;
  // Every version that says it is current stops saying so: with two of
  // them, opening would read the older one, not the version added now.
  for (xmlNode* n = docs->children; n; n = n->next) {
    if (NameIs(n, "Doc") && IsCurrent(n)) xmlSetProp(n, X("current"), X("0"));
  }
  xmlNode* doc = xmlNewChild(docs, nullptr, X("Doc"), nullptr);
  if (!doc || !xmlSetProp(doc, X("current"), X("1"))) return false;
  if (!xmlNewChild(doc, nullptr, X("Author"), X("Prg"))) return false;
  if (!xmlNewChild(doc, nullptr, X("MTime"), X(FormatVersionTime(when).c_str()))) return false;
  if (!AddBase64Child(doc, "DocData", stream)) return false;
  return preview.empty() || AddBase64Child(doc, "PreviewJpeg", preview);
}

std::vector<uint8_t> VersionStoreBytes(_xmlDoc* store) {
  xmlChar* text = nullptr;
  int size = 0;
  xmlDocDumpMemory(store, &text, &size);
  std::vector<uint8_t> bytes;
  if (text && size > 0) bytes.assign(text, text + size);
  xmlFree(text);
  return bytes;
}

bool VersionStream(_xmlDoc* store, const char* mtime, std::vector<uint8_t>& out, LayoutProblem* problem) {
  xmlNode* docs = DocsOf(store);
  for (xmlNode* n = docs ? docs->children : nullptr; n; n = n->next) {
    if (!NameIs(n, "Doc")) continue;
    if (!(mtime ? MTimeEquals(n, mtime) : IsCurrent(n))) continue;
    xmlNode* data = FirstChild(n, "DocData");
    if (DecodeBase64Node(data, out)) return true;
    if (problem) {
      *problem = {LayoutProblemKind::kVersionData, true, data ? static_cast<long>(xmlGetLineNo(data)) : 0, 0,
                  data ? "its DocData is not Base64" : "it has no DocData"};
    }
    return false;
  }
  out.clear();
  if (problem) *problem = {LayoutProblemKind::kNoCurrentVersion, true, 0, 0, ""};
  return false;
}

bool VersionPreview(_xmlDoc* store, const char* mtime, std::vector<uint8_t>& out) {
  out.clear();
  xmlNode* docs = DocsOf(store);
  xmlNode* chosen = nullptr;
  for (xmlNode* n = docs ? docs->children : nullptr; n; n = n->next) {
    if (!NameIs(n, "Doc")) continue;
    if (!FirstChild(n, "MTime")) return false;  // a version without its time cannot be found
    if (mtime ? MTimeEquals(n, mtime) : true) {
      chosen = n;
      if (mtime) break;
    }
  }
  std::vector<uint8_t> gz;
  if (!chosen || !DecodeBase64Node(FirstChild(chosen, "PreviewJpeg"), gz)) return false;
  return GunzipBytes(gz, out, kMaxPreviewBytes);
}

int ExtractCurrentVersion(const char* path, const char* mtime, std::string& outPath) {
  UniqueXmlDoc store = OpenVersionStore(path);
  std::vector<uint8_t> stream;
  if (!store || !VersionStream(store.get(), mtime, stream)) return 0;
  if (outPath.empty()) outPath = std::string(path) + ".tmp";
  return WriteWholeFile(outPath.c_str(), stream) ? 1 : 0;
}

int ExtractVersionPreview(const char* path, const char* mtime, const char* outPath) {
  UniqueXmlDoc store = OpenVersionStore(path);
  std::vector<uint8_t> bmp;
  if (!outPath || !store || !VersionPreview(store.get(), mtime, bmp)) return 0;
  // Written beside the target and renamed over it, so a failure leaves what
  // was there.
  const std::string temp = UniqueSiblingName(outPath, ".part");
  if (!WriteWholeFile(temp.c_str(), bmp) || !RenameFile(temp.c_str(), outPath)) {
    RemoveFile(temp.c_str());
    return 0;
  }
  return 1;
}

void SetVersionStoreClock(std::time_t (*clock)()) { g_clock = clock; }

std::time_t VersionStoreNow() { return g_clock ? g_clock() : std::time(nullptr); }
