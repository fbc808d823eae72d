// LibreOffice's reading of a document from its fodt: paragraph styles
// resolved through their parents from the default style, spans over them,
// the East Asian properties for ideographs.

#include "tests/platform/richedit/office_reading.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cmath>
#include <map>
#include <memory>
#include <optional>

#include "platform/nls/nls.h"
#include "platform/nls/nls_text.h"

namespace officetest {
namespace {

constexpr char kStyleNs[] = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
constexpr char kFoNs[] = "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0";
constexpr char kTextNs[] = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr char kSvgNs[] = "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0";

struct XmlDocFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

std::string_view Name(const xmlNode* n) { return reinterpret_cast<const char*>(n->name); }

bool Is(const xmlNode* n, const char* ns, std::string_view name) {
  return n->type == XML_ELEMENT_NODE && n->ns && xmlStrEqual(n->ns->href, BAD_CAST ns) && Name(n) == name;
}

std::optional<std::string> Attr(const xmlNode* n, const char* ns, const char* name) {
  xmlChar* value = xmlGetNsProp(n, BAD_CAST name, BAD_CAST ns);
  if (!value) return std::nullopt;
  std::string s(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return s;
}

// Western and East Asian text properties as far as the styles and spans so far give them.
struct TextState {
  std::string font, asianFont;
  double size = 12, asianSize = 12;  // points
  bool bold = false, asianBold = false;
  bool italic = false, asianItalic = false;
  bool underline = false;
  COLORREF colour = 0;
  WORD alignment = PFA_LEFT;
};

// "12pt", or a percentage of what the text had.
double Size(const std::string& value, double inherited) {
  const double number = std::strtod(value.c_str(), nullptr);
  return value.find('%') != std::string::npos ? inherited * number / 100 : number;
}

bool Bold(const std::string& weight) { return weight == "bold" || std::atoi(weight.c_str()) >= 600; }
bool Italic(const std::string& posture) { return posture == "italic" || posture == "oblique"; }

WORD Alignment(const std::string& value) {
  if (value == "center") return PFA_CENTER;
  if (value == "end" || value == "right") return PFA_RIGHT;
  if (value == "justify") return PFA_JUSTIFY;
  return PFA_LEFT;
}

class FlatOdt {
 public:
  explicit FlatOdt(xmlNode* root) { Index(root); }

  void Read(xmlNode* body, Reading& out) {
    out_ = &out;
    Blocks(body);
  }

 private:
  void Index(xmlNode* n) {
    for (xmlNode* c = n->children; c; c = c->next) {
      if (c->type != XML_ELEMENT_NODE) continue;
      if (Is(c, kStyleNs, "font-face")) {
        std::string family = Attr(c, kSvgNs, "font-family").value_or("");
        if (family.size() >= 2 && family.front() == '\'' && family.back() == '\'') family = family.substr(1, family.size() - 2);
        faces_[Attr(c, kStyleNs, "name").value_or("")] = family;
      } else if (Is(c, kStyleNs, "style")) {
        styles_[Attr(c, kStyleNs, "family").value_or("") + ":" + Attr(c, kStyleNs, "name").value_or("")] = c;
      } else if (Is(c, kStyleNs, "default-style")) {
        defaults_[Attr(c, kStyleNs, "family").value_or("")] = c;
      } else if (Is(c, "urn:oasis:names:tc:opendocument:xmlns:office:1.0", "body")) {
        continue;
      } else {
        Index(c);
      }
    }
  }

  std::string Face(const xmlNode* props, const char* nameAttr, const char* familyAttr) const {
    if (const auto name = Attr(props, kStyleNs, nameAttr)) {
      const auto it = faces_.find(*name);
      return it != faces_.end() ? it->second : *name;
    }
    return Attr(props, kFoNs, familyAttr).value_or("");
  }

  // Applies one style element's own properties.
  void Apply(const xmlNode* style, TextState& s) const {
    for (const xmlNode* p = style->children; p; p = p->next) {
      if (Is(p, kStyleNs, "paragraph-properties")) {
        if (const auto a = Attr(p, kFoNs, "text-align")) s.alignment = Alignment(*a);
      }
      if (!Is(p, kStyleNs, "text-properties")) continue;
      if (auto f = Face(p, "font-name", "font-family"); !f.empty()) s.font = f;
      if (auto f = Face(p, "font-name-asian", "font-family-asian"); !f.empty()) s.asianFont = f;
      if (const auto a = Attr(p, kFoNs, "font-size")) s.size = Size(*a, s.size);
      if (const auto a = Attr(p, kStyleNs, "font-size-asian")) s.asianSize = Size(*a, s.asianSize);
      if (const auto a = Attr(p, kFoNs, "font-weight")) s.bold = Bold(*a);
      if (const auto a = Attr(p, kStyleNs, "font-weight-asian")) s.asianBold = Bold(*a);
      if (const auto a = Attr(p, kFoNs, "font-style")) s.italic = Italic(*a);
      if (const auto a = Attr(p, kStyleNs, "font-style-asian")) s.asianItalic = Italic(*a);
      if (const auto a = Attr(p, kStyleNs, "text-underline-style")) s.underline = *a != "none";
      if (const auto a = Attr(p, kFoNs, "color"); a && a->size() == 7 && (*a)[0] == '#') {
        const unsigned long rgb = std::strtoul(a->c_str() + 1, nullptr, 16);
        s.colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
      } else if (Attr(p, kStyleNs, "use-window-font-color").value_or("") == "true") {
        s.colour = 0;
      }
    }
  }

  // A style over what the text had: its parents first, from the furthest.
  void ApplyStyle(const std::string& family, const std::string& name, TextState& s, int depth = 0) const {
    const auto it = styles_.find(family + ":" + name);
    if (it == styles_.end() || depth > 32) return;
    if (const auto parent = Attr(it->second, kStyleNs, "parent-style-name")) ApplyStyle(family, *parent, s, depth + 1);
    Apply(it->second, s);
  }

  void Blocks(xmlNode* n) {
    for (xmlNode* c = n->children; c; c = c->next) {
      if (Is(c, kTextNs, "p") || Is(c, kTextNs, "h")) {
        Paragraph(c);
      } else if (c->type == XML_ELEMENT_NODE && Name(c) == "frame") {
        ++out_->pictures;
      } else if (c->type == XML_ELEMENT_NODE && Name(c) == "table-cell") {
        ++tableDepth_;
        Blocks(c);
        --tableDepth_;
      } else if (c->type == XML_ELEMENT_NODE && !Is(c, kTextNs, "sequence-decls")) {
        Blocks(c);  // lists, tables, sections
      }
    }
  }

  void Paragraph(xmlNode* p) {
    TextState s;
    if (const auto d = defaults_.find("paragraph"); d != defaults_.end()) Apply(d->second, s);
    ApplyStyle("paragraph", Attr(p, kTextNs, "style-name").value_or(""), s);
    Inline(p, s);
    Add(u'\r', s);
  }

  void Inline(xmlNode* n, const TextState& s) {
    for (xmlNode* c = n->children; c; c = c->next) {
      if (c->type == XML_TEXT_NODE) {
        for (char16_t ch : nls::ToUtf16(CP_UTF8, reinterpret_cast<const char*>(c->content))) Add(ch, s);
      } else if (Is(c, kTextNs, "span")) {
        TextState inner = s;
        ApplyStyle("text", Attr(c, kTextNs, "style-name").value_or(""), inner);
        Inline(c, inner);
      } else if (Is(c, kTextNs, "s")) {
        for (int i = std::max(1, std::atoi(Attr(c, kTextNs, "c").value_or("1").c_str())); i > 0; --i) Add(u' ', s);
      } else if (Is(c, kTextNs, "tab")) {
        Add(u'\t', s);
      } else if (Is(c, kTextNs, "line-break")) {
        Add(u'\v', s);
      } else if (c->type == XML_ELEMENT_NODE && Name(c) == "frame") {
        ++out_->pictures;
      } else if (c->type == XML_ELEMENT_NODE && !Is(c, kTextNs, "note") && !Is(c, kTextNs, "annotation")) {
        Inline(c, s);  // links, fields: their text
      }
    }
  }

  void Add(char16_t c, const TextState& s) {
    const bool asian = IsEastAsian(c);
    RunChar r;
    r.c = c;
    r.font = nls::ToUtf16(CP_UTF8, asian ? s.asianFont : s.font);
    r.height = std::lround((asian ? s.asianSize : s.size) * 20);
    r.bold = asian ? s.asianBold : s.bold;
    r.italic = asian ? s.asianItalic : s.italic;
    r.underline = s.underline;
    r.colour = s.colour;
    r.alignment = s.alignment;
    r.inTable = tableDepth_ > 0;
    out_->chars.push_back(r);
  }

  std::map<std::string, std::string> faces_;
  std::map<std::string, xmlNode*> styles_;
  std::map<std::string, xmlNode*> defaults_;
  Reading* out_ = nullptr;
  int tableDepth_ = 0;
};

xmlNode* Child(xmlNode* n, std::string_view name) {
  for (xmlNode* c = n ? n->children : nullptr; c; c = c->next) {
    if (c->type == XML_ELEMENT_NODE && Name(c) == name) return c;
  }
  return nullptr;
}

bool Blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\u00A0'; }

std::string Describe(const RunChar& r) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "%s %.1fpt%s%s%s #%06lx align %d",
                nls::FromUtf16(CP_UTF8, r.font).c_str(), r.height / 20.0, r.bold ? " bold" : "",
                r.italic ? " italic" : "", r.underline ? " underlined" : "",
                static_cast<unsigned long>(RGB(GetBValue(r.colour), GetGValue(r.colour), GetRValue(r.colour))),
                r.alignment);
  return buffer;
}

// The characters compared: no blanks, no bullets.
std::vector<RunChar> Significant(const Reading& r) {
  std::vector<RunChar> out;
  for (const RunChar& c : r.chars) {
    if (!Blank(c.c) && c.c != u'\u2022') out.push_back(c);
  }
  return out;
}

std::u16string Text(const std::vector<RunChar>& chars) {
  std::u16string text;
  for (const RunChar& c : chars) text += c.c;
  return text;
}

bool Same(const RunChar& a, const RunChar& b) {
  return a.font == b.font && a.height == b.height && a.bold == b.bold && a.italic == b.italic &&
         a.underline == b.underline && a.colour == b.colour && (a.inTable || b.inTable || a.alignment == b.alignment);
}

}  // namespace

Reading ReadFlatOdt(std::string_view xml) {
  Reading out;
  std::unique_ptr<xmlDoc, XmlDocFree> doc(
      xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "document.fodt", nullptr, XML_PARSE_NONET | XML_PARSE_HUGE));
  if (!doc) return out;
  xmlNode* root = xmlDocGetRootElement(doc.get());
  xmlNode* text = Child(Child(root, "body"), "text");
  if (!text) return out;
  FlatOdt(root).Read(text, out);
  out.parsed = true;
  return out;
}

Reading ReadDocument(const richedit::TextDocument& doc) {
  Reading out;
  out.parsed = true;
  const std::u16string& text = doc.text();
  for (size_t cp = 0; cp < text.size(); ++cp) {
    if (text[cp] == richedit::kObjectMark) {
      ++out.pictures;
      continue;
    }
    const richedit::CharFormat& f = doc.FormatAt(cp);
    RunChar r;
    r.c = text[cp];
    r.font = f.face;
    r.height = f.height;
    r.bold = f.Bold();
    r.italic = f.Has(CFE_ITALIC);
    r.underline = f.Has(CFE_UNDERLINE);
    r.colour = f.Has(CFE_AUTOCOLOR) ? 0 : f.colour;
    r.alignment = doc.Paragraph(doc.ParagraphOf(cp)).alignment;
    out.chars.push_back(r);
  }
  return out;
}

std::vector<std::string> Differences(const Reading& expected, const Reading& actual, const Reading* source,
                                     size_t* bySource, size_t limit) {
  std::vector<std::string> out;
  size_t count = 0;
  auto note = [&](std::string line) {
    if (++count <= limit) out.push_back(std::move(line));
  };
  const std::vector<RunChar> a = Significant(expected), b = Significant(actual);
  const std::vector<RunChar> s = source ? Significant(*source) : std::vector<RunChar>();
  auto context = [&](size_t at) {
    std::u16string around;
    for (size_t i = at >= 10 ? at - 10 : 0; i < std::min(a.size(), at + 10); ++i) around += a[i].c;
    return "\"" + nls::FromUtf16(CP_UTF8, around) + "\" char " + std::to_string(at);
  };
  if (source && Text(s) != Text(a)) note("the source reads to other text: " + nls::FromUtf16(CP_UTF8, Text(s)));
  const bool withSource = source && Text(s) == Text(a);
  for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    if (i >= a.size() || i >= b.size() || a[i].c != b[i].c) {
      note("text differs at " + context(i) + ": " + nls::FromUtf16(CP_UTF8, Text(a).substr(i, 20)) + " against " +
           nls::FromUtf16(CP_UTF8, Text(b).substr(std::min(i, b.size()), 20)));
      break;
    }
    if (Same(a[i], b[i])) continue;
    if (withSource && !Same(a[i], s[i]) && Same(s[i], b[i])) {
      if (bySource) ++*bySource;
      continue;
    }
    note(context(i) + ": " + Describe(a[i]) + " against " + Describe(b[i]));
  }
  if (expected.pictures != actual.pictures) {
    note(std::to_string(expected.pictures) + " pictures against " + std::to_string(actual.pictures));
  }
  if (count > limit) out.push_back("... " + std::to_string(count - limit) + " more");
  return out;
}

}  // namespace officetest
